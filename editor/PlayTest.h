// Play-testing a level from where the designer points: where the current play
// began (a cell chosen with "test from here", or wherever the player stood
// when the preview was switched on), whether such a session is on, and the
// pause with its single steps. The editor's commands drive it; it builds
// nothing itself but finds the cell a player can start on and sets up a
// fresh player there.
#pragma once

#include <cstdint>
#include <optional>

namespace kestrilo {

class TMatrix;
class TPlayerSprite;
struct TGameContext;

// A cell of the level: column 0..199, row 0..149.
struct TStartCell {
  int32_t Column = 0;
  int32_t Row = 0;
  bool operator==(const TStartCell&) const = default;
};

// The cell a player of Width by Height pixels starts on when the designer
// points at Cell: the cell itself when the player can move there, that is
// when the cells its box overlaps and the row its walk and fall checks see
// below a box ending on a cell edge are free and inside the level; otherwise
// the nearest such cell straight above it. So on a wall, or right above a
// floor, the player starts one cell above the floor's top and drops onto it.
// None when the column offers no such cell up to the top, or when Cell lies
// outside the level.
std::optional<TStartCell> StandingCell(const TMatrix& Level, TStartCell Cell, int32_t Width, int32_t Height);

// The context's player when it lives; otherwise (it died, or was never made)
// a new one as the open-objects command makes it, shown and falling as given.
// Throws the picture collection's error when "Игрок" is missing.
TPlayerSprite& LivePlayer(TGameContext& Context, bool Visible, bool Gravity);

// The player made fresh for a new play at world pixel (X, Y): health,
// ammunition, collected keys and the shot timer as the open-objects command
// sets them up; visibility and gravity are left to the caller.
void FreshPlayerAt(TPlayerSprite& Player, double X, double Y);

class TPlayTest {
 public:
  // A "test from here" session began at Cell; the player's visibility and
  // gravity before it are kept to be given back when it ends.
  void Begin(TStartCell Cell, bool VisibleBefore, bool GravityBefore);
  // Play without a chosen cell (the preview switched on) began with the
  // player at world pixel (X, Y).
  void PlayBeganAt(double X, double Y);
  // The session is over; the pause goes with it.
  void End();

  bool Active() const { return session_.has_value(); }
  // The cell of the session, none outside one.
  std::optional<TStartCell> Cell() const;
  bool VisibleBefore() const { return session_ && session_->VisibleBefore; }
  bool GravityBefore() const { return session_ && session_->GravityBefore; }
  // Where the current play began, in world pixels; none before any play.
  std::optional<double> StartX() const { return startX_; }
  std::optional<double> StartY() const { return startY_; }

  // Pause: the frame is still drawn, nothing moves. A step while paused lets
  // exactly one tick move; steps asked for before a tick add up.
  bool Paused() const { return paused_; }
  void TogglePause();
  void StepOnce();
  // Asked once by every frame tick: true when the world moves in this tick.
  bool TakeTick();

 private:
  struct TSession {
    TStartCell Cell;
    bool VisibleBefore = false;
    bool GravityBefore = false;
  };
  std::optional<TSession> session_;
  std::optional<double> startX_, startY_;
  bool paused_ = false;
  int32_t pendingSteps_ = 0;
};

}  // namespace kestrilo

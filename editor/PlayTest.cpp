#include "editor/PlayTest.h"

#include <algorithm>

#include "matrix/Matrix.h"
#include "platform/Errors.h"
#include "sprites/DXSpriteEngine.h"
#include "world/GameContext.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

namespace {

// Whether a player of Width by Height pixels with its top left corner at the
// cell's corner can move there: the columns its box overlaps, in the rows its
// side and fall checks look at (those of its box and the one below a box that
// ends on a cell edge), lie inside the level and hold no solid cell. A player
// standing exactly on a floor could not walk; one cell higher it drops onto it.
bool PlayerFitsAt(const TMatrix& Level, TStartCell Cell, int32_t Width, int32_t Height) {
  constexpr int32_t kCell = TMatrix::kCellSize;
  const int32_t columns = Width > 0 ? (Width - 1) / kCell + 1 : 1;
  const int32_t rows = std::max(Height, 0) / kCell + 1;
  for (int32_t dx = 0; dx < columns; ++dx)
    for (int32_t dy = 0; dy < rows; ++dy) {
      const int32_t column = Cell.Column + dx, row = Cell.Row + dy;
      if (!TMatrix::IsInside(column, row) || !Level.Cells[column][row].IsFree()) return false;
    }
  return true;
}

}  // namespace

std::optional<TStartCell> StandingCell(const TMatrix& Level, TStartCell Cell, int32_t Width, int32_t Height) {
  if (!TMatrix::IsInside(Cell.Column, Cell.Row)) return std::nullopt;
  for (TStartCell at = Cell; at.Row >= 0; --at.Row)
    if (PlayerFitsAt(Level, at, Width, Height)) return at;
  return std::nullopt;
}

TPlayerSprite& LivePlayer(TGameContext& Context, bool Visible, bool Gravity) {
  if (Context.PlayerSprite && !Context.PlayerSprite->IsDead) return *Context.PlayerSprite;
  if (!Context.SpriteEngine) throw EKestriloError("The sprite engine is not ready yet");
  TPlayerSprite* player = TPlayerSprite::CreateFor(Context.SpriteEngine->Engine(), Context.ObjectPictures());
  Context.PlayerSprite = player;
  player->Visible = Visible;
  player->GravityOn = Gravity;
  return *player;
}

void FreshPlayerAt(TPlayerSprite& Player, double X, double Y) {
  Player.StartAfresh();
  Player.FramePos = 0;  // the frame a walk left it on would show until the next step
  Player.X = X;
  Player.Y = Y;
  Player.SetZ(0);
}

void TPlayTest::Begin(TStartCell Cell, bool VisibleBefore, bool GravityBefore) {
  // A session begun inside another keeps what the player had before the first.
  if (session_) {
    VisibleBefore = session_->VisibleBefore;
    GravityBefore = session_->GravityBefore;
  }
  session_ = TSession{Cell, VisibleBefore, GravityBefore};
  startX_ = static_cast<double>(Cell.Column) * TMatrix::kCellSize;
  startY_ = static_cast<double>(Cell.Row) * TMatrix::kCellSize;
}

void TPlayTest::PlayBeganAt(double X, double Y) {
  startX_ = X;
  startY_ = Y;
}

void TPlayTest::End() {
  session_.reset();
  paused_ = false;
  pendingSteps_ = 0;
}

std::optional<TStartCell> TPlayTest::Cell() const {
  if (!session_) return std::nullopt;
  return session_->Cell;
}

void TPlayTest::TogglePause() {
  paused_ = !paused_;
  pendingSteps_ = 0;
}

void TPlayTest::StepOnce() {
  if (paused_) ++pendingSteps_;
}

bool TPlayTest::TakeTick() {
  if (!paused_) return true;
  if (pendingSteps_ == 0) return false;
  --pendingSteps_;
  return true;
}

}  // namespace kestrilo

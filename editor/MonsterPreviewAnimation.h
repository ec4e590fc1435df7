// The frame player of the monster editor's preview: plays one state's frame
// range of a monster record, a tick at a time, as a walking monster's frames
// run in the game (the same step per tick, the same wrap back to the range's
// first frame), or every state in turn. It holds no widget; the window's timer
// hands it ticks.
#pragma once

#include <array>
#include <cstdint>

#include "library/MonsterRecord.h"

namespace kestrilo {

class TMonsterPreviewAnimation {
 public:
  // Ticks a state that does not move (first = last, or no speed) is shown when
  // playing in turn.
  static constexpr int32_t kStillStateTicks = 40;

  // Takes the record's ranges and speed; the shown state starts again.
  void SetRecord(const TMonsterRecord& record);
  // Shows state 1 to 8 from its first frame.
  void SetState(int32_t state);
  // true: after a state's range has played through once, the next state
  // follows (8 is followed by 1).
  void SetPlayInTurn(bool inTurn) { inTurn_ = inTurn; }

  // One tick of the frame loop.
  void Tick();

  int32_t State() const { return state_; }
  // The frame to draw: the position without its fraction.
  int32_t Frame() const { return static_cast<int32_t>(position_); }
  double Position() const { return position_; }

 private:
  TMonsterFrameRange Range() const { return ranges_[static_cast<size_t>(state_ - 1)]; }
  void Restart();

  std::array<TMonsterFrameRange, TMonsterRecord::kStateCount> ranges_{};
  double animSpeed_ = 0;
  int32_t state_ = 1;
  double position_ = 0;
  int32_t stillTicks_ = 0;
  bool inTurn_ = false;
};

}  // namespace kestrilo

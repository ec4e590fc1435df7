#include "editor/MonsterPreviewAnimation.h"

#include <algorithm>

#include "library/MonsterFieldLimits.h"

namespace kestrilo {

void TMonsterPreviewAnimation::SetRecord(const TMonsterRecord& record) {
  ranges_ = record.FrameRanges;
  animSpeed_ = record.AnimSpeed;
  Restart();
}

void TMonsterPreviewAnimation::SetState(int32_t state) {
  state_ = std::clamp<int32_t>(state, 1, static_cast<int32_t>(TMonsterRecord::kStateCount));
  Restart();
}

void TMonsterPreviewAnimation::Restart() {
  position_ = Range().First;
  stillTicks_ = 0;
}

void TMonsterPreviewAnimation::Tick() {
  const double a = Range().First;
  const double b = Range().Last;
  const double step = AnimFramesPerTick(animSpeed_);
  bool playedThrough = false;
  if (a == b || !(step > 0)) {
    // Nothing moves (no range, or no speed, or a speed that is no number):
    // the state is shown still for a while.
    playedThrough = ++stillTicks_ >= kStillStateTicks;
  } else if (a < b) {
    position_ += step;
    if (position_ < a || position_ > b) {
      position_ = a;
      playedThrough = true;
    }
  } else {
    position_ -= step;
    if (position_ > a || position_ < b) {
      position_ = a;
      playedThrough = true;
    }
  }
  if (playedThrough && inTurn_) SetState(state_ % static_cast<int32_t>(TMonsterRecord::kStateCount) + 1);
}

}  // namespace kestrilo

#include "world/Monster.h"

#include "library/PictureCollection.h"

namespace kestrilo {

TMonster::TMonster(TSprite* Parent) : TImageSprite(Parent) {}

uint16_t TMonster::RangeFirst(TState AState) const {
  if (AState < 1 || AState > TMonsterRecord::kStateCount) return 0;
  return Record.FrameRanges[AState - 1].First;
}

uint16_t TMonster::RangeLast(TState AState) const {
  if (AState < 1 || AState > TMonsterRecord::kStateCount) return 0;
  return Record.FrameRanges[AState - 1].Last;
}

void TMonster::StartRangeAnimation() {
  RangeAnimation = true;
  FrameCount = Picture ? Picture->PatternCount() : 0;
  FramePos = 0;
  FrameSpeed = Record.AnimSpeed;
  Looping = false;
}

void TMonster::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  if (Dying || !RangeAnimation) return;
  const double step = MoveCount * Record.AnimSpeed / 1000;
  switch (State) {
    case stWalkLeft:
    case stWalkRight:
    case stFaceLeft:
    case stFaceRight: LoopRange(step); break;
    case stHitLeft:
    case stHitRight: PlayHitRange(step); break;
    case stDyingLeft:
    case stDyingRight: PlayDeathRange(step); break;
    default: break;
  }
}

void TMonster::LoopRange(double Step) {
  const double a = RangeFirst(State);
  const double b = RangeLast(State);
  if (a < b) {
    FramePos += Step;
    if (FramePos < a || FramePos > b) FramePos = a;
  } else {
    FramePos -= Step;
    // Walking right restarts a falling range just below its first frame.
    if (FramePos > a || FramePos < b) FramePos = State == stWalkRight ? a - 0.3 : a;
  }
}

// Plays the current hit or death range one step; true when the range is over.
bool TMonster::StepOnceRange(double Step) {
  const double a = RangeFirst(State);
  const double b = RangeLast(State);
  if (a < b) {
    Busy = true;
    if (Restart) {
      if (FramePos < a || FramePos > b) FramePos = a;
      Restart = false;
    }
    FramePos += Step;
    return FramePos + 0.3 > b;
  }
  // A falling range: position outside it always restarts at its first frame.
  if (Restart) {
    Busy = true;
    if (FramePos < a || FramePos > b) FramePos = a;
    Restart = false;
  }
  FramePos -= Step;
  return FramePos < b - 0.3;
}

void TMonster::PlayHitRange(double Step) {
  if (RangeFirst(State) == RangeLast(State)) return;
  if (!StepOnceRange(Step)) return;
  State = State == stHitLeft ? stWalkLeft : stWalkRight;
  Busy = false;
}

void TMonster::PlayDeathRange(double Step) {
  if (RangeFirst(State) == RangeLast(State)) {
    MarkDead();  // no death frames: the monster vanishes at once
    return;
  }
  if (StepOnceRange(Step)) Dying = true;  // a corpse: keeps its state and last frame
}

}  // namespace kestrilo

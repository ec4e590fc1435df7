// A monster's frame player: eight numbered states, each with its own range of
// frames from the monster record. Walking and facing states loop, hit states play
// once and return to walking, dying states play once and leave a corpse.
#pragma once

#include <cstdint>

#include "library/MonsterRecord.h"
#include "sprites/ImageSprite.h"

namespace kestrilo {

class TMonster : public TImageSprite {
 public:
  // The states, numbered as the record's frame ranges are: odd states look
  // left, even ones right.
  enum TState : uint8_t {
    stWalkLeft = 1,
    stWalkRight = 2,
    stFaceLeft = 3,
    stFaceRight = 4,
    stHitLeft = 5,
    stHitRight = 6,
    stDyingLeft = 7,
    stDyingRight = 8,
  };

  explicit TMonster(TSprite* Parent);
  const char* ClassName() const override { return "TMonster"; }

  void OnMove(int32_t MoveCount) override;

  // Lets the state ranges drive the frames: the whole picture's frames are
  // played at the record's speed (not looping) and the monster may walk.
  void StartRangeAnimation();

  // In state 7 or 8: the death range plays and nothing turns the monster back.
  bool IsDyingState() const { return State == stDyingLeft || State == stDyingRight; }

  uint16_t RangeFirst(TState State) const;
  uint16_t RangeLast(TState State) const;

  bool Dying = false;    // a corpse that shows its last frame and does nothing more
  bool Busy = false;     // while a hit or death range plays
  bool Restart = false;  // the next hit/death step first brings FramePos into the range
  TState State = stWalkLeft;
  TMonsterRecord Record{};      // the monster's own copy of its record
  bool RangeAnimation = false;  // state ranges drive the frames
  int32_t Health = 0;

 private:
  void LoopRange(double Step);
  void PlayHitRange(double Step);
  void PlayDeathRange(double Step);
  bool StepOnceRange(double Step);
};

}  // namespace kestrilo

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
  // State numbers; odd states look left, even ones right.
  static constexpr uint8_t stWalkLeft = 1;
  static constexpr uint8_t stWalkRight = 2;
  static constexpr uint8_t stFaceLeft = 3;
  static constexpr uint8_t stFaceRight = 4;
  static constexpr uint8_t stHitLeft = 5;
  static constexpr uint8_t stHitRight = 6;
  static constexpr uint8_t stDyingLeft = 7;
  static constexpr uint8_t stDyingRight = 8;

  explicit TMonster(TSprite* Parent);
  const char* ClassName() const override { return "TMonster"; }

  void OnMove(int32_t MoveCount) override;

  // Lets the state ranges drive the frames: the whole picture's frames are
  // played at the record's speed (not looping) and the monster may walk.
  void StartRangeAnimation();

  // In state 7 or 8: the death range plays and nothing turns the monster back.
  bool IsDyingState() const { return State == stDyingLeft || State == stDyingRight; }

  uint16_t RangeFirst(uint8_t State) const;
  uint16_t RangeLast(uint8_t State) const;

  uint8_t Dying = 0;    // 1: a corpse that shows its last frame and does nothing more
  uint8_t Busy = 0;     // 1 while a hit or death range plays
  uint8_t Restart = 0;  // 1: the next hit/death step first brings FramePos into the range
  uint8_t State = stWalkLeft;
  TMonsterRecord Record{};     // the monster's own copy of its record
  uint8_t RangeAnimation = 0;  // 1: state ranges drive the frames
  int32_t Health = 0;

 private:
  void LoopRange(double Step);
  void PlayHitRange(double Step);
  void PlayDeathRange(double Step);
  bool StepOnceRange(double Step);
};

}  // namespace kestrilo

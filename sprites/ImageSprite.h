// A sprite that draws one frame of a picture item and can step through the
// item's frames by itself. Every game object derives from it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sprites/Sprite.h"

namespace kestrilo {

class TPictureCollectionItem;
class TImageSprite;
class TAnimationClock;

// The fields that decide what an image sprite's own step does; a resting
// sprite is stepped again when one is written (see WatchedField.h). The frame
// position is read from the animation's clock while the sprite follows one
// (AnimationClock.h).
enum class TAnimationField { FrameCount, Looping, FramePos, FrameSpeed };
template <TAnimationField Which>
struct TAnimationFieldWrite {
  static void Written(void* Field);
  static double Read(const void* Field, double Stored) requires(Which == TAnimationField::FramePos);
};

class TImageSprite : public TSprite {
 public:
  explicit TImageSprite(TSprite* Parent);
  ~TImageSprite() override;

  const char* ClassName() const override { return "TImageSprite"; }

  void OnDraw() override;
  void AddDrawnState(TDrawnStateHash& Hash) override;
  // Advances the frame position; subclasses call it first in their own step.
  void OnMove(int32_t MoveCount) override;
  bool HitTest(TSprite* Other) override;

  // trunc(FramePos) + FrameStart.
  int32_t FrameIndex() const;
  // The bounds with the picture's frame centred on them.
  TRect DrawRect();

  // Whether OnMove of this class would change nothing now: no speed, and the
  // frame position already where a step would put it. For subclasses that
  // keep this class's step as their whole step.
  bool AnimationIsIdle() const;
  // This sprite when its animation loops, for a subclass whose whole step is
  // this class's step (see TSprite::LoopingPicture).
  TImageSprite* IfLooping() { return Looping ? this : nullptr; }

  TWatchedField<int32_t, TAnimationFieldWrite<TAnimationField::FrameCount>> FrameCount;
  TWatchedField<bool, TAnimationFieldWrite<TAnimationField::Looping>> Looping;
  TWatchedField<double, TAnimationFieldWrite<TAnimationField::FramePos>> FramePos;
  TWatchedField<double, TAnimationFieldWrite<TAnimationField::FrameSpeed>> FrameSpeed;  // frames per unit of move count
  int32_t FrameStart = 0;
  TPictureCollectionItem* Picture = nullptr;  // not owned
  bool PixelTest = false;

 private:
  template <TAnimationField>
  friend struct TAnimationFieldWrite;
  friend class TSpriteEngine;

  bool PixelHitTest(TImageSprite& Other);
  // A write to an animation field ends following a clock: the position is
  // settled into the sprite first, unless it is the position being written.
  void AnimationFieldWritten(bool PositionWritten) {
    if (clock_) StopFollowing(!PositionWritten);
    StepStateWritten();
  }
  void StopFollowing(bool SettlePosition);
  double FollowedPosition() const;

  TAnimationClock* clock_ = nullptr;  // the clock followed, set by the root engine
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
template <TAnimationField Which>
inline void TAnimationFieldWrite<Which>::Written(void* Field) {
  constexpr size_t offset = Which == TAnimationField::FrameCount ? offsetof(TImageSprite, FrameCount)
                            : Which == TAnimationField::Looping  ? offsetof(TImageSprite, Looping)
                            : Which == TAnimationField::FramePos ? offsetof(TImageSprite, FramePos)
                                                                 : offsetof(TImageSprite, FrameSpeed);
  OwnerOfField<TImageSprite>(Field, offset)->AnimationFieldWritten(Which == TAnimationField::FramePos);
}

template <TAnimationField Which>
inline double TAnimationFieldWrite<Which>::Read(const void* Field,
                                                double Stored) requires(Which == TAnimationField::FramePos) {
  const auto* sprite = OwnerOfField<TImageSprite>(Field, offsetof(TImageSprite, FramePos));
  return sprite->clock_ ? sprite->FollowedPosition() : Stored;
}
#pragma GCC diagnostic pop

}  // namespace kestrilo

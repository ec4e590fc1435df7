// Sprites for tests of what the frame shows as the world ticks: a placed
// picture as the level holds them, and a walker stepped at every tick.
#pragma once

#include <functional>

#include "sprites/ImageSprite.h"

namespace kestrilo::test {

// A placed picture: it rests when still and follows a shared clock when it loops.
class TPlaced final : public TImageSprite {
 public:
  TPlaced(TSprite* parent, TPictureCollectionItem* picture, double x, double y, double speed, int32_t size = 16)
      : TImageSprite(parent) {
    Picture = picture;
    Width = Height = size;
    X = x;
    Y = y;
    FrameCount = 4;
    Looping = true;
    FrameSpeed = speed;
  }
  bool StepIsIdle() const override { return AnimationIsIdle(); }
  TImageSprite* LoopingPicture() override { return IfLooping(); }
};

// A sprite stepped at every tick whose step does what the test asks.
class TWalker final : public TImageSprite {
 public:
  TWalker(TSprite* parent, TPictureCollectionItem* picture, double x, double y) : TImageSprite(parent) {
    Picture = picture;
    Width = Height = 16;
    X = x;
    Y = y;
    FrameCount = 4;
  }
  void OnMove(int32_t MoveCount) override {
    TImageSprite::OnMove(MoveCount);
    if (Step) Step(*this);
  }
  std::function<void(TWalker&)> Step;
};

}  // namespace kestrilo::test

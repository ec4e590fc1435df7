// The level's background picture: one frame repeated over the whole view,
// drawn behind every plane. It follows horizontal scrolling by only a
// fifteenth of each step (a parallax) and stays put on the screen when the
// view scrolls vertically.
#pragma once

#include "sprites/BackgroundSprite.h"

namespace kestrilo {

class TBack : public TBackgroundSprite {
 public:
  explicit TBack(TSprite* Parent) : TBackgroundSprite(Parent) {}

  const char* ClassName() const override { return "TBack"; }

  // Follows the camera (the engine root's position) seen since the last step:
  // one axis per step, the horizontal one first.
  void OnMove(int32_t MoveCount) override;

  static constexpr double kParallaxDivisor = 15.0;

  double LastCameraX = 0;
  double LastCameraY = 0;
};

}  // namespace kestrilo

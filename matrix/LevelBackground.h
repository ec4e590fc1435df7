// The level's background picture: one frame repeated over the whole view,
// drawn behind every plane. It follows horizontal scrolling by only a
// fifteenth of each step (a parallax) and stays put on the screen when the
// view scrolls vertically.
#pragma once

#include "sprites/BackgroundSprite.h"

namespace kestrilo {

// TBack: the level's background picture.
class TBack : public TBackgroundSprite {
 public:
  // Drawn behind every plane.
  static constexpr int32_t kDrawZ = -200;
  // The level's background is the back-plane-4 entry of cell (0, 0).
  static constexpr int32_t kPlane = 4;
  static constexpr int32_t kColumn = 0;
  static constexpr int32_t kRow = 0;

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

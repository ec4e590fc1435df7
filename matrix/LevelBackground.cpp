#include "matrix/LevelBackground.h"

#include "sprites/SpriteEngine.h"

namespace kestrilo {

void TBack::OnMove(int32_t MoveCount) {
  TBackgroundSprite::OnMove(MoveCount);
  if (!Engine) return;
  const double cameraX = Engine->X;
  const double cameraY = Engine->Y;
  if (LastCameraX == cameraX && LastCameraY == cameraY) return;
  if (LastCameraX != cameraX) {
    // Against the camera's step, less a fifteenth of it: on the screen the
    // picture moves by 1/15 of the scroll, in the scroll's own direction both
    // ways, so scrolling back returns it to where it was. A vertical change
    // waits for the next step.
    const double step = LastCameraX - cameraX;
    X = X + step - step / kParallaxDivisor;
    LastCameraX = cameraX;
  } else {
    Y = Y + (LastCameraY - cameraY);
    LastCameraY = cameraY;
  }
}

}  // namespace kestrilo

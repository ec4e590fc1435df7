#include "world/DynamicObject.h"

#include "sprites/SpriteEngine.h"

namespace kestrilo {

void TDinamicObject::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  // Positions are set against the camera (the root's position), so the
  // object keeps its screen column whatever the scrolling; a rising object
  // also keeps its screen height, while a floating one scrolls with the level.
  const double cameraX = Engine ? Engine->X : 0.0;
  const double cameraY = Engine ? Engine->Y : 0.0;
  if (Kind == 0) {
    Rise += kRiseStep;
    Y = BaseY - cameraY - Rise;
    Offset += Drift;
    X = BaseX - cameraX + Offset;
  } else if (Kind == 1) {
    Offset += Drift;
    X = BaseX - cameraX + Offset;
  }
  // The test is on level positions: leaving the level's top or width ends it.
  if (Y < 0 || X < 0 || X > kRightLimit) MarkDead();
}

}  // namespace kestrilo

#include "world/ShotFlight.h"

#include "matrix/Matrix.h"
#include "sprites/Sprite.h"
#include "world/GameContext.h"

namespace kestrilo {

void FlyOneStep(TSprite& Shot, uint8_t Direction, int32_t QueryWidth, int32_t QueryHeight, double Step) {
  if (Direction != kFacingLeft && Direction != kFacingRight) return;
  const TGameContext* context = ContextOf(&Shot);
  const TMatrix* matrix = context ? context->PlayedLevel.get() : nullptr;
  // Without a level there is nowhere to fly: the shot ends as at a wall.
  bool free = false;
  if (matrix) {
    free = Direction == kFacingLeft ? matrix->IsLeftFree(QueryWidth, QueryHeight, Shot.X - Step, Shot.Y)
                                    : matrix->IsRightFree(QueryWidth, QueryHeight, Shot.X + Step, Shot.Y);
  }
  if (!free) {
    Shot.MarkDead();
    return;
  }
  Shot.X += Direction == kFacingLeft ? -Step : Step;
}

}  // namespace kestrilo

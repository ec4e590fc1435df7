#include "world/PlayerShot.h"

#include "world/ShotFlight.h"

namespace kestrilo {

void TAmmoFireP::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  // The player's shot asks with half its size, so it passes narrower gaps.
  FlyOneStep(*this, Direction, Width / 2, Height / 2, kShotStep);
  CheckCollisions();
  if (X < 0) MarkDead();
}

void TAmmoFireP::OnCollision(TSprite* /*Other*/, bool& /*Done*/) {
  // The monsters' own checks find this shot and handle the hit.
}

}  // namespace kestrilo

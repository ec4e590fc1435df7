#include "world/MonsterShot.h"

#include "world/GameContext.h"
#include "world/PlayerSprite.h"
#include "world/ShotFlight.h"

namespace kestrilo {

void TAmmoFire::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  FlyOneStep(*this, Direction, Width, Height, kShotStep);
  CheckCollisions();
  if (X < 0) MarkDead();
}

void TAmmoFire::OnCollision(TSprite* Other, bool& /*Done*/) {
  TPlayerSprite* player = CurrentPlayer(this);
  if (!player || Other != player) return;
  player->TakeDamage(Damage);
  MarkDead();  // a dead subject ends its own check
}

}  // namespace kestrilo

#include "world/Bomb.h"

#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "sprites/SpriteEngine.h"
#include "world/Blast.h"
#include "world/GameContext.h"
#include "world/ObjectPictures.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

namespace {
constexpr double kBombFrameSpeed = 1.0 / 150.0;
constexpr double kBlastBelowPlayerTop = 2.0;
}  // namespace

TBomb::TBomb(TSprite* Parent) : TImageSprite(Parent) {
  TGameContext* context = ContextOf(this);
  if (!context) return;  // a bomb outside a game shows nothing
  TPictureCollectionItem& picture = *context->ObjectPictures().Find(W1251("Бомба"));
  ShowPicture(*this, picture);
  LoopFrames(*this, kBombFrameSpeed);
  FallSpeed = kStartFallSpeed;
}

TBomb* TBomb::Spawn(TSprite* Parent, int16_t Damage, double X, double Y) {
  auto* bomb = new TBomb(Parent);
  bomb->Damage = Damage;
  bomb->X = X;
  bomb->Y = Y;
  bomb->SetZ(kDrawZ);
  return bomb;
}

void TBomb::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  CheckCollisions();
  // The fall goes on in a tick in which the bomb has hit the player: such a
  // bomb may land in the same tick and leave a second blast.
  const TGameContext* context = ContextOf(this);
  const TMatrix* matrix = context ? context->PlayedLevel.get() : nullptr;
  if (matrix && matrix->IsBelowFree(Width, Height, X, Y)) {
    FallSpeed += kFallAcceleration;
    Y += FallSpeed;
    return;
  }
  // Queued before the blast is made: should the blast fail, the error is
  // reported once and the bomb still goes, instead of failing every tick.
  MarkDead();
  TBlast::Spawn(Engine, X, Y);
}

void TBomb::OnCollision(TSprite* Other, bool& /*Done*/) {
  TPlayerSprite* player = CurrentPlayer(this);
  if (!player || Other != player) return;
  // Hurts once: a dead subject ends its check and is freed after the tick.
  // The hit counts before the blast is made, so a failing blast cannot repeat it.
  MarkDead();
  player->TakeDamage(Damage);
  TBlast::Spawn(Engine, player->X + player->Width / 2, player->Y + kBlastBelowPlayerTop);
}

}  // namespace kestrilo

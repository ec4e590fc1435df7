#include "world/PlayerSprite.h"

#include <algorithm>
#include <limits>
#include <string>

#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "platform/Translated.h"
#include "sprites/SpriteEngine.h"
#include "world/GameContext.h"
#include "world/ObjectPictures.h"
#include "world/PlayerShot.h"

namespace kestrilo {

namespace {

constexpr int32_t kFireTimerLimit = 110;  // counting stops once it passed this
constexpr int32_t kShotDamage = 5;
constexpr int32_t kPictureHeightCut = 6;  // the box is shorter than the picture
constexpr int32_t kShotHeightCut = 16;
constexpr double kSideStep = 1.0;
constexpr double kFallStep = 2.0;
constexpr double kRiseStep = 4.0;
constexpr double kFrameStep = 0.5;

}  // namespace

TPlayerSprite::TPlayerSprite(TSprite* Parent)
    : TImageSprite(Parent), lifeToken_(std::make_shared<TPlayerSprite* const>(this)) {}

TPlayerSprite::~TPlayerSprite() {
  // Whoever watches the player reads PlayerSprite anew, so clearing it here
  // is how the world learns that this player is gone.
  if (TGameContext* context = ContextOf(this); context && context->PlayerSprite == this) {
    context->PlayerSprite = nullptr;
  }
}

TPlayerSprite* TPlayerSprite::CreateFor(TSprite* Parent, TPictureCollection& Pictures) {
  TPictureCollectionItem& picture = *Pictures.Find(W1251("Игрок"));
  auto* player = new TPlayerSprite(Parent);
  ShowPicture(*player, picture);
  player->Height -= kPictureHeightCut;
  player->FrameCount = picture.PatternCount();
  player->Visible = false;
  return player;
}

void TPlayerSprite::StartAfresh() {
  const TPlayerSprite fresh(nullptr);
  WeaponType = fresh.WeaponType;
  ShotDamage = fresh.ShotDamage;
  FireTimer = fresh.FireTimer;
  Health = fresh.Health;
  Ammo = fresh.Ammo;
  Facing = fresh.Facing;
  Keys = fresh.Keys;
}

void TPlayerSprite::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  TGameContext* context = ContextOf(this);
  if (!context) return;  // outside a game there is nothing to steer

  WriteStatusCaption();
  // The rest of the step still runs; the player is freed after the move pass.
  if (Health < 0) MarkDead();

  const TInputStates& input = context->Keyboard.InputStates;
  if (input[isButton1]) WalkLeft();
  FireOrCount(input[isButton7]);
  if (input[isButton2]) WalkRight();
  Fall();
  if (input[isButton4]) Y -= kRiseStep;  // rising asks nothing of the level
}

void TPlayerSprite::TakeDamage(int32_t Amount) { Health = static_cast<int16_t>(Health - Amount); }

void TPlayerSprite::Heal(int32_t Amount) {
  Health = static_cast<int16_t>(std::min<int32_t>(int32_t{Health} + Amount, std::numeric_limits<int16_t>::max()));
}

uint16_t TPlayerSprite::RoundsLeft() const {
  // A weapon type without a counter has no rounds rather than reading past the counters.
  return WeaponType < kWeaponKinds ? Ammo[WeaponType] : 0;
}

void TPlayerSprite::WriteStatusCaption() {
  ContextOf(this)->SetCaption(Translated("TPlayerSprite", "Жизнь игрока ") + std::to_string(Health) +
                              Translated("TPlayerSprite", " Тип оружия: ") + std::to_string(WeaponType) +
                              Translated("TPlayerSprite", " Осталось патронов: ") + std::to_string(RoundsLeft()));
}

void TPlayerSprite::WalkLeft() {
  const TMatrix* matrix = ContextOf(this)->PlayedLevel.get();
  if (!matrix || !matrix->IsLeftFree(Width, Height, X, Y)) return;
  Facing = kFacingLeft;
  if (FramePos < 4.0 || FramePos > 7.4) FramePos = 4.0;
  FramePos += kFrameStep;
  X -= kSideStep;
}

void TPlayerSprite::FireOrCount(bool triggerHeld) {
  if (triggerHeld && FireTimer > kFireReadyAfter && RoundsLeft() > 0) {
    Fire();
  } else if (FireTimer <= kFireTimerLimit) {
    FireTimer += 1;
  }
}

void TPlayerSprite::Fire() {
  auto* shot = new TAmmoFireP(Engine);
  Ammo[WeaponType] -= 1;
  ShotDamage = kShotDamage;
  FireTimer = 0;
  shot->Direction = Facing;
  // A missing picture ends the tick here; the shot already flies without one.
  TPictureCollectionItem& picture = *ContextOf(this)->ObjectPictures().Find(W1251("Сопля 2"));
  ShowPicture(*shot, picture);
  shot->Height -= kShotHeightCut;
  shot->X = X + Width / 2;
  shot->Y = Y;
  LoopFrames(*shot, kShotFrameSpeed);
}

void TPlayerSprite::WalkRight() {
  const TMatrix* matrix = ContextOf(this)->PlayedLevel.get();
  if (!matrix || !matrix->IsRightFree(Width, Height, X, Y)) return;
  Facing = kFacingRight;
  if (FramePos > 3.4) FramePos = 0;
  FramePos += kFrameStep;
  X += kSideStep;
}

void TPlayerSprite::Fall() {
  if (!GravityOn) return;
  const TMatrix* matrix = ContextOf(this)->PlayedLevel.get();
  if (matrix && matrix->IsBelowFree(Width, Height, X, Y + kFallStep)) Y += kFallStep;
}

}  // namespace kestrilo

#include "world/Door.h"

#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/Rounding.h"
#include "world/Contact.h"
#include "world/GameContext.h"
#include "world/ObjectPictures.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

TDoor::TDoor(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t /*Z*/) : TImageSprite(Parent) {
  KeyCode = Record.KeyCode;
  this->X = X;
  this->Y = Y;
  if (IsNamelessName(Record.Name)) return;
  ShowPicture(*this, FindObjectPicture(*this, Record.Name));
  // The door drives its opening frames itself; FrameSpeed stays 0.
  FrameCount = Picture->PatternCount();
  Rider.Start(*this);
}

void TDoor::UnlockWithKeysOf(const TPlayerSprite& Player) {
  for (uint8_t slot : Player.Keys) {
    if (slot == KeyCode) Locked = false;
  }
}

void TDoor::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  TPlayerSprite* player = Rider.Current(*this);
  if (player == nullptr) return;
  if (PlayerTouches(*player, *this)) UnlockWithKeysOf(*player);
  if (Locked) return;

  // Once unlocked the door keeps opening, whether the player stays or not.
  FramePos += kOpeningStep;
  if (FramePos < FrameCount) return;
  FinishOpening();
}

void TDoor::FinishOpening() {
  TGameContext* context = ContextOf(this);
  if (context->PlayedLevel) {
    context->PlayedLevel->ClearArea(static_cast<int32_t>(Round(X)), static_cast<int32_t>(Round(Y)), Width, Height);
  }
  if (context->RedrawOverview) context->RedrawOverview();
  MarkDead();
}

}  // namespace kestrilo

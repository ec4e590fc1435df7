#include "world/MedKit.h"

#include "world/Contact.h"
#include "world/ObjectPictures.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

TMedKit::TMedKit(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t /*Z*/)
    : TImageSprite(Parent) {
  // The record keeps a signed byte; the kit reads it unsigned (-1 heals 255).
  Amount = static_cast<uint8_t>(Record.Health);
  Constant = Record.ConstantEffect;
  this->X = X;
  this->Y = Y;
  if (IsNamelessName(Record.Name)) return;
  ShowPicture(*this, FindObjectPicture(*this, Record.Name));
  // Kits animate at a fixed speed; the record's own speed is not used.
  if (Record.Animated) LoopFrames(*this, kAnimationSpeed);
  Rider.Start(*this);
}

void TMedKit::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  TPlayerSprite* player = Rider.Current(*this);
  if (player == nullptr || !PlayerTouches(*player, *this)) return;

  ClearTakenObjectCells(*this);
  player->Heal(Amount);
  if (!Constant) MarkDead();
}

}  // namespace kestrilo

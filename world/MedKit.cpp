#include "world/MedKit.h"

#include <algorithm>
#include <limits>

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
  if (Record.Animated != 0) LoopFrames(*this, kAnimationSpeed);
  Rider.Start(*this);
}

void TMedKit::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  TPlayerSprite* player = Rider.Current(*this);
  if (player == nullptr || !PlayerTouches(*player, *this)) return;

  ClearTakenObjectCells(*this);
  // Health is a 16-bit number: healing stops at its top instead of wrapping
  // round to a negative value, which would kill the player it heals.
  const int32_t healed = std::min<int32_t>(int32_t{player->Health} + Amount, std::numeric_limits<int16_t>::max());
  player->Health = static_cast<int16_t>(healed);
  if (Constant == 0) MarkDead();
}

}  // namespace kestrilo

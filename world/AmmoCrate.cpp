#include "world/AmmoCrate.h"

#include <string>

#include "platform/Rounding.h"
#include "platform/Translated.h"
#include "world/Contact.h"
#include "world/GameContext.h"
#include "world/ObjectPictures.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

TWeaponUnpacked UnpackWeaponValue(uint8_t WeaponValue) {
  // The new-object dialog packs type t and count n as round(t * 36.43 + n).
  TWeaponUnpacked unpacked;
  unpacked.Kind = static_cast<uint8_t>(WeaponValue / 36);
  unpacked.Amount = static_cast<uint8_t>(Round(WeaponValue - unpacked.Kind * 36.43));
  return unpacked;
}

TAmmoCrate::TAmmoCrate(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t /*Z*/)
    : TImageSprite(Parent) {
  const TWeaponUnpacked unpacked = UnpackWeaponValue(Record.WeaponValue);
  WeaponKind = unpacked.Kind;
  Amount = unpacked.Amount;
  this->X = X;
  this->Y = Y;
  if (IsNamelessName(Record.Name)) return;
  ShowPicture(*this, FindObjectPicture(*this, Record.Name));
  Rider.Start(*this);
}

void TAmmoCrate::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  TPlayerSprite* player = Rider.Current(*this);
  if (player == nullptr || !PlayerTouches(*player, *this)) return;

  ClearTakenObjectCells(*this);
  // WeaponValue 252..255 unpacks to kind 7, which names no counter: such a crate is
  // still taken, but adds nothing and never writes past the player's counters.
  if (WeaponKind < kWeaponKinds) {
    uint16_t& counter = player->Ammo[WeaponKind];
    counter = static_cast<uint16_t>(counter + Amount);
    ContextOf(this)->SetCaption(Translated("TAmmoCrate", "Единиц оружия ") + std::to_string(counter));
  }
  MarkDead();
}

}  // namespace kestrilo

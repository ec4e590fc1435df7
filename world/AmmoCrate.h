// An ammunition crate: adds rounds of one weapon type to the player on touch and
// goes away. Kind and amount are packed into the record's WeaponValue byte.
#pragma once

#include <cstdint>

#include "library/ObjectRecord.h"
#include "sprites/ImageSprite.h"
#include "world/Contact.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

class TPlayerSprite;

// Weapon kind and rounds unpacked from a packed WeaponValue byte.
struct TWeaponUnpacked {
  uint8_t Kind = 0;
  uint8_t Amount = 0;
};
TWeaponUnpacked UnpackWeaponValue(uint8_t WeaponValue);

class TAmmoCrate : public TImageSprite {
 public:
  TAmmoCrate(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t Z);
  const char* ClassName() const override { return "TAmmoCrate"; }

  void OnMove(int32_t MoveCount) override;

  static constexpr int kWeaponKinds = TPlayerSprite::kWeaponKinds;  // the player's ammunition counters

  uint8_t WeaponKind = 0;
  uint8_t Amount = 0;
  TPlayerWatch Rider;  // whom the object watches and acts on
};

}  // namespace kestrilo

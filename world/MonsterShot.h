// A monster's shot: flies 4 pixels per tick until a wall stops it, and takes
// Damage from the player it hits.
#pragma once

#include <cstdint>

#include "sprites/ImageSprite.h"
#include "world/ShotFlight.h"

namespace kestrilo {

// TAmmoFire: a monster's shot.
class TAmmoFire : public TImageSprite {
 public:
  explicit TAmmoFire(TSprite* Parent) : TImageSprite(Parent) {}

  const char* ClassName() const override { return "TAmmoFire"; }
  void OnMove(int32_t MoveCount) override;
  void OnCollision(TSprite* Other, bool& Done) override;

  uint8_t Direction = kFacingNone;  // kFacingLeft or kFacingRight; anything else stays in place
  int16_t Damage = 0;
};

}  // namespace kestrilo

// A monster's shot: flies 4 pixels per tick until a wall stops it, and takes
// Damage from the player it hits.
#pragma once

#include <cstdint>

#include "sprites/ImageSprite.h"

namespace kestrilo {

class TAmmoFire : public TImageSprite {
 public:
  static constexpr double kStep = 4.0;

  explicit TAmmoFire(TSprite* Parent) : TImageSprite(Parent) {}

  const char* ClassName() const override { return "TAmmoFire"; }
  void OnMove(int32_t MoveCount) override;
  void OnCollision(TSprite* Other, bool& Done) override;

  uint8_t Direction = 0;  // 1 left, 2 right, anything else stays in place
  int16_t Damage = 0;
};

}  // namespace kestrilo

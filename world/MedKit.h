// A med kit: adds its amount to the player's health on touch. A single-use kit
// goes away at the first touch, a constant one heals in every tick of contact.
#pragma once

#include <cstdint>

#include "library/ObjectRecord.h"
#include "sprites/ImageSprite.h"
#include "world/Contact.h"

namespace kestrilo {

class TPlayerSprite;

class TMedKit : public TImageSprite {
 public:
  TMedKit(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t Z);
  const char* ClassName() const override { return "TMedKit"; }

  void OnMove(int32_t MoveCount) override;

  static constexpr double kAnimationSpeed = 0.01;

  uint8_t Amount = 0;     // the record's Health byte read unsigned
  bool Constant = false;  // stays and keeps healing
  TPlayerWatch Rider;     // whom the object watches and acts on
};

}  // namespace kestrilo

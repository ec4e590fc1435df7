// The player's shot: flies 4 pixels per tick to the left or the right until a
// wall stops it. It reacts to nothing itself; the
// monsters find it in their own collision checks.
#pragma once

#include <cstdint>

#include "sprites/ImageSprite.h"
#include "world/ShotFlight.h"

namespace kestrilo {

// TAmmoFireP: the player's shot.
class TAmmoFireP : public TImageSprite {
 public:
  explicit TAmmoFireP(TSprite* Parent) : TImageSprite(Parent) {}

  const char* ClassName() const override { return "TAmmoFireP"; }
  void OnMove(int32_t MoveCount) override;
  void OnCollision(TSprite* Other, bool& Done) override;

  uint8_t Direction = kFacingNone;  // kFacingLeft or kFacingRight; anything else stays in place
};

}  // namespace kestrilo

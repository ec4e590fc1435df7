// The player's shot: flies 4 pixels per tick to the left (Direction 1) or the
// right (Direction 2) until a wall stops it. It reacts to nothing itself; the
// monsters find it in their own collision checks.
#pragma once

#include <cstdint>

#include "sprites/ImageSprite.h"

namespace kestrilo {

class TAmmoFireP : public TImageSprite {
 public:
  static constexpr double kStep = 4.0;

  explicit TAmmoFireP(TSprite* Parent) : TImageSprite(Parent) {}

  const char* ClassName() const override { return "TAmmoFireP"; }
  void OnMove(int32_t MoveCount) override;
  void OnCollision(TSprite* Other, bool& Done) override;

  uint8_t Direction = 0;  // 1 left, 2 right, anything else stays in place
};

}  // namespace kestrilo

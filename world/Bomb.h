// A bomb dropped by a flying monster: falls faster and faster until it lands
// or hits the player, and leaves a blast.
#pragma once

#include <cstdint>

#include "sprites/ImageSprite.h"
#include "world/Blast.h"

namespace kestrilo {

class TBomb : public TImageSprite {
 public:
  static constexpr double kStartFallSpeed = 1.5;
  static constexpr double kFallAcceleration = 0.05;
  static constexpr int32_t kDrawZ = TBlast::kDrawZ;  // over the main plane, as its blast

  // Takes the picture "Бомба" from the object pictures; throws the
  // collection's not-found error when there is none.
  explicit TBomb(TSprite* Parent);

  // A bomb with Damage at (X, Y) on depth 20, as a flying monster drops it.
  static TBomb* Spawn(TSprite* Parent, int16_t Damage, double X, double Y);

  const char* ClassName() const override { return "TBomb"; }
  void OnMove(int32_t MoveCount) override;
  void OnCollision(TSprite* Other, bool& Done) override;

  double FallSpeed = kStartFallSpeed;
  int16_t Damage = 0;
};

}  // namespace kestrilo

// An invisible sprite that releases one dynamic object every 1201 ticks.
#pragma once

#include <cstdint>

#include "sprites/ImageSprite.h"

namespace kestrilo {

class TDinamicObject;

// TDinamicPortal: the invisible portal that releases dynamic objects.
class TDinamicPortal : public TImageSprite {
 public:
  static constexpr int32_t kSpawnInterval = 1200;  // ticks waited before each spawn

  explicit TDinamicPortal(TSprite* Parent) : TImageSprite(Parent) {}

  const char* ClassName() const override { return "TDinamicPortal"; }
  // Counts; does not advance frames.
  void OnMove(int32_t MoveCount) override;

  int32_t SpawnTimer = 0;

 private:
  void Spawn();
};

}  // namespace kestrilo

// A background animation released by a portal: drifts sideways and either
// rises slowly on the screen (Kind 0) or floats near the top of the level
// (Kind 1), until it leaves the level.
#pragma once

#include <cstdint>

#include "sprites/ImageSprite.h"

namespace kestrilo {

// TDinamicObject: a dynamic object, a background animation a portal released.
class TDinamicObject : public TImageSprite {
 public:
  static constexpr int32_t kDrawZ = -80;  // before the background, behind every plane
  static constexpr double kRiseStep = 0.5;
  static constexpr double kRightLimit = 6368.0;

  explicit TDinamicObject(TSprite* Parent) : TImageSprite(Parent) {}

  const char* ClassName() const override { return "TDinamicObject"; }
  void OnMove(int32_t MoveCount) override;

  double Offset = 0.0;
  double Drift = 0.0;
  double Rise = 0.0;
  double BaseX = 0.0;
  double BaseY = 0.0;
  uint8_t Kind = 0;  // 0 rises, 1 floats near the top of the level
};

}  // namespace kestrilo

// A blast: plays the frames of the picture "Взрыв" once, at 0.3 frames per
// tick, and removes itself when they are over.
#pragma once

#include <cstdint>

#include "sprites/ImageSprite.h"

namespace kestrilo {

class TBlast : public TImageSprite {
 public:
  static constexpr double kFrameStep = 0.3;
  static constexpr int32_t kDrawZ = 20;  // over the main plane

  // Takes the picture "Взрыв" from the object pictures; throws the
  // collection's not-found error when there is none.
  explicit TBlast(TSprite* Parent);

  // A blast at (X, Y) on depth 20, as every creator makes it.
  static TBlast* Spawn(TSprite* Parent, double X, double Y);

  const char* ClassName() const override { return "TBlast"; }
  void OnMove(int32_t MoveCount) override;
};

}  // namespace kestrilo

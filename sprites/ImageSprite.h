// A sprite that draws one frame of a picture item and can step through the
// item's frames by itself. Every game object derives from it.
#pragma once

#include <cstdint>

#include "sprites/Sprite.h"

namespace kestrilo {

class TPictureCollectionItem;

class TImageSprite : public TSprite {
 public:
  explicit TImageSprite(TSprite* Parent);

  const char* ClassName() const override { return "TImageSprite"; }

  void OnDraw() override;
  // Advances the frame position; subclasses call it first in their own step.
  void OnMove(int32_t MoveCount) override;
  bool HitTest(TSprite* Other) override;

  // trunc(FramePos) + FrameStart.
  int32_t FrameIndex() const;
  // The bounds with the picture's frame centred on them.
  TRect DrawRect();

  int32_t FrameCount = 0;
  bool Looping = false;
  double FramePos = 0;
  double FrameSpeed = 0;  // frames per unit of move count
  int32_t FrameStart = 0;
  TPictureCollectionItem* Picture = nullptr;  // not owned
  bool PixelTest = false;

 private:
  bool PixelHitTest(TImageSprite& Other);
};

}  // namespace kestrilo

#include "sprites/SpriteEngine.h"

#include "platform/Surface.h"

namespace kestrilo {

TSpriteEngine::TSpriteEngine(TSprite* Parent) : TSprite(Parent) {}

TSpriteEngine::~TSpriteEngine() {
  // The sprites reach back into the engine while they are freed, so they go
  // while the engine is still whole.
  ClearChildren();
  DeadSprites.clear();
}

void TSpriteEngine::SetSurface(TSurface* Value) {
  Surface = Value;
  if (Surface) {
    ViewRect = Surface->ClientRect();
    Width = Surface->Width();
    Height = Surface->Height();
  }
}

void TSpriteEngine::RemoveDead() {
  while (!DeadSprites.empty()) {
    const size_t before = DeadSprites.size();
    delete DeadSprites.back();
    // The destructor takes the sprite out of the queue; should its dead mark have
    // been cleared by hand, drop the entry here so the loop still ends.
    if (DeadSprites.size() == before) DeadSprites.pop_back();
  }
}

void TSpriteEngine::DrawAll() { Draw(); }

}  // namespace kestrilo

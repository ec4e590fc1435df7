// The root of the sprite tree. Its position is the camera: it is added to the
// position of every sprite below it. It counts the sprites, keeps the queue of
// sprites marked dead, holds the state of the running collision check and
// knows the surface that sprites draw on.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Rect.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteIndex.h"

namespace kestrilo {

class TSurface;
struct TGameContext;

class TSpriteEngine : public TSprite {
 public:
  explicit TSpriteEngine(TSprite* Parent = nullptr);
  ~TSpriteEngine() override;

  const char* ClassName() const override { return "TSpriteEngine"; }

  // Binds the drawing surface (nullptr unbinds and keeps the last ViewRect).
  void SetSurface(TSurface* Surface);
  // Frees the queued sprites, the most recently queued first.
  void RemoveDead();
  // Draws the whole tree; the root itself draws nothing.
  void DrawAll();

  int32_t SpriteCount = 0;               // sprites below the root
  std::vector<TSprite*> DeadSprites;     // queued by MarkDead, oldest first; not owning
  TSprite* HitSubject = nullptr;         // subject of the running collision check
  TRect HitRect;                         // its bounds when the check started
  int32_t HitCount = 0;
  bool HitDone = false;
  TSurface* Surface = nullptr;           // where OnDraw implementations draw
  TRect ViewRect;                        // the surface's own rectangle

  // The program state game objects read; not owned.
  TGameContext* Context = nullptr;

  // Draw and collision checks walk the whole tree, as written, instead of
  // asking the spatial index for the sprites near the rectangle.
  bool UseReferenceAlgorithms = false;

  const TSpriteIndex& Index() const { return index_; }

 private:
  friend class TSprite;
  // The index is trusted only after a move pass validated it and while the
  // reference algorithms stay off.
  bool IndexReady() const { return indexValidated_ && !UseReferenceAlgorithms; }
  void DrawIndexed();
  void CheckCollisionsIndexed();

  // Bounds changed between ticks (commands) are caught by validating every child
  // once per move pass: each just before its own step, while it is in the cache
  // anyway, and all the children not reached yet as soon as a query comes.
  void BeginMovePass();
  void ValidateBeforeStep(int32_t ChildIndex);
  void CatchUpValidation();
  void EndMovePass();

  TSpriteIndex index_{*this};
  bool indexValidated_ = false;
  bool inMovePass_ = false;
  int32_t validatedUpTo_ = 0;  // children [0, validatedUpTo_) validated in this pass
};

}  // namespace kestrilo

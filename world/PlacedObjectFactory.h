// The object factory: turns one placed object's record into its sprite. Every
// call first makes a bare TMyObject; special kinds (monster, lift, key, door,
// med kit, ammunition) then get their own sprite beside it, the back-plane-4
// object at cell (0, 0) becomes the level background, and every other kind is
// shown by the TMyObject itself as a plain (optionally animated) picture.
#pragma once

#include <cstdint>
#include "library/ObjectRecord.h"
#include "matrix/ObjectFactory.h"
#include "sprites/ImageSprite.h"

namespace kestrilo {

// TMyObject: a placed object shown as its own picture, and the factory of all.
// Final: the engine lets a plain object rest while its animation is idle,
// which a subclass with a step of its own would get wrong.
class TMyObject final : public TImageSprite {
 public:
  explicit TMyObject(TSprite* Parent);
  const char* ClassName() const override { return "TMyObject"; }
  // Its step is the picture's animation alone.
  bool StepIsIdle() const override { return AnimationIsIdle(); }
  TImageSprite* LoopingPicture() override { return IfLooping(); }

  // Makes the sprite for Record placed at world pixels (X, Y). Z is the plane
  // value of the caller (0 main plane, 10 * p back plane p). Returns the sprite
  // that represents the object (the special object when one was made, else the
  // TMyObject). Throws EPictureCollectionError when the record's picture is missing;
  // sprites made before the failure stay in the tree.
  static TSprite* CreateFromRecord(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t Z);

 private:
  void ShowPicture(const TObjectRecord& Record, double X, double Y, int32_t Z);
};

// The factory handed to the world builders: CreateFromRecord.
TObjectFactory MakeObjectFactory();

}  // namespace kestrilo

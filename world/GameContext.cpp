#include "world/GameContext.h"

// Complete types for the owned components' destructors.
#include "library/DXImageList.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "matrix/Matrix.h"
#include "platform/Errors.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/SpriteEngine.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

TGameContext::TGameContext() = default;

TGameContext::~TGameContext() {
  // The sprite tree goes first, while everything its sprites refer to (the
  // pictures, the matrix, this context) still exists. Freeing the player
  // clears PlayerSprite on the way.
  SpriteEngine.reset();
  PlayerSprite = nullptr;
}

TSpriteEngine* TGameContext::Root() const { return SpriteEngine ? SpriteEngine->Engine() : nullptr; }

TPictureCollection& TGameContext::ObjectPictures() const {
  if (!ObjectPictureList) throw ESpriteError("Picture list is missing");
  return ObjectPictureList->Items;
}

TPictureCollection& TGameContext::PortalPictures() const {
  if (!PortalPictureList) throw ESpriteError("Picture list is missing");
  return PortalPictureList->Items;
}

TGameContext* ContextOf(const TSprite* sprite) {
  if (!sprite || !sprite->Engine) return nullptr;
  return sprite->Engine->Context;
}

TPlayerSprite* CurrentPlayer(const TSprite* sprite) {
  const TGameContext* context = ContextOf(sprite);
  return context ? context->PlayerSprite : nullptr;
}

}  // namespace kestrilo

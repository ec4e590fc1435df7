#include "world/Contact.h"

#include "matrix/Matrix.h"
#include "platform/Rounding.h"
#include "sprites/Sprite.h"
#include "world/GameContext.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

bool PlayerTouches(const TSprite& Player, const TSprite& Object) {
  return Player.X + Player.Width >= Object.X && Object.X + Object.Width > Player.X &&
         Player.Y + Player.Height + 2 >= Object.Y && Object.Y + Object.Height >= Player.Y;
}

void ClearTakenObjectCells(const TSprite& Object) {
  TGameContext* context = ContextOf(&Object);
  if (!context->PlayedLevel) return;
  context->PlayedLevel->ClearArea(static_cast<int32_t>(Round(Object.X + 3)), static_cast<int32_t>(Round(Object.Y + 3)),
                                  Object.Width, Object.Height);
}

void TPlayerWatch::Start(const TSprite& Watcher) {
  TPlayerSprite* player = CurrentPlayer(&Watcher);
  watching_ = player != nullptr;
  player_ = TPlayerRef(player);
}

TPlayerSprite* TPlayerWatch::Current(const TSprite& Watcher) {
  if (!watching_) return nullptr;
  TPlayerSprite* player = CurrentPlayer(&Watcher);
  if (player != player_.Get()) player_ = TPlayerRef(player);
  return player;
}

}  // namespace kestrilo

// What touchable objects (lifts, doors, keys, pick-ups) and monsters need of the
// player: the shared touch rule, and whom they watch.
#pragma once

#include "world/PlayerRef.h"

namespace kestrilo {

class TSprite;
class TPlayerSprite;

// The player touches an object when their boxes overlap horizontally and
// vertically, allowing the player to stand up to 2 pixels above the object.
bool PlayerTouches(const TSprite& Player, const TSprite& Object);

// A picked-up object leaves the level: its cells are emptied, found from a point
// 3 pixels inside its top-left corner so that rounding lands in its own cell.
// Does nothing when the context has no level.
void ClearTakenObjectCells(const TSprite& Object);

// Whom an object watches. An object made while no player existed watches nobody
// until the level is built again; one made with a player watches the context's
// current player, read anew every tick, so a freed player is never reached.
class TPlayerWatch {
 public:
  // At construction: remembers the player that exists now, if any.
  void Start(const TSprite& Watcher);
  // This tick's player, or none.
  TPlayerSprite* Current(const TSprite& Watcher);
  // The player seen last, or none once it has been freed.
  TPlayerSprite* Get() const { return player_.Get(); }
  bool Watching() const { return watching_; }

 private:
  bool watching_ = false;
  TPlayerRef player_;
};

}  // namespace kestrilo

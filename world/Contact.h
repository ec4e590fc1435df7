// The touch rule shared by lifts, doors, keys and pick-ups: the player touches
// an object when their boxes overlap horizontally and vertically, allowing the
// player to stand up to 2 pixels above the object (so standing on it counts).
#pragma once

namespace kestrilo {

class TSprite;
class TPlayerSprite;
struct TGameContext;

// True when Player's box touches Object's box with 2 pixels of tolerance above Object.
bool PlayerTouches(const TSprite& Player, const TSprite& Object);

// The context of the tree a sprite lives in, or none for a detached sprite.
TGameContext* ContextOf(const TSprite& Sprite);

// The player an object watches this tick: the context's current player, but only
// for objects that were built while a player existed (Rider not none). Refreshes
// Rider, so a freed or replaced player is never reached through a stale reference.
TPlayerSprite* CurrentRider(const TSprite& Watcher, TPlayerSprite*& Rider);

}  // namespace kestrilo

// Which sprites stand for which placed object: for every anchor of the level
// (a plane, a column and a row), the sprites the object factory made for the
// object placed there. An edit that replaces or removes an object, or undoes
// its placement, finds them here; a sprite freed meanwhile (a pick-up taken)
// simply reads as gone.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sprites/Sprite.h"

namespace kestrilo {

class TPlacedSprites {
 public:
  // The factory makes at most two sprites per object: the plain one, and the
  // object's own kind beside it.
  static constexpr size_t kSpritesPerAnchor = 2;

  // Files the children Root gained from position FirstNew on under the anchor,
  // after whatever the anchor already holds is let go.
  void Register(int32_t Plane, int32_t Column, int32_t Row, TSprite& Root, int32_t FirstNew);
  // Queues the anchor's living sprites for removal and forgets them.
  void Remove(int32_t Plane, int32_t Column, int32_t Row);
  // The anchor's living sprites.
  std::vector<TSprite*> At(int32_t Plane, int32_t Column, int32_t Row) const;
  // Forgets every anchor (the world is being built anew).
  void Clear() { slots_.clear(); }

 private:
  using TSlot = std::array<TSpriteHandle, kSpritesPerAnchor>;
  static bool IsAnchor(int32_t Plane, int32_t Column, int32_t Row);
  static size_t SlotOf(int32_t Plane, int32_t Column, int32_t Row);
  std::vector<TSlot> slots_;  // grown at the first registration
};

}  // namespace kestrilo

// A parent's children in drawing order: sorted by Z ascending; a sprite placed
// (attached or given a new Z) goes in front of the siblings that already have
// its Z, so among equal Z the one placed last is drawn first, underneath.
//
// Every placement carries a number that grows with each placement under the
// parent, so the order is exactly (Z ascending, placement number descending).
// Placements and removals are therefore kept aside and settled in one sort and
// merge when the list is next read: building a level of 150,000 sprites under
// one parent costs one sort instead of a shift of the whole list per sprite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrilo {

class TSprite;

class TDrawList {
 public:
  int32_t Count() const {
    Settle();
    return static_cast<int32_t>(items_.size());
  }
  TSprite* At(int32_t Index) const {
    Settle();
    return items_[static_cast<size_t>(Index)].Sprite;
  }
  // Places Sprite before the first entry whose Z is >= its own. PlaceSeq must
  // be above every number placed in this list before.
  void InsertByZ(TSprite* Sprite, uint64_t PlaceSeq);
  // Takes out the sprite placed with PlaceSeq (at its present Z); nothing when absent.
  void Remove(TSprite* Sprite, uint64_t PlaceSeq);

 private:
  struct TEntry {
    int32_t Z;
    uint64_t Seq;
    TSprite* Sprite;  // nullptr: removed, dropped at the next settling
  };
  static bool Before(const TEntry& a, const TEntry& b) { return a.Z != b.Z ? a.Z < b.Z : a.Seq > b.Seq; }
  void Settle() const {
    if (!pending_.empty() || holes_ != 0) SettleNow();
  }
  void SettleNow() const;

  mutable std::vector<TEntry> items_;    // settled, in drawing order
  mutable std::vector<TEntry> pending_;  // placed since the last settling, in any order
  mutable size_t holes_ = 0;             // removed entries still in items_
};

}  // namespace kestrilo

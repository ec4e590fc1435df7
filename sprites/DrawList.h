// A parent's children in drawing order: sorted by Z ascending; a sprite placed
// (attached or given a new Z) goes in front of the siblings that already have
// its Z, so among equal Z the one placed last is drawn first, underneath.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrilo {

class TSprite;

class TDrawList {
 public:
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TSprite* At(int32_t Index) const { return items_[static_cast<size_t>(Index)]; }
  // Places Sprite before the first entry whose Z is >= its own.
  void InsertByZ(TSprite* Sprite);
  // Takes out the first occurrence; nothing when absent.
  void Remove(TSprite* Sprite);
  // Gives the memory back (the parent has become childless).
  void Release();

 private:
  int32_t LowerBound(int32_t Z) const;
  std::vector<TSprite*> items_;
};

}  // namespace kestrilo

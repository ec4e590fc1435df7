#include "sprites/DrawList.h"

#include <algorithm>

#include "sprites/Sprite.h"

namespace kestrilo {

// First position whose sprite has a Z >= the given one.
int32_t TDrawList::LowerBound(int32_t Z) const {
  int32_t low = 0;
  int32_t high = Count() - 1;
  while (low <= high) {
    const int32_t mid = (low + high) / 2;
    if (static_cast<int64_t>(items_[mid]->Z()) - Z < 0)
      low = mid + 1;
    else
      high = mid - 1;
  }
  return low;
}

void TDrawList::InsertByZ(TSprite* Sprite) {
  items_.insert(items_.begin() + LowerBound(Sprite->Z()), Sprite);
}

void TDrawList::Remove(TSprite* Sprite) {
  // The list is sorted by Z, so the sprite lies in its Z's run; search there first.
  const int32_t start = LowerBound(Sprite->Z());
  for (int32_t i = start; i < Count() && items_[i]->Z() == Sprite->Z(); ++i) {
    if (items_[i] == Sprite) {
      items_.erase(items_.begin() + i);
      return;
    }
  }
  auto it = std::find(items_.begin(), items_.end(), Sprite);
  if (it != items_.end()) items_.erase(it);
}

void TDrawList::Release() { std::vector<TSprite*>().swap(items_); }

}  // namespace kestrilo

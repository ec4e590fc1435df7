#include "sprites/DrawList.h"

#include <algorithm>

#include "sprites/Sprite.h"

namespace kestrilo {

void TDrawList::InsertByZ(TSprite* Sprite, uint64_t PlaceSeq) { pending_.push_back({Sprite->Z(), PlaceSeq, Sprite}); }

void TDrawList::Remove(TSprite* Sprite, uint64_t PlaceSeq) {
  // A settled sprite is found by its key at once.
  const TEntry key{Sprite->Z(), PlaceSeq, Sprite};
  auto it = std::lower_bound(items_.begin(), items_.end(), key, Before);
  if (it != items_.end() && it->Sprite == Sprite) {
    it->Sprite = nullptr;
    ++holes_;
    return;
  }
  // Otherwise it was placed lately, most often just now (a new sprite given its Z).
  for (size_t i = pending_.size(); i-- > 0;) {
    if (pending_[i].Sprite == Sprite) {
      pending_[i] = pending_.back();
      pending_.pop_back();
      return;
    }
  }
  it = std::find_if(items_.begin(), items_.end(), [&](const TEntry& e) { return e.Sprite == Sprite; });
  if (it == items_.end()) return;
  it->Sprite = nullptr;
  ++holes_;
}

void TDrawList::SettleNow() const {
  if (holes_ != 0) {
    std::erase_if(items_, [](const TEntry& e) { return e.Sprite == nullptr; });
    holes_ = 0;
  }
  if (pending_.empty()) return;
  std::sort(pending_.begin(), pending_.end(), Before);
  const auto middle = static_cast<std::ptrdiff_t>(items_.size());
  items_.insert(items_.end(), pending_.begin(), pending_.end());
  std::inplace_merge(items_.begin(), items_.begin() + middle, items_.end(), Before);
  pending_.clear();
}

}  // namespace kestrilo

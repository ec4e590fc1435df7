#include "sprites/AwakeList.h"

#include <algorithm>

namespace kestrilo {

namespace {
constexpr size_t kPrefetchAhead = 8;
}  // namespace

void TAwakeList::Clear() {
  entries_.clear();
  holes_ = 0;
  cursor_ = 0;
  started_ = false;
}

size_t TAwakeList::Find(uint64_t Seq) const {
  return static_cast<size_t>(
      std::lower_bound(entries_.begin(), entries_.end(), Seq, [](const TEntry& e, uint64_t s) { return e.Seq < s; }) -
      entries_.begin());
}

void TAwakeList::Append(TSprite* Sprite, uint64_t Seq) {
  if (!entries_.empty() && entries_.back().Seq >= Seq) {
    Insert(Sprite, Seq);
    return;
  }
  entries_.push_back({Seq, Sprite});
}

void TAwakeList::Insert(TSprite* Sprite, uint64_t Seq) {
  const size_t at = Find(Seq);
  if (at < entries_.size() && entries_[at].Seq == Seq) {
    if (!entries_[at].Sprite) --holes_;
    entries_[at].Sprite = Sprite;
    return;
  }
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), {Seq, Sprite});
  // Keep the pass on the entry it is stepping: one before it shifts it by one.
  if (inPass_ && started_ && at <= cursor_) ++cursor_;
}

void TAwakeList::Remove(uint64_t Seq) {
  const size_t at = Find(Seq);
  if (at < entries_.size() && entries_[at].Seq == Seq && entries_[at].Sprite) {
    entries_[at].Sprite = nullptr;
    ++holes_;
  }
}

void TAwakeList::BeginPass(uint64_t Limit) {
  inPass_ = true;
  started_ = false;
  cursor_ = 0;
  limit_ = Limit;
}

TSprite* TAwakeList::Next() {
  size_t i = started_ ? cursor_ + 1 : 0;
  started_ = true;
  for (; i < entries_.size(); ++i) {
    if (entries_[i].Seq >= limit_) break;
    if (entries_[i].Sprite) {
      cursor_ = i;
      // The children are far apart in memory and each is read briefly: ask for
      // one a few steps ahead, its first lines (flags, position, and the
      // fields of an image sprite's animation just behind the base).
      if (i + kPrefetchAhead < entries_.size()) {
        if (const TSprite* ahead = entries_[i + kPrefetchAhead].Sprite) {
          __builtin_prefetch(ahead);
          __builtin_prefetch(reinterpret_cast<const char*>(ahead) + 128);
        }
      }
      return entries_[i].Sprite;
    }
  }
  cursor_ = entries_.size();
  return nullptr;
}

void TAwakeList::RestCurrent() {
  if (!started_ || cursor_ >= entries_.size() || !entries_[cursor_].Sprite) return;
  entries_[cursor_].Sprite = nullptr;
  ++holes_;
}

void TAwakeList::EndPass() {
  inPass_ = false;
  started_ = false;
  // Holes cost a step over them each pass; squeeze them out once they are many.
  if (holes_ > 64 && holes_ * 4 > entries_.size()) Tidy();
}

void TAwakeList::Tidy() {
  std::erase_if(entries_, [](const TEntry& e) { return e.Sprite == nullptr; });
  holes_ = 0;
}

}  // namespace kestrilo

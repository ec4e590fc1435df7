#include "library/HashCollection.h"

#include <algorithm>

#include "platform/Cp1251.h"
#include "platform/Errors.h"

namespace kestrilo {

uint8_t NameHash(std::string_view name) {
  // Length times 16, plus the first and the next-to-last letter, lower-cased,
  // so that names differing only in letter case share a bucket.
  uint32_t hash = static_cast<uint32_t>(name.size()) * 16u;
  if (name.size() >= 2) {
    hash += cp1251::ToLower(static_cast<unsigned char>(name[0]));
    hash += cp1251::ToLower(static_cast<unsigned char>(name[name.size() - 2]));
  }
  return static_cast<uint8_t>(hash & 0xFFu);
}

void THashCollectionItem::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  if (collection_ && index_ >= 0) {
    collection_->Unfile(*this);
    collection_->File(*this);
  }
}

THashCollection::~THashCollection() { Clear(); }

int32_t THashCollection::IndexOf(std::string_view name) const {
  for (const THashCollectionItem* item = buckets_[NameHash(name)]; item; item = item->nextInBucket_)
    if (cp1251::SameText(item->name_, name)) return item->index_;
  return -1;
}

THashCollectionItem* THashCollection::ItemAt(int32_t index) const {
  if (index < 0 || index >= Count()) throw EListError(ListIndexMessage(index));
  return items_[static_cast<size_t>(index)].get();
}

THashCollectionItem* THashCollection::Append(std::unique_ptr<THashCollectionItem> item) {
  THashCollectionItem* added = item.get();
  added->collection_ = this;
  added->index_ = Count();
  items_.push_back(std::move(item));
  File(*added);
  return added;
}

void THashCollection::Delete(int32_t index) {
  THashCollectionItem* item = ItemAt(index);
  ItemRemoving(*item);
  for (size_t i = static_cast<size_t>(index) + 1; i < items_.size(); ++i) --items_[i]->index_;
  Unfile(*item);
  item->index_ = -1;
  retired_.push_back(std::move(items_[static_cast<size_t>(index)]));
  items_.erase(items_.begin() + index);
}

void THashCollection::Move(int32_t from, int32_t to) {
  ItemAt(from);
  ItemAt(to);
  if (from == to) return;
  auto moving = std::move(items_[static_cast<size_t>(from)]);
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, std::move(moving));
  const int32_t low = std::min(from, to), high = std::max(from, to);
  for (int32_t i = low; i <= high; ++i) items_[static_cast<size_t>(i)]->index_ = i;
}

void THashCollection::Clear() {
  // From the end, so that no position has to be lowered on the way.
  while (!items_.empty()) Delete(Count() - 1);
}

void THashCollection::TakeItems(THashCollection& source) {
  if (&source == this) return;
  Clear();
  std::vector<std::unique_ptr<THashCollectionItem>> moved;
  moved.swap(source.items_);
  source.buckets_.fill(nullptr);
  items_.reserve(moved.size());
  for (auto& item : moved) Append(std::move(item));
}

void THashCollection::File(THashCollectionItem& item) {
  item.bucket_ = NameHash(item.name_);
  THashCollectionItem*& head = buckets_[item.bucket_];
  item.prevInBucket_ = nullptr;
  item.nextInBucket_ = head;
  if (head) head->prevInBucket_ = &item;
  head = &item;
}

void THashCollection::Unfile(THashCollectionItem& item) {
  if (item.prevInBucket_)
    item.prevInBucket_->nextInBucket_ = item.nextInBucket_;
  else if (buckets_[item.bucket_] == &item)
    buckets_[item.bucket_] = item.nextInBucket_;
  if (item.nextInBucket_) item.nextInBucket_->prevInBucket_ = item.prevInBucket_;
  item.prevInBucket_ = item.nextInBucket_ = nullptr;
}

}  // namespace kestrilo

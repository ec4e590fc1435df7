// An ordered list of named items with a 256-bucket name hash, so that a
// lookup by name walks one short chain instead of the whole list.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrilo {

class THashCollection;

// The bucket (0..255) of a Windows-1251 name, letter case ignored.
uint8_t NameHash(std::string_view name);

class THashCollectionItem {
 public:
  explicit THashCollectionItem(THashCollection* collection) : collection_(collection) {}
  virtual ~THashCollectionItem() = default;
  THashCollectionItem(const THashCollectionItem&) = delete;
  THashCollectionItem& operator=(const THashCollectionItem&) = delete;

  virtual const char* ClassName() const { return "THashCollectionItem"; }

  // Windows-1251 bytes. Setting a different name re-files the item, which
  // becomes the head of its new bucket's chain.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);

  // The item's position in its collection (-1 once deleted).
  int32_t Index() const { return index_; }
  THashCollection* Collection() const { return collection_; }
  uint8_t Bucket() const { return bucket_; }

 private:
  friend class THashCollection;
  THashCollection* collection_;
  std::string name_;
  int32_t index_ = -1;
  uint8_t bucket_ = 0;
  THashCollectionItem* prevInBucket_ = nullptr;
  THashCollectionItem* nextInBucket_ = nullptr;
};

class THashCollection {
 public:
  THashCollection() = default;
  virtual ~THashCollection();
  THashCollection(const THashCollection&) = delete;
  THashCollection& operator=(const THashCollection&) = delete;

  virtual const char* ClassName() const { return "THashCollection"; }

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // The position of the item most recently filed under the name (letter case
  // ignored), or -1.
  int32_t IndexOf(std::string_view name) const;
  // "List index out of bounds (%d)" outside 0..Count-1. The item leaves the
  // list and its name chain at once; see `retired_` for its memory.
  void Delete(int32_t index);
  void Clear();
  // Moves the item at `from` to position `to`, the items between shifting by
  // one; its name filing stays. "List index out of bounds (%d)" outside the list.
  void Move(int32_t from, int32_t to);

 protected:
  // The item at a position; "List index out of bounds (%d)" outside the list.
  THashCollectionItem* ItemAt(int32_t index) const;
  // Appends an item and files it under its (empty) name.
  THashCollectionItem* Append(std::unique_ptr<THashCollectionItem> item);
  // Called before an item is removed and freed, to drop what it holds.
  virtual void ItemRemoving(THashCollectionItem& /*item*/) {}
  // Clears this collection, then moves every item of `source` over in order,
  // filed as appending them one by one would file them; `source` is left empty.
  void TakeItems(THashCollection& source);

 private:
  friend class THashCollectionItem;
  void File(THashCollectionItem& item);
  void Unfile(THashCollectionItem& item);
  std::vector<std::unique_ptr<THashCollectionItem>> items_;
  std::array<THashCollectionItem*, 256> buckets_{};
  // Sprites keep plain pointers to the pictures they draw, and reloading a
  // library replaces every item under them. A deleted item therefore stays
  // allocated, emptied by `ItemRemoving`, until the collection itself goes,
  // so that such a pointer finds an item that draws nothing, never freed memory.
  std::vector<std::unique_ptr<THashCollectionItem>> retired_;
};

}  // namespace kestrilo

// The named picture collection: pictures cut into equal frames on display
// surfaces, found by name ignoring letter case, drawn one frame at a time
// with colour-key transparency.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "library/HashCollection.h"
#include "library/Picture.h"
#include "platform/Rect.h"
#include "platform/Surface.h"

namespace kestrilo {

class TByteStreamReader;
class TDisplay;
class TFrameLayout;
class TDXImageList;
class TPictureCollection;

// One frame: its rectangle on the surface that holds it.
struct TPictureCollectionItemPattern {
  TSurface* Surface = nullptr;
  TRect Rect;
};

class TPictureCollectionItem : public THashCollectionItem {
 public:
  explicit TPictureCollectionItem(TPictureCollection* collection);
  ~TPictureCollectionItem() override;

  const char* ClassName() const override { return "TPictureCollectionItem"; }
  TPictureCollection* Collection() const;

  // Published properties, in their stored order (Name is inherited).
  int32_t PatternHeight = 0;  // 0 or less: the picture's height
  int32_t PatternWidth = 0;   // 0 or less: the picture's width
  TPicture Picture;
  int32_t SkipHeight = 0;
  int32_t SkipWidth = 0;
  bool SystemMemory = false;
  bool Transparent = true;
  // 0x00BBGGRR, 0x80000000 + n for system colours, 0x1FFFFFFF for none.
  uint32_t TransparentColor() const { return transparentColor_; }
  // Stores a different colour and re-keys every surface the item made.
  void SetTransparentColor(uint32_t color);

  // The frame size.
  int32_t Width() const;
  int32_t Height() const;
  int32_t PatternCount() const;
  // Frame `index`'s rectangle on its surface; empty at 0, 0 when out of range.
  TRect PatternRect(int32_t index) const;
  // Draws frame `frame` with its top-left corner at (x, y); nothing when the
  // item is not prepared or the frame does not exist.
  void Draw(TSurface& dest, int32_t x, int32_t y, int32_t frame) const;
  // Cuts the picture into frames on new surfaces.
  void Restore();

  bool Prepared() const { return prepared_; }
  // What frame cutting made (for inspection).
  int32_t SurfaceCount() const { return static_cast<int32_t>(surfaces_.size()); }
  const TSurface& Surface(int32_t index) const { return *surfaces_.at(static_cast<size_t>(index)); }
  // Frame `index` and the surface it lies on (no surface when out of range).
  TPictureCollectionItemPattern Pattern(int32_t index) const;

 private:
  friend class TPictureCollection;
  // How the frames were laid out by the last cut. Frame rectangles follow
  // from the layout, so a picture of many tiny frames costs no memory per frame.
  enum class TCut { None, WholePicture, OneSurface, Blocks };

  void Prepare();   // drops frames, becomes prepared
  void Finalize();  // drops frames, stops being prepared
  void FreeFrames();
  TSurface* AddSurface(TSurface surface);
  TFrameLayout Layout() const;

  uint32_t transparentColor_ = 0;
  bool prepared_ = false;
  TCut cut_ = TCut::None;
  int32_t frameCount_ = 0;
  std::unique_ptr<TFrameLayout> layout_;
  std::vector<std::unique_ptr<TSurface>> surfaces_;
  // Per surface, its shrunk copies for the zoomed-out views (divisors 2 and
  // 4), made when first drawn so; the surfaces never change once cut.
  mutable std::vector<std::array<std::unique_ptr<TSurface>, 2>> shrunk_;
  const TSurface* ShrunkCopyOf(const TSurface& Surface, int32_t Divisor) const;
};

class TPictureCollection : public THashCollection {
 public:
  explicit TPictureCollection(TDXImageList* owner = nullptr) : owner_(owner) {}
  ~TPictureCollection() override;

  const char* ClassName() const override { return "TPictureCollection"; }
  TDXImageList* Owner() const { return owner_; }

  // Appends a new item with the defaults; its position is the old count.
  TPictureCollectionItem* Add();
  // "List index out of bounds (%d)" outside 0..Count-1.
  TPictureCollectionItem* Items(int32_t index) const;
  // "Image '%s' not found" when no item has the name.
  TPictureCollectionItem* Find(std::string_view name) const;

  // The graphics file. A load replaces every item (keeping those read before
  // a failure, uncut) and, in a bound collection, cuts the new pictures at
  // once. The file is read as a stream, each picture into a buffer of its
  // own that the picture keeps; nothing is touched when it cannot be opened.
  // An error names the file and what was wrong with it
  // (TGraphicsFile::WhatIsWrong).
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;
  void LoadFromBytes(std::string_view bytes);
  std::string SaveToBytes() const;

  // Replaces every item with the items of `source`, which is left empty; the
  // old items are retired as Clear retires them. In a bound collection the
  // new items are cut, unless `source` was bound to the same display and has
  // cut them already; in an unbound one they are left uncut.
  void TakeItemsFrom(TPictureCollection& source);

  // Binds to a display; "%s cannot be initialized" when it is not initialised.
  void Initialize(const TDisplay* display);
  void Finalize();
  // Frame cutting for every item, in order.
  void Restore();
  bool Initialized() const;
  const TDisplay* Display() const { return display_; }

 protected:
  void ItemRemoving(THashCollectionItem& item) override;

 private:
  void Load(TByteStreamReader& in);
  TDXImageList* owner_;
  const TDisplay* display_ = nullptr;
};

}  // namespace kestrilo

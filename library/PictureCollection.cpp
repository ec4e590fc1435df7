#include "library/PictureCollection.h"

#include <algorithm>

#include "library/Colors.h"
#include "library/FrameLayout.h"
#include "library/GraphicsFile.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/Display.h"
#include "platform/Errors.h"

namespace kestrilo {
namespace {

// A colour key for a 16-bit surface. "No colour" keys nothing out.
void KeySurface(TSurface& surface, uint32_t color) {
  if (color == clNone)
    surface.ClearColorKey();
  else
    surface.SetColorKey(ColorToRgb565(ColorToRGB(color)));
}

}  // namespace

// ---- item ------------------------------------------------------------------

TPictureCollectionItem::TPictureCollectionItem(TPictureCollection* collection) : THashCollectionItem(collection) {}

TPictureCollectionItem::~TPictureCollectionItem() = default;

TPictureCollection* TPictureCollectionItem::Collection() const {
  return static_cast<TPictureCollection*>(THashCollectionItem::Collection());
}

void TPictureCollectionItem::SetTransparentColor(uint32_t color) {
  if (color == transparentColor_) return;
  transparentColor_ = color;
  for (auto& surface : surfaces_) KeySurface(*surface, color);
}

int32_t TPictureCollectionItem::Width() const { return PatternWidth > 0 ? PatternWidth : Picture.Width(); }

int32_t TPictureCollectionItem::Height() const { return PatternHeight > 0 ? PatternHeight : Picture.Height(); }

TFrameLayout TPictureCollectionItem::Layout() const {
  return TFrameLayout(Picture.Width(), Picture.Height(), Width(), Height(), SkipWidth, SkipHeight);
}

int32_t TPictureCollectionItem::PatternCount() const {
  if (!patterns_.empty()) return static_cast<int32_t>(patterns_.size());
  if (Picture.Empty()) return 0;
  return Layout().FrameCount();
}

TRect TPictureCollectionItem::PatternRect(int32_t index) const {
  if (index < 0 || index >= static_cast<int32_t>(patterns_.size())) return TRect{};
  return patterns_[static_cast<size_t>(index)].Rect;
}

void TPictureCollectionItem::Draw(TSurface& dest, int32_t x, int32_t y, int32_t frame) const {
  if (!prepared_ || frame < 0 || frame >= static_cast<int32_t>(patterns_.size())) return;
  const TPictureCollectionItemPattern& pattern = patterns_[static_cast<size_t>(frame)];
  dest.Blit(x, y, *pattern.Surface, pattern.Rect, Transparent);
}

void TPictureCollectionItem::Prepare() {
  FreeFrames();
  prepared_ = true;
}

void TPictureCollectionItem::Finalize() {
  if (!prepared_) return;
  FreeFrames();
  prepared_ = false;
}

void TPictureCollectionItem::FreeFrames() {
  patterns_.clear();
  surfaces_.clear();
}

TSurface* TPictureCollectionItem::MakeSurface(const TRect& partOfPicture) {
  auto surface = std::make_unique<TSurface>(TSurface::FromImage(Picture.Image(), partOfPicture));
  KeySurface(*surface, transparentColor_);
  surfaces_.push_back(std::move(surface));
  return surfaces_.back().get();
}

void TPictureCollectionItem::Restore() {
  if (Picture.Empty()) return;
  if (!prepared_) {
    const TPictureCollection* collection = Collection();
    if (collection && collection->Initialized()) Prepare();
    if (!prepared_) return;
  }
  FreeFrames();

  const TFrameLayout layout = Layout();
  const TRect wholePicture{0, 0, Picture.Width(), Picture.Height()};
  if (layout.IsWholePicture()) {
    patterns_.push_back({MakeSurface(wholePicture), wholePicture});
    return;
  }
  const int32_t frameCount = layout.FrameCount();
  if (frameCount <= 0) return;

  if (SystemMemory) {
    TSurface* surface = MakeSurface(wholePicture);
    patterns_.reserve(static_cast<size_t>(frameCount));
    for (int32_t k = 0; k < frameCount; ++k) patterns_.push_back({surface, layout.FrameRectOnPicture(k)});
    return;
  }

  // Pictures outside system memory go onto blocks of whole frame cells.
  if (layout.NoBlocks()) return;
  std::vector<TSurface*> blockSurfaces;
  blockSurfaces.reserve(static_cast<size_t>(layout.BlockCount()));
  for (int32_t b = 0; b < layout.BlockCount(); ++b) blockSurfaces.push_back(MakeSurface(layout.BlockRect(b)));
  patterns_.reserve(static_cast<size_t>(frameCount));
  for (int32_t k = 0; k < frameCount; ++k)
    patterns_.push_back({blockSurfaces[static_cast<size_t>(layout.BlockOfFrame(k))], layout.FrameRectOnBlock(k)});
}

// ---- collection ------------------------------------------------------------

TPictureCollection::~TPictureCollection() {
  // The base class cannot reach this class's removal step any more.
  Clear();
}

TPictureCollectionItem* TPictureCollection::Add() {
  return static_cast<TPictureCollectionItem*>(Append(std::make_unique<TPictureCollectionItem>(this)));
}

TPictureCollectionItem* TPictureCollection::Items(int32_t index) const {
  return static_cast<TPictureCollectionItem*>(ItemAt(index));
}

TPictureCollectionItem* TPictureCollection::Find(std::string_view name) const {
  const int32_t index = IndexOf(name);
  if (index < 0) throw EPictureCollectionError("Image '" + cp1251::ToUtf8(name) + "' not found");
  return Items(index);
}

void TPictureCollection::ItemRemoving(THashCollectionItem& item) {
  static_cast<TPictureCollectionItem&>(item).FreeFrames();
}

void TPictureCollection::LoadFromFile(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);  // the collection stays as it is when this fails
  LoadFromBytes(bytes);
}

void TPictureCollection::SaveToFile(const std::string& path) const { WriteFileAtomic(path, SaveToBytes()); }

void TPictureCollection::LoadFromBytes(std::string_view bytes) {
  TGraphicsFile::Read(bytes, *this);
  if (Initialized()) {
    Initialize(display_);
    Restore();
  }
}

std::string TPictureCollection::SaveToBytes() const { return TGraphicsFile::Write(*this); }

bool TPictureCollection::Initialized() const { return display_ != nullptr && display_->Initialized(); }

void TPictureCollection::Initialize(const TDisplay* display) {
  Finalize();
  display_ = display;
  if (!Initialized()) throw EPictureCollectionError(std::string(ClassName()) + " cannot be initialized");
  for (int32_t i = 0; i < Count(); ++i) Items(i)->Prepare();
}

void TPictureCollection::Finalize() {
  for (int32_t i = 0; i < Count(); ++i) Items(i)->Finalize();
  display_ = nullptr;
}

void TPictureCollection::Restore() {
  for (int32_t i = 0; i < Count(); ++i) Items(i)->Restore();
}

}  // namespace kestrilo

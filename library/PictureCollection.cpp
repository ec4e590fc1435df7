#include "library/PictureCollection.h"

#include <algorithm>

#include "library/Colors.h"
#include "library/FrameLayout.h"
#include "library/GraphicsFile.h"
#include "platform/AtomicFileSet.h"
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
  if (cut_ != TCut::None) return frameCount_;
  if (Picture.Empty()) return 0;
  return Layout().FrameCount();
}

TPictureCollectionItemPattern TPictureCollectionItem::Pattern(int32_t index) const {
  if (index < 0 || index >= frameCount_) return {};
  switch (cut_) {
    case TCut::WholePicture: return {surfaces_.front().get(), surfaces_.front()->ClientRect()};
    case TCut::OneSurface: return {surfaces_.front().get(), layout_->FrameRectOnPicture(index)};
    case TCut::Blocks:
      return {surfaces_[static_cast<size_t>(layout_->BlockOfFrame(index))].get(), layout_->FrameRectOnBlock(index)};
    case TCut::None: break;
  }
  return {};
}

TRect TPictureCollectionItem::PatternRect(int32_t index) const { return Pattern(index).Rect; }

void TPictureCollectionItem::Draw(TSurface& dest, int32_t x, int32_t y, int32_t frame) const {
  if (!prepared_) return;
  const TPictureCollectionItemPattern pattern = Pattern(frame);
  if (!pattern.Surface) return;
  if (const TSurface* shrunk = ShrunkCopyOf(*pattern.Surface, dest.ShrinkDivisor()))
    dest.BlitWithShrunkCopy(x, y, *pattern.Surface, *shrunk, pattern.Rect, Transparent);
  else
    dest.Blit(x, y, *pattern.Surface, pattern.Rect, Transparent);
}

const TSurface* TPictureCollectionItem::ShrunkCopyOf(const TSurface& Surface, int32_t Divisor) const {
  if (Divisor != 2 && Divisor != 4) return nullptr;
  for (size_t i = 0; i < surfaces_.size(); ++i) {
    if (surfaces_[i].get() != &Surface) continue;
    if (shrunk_.size() < surfaces_.size()) shrunk_.resize(surfaces_.size());
    std::unique_ptr<TSurface>& copy = shrunk_[i][Divisor == 2 ? 0 : 1];
    if (!copy) copy = std::make_unique<TSurface>(Surface.ShrunkCopy(Divisor));
    return copy.get();
  }
  return nullptr;
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
  shrunk_.clear();
  cut_ = TCut::None;
  frameCount_ = 0;
  layout_.reset();
  surfaces_.clear();
}

TSurface* TPictureCollectionItem::AddSurface(TSurface surface) {
  auto added = std::make_unique<TSurface>(std::move(surface));
  KeySurface(*added, transparentColor_);
  surfaces_.push_back(std::move(added));
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

  auto layout = std::make_unique<TFrameLayout>(Layout());
  if (layout->IsWholePicture()) {
    AddSurface(Picture.TakeSurface());
    cut_ = TCut::WholePicture;
    frameCount_ = 1;
    return;
  }
  const int32_t frameCount = layout->FrameCount();
  if (SystemMemory) {
    if (frameCount <= 0) return;
    AddSurface(Picture.TakeSurface());
    cut_ = TCut::OneSurface;
  } else {
    // Pictures outside system memory go onto blocks of whole frame cells; a
    // picture that is one block whole keeps its own surface.
    if (frameCount <= 0 || layout->NoBlocks()) return;
    TSurface picture = Picture.TakeSurface();
    if (layout->BlockCount() == 1 && layout->BlockRect(0) == picture.ClientRect()) {
      AddSurface(std::move(picture));
    } else {
      for (int32_t b = 0; b < layout->BlockCount(); ++b) AddSurface(TSurface::CopyOf(picture, layout->BlockRect(b)));
    }
    cut_ = TCut::Blocks;
  }
  frameCount_ = frameCount;
  layout_ = std::move(layout);
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
  if (index < 0)
    throw EPictureCollectionError("Image '" + cp1251::EscapeControls(cp1251::ToUtf8(name)) + "' not found");
  return Items(index);
}

void TPictureCollection::ItemRemoving(THashCollectionItem& item) {
  // What is left of a deleted item is an empty shell that draws nothing.
  auto& picture = static_cast<TPictureCollectionItem&>(item);
  picture.Finalize();
  picture.Picture.Clear();
}

void TPictureCollection::LoadFromFile(const std::string& path) {
  TByteStreamReader in = TByteStreamReader::OpenFile(path);  // the collection stays as it is when this fails
  try {
    Load(in);
  } catch (const EKestriloError& error) {
    RaiseNamingFile(error, path, TGraphicsFile::WhatIsWrong(in));
  }
}

void TPictureCollection::SaveToFile(const std::string& path) const { WriteFileAtomic(path, SaveToBytes()); }

void TPictureCollection::LoadFromBytes(std::string_view bytes) {
  TByteStreamReader in(bytes);
  Load(in);
}

void TPictureCollection::Load(TByteStreamReader& in) {
  if (!Initialized()) {
    TGraphicsFile::Read(in, *this);
    return;
  }
  // Bitmaps are decoded straight into the surfaces their frames are cut
  // from, and each item is cut as soon as it is complete, while its pixels
  // are still in the cache.
  TGraphicsFile::TReadOptions options;
  options.DecodeFor = TPicture::TDecodeFor::Frames;
  options.ItemRead = [](TPictureCollectionItem& item) {
    item.Prepare();
    item.Restore();
  };
  try {
    TGraphicsFile::Read(in, *this, options);
  } catch (...) {
    // A failed load leaves what it read uncut, waiting for the next restore.
    for (int32_t i = 0; i < Count(); ++i) Items(i)->Finalize();
    throw;
  }
}

void TPictureCollection::TakeItemsFrom(TPictureCollection& source) {
  if (&source == this) return;
  const bool cutAlready = Initialized() && source.Initialized() && source.display_ == display_;
  TakeItems(source);
  if (cutAlready) return;
  if (Initialized()) {
    Initialize(display_);
    Restore();
  } else {
    for (int32_t i = 0; i < Count(); ++i) Items(i)->Finalize();
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

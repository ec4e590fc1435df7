#include "library/FrameLayout.h"

#include <algorithm>
#include <limits>

namespace kestrilo {
namespace {

// Whole cells of `cell` pixels that fit in `extent` pixels plus one gap.
int64_t CellsAlong(int64_t extent, int64_t skip, int64_t cell) {
  if (cell <= 0) return 0;  // frames that overlap away to nothing make no grid
  return std::max<int64_t>((extent + skip) / cell, 0);
}

// About 512 pixels rounded up to whole cells, but no more cells than there are.
int64_t BlockExtent(int64_t cells, int64_t cell) {
  if (cell <= 0) return 0;
  return std::min(((TFrameLayout::kBlockLimit + cell - 1) / cell) * cell, cells * cell);
}

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, 0, std::numeric_limits<int32_t>::max()));
}

TRect RectOf(int64_t left, int64_t top, int64_t width, int64_t height) {
  return TRect{Clamp32(left), Clamp32(top), Clamp32(left + width), Clamp32(top + height)};
}

}  // namespace

TFrameLayout::TFrameLayout(int32_t pictureWidth, int32_t pictureHeight, int32_t frameWidth, int32_t frameHeight,
                           int32_t skipWidth, int32_t skipHeight)
    : pictureWidth_(pictureWidth),
      pictureHeight_(pictureHeight),
      frameWidth_(frameWidth),
      frameHeight_(frameHeight),
      cellWidth_(int64_t{frameWidth} + skipWidth),
      cellHeight_(int64_t{frameHeight} + skipHeight) {
  columns_ = CellsAlong(pictureWidth_, skipWidth, cellWidth_);
  rows_ = CellsAlong(pictureHeight_, skipHeight, cellHeight_);
  blockWidth_ = BlockExtent(columns_, cellWidth_);
  blockHeight_ = BlockExtent(rows_, cellHeight_);
}

int32_t TFrameLayout::FrameCount() const {
  if (IsWholePicture()) return 1;
  return Clamp32(columns_ * rows_);
}

TRect TFrameLayout::FrameRectOnPicture(int32_t frame) const {
  const int64_t column = frame % columns_, row = frame / columns_;
  return RectOf(column * cellWidth_, row * cellHeight_, frameWidth_, frameHeight_);
}

int32_t TFrameLayout::BlocksAcross() const {
  return NoBlocks() ? 0 : Clamp32((pictureWidth_ + blockWidth_ - 1) / blockWidth_);
}

int32_t TFrameLayout::BlocksDown() const {
  return NoBlocks() ? 0 : Clamp32((pictureHeight_ + blockHeight_ - 1) / blockHeight_);
}

TRect TFrameLayout::BlockRect(int32_t block) const {
  const int64_t left = (block % BlocksAcross()) * blockWidth_;
  const int64_t top = (block / BlocksAcross()) * blockHeight_;
  return RectOf(left, top, std::min(blockWidth_, pictureWidth_ - left), std::min(blockHeight_, pictureHeight_ - top));
}

int32_t TFrameLayout::BlockOfFrame(int32_t frame) const {
  const int64_t column = frame % columns_, row = frame / columns_;
  return Clamp32((column * cellWidth_) / blockWidth_ + ((row * cellHeight_) / blockHeight_) * BlocksAcross());
}

TRect TFrameLayout::FrameRectOnBlock(int32_t frame) const {
  const int64_t column = frame % columns_, row = frame / columns_;
  return RectOf((column * cellWidth_) % blockWidth_, (row * cellHeight_) % blockHeight_, frameWidth_, frameHeight_);
}

}  // namespace kestrilo

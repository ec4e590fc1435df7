// Where the frames of a picture lie: the grid of frame cells (a frame plus its
// gaps) over the picture, and the blocks of whole cells that pictures outside
// system memory are split into so that no surface grows much beyond 512
// pixels. Arithmetic is 64-bit so that stored sizes cannot overflow it.
#pragma once

#include <cstdint>

#include "platform/Rect.h"

namespace kestrilo {

class TFrameLayout {
 public:
  static constexpr int64_t kBlockLimit = 512;

  TFrameLayout(int32_t pictureWidth, int32_t pictureHeight, int32_t frameWidth, int32_t frameHeight, int32_t skipWidth,
               int32_t skipHeight);

  // The frame is the whole picture: one frame, no grid.
  bool IsWholePicture() const { return frameWidth_ == pictureWidth_ && frameHeight_ == pictureHeight_; }
  int64_t Columns() const { return columns_; }
  int64_t Rows() const { return rows_; }
  // Frames run left to right, then top to bottom.
  int32_t FrameCount() const;
  TRect FrameRectOnPicture(int32_t frame) const;

  // Blocks, made row by row; a block is empty when the grid has no cells.
  int64_t BlockWidth() const { return blockWidth_; }
  int64_t BlockHeight() const { return blockHeight_; }
  bool NoBlocks() const { return blockWidth_ <= 0 || blockHeight_ <= 0; }
  int32_t BlocksAcross() const;
  int32_t BlocksDown() const;
  int32_t BlockCount() const { return BlocksAcross() * BlocksDown(); }
  // The part of the picture a block covers, cut short at the picture's edges.
  TRect BlockRect(int32_t block) const;
  int32_t BlockOfFrame(int32_t frame) const;
  TRect FrameRectOnBlock(int32_t frame) const;

 private:
  int64_t pictureWidth_, pictureHeight_, frameWidth_, frameHeight_;
  int64_t cellWidth_, cellHeight_;
  int64_t columns_ = 0, rows_ = 0;
  int64_t blockWidth_ = 0, blockHeight_ = 0;
};

}  // namespace kestrilo

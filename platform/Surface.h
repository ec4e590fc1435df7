// A 16-bit surface in the 5-6-5 layout with an optional colour key.
// The back buffer, picture frames and every blit target are surfaces.
#pragma once

#include <QImage>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/Rect.h"

namespace kestrilo {

class TDrawingRecord;

// 0x00BBGGRR colour -> nearest 5-6-5 pixel value.
uint16_t ColorToRgb565(uint32_t color);
uint16_t Rgb565(int r, int g, int b);
// 5-6-5 pixel -> 0x00BBGGRR with the channels widened to 8 bits.
uint32_t Rgb565ToColor(uint16_t pixel);
// Rows of pixels to 5-6-5, rounded as Rgb565 rounds: 32-bit pixels
// (0xAARRGGBB, alpha ignored), or 24-bit ones stored blue, green, red.
void PackRgb32Row(const QRgb* from, uint16_t* to, int32_t count);
void PackBgr24Row(const uint8_t* from, uint16_t* to, int32_t count);

class TSurface {
 public:
  TSurface() = default;
  TSurface(int32_t width, int32_t height);
  // A surface whose pixels are left unset, for a caller that writes every one
  // of them at once.
  static TSurface Unfilled(int32_t width, int32_t height) { return TSurface(width, height, TUnset{}); }

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  TRect ClientRect() const { return {0, 0, width_, height_}; }
  uint16_t* Pixels() { return pixels_.data(); }
  const uint16_t* Pixels() const { return pixels_.data(); }
  uint16_t* Line(int32_t y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint16_t* Line(int32_t y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  uint16_t Pixel(int32_t x, int32_t y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  void SetPixel(int32_t x, int32_t y, uint16_t v) { pixels_[static_cast<size_t>(y) * width_ + x] = v; }

  void Resize(int32_t width, int32_t height);
  // Writes the raw pixel value into every pixel.
  void Fill(uint16_t value);
  // Fills a rectangle, clipped to the surface.
  void FillRect(const TRect& rect, uint16_t value);
  // Halves every pixel's brightness (each of the three channels), so that
  // what is drawn after it stands out.
  void Darken();

  bool HasColorKey() const { return hasColorKey_; }
  uint16_t ColorKey() const { return colorKey_; }
  void SetColorKey(uint16_t key) {
    colorKey_ = key;
    hasColorKey_ = true;
  }
  void ClearColorKey() { hasColorKey_ = false; }

  // Copies `source` of `from` to (x, y) of this surface, clipped to this surface
  // (and to `from`). With `transparent` and a key on `from`, key pixels are left out.
  void Blit(int32_t x, int32_t y, const TSurface& from, const TRect& source, bool transparent);

  // A surface that stands for one Divisor times as wide and as high and
  // keeps only every Divisor-th pixel of every Divisor-th row of it: blits
  // take points of the larger surface and land shrunk, so that a zoomed-out
  // view costs no more pixel work than a full-size one. Pixel (x, y) holds the
  // larger surface's pixel (Divisor x, Divisor y). Only Blit knows of the
  // divisor; everything else works on the pixels as kept.
  void SetShrinkDivisor(int32_t Divisor) { shrink_ = Divisor > 1 ? Divisor : 1; }
  // Every Divisor-th pixel of every Divisor-th row, from the corner, with the same colour key.
  TSurface ShrunkCopy(int32_t Divisor) const;
  // Blit from a surface whose ShrunkCopy for this surface's divisor is at
  // hand: where a blit keeps exactly that copy's pixels (the source's corner
  // and the destination lie alike against the divisor, as for objects placed
  // in cells) it copies whole rows of it; the pixels are those Blit gives.
  void BlitWithShrunkCopy(int32_t x, int32_t y, const TSurface& from, const TSurface& fromShrunk, const TRect& source,
                          bool transparent);
  int32_t ShrinkDivisor() const { return shrink_; }

  // A surface that stands for a band of a taller one, from its row Row down:
  // blits take points of the taller surface and keep what lands in the band,
  // so that a picture too large to hold at once is drawn band by band. Pixel
  // (x, y) holds the taller surface's pixel (x, Row + y), or with a shrink
  // divisor d, (d x, Row + d y). Only Blit knows of the band; everything
  // else works on the pixels as kept.
  void SetFirstRow(int32_t Row) { firstRow_ = Row; }
  int32_t FirstRow() const { return firstRow_; }
  // The same from the left: a window of a larger surface whose pixel (x, y)
  // holds the larger one's (Column + x, Row + y), or with a shrink divisor d
  // (Column + d x, Row + d y), for Column and Row multiples of d. Drawing
  // into a window gives exactly the pixels the larger surface has there.
  void SetFirstColumn(int32_t Column) { firstColumn_ = Column; }
  int32_t FirstColumn() const { return firstColumn_; }

  // Where blits and fills would land (in the coordinates blits take,
  // before any clipping), added up into Reach while it is set; a surface of
  // no pixels with a reach measures what a drawing would touch without
  // drawing it. nullptr stops it.
  void SetReach(TRect* Reach) { reach_ = Reach; }
  // The points (as blits take them) whose drawing this surface keeps: its
  // pixels times the shrink divisor from its first column and row; every
  // point while it records or measures a reach. A drawing of many pieces
  // may leave out the pieces that lie wholly beside it.
  TRect Covered() const;

  // A surface of the given size that holds no pixels: its fills and blits are
  // kept in Record, to be played onto bands of it (DrawingRecord.h). Only
  // Fill, FillRect and Blit may be used on it; it may not be blitted from.
  static TSurface RecordingInto(int32_t width, int32_t height, TDrawingRecord& Record);
  bool IsRecording() const { return record_ != nullptr; }

  // A QImage sharing this surface's memory (Format_RGB16), for QPainter work.
  QImage WrapImage();
  // A copy of the pixels as a 32-bit image.
  QImage ToImage() const;
  // Builds a surface from part of an image, converting to 5-6-5.
  static TSurface FromImage(const QImage& image, const TRect& part);
  // A copy of part of a surface, clipped to it; the key is not copied.
  static TSurface CopyOf(const TSurface& from, const TRect& part);

 private:
  // Leaves new pixels unset instead of zeroing them, for surfaces whose every
  // pixel is written at once; Resize still zeroes explicitly.
  template <typename T>
  struct TUnsetAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
      using other = TUnsetAllocator<U>;
    };
    using std::allocator<T>::allocator;
    template <typename U>
    void construct(U* at) noexcept {
      ::new (static_cast<void*>(at)) U;
    }
    template <typename U, typename... Args>
    void construct(U* at, Args&&... args) {
      ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
  };
  struct TUnset {};
  TSurface(int32_t width, int32_t height, TUnset);

  void ShrunkBlit(int32_t x, int32_t y, const TSurface& from, const TRect& source, bool transparent,
                  const TSurface* fromShrunk = nullptr);
  // A blit's source rectangle clipped to `from`, and the destination corner it
  // lands at, clipped to this surface as `scale` times as large (a band of it
  // from its first row); nothing when nothing is left. In 64 bits, so that no
  // corner however far out wraps round.
  struct TClippedBlit {
    int64_t Left, Top, Right, Bottom;  // in `from`
    int64_t X, Y;                      // in the (scaled) destination
  };
  std::optional<TClippedBlit> ClipBlit(int32_t x, int32_t y, const TSurface& from, const TRect& source,
                                       int64_t scale) const;

  int32_t width_ = 0, height_ = 0;
  int32_t shrink_ = 1;
  int32_t firstRow_ = 0;
  int32_t firstColumn_ = 0;
  TRect* reach_ = nullptr;
  void AddReach(const TRect& Area);
  void AddBlitReach(int32_t x, int32_t y, const TRect& source);
  TDrawingRecord* record_ = nullptr;
  std::vector<uint16_t, TUnsetAllocator<uint16_t>> pixels_;
  bool hasColorKey_ = false;
  uint16_t colorKey_ = 0;
};

}  // namespace kestrilo

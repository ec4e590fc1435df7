#include "platform/Surface.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

#include "platform/DrawingRecord.h"
#include "platform/RowCopier.h"

namespace kestrilo {

namespace {

// A pixel position worked out in 64 bits, brought back into the 32-bit range.
int32_t ClampedPixel(int64_t Value) { return static_cast<int32_t>(std::clamp<int64_t>(Value, INT32_MIN, INT32_MAX)); }

// An 8-bit channel rounded to 5 bits, (v * 31 + 127) / 255, and to 6 bits,
// (v * 63 + 127) / 255, each as one multiply, add and shift whose values stay
// within 16 bits, so that frame cutting, which converts every pixel of every
// picture, converts many pixels per vector instruction.
constexpr uint16_t FiveBits(uint32_t v) { return static_cast<uint16_t>(static_cast<uint16_t>(v * 249 + 1014) >> 11); }
constexpr uint16_t SixBits(uint32_t v) { return static_cast<uint16_t>(static_cast<uint16_t>(v * 253 + 505) >> 10); }

constexpr bool RoundsAsTheFormula() {
  for (uint32_t v = 0; v < 256; ++v)
    if (FiveBits(v) != (v * 31 + 127) / 255 || SixBits(v) != (v * 63 + 127) / 255) return false;
  return true;
}
static_assert(RoundsAsTheFormula());

// The rounded 5-6-5 packing of three 8-bit channels.
constexpr uint16_t PackChannels(uint32_t r, uint32_t g, uint32_t b) {
  return static_cast<uint16_t>((FiveBits(r) << 11) | (SixBits(g) << 5) | FiveBits(b));
}

}  // namespace

uint16_t Rgb565(int r, int g, int b) {
  if ((r | g | b) & ~0xFF) {
    // Outside the 8-bit range: the arithmetic itself, as callers may rely on it.
    const int r5 = (r * 31 + 127) / 255;
    const int g6 = (g * 63 + 127) / 255;
    const int b5 = (b * 31 + 127) / 255;
    return static_cast<uint16_t>((r5 << 11) | (g6 << 5) | b5);
  }
  return PackChannels(static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b));
}

uint16_t ColorToRgb565(uint32_t color) { return Rgb565(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

// The row packers are compiled for several processor generations, the
// widest one the processor has picked when the program starts: the same
// arithmetic, more pixels per instruction.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define KESTRILO_PER_PROCESSOR __attribute__((target_clones("avx2", "arch=x86-64-v2", "default")))
#else
#define KESTRILO_PER_PROCESSOR
#endif

KESTRILO_PER_PROCESSOR void PackRgb32Row(const QRgb* from, uint16_t* to, int32_t count) {
  if constexpr (std::endian::native == std::endian::little) {
    // Byte by byte (blue, green, red, alpha in memory), which vectorises
    // better than shifting whole pixels apart.
    const auto* bytes = reinterpret_cast<const unsigned char*>(from);
    for (int32_t x = 0; x < count; ++x) to[x] = PackChannels(bytes[4 * x + 2], bytes[4 * x + 1], bytes[4 * x]);
  } else {
    for (int32_t x = 0; x < count; ++x) to[x] = PackChannels(qRed(from[x]), qGreen(from[x]), qBlue(from[x]));
  }
}

KESTRILO_PER_PROCESSOR void PackBgr24Row(const uint8_t* from, uint16_t* to, int32_t count) {
  for (int32_t x = 0; x < count; ++x) to[x] = PackChannels(from[3 * x + 2], from[3 * x + 1], from[3 * x]);
}

uint32_t Rgb565ToColor(uint16_t pixel) {
  const int r5 = (pixel >> 11) & 0x1F, g6 = (pixel >> 5) & 0x3F, b5 = pixel & 0x1F;
  const uint32_t r = (r5 * 255 + 15) / 31, g = (g6 * 255 + 31) / 63, b = (b5 * 255 + 15) / 31;
  return r | (g << 8) | (b << 16);
}

TSurface::TSurface(int32_t width, int32_t height) { Resize(width, height); }

TSurface::TSurface(int32_t width, int32_t height, TUnset) : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  pixels_.resize(static_cast<size_t>(width_) * height_);
}

void TSurface::Resize(int32_t width, int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<size_t>(width_) * height_, 0);
}

void TSurface::AddReach(const TRect& Area) { *reach_ = UnionRect(*reach_, Area); }

void TSurface::AddBlitReach(int32_t x, int32_t y, const TRect& source) {
  AddReach({x, y, ClampedPixel(int64_t{x} + source.Right - source.Left),
            ClampedPixel(int64_t{y} + source.Bottom - source.Top)});
}

TRect TSurface::Covered() const {
  if (record_ || reach_) return {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  return {firstColumn_, firstRow_, ClampedPixel(firstColumn_ + int64_t{width_} * shrink_),
          ClampedPixel(firstRow_ + int64_t{height_} * shrink_)};
}

void TSurface::Fill(uint16_t value) {
  if (reach_) AddReach({INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2});
  if (record_) {
    record_->Fill(value);
    return;
  }
  std::fill(pixels_.begin(), pixels_.end(), value);
}

void TSurface::Darken() {
  if (record_) throw std::logic_error("A recording surface cannot be darkened");
  // 5-6-5: each channel shifted down one bit, the bit that crosses into the
  // next channel masked away.
  for (uint16_t& pixel : pixels_) pixel = static_cast<uint16_t>((pixel >> 1) & 0x7BEF);
}

void TSurface::FillRect(const TRect& rect, uint16_t value) {
  if (reach_) {
    const int64_t d = shrink_;
    AddReach({ClampedPixel(rect.Left * d + firstColumn_), ClampedPixel(rect.Top * d + firstRow_),
              ClampedPixel(rect.Right * d + firstColumn_), ClampedPixel(rect.Bottom * d + firstRow_)});
  }
  if (record_) {
    record_->FillRect(rect, value);
    return;
  }
  const int32_t l = std::max(rect.Left, 0), t = std::max(rect.Top, 0);
  const int32_t r = std::min(rect.Right, width_), b = std::min(rect.Bottom, height_);
  // A rectangle wholly beside the surface clips to nothing (its start lies past its end).
  if (l >= r || t >= b) return;
  for (int32_t y = t; y < b; ++y) std::fill(Line(y) + l, Line(y) + r, value);
}

TSurface TSurface::RecordingInto(int32_t width, int32_t height, TDrawingRecord& Record) {
  TSurface surface;
  surface.width_ = std::max(width, 0);
  surface.height_ = std::max(height, 0);
  surface.record_ = &Record;
  return surface;
}

void TSurface::Blit(int32_t x, int32_t y, const TSurface& from, const TRect& source, bool transparent) {
  if (reach_) AddBlitReach(x, y, source);
  if (from.record_) throw std::logic_error("A recording surface holds no pixels to blit from");
  if (record_) {
    record_->Blit(x, y, from, source, transparent);
    return;
  }
  if (shrink_ > 1) {
    ShrunkBlit(x, y, from, source, transparent);
    return;
  }
  const std::optional<TClippedBlit> clipped = ClipBlit(x, y, from, source, 1);
  if (!clipped) return;
  const int64_t sl = clipped->Left, st = clipped->Top, sr = clipped->Right, sb = clipped->Bottom;
  const int64_t dx = clipped->X, dy = clipped->Y;
  const auto w = static_cast<int32_t>(sr - sl), h = static_cast<int32_t>(sb - st);
  const auto left = static_cast<int32_t>(sl), top = static_cast<int32_t>(st);

  // A blit onto an overlapping part of the same surface reads the pixels as
  // they were before it, through a copy of them.
  const TSurface* pixelsFrom = &from;
  TSurface before;
  if (&from == this) {
    before = CopyOf(*this, ClientRect());
    before.hasColorKey_ = hasColorKey_;
    before.colorKey_ = colorKey_;
    pixelsFrom = &before;
  }
  static const TRowCopier& copier = TRowCopier::ForThisProcessor();
  const TPixelRows rows{
      Line(static_cast<int32_t>(dy)) + dx, width_, pixelsFrom->Line(top) + left, pixelsFrom->width_, w, h};
  if (transparent && pixelsFrom->hasColorKey_)
    copier.CopyLeavingOut(rows, pixelsFrom->colorKey_);
  else
    copier.Copy(rows);
}

namespace {

// One row of a shrunk blit: every Step-th source pixel, those equal to the
// key left out when keyed.
template <int Step>
void ShrunkRow(uint16_t* dst, const uint16_t* src, int64_t count, bool keyed, uint16_t key) {
  if (!keyed) {
    for (int64_t i = 0; i < count; ++i) dst[i] = src[i * Step];
    return;
  }
  for (int64_t i = 0; i < count; ++i) {
    const uint16_t p = src[i * Step];
    dst[i] = p == key ? dst[i] : p;
  }
}

}  // namespace

TSurface TSurface::ShrunkCopy(int32_t Divisor) const {
  const int32_t d = std::max(Divisor, 1);
  TSurface copy((width_ + d - 1) / d, (height_ + d - 1) / d, TUnset{});
  for (int32_t y = 0; y < copy.height_; ++y) {
    const uint16_t* src = Line(y * d);
    uint16_t* dst = copy.Line(y);
    for (int32_t x = 0; x < copy.width_; ++x) dst[x] = src[x * d];
  }
  copy.hasColorKey_ = hasColorKey_;
  copy.colorKey_ = colorKey_;
  return copy;
}

void TSurface::BlitWithShrunkCopy(int32_t x, int32_t y, const TSurface& from, const TSurface& fromShrunk,
                                  const TRect& source, bool transparent) {
  if (shrink_ > 1 && &from != this) {
    if (reach_) AddBlitReach(x, y, source);
    ShrunkBlit(x, y, from, source, transparent, &fromShrunk);
    return;
  }
  Blit(x, y, from, source, transparent);
}

std::optional<TSurface::TClippedBlit> TSurface::ClipBlit(int32_t x, int32_t y, const TSurface& from,
                                                         const TRect& source, int64_t scale) const {
  // The source is clipped to its own surface first, shifting the destination
  // with it, then to the destination.
  int64_t sl = source.Left, st = source.Top, sr = source.Right, sb = source.Bottom;
  int64_t dx = static_cast<int64_t>(x) - firstColumn_, dy = static_cast<int64_t>(y) - firstRow_;
  if (sl < 0) {
    dx -= sl;
    sl = 0;
  }
  if (st < 0) {
    dy -= st;
    st = 0;
  }
  sr = std::min<int64_t>(sr, from.width_);
  sb = std::min<int64_t>(sb, from.height_);
  if (dx < 0) {
    sl -= dx;
    dx = 0;
  }
  if (dy < 0) {
    st -= dy;
    dy = 0;
  }
  sr = std::min<int64_t>(sr, sl + (width_ * scale - dx));
  sb = std::min<int64_t>(sb, st + (height_ * scale - dy));
  if (sr - sl <= 0 || sb - st <= 0) return std::nullopt;
  return TClippedBlit{sl, st, sr, sb, dx, dy};
}

void TSurface::ShrunkBlit(int32_t x, int32_t y, const TSurface& from, const TRect& source, bool transparent,
                          const TSurface* fromShrunk) {
  const int64_t d = shrink_;
  // Clipped as Blit clips, against the larger surface (a band of it from its first row).
  const std::optional<TClippedBlit> clipped = ClipBlit(x, y, from, source, d);
  if (!clipped) return;
  const int64_t sl = clipped->Left, st = clipped->Top, sr = clipped->Right, sb = clipped->Bottom;
  const int64_t dx = clipped->X, dy = clipped->Y;
  // The kept pixels inside the destination: the first multiple of d at or
  // after its corner, up to its far edge.
  const int64_t firstX = (dx + d - 1) / d, lastX = (dx + (sr - sl) - 1) / d;
  const int64_t firstY = (dy + d - 1) / d, lastY = (dy + (sb - st) - 1) / d;
  const bool keyed = transparent && from.hasColorKey_;
  const uint16_t key = from.colorKey_;
  const int64_t count = lastX - firstX + 1;
  if (fromShrunk && (sl - dx) % d == 0 && (st - dy) % d == 0 && count > 0 && lastY >= firstY) {
    // The kept pixels are those of the shrunk copy: source pixel sl + c * d - dx
    // of destination column c is the copy's pixel (sl - dx) / d + c.
    static const TRowCopier& copier = TRowCopier::ForThisProcessor();
    const TPixelRows rows{Line(static_cast<int32_t>(firstY)) + firstX,
                          width_,
                          fromShrunk->Line(static_cast<int32_t>((st - dy) / d + firstY)) + (sl - dx) / d + firstX,
                          fromShrunk->width_,
                          static_cast<int32_t>(count),
                          static_cast<int32_t>(lastY - firstY + 1)};
    if (keyed)
      copier.CopyLeavingOut(rows, key);
    else
      copier.Copy(rows);
    return;
  }
  for (int64_t row = firstY; row <= lastY; ++row) {
    const uint16_t* src = from.Line(static_cast<int32_t>(st + row * d - dy)) + (sl + firstX * d - dx);
    uint16_t* dst = Line(static_cast<int32_t>(row)) + firstX;
    // The zoomed-out views' divisors get loops of their own, whose fixed
    // stride and branch-free blend the compiler turns into vector code.
    if (d == 2)
      ShrunkRow<2>(dst, src, count, keyed, key);
    else if (d == 4)
      ShrunkRow<4>(dst, src, count, keyed, key);
    else
      for (int64_t i = 0; i < count; ++i)
        if (!keyed || src[i * d] != key) dst[i] = src[i * d];
  }
}

QImage TSurface::WrapImage() {
  if (pixels_.empty()) return QImage();
  return QImage(reinterpret_cast<uchar*>(pixels_.data()), width_, height_, width_ * 2, QImage::Format_RGB16);
}

QImage TSurface::ToImage() const {
  QImage out(width_, height_, QImage::Format_RGB32);
  for (int32_t y = 0; y < height_; ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int32_t x = 0; x < width_; ++x) {
      const uint32_t c = Rgb565ToColor(Pixel(x, y));
      line[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    }
  }
  return out;
}

TSurface TSurface::FromImage(const QImage& image, const TRect& part) {
  const QImage src = image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32
                         ? image
                         : image.convertToFormat(QImage::Format_ARGB32);
  const int32_t l = std::max(part.Left, 0), t = std::max(part.Top, 0);
  const int32_t r = std::min(part.Right, src.width()), b = std::min(part.Bottom, src.height());
  // Every pixel is written below.
  TSurface out(r - l, b - t, TUnset{});
  for (int32_t y = t; y < b; ++y)
    PackRgb32Row(reinterpret_cast<const QRgb*>(src.constScanLine(y)) + l, out.Line(y - t), r - l);
  return out;
}

TSurface TSurface::CopyOf(const TSurface& from, const TRect& part) {
  const int32_t l = std::max(part.Left, 0), t = std::max(part.Top, 0);
  const int32_t r = std::min(part.Right, from.width_), b = std::min(part.Bottom, from.height_);
  TSurface out(r - l, b - t, TUnset{});
  if (out.width_ == 0) return out;
  for (int32_t y = 0; y < out.height_; ++y)
    std::memcpy(out.Line(y), from.Line(t + y) + l, static_cast<size_t>(out.width_) * sizeof(uint16_t));
  return out;
}

}  // namespace kestrilo

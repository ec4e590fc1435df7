#include "platform/Surface.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kestrilo {

namespace {

// An 8-bit channel scaled to `levels` - 1, rounded; tabled because frame
// cutting converts every pixel of every picture.
template <int Levels>
constexpr std::array<uint8_t, 256> ChannelTable() {
  std::array<uint8_t, 256> table{};
  for (int v = 0; v < 256; ++v) table[static_cast<size_t>(v)] = static_cast<uint8_t>((v * (Levels - 1) + 127) / 255);
  return table;
}

constexpr std::array<uint8_t, 256> kTo5 = ChannelTable<32>();
constexpr std::array<uint8_t, 256> kTo6 = ChannelTable<64>();

}  // namespace

uint16_t Rgb565(int r, int g, int b) {
  if ((r | g | b) & ~0xFF) {
    // Outside the 8-bit range: the arithmetic itself, as callers may rely on it.
    const int r5 = (r * 31 + 127) / 255;
    const int g6 = (g * 63 + 127) / 255;
    const int b5 = (b * 31 + 127) / 255;
    return static_cast<uint16_t>((r5 << 11) | (g6 << 5) | b5);
  }
  return static_cast<uint16_t>((kTo5[static_cast<size_t>(r)] << 11) | (kTo6[static_cast<size_t>(g)] << 5) |
                               kTo5[static_cast<size_t>(b)]);
}

uint16_t ColorToRgb565(uint32_t color) {
  return Rgb565(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

uint32_t Rgb565ToColor(uint16_t pixel) {
  const int r5 = (pixel >> 11) & 0x1F, g6 = (pixel >> 5) & 0x3F, b5 = pixel & 0x1F;
  const uint32_t r = (r5 * 255 + 15) / 31, g = (g6 * 255 + 31) / 63, b = (b5 * 255 + 15) / 31;
  return r | (g << 8) | (b << 16);
}

TSurface::TSurface(int32_t width, int32_t height) { Resize(width, height); }

void TSurface::Resize(int32_t width, int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<size_t>(width_) * height_, 0);
}

void TSurface::Fill(uint16_t value) { std::fill(pixels_.begin(), pixels_.end(), value); }

void TSurface::FillRect(const TRect& rect, uint16_t value) {
  const int32_t l = std::max(rect.Left, 0), t = std::max(rect.Top, 0);
  const int32_t r = std::min(rect.Right, width_), b = std::min(rect.Bottom, height_);
  for (int32_t y = t; y < b; ++y) std::fill(Line(y) + l, Line(y) + r, value);
}

void TSurface::Blit(int32_t x, int32_t y, const TSurface& from, const TRect& source, bool transparent) {
  // Clip the source to its own surface first, shifting the destination with it.
  int32_t sl = source.Left, st = source.Top, sr = source.Right, sb = source.Bottom;
  if (sl < 0) { x -= sl; sl = 0; }
  if (st < 0) { y -= st; st = 0; }
  sr = std::min(sr, from.width_);
  sb = std::min(sb, from.height_);
  // Then to the destination.
  if (x < 0) { sl -= x; x = 0; }
  if (y < 0) { st -= y; y = 0; }
  sr = std::min(sr, sl + (width_ - x));
  sb = std::min(sb, st + (height_ - y));
  const int32_t w = sr - sl, h = sb - st;
  if (w <= 0 || h <= 0) return;

  if (!transparent || !from.hasColorKey_) {
    for (int32_t row = 0; row < h; ++row)
      std::memcpy(Line(y + row) + x, from.Line(st + row) + sl, static_cast<size_t>(w) * sizeof(uint16_t));
    return;
  }
  const uint16_t key = from.colorKey_;
  for (int32_t row = 0; row < h; ++row) {
    const uint16_t* src = from.Line(st + row) + sl;
    uint16_t* dst = Line(y + row) + x;
    for (int32_t i = 0; i < w; ++i) {
      const uint16_t p = src[i];
      dst[i] = (p == key) ? dst[i] : p;
    }
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
  TSurface out(std::max(r - l, 0), std::max(b - t, 0));
  for (int32_t y = t; y < b; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    uint16_t* dst = out.Line(y - t);
    // The rounding of Rgb565 in arithmetic the compiler can vectorise: for
    // v below 65535, v / 255 == (v + 1 + (v >> 8)) >> 8.
    for (int32_t x = l; x < r; ++x) {
      const uint32_t p = line[x];
      const uint32_t rv = ((p >> 16) & 0xFF) * 31 + 127, gv = ((p >> 8) & 0xFF) * 63 + 127, bv = (p & 0xFF) * 31 + 127;
      dst[x - l] = static_cast<uint16_t>((((rv + 1 + (rv >> 8)) >> 8) << 11) | (((gv + 1 + (gv >> 8)) >> 8) << 5) |
                                         ((bv + 1 + (bv >> 8)) >> 8));
    }
  }
  return out;
}

}  // namespace kestrilo

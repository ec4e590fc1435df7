#include "PixelArt.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kestrilo::sample {

QRgb Shade(QRgb color, int delta) {
  auto channel = [delta](int v) { return std::clamp(v + delta, 0, 255); };
  return qRgb(channel(qRed(color)), channel(qGreen(color)), channel(qBlue(color)));
}

int Noise(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<int>((h ^ (h >> 16)) & 0xFF);
}

TPixelArt::TPixelArt(int width, int height, QRgb background) : image_(width, height, QImage::Format_RGB32) {
  image_.fill(background);
}

QRgb TPixelArt::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return kKey;
  return image_.pixel(x, y) | 0xFF000000u;
}

void TPixelArt::Pixel(int x, int y, QRgb color) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
  image_.setPixel(x, y, color | 0xFF000000u);
}

void TPixelArt::Fill(int x, int y, int width, int height, QRgb color) {
  for (int j = y; j < y + height; ++j)
    for (int i = x; i < x + width; ++i) Pixel(i, j, color);
}

void TPixelArt::Frame(int x, int y, int width, int height, QRgb color) {
  Fill(x, y, width, 1, color);
  Fill(x, y + height - 1, width, 1, color);
  Fill(x, y, 1, height, color);
  Fill(x + width - 1, y, 1, height, color);
}

void TPixelArt::Line(int x0, int y0, int x1, int y1, QRgb color) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (true) {
    Pixel(x0, y0, color);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void TPixelArt::Disc(double cx, double cy, double radius, QRgb color) { Ellipse(cx, cy, radius, radius, color); }

void TPixelArt::Ellipse(double cx, double cy, double rx, double ry, QRgb color) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
      const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
      if (u * u + v * v <= 1.0) Pixel(x, y, color);
    }
}

void TPixelArt::Outline(QRgb color) {
  const TPixelArt before = *this;
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x) {
      if (before.At(x, y) != kKey) continue;
      const bool nextToDrawn = before.At(x - 1, y) != kKey || before.At(x + 1, y) != kKey ||
                               before.At(x, y - 1) != kKey || before.At(x, y + 1) != kKey;
      if (nextToDrawn) Pixel(x, y, color);
    }
}

void TPixelArt::Place(const TPixelArt& part, int x, int y) {
  for (int j = 0; j < part.Height(); ++j)
    for (int i = 0; i < part.Width(); ++i) Pixel(x + i, y + j, part.At(i, j));
}

TPixelArt TPixelArt::Mirrored() const {
  TPixelArt mirrored(Width(), Height());
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x) mirrored.Pixel(Width() - 1 - x, y, At(x, y));
  return mirrored;
}

}  // namespace kestrilo::sample

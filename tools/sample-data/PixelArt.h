// A small pixel-art canvas over a QImage: filled rectangles, discs, lines,
// outlines and a deterministic texture noise. Every sample picture is drawn
// with it, pixel by pixel, so the same code always gives the same bytes.
#pragma once

#include <QImage>
#include <cstdint>

namespace kestrilo::sample {

// The colour key of every transparent sample picture (magenta, far from any
// colour the pictures use, also after the display's 5-6-5 rounding).
constexpr QRgb kKey = 0xFFFF00FF;
// The same key as a stored colour value (0x00BBGGRR).
constexpr uint32_t kKeyColorValue = 0x00FF00FF;

// A colour made lighter (positive) or darker (negative) by `delta` per channel.
QRgb Shade(QRgb color, int delta);
// A repeatable pseudo-random value 0..255 for a pixel and a seed (texture only).
int Noise(int x, int y, int seed);

class TPixelArt {
 public:
  TPixelArt(int width, int height, QRgb background = kKey);

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  const QImage& Image() const { return image_; }
  QRgb At(int x, int y) const;

  // Every drawing call clips to the canvas.
  void Pixel(int x, int y, QRgb color);
  void Fill(int x, int y, int width, int height, QRgb color);
  void Frame(int x, int y, int width, int height, QRgb color);
  void Line(int x0, int y0, int x1, int y1, QRgb color);
  void Disc(double cx, double cy, double radius, QRgb color);
  void Ellipse(double cx, double cy, double rx, double ry, QRgb color);
  // A one-pixel border in `color` around every drawn (non-key) pixel, on key pixels.
  void Outline(QRgb color);
  // Copies `part` with its top-left corner at (x, y), key pixels included.
  void Place(const TPixelArt& part, int x, int y);
  // Left-right mirror image.
  TPixelArt Mirrored() const;

 private:
  QImage image_;
};

}  // namespace kestrilo::sample

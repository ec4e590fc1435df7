// Pictures for drawing tests: a 24-bit bitmap file written byte by byte from
// a pixel function, loaded into a picture item of a collection bound to a
// display that reports itself initialised, and cut into frames.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "library/PictureCollection.h"
#include "platform/Display.h"

namespace kestrilo::test {

class TReadyDisplay : public TDisplay {
 public:
  bool Initialized() const override { return true; }
};

// 0x00BBGGRR colour of pixel (x, y).
using TPixelFunction = std::function<uint32_t(int32_t x, int32_t y)>;

inline void PutLE(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A whole .bmp file, 24 bits per pixel, rows stored bottom-up and padded to 4 bytes.
inline std::string BitmapFile(int32_t width, int32_t height, const TPixelFunction& pixel) {
  const uint32_t rowSize = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t imageSize = rowSize * static_cast<uint32_t>(height);
  std::string out;
  out += "BM";
  PutLE(out, 14 + 40 + imageSize, 4);
  PutLE(out, 0, 4);
  PutLE(out, 14 + 40, 4);
  PutLE(out, 40, 4);
  PutLE(out, static_cast<uint32_t>(width), 4);
  PutLE(out, static_cast<uint32_t>(height), 4);
  PutLE(out, 1, 2);
  PutLE(out, 24, 2);
  PutLE(out, 0, 4);
  PutLE(out, imageSize, 4);
  PutLE(out, 2835, 4);
  PutLE(out, 2835, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  for (int32_t y = height - 1; y >= 0; --y) {
    std::string row;
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t c = pixel(x, y);
      row.push_back(static_cast<char>((c >> 16) & 0xFF));  // blue
      row.push_back(static_cast<char>((c >> 8) & 0xFF));   // green
      row.push_back(static_cast<char>(c & 0xFF));          // red
    }
    row.resize(rowSize, '\0');
    out += row;
  }
  return out;
}

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint16_t kRed565 = 0xF800;
constexpr uint16_t kBlue565 = 0x001F;
constexpr uint16_t kGreen565 = 0x07E0;
constexpr uint16_t kWhite565 = 0xFFFF;

// One collection holding the pictures of a test, bound and cut.
class TPictureFixture {
 public:
  TPictureFixture() { collection_.Initialize(&display_); }

  TPictureCollectionItem* Add(int32_t width, int32_t height, int32_t patternWidth, int32_t patternHeight,
                              const TPixelFunction& pixel) {
    TPictureCollectionItem* item = collection_.Add();
    item->Picture.LoadFromData(TPicture::kBitmap, BitmapFile(width, height, pixel));
    item->PatternWidth = patternWidth;
    item->PatternHeight = patternHeight;
    item->Restore();
    return item;
  }

  TPictureCollection& Collection() { return collection_; }

 private:
  TReadyDisplay display_;
  TPictureCollection collection_;
};

}  // namespace kestrilo::test

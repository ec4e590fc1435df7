// Helpers for the picture tests: bitmaps built byte by byte, a display whose
// state the test sets, and a scratch folder.
#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

#include "platform/BinaryIO.h"
#include "platform/Display.h"

namespace kestrilo::picturetest {

class TTestDisplay : public TDisplay {
 public:
  bool Up = true;
  bool Initialized() const override { return Up; }
};

class TScratch {
 public:
  std::string Path(const std::string& name) const {
    return QDir(dir_.path()).filePath(QString::fromStdString(name)).toStdString();
  }

 private:
  QTemporaryDir dir_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The 40-byte info header of a 24-bit bitmap with this much pixel data.
inline void InfoHeader24(TByteWriter& w, int32_t width, int32_t height, uint32_t pixelBytes) {
  w.U32(40);
  w.I32(width);
  w.I32(height);
  w.U16(1);
  w.U16(24);
  w.U32(0);
  w.U32(pixelBytes);
  w.I32(2835);
  w.I32(2835);
  w.U32(0);
  w.U32(0);
}

// The packed form: a 40-byte info header and 24-bit bottom-up rows.
inline std::string PackedDib24(int32_t width, int32_t height, const std::function<uint32_t(int, int)>& colorAt) {
  const uint32_t rowSize = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  TByteWriter w;
  InfoHeader24(w, width, height, rowSize * static_cast<uint32_t>(height));
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colorAt(x, y);  // 0x00BBGGRR, stored blue first
      w.U8((c >> 16) & 0xFF);
      w.U8((c >> 8) & 0xFF);
      w.U8(c & 0xFF);
    }
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowSize; ++pad) w.U8(0);
  }
  return w.Data();
}

// A whole .bmp file: the 14-byte file header in front of the packed form.
inline std::string Bitmap24(int32_t width, int32_t height, const std::function<uint32_t(int, int)>& colorAt) {
  const std::string packed = PackedDib24(width, height, colorAt);
  TByteWriter w;
  w.Bytes("BM");
  w.U32(static_cast<uint32_t>(14 + packed.size()));
  w.U32(0);
  w.U32(14 + 40);
  w.Bytes(packed);
  return w.Data();
}

inline std::string SolidBitmap24(int32_t width, int32_t height, uint32_t color) {
  return Bitmap24(width, height, [color](int, int) { return color; });
}

// An 8-bit run-length-compressed bitmap of `width` x 2 pixels: a run of each
// palette colour per row.
inline std::string Rle8Bitmap(uint8_t width) {
  TByteWriter pixels;
  pixels.U8(width);
  pixels.U8(1);  // row 0 (bottom): colour 1
  pixels.U8(0);
  pixels.U8(0);  // end of line
  pixels.U8(width);
  pixels.U8(2);  // row 1: colour 2
  pixels.U8(0);
  pixels.U8(1);  // end of bitmap
  const std::string data = pixels.Data();
  TByteWriter w;
  w.Bytes("BM");
  w.U32(static_cast<uint32_t>(14 + 40 + 3 * 4 + data.size()));
  w.U32(0);
  w.U32(14 + 40 + 3 * 4);
  w.U32(40);
  w.I32(width);
  w.I32(2);
  w.U16(1);
  w.U16(8);
  w.U32(1);  // BI_RLE8
  w.U32(static_cast<uint32_t>(data.size()));
  w.I32(0);
  w.I32(0);
  w.U32(3);  // colours used
  w.U32(0);
  w.U32(0x00000000);  // palette as RGBQUAD (blue, green, red, 0)
  w.U32(0x000000FF);  // blue
  w.U32(0x00FF0000);  // red
  w.Bytes(data);
  return w.Data();
}

}  // namespace kestrilo::picturetest

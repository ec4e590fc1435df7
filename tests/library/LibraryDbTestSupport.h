// Helpers for the object and monster database tests: a scratch folder and
// small bitmap files written byte by byte.
#pragma once

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <fstream>
#include <string>

#include "platform/BinaryIO.h"

namespace kestrilo::testing {

class TScratchFolder {
 public:
  TScratchFolder() { dir_.setAutoRemove(true); }
  std::string Path(const std::string& name) const {
    return QDir(dir_.path()).filePath(QString::fromStdString(name)).toStdString();
  }
  std::string Root() const { return dir_.path().toStdString(); }

 private:
  QTemporaryDir dir_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A 24-bit bottom-up Windows bitmap file filled with one colour (0x00BBGGRR).
inline std::string SolidBitmap(int32_t width, int32_t height, uint32_t color) {
  const uint32_t rowSize = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t pixelBytes = rowSize * static_cast<uint32_t>(height);
  TByteWriter w;
  w.Bytes("BM");
  w.U32(14 + 40 + pixelBytes);
  w.U32(0);
  w.U32(14 + 40);
  w.U32(40);
  w.I32(width);
  w.I32(height);
  w.U16(1);
  w.U16(24);
  w.U32(0);  // BI_RGB
  w.U32(pixelBytes);
  w.I32(2835);
  w.I32(2835);
  w.U32(0);
  w.U32(0);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      w.U8((color >> 16) & 0xFF);  // blue
      w.U8((color >> 8) & 0xFF);   // green
      w.U8(color & 0xFF);          // red
    }
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowSize; ++pad) w.U8(0);
  }
  return w.Data();
}

inline std::string WriteSolidBitmap(const TScratchFolder& folder, const std::string& name, int32_t width,
                                    int32_t height, uint32_t color = 0x0000FF) {
  const std::string path = folder.Path(name);
  WriteBytes(path, SolidBitmap(width, height, color));
  return path;
}

constexpr QRgb kMagentaPixel = 0xFFFF00FF;

// 4 x 3: the left column fully transparent, (1, 0) at alpha 127 (below one
// half), (2, 0) at alpha 128, the rest opaque in colours of their own.
inline QImage PictureWithAlpha(QRgb opaqueColour = qRgba(10, 200, 30, 255)) {
  QImage image(4, 3, QImage::Format_ARGB32);
  image.fill(opaqueColour);
  for (int y = 0; y < 3; ++y) image.setPixel(0, y, qRgba(40, 50, 60, 0));
  image.setPixel(1, 0, qRgba(1, 2, 3, 127));
  image.setPixel(2, 0, qRgba(200, 100, 50, 128));
  return image;
}

// Writes the image as a PNG file of the folder; an empty path when it could not.
inline std::string SavePng(const TScratchFolder& folder, const std::string& name, const QImage& image) {
  const std::string path = folder.Path(name);
  return image.save(QString::fromStdString(path), "PNG") ? path : std::string();
}

}  // namespace kestrilo::testing

// An image of any format read row by row as straight (not premultiplied)
// ARGB32, converting a band of rows at a time: a large picture is read with
// about a megabyte of memory besides its own instead of a whole converted
// copy. Images already in 32-bit RGB or straight ARGB are read in place.
#pragma once

#include <QImage>

#include <cstdint>

namespace kestrilo {

class TArgbRowReader {
 public:
  // The image must outlive the reader and stay unchanged while it reads.
  explicit TArgbRowReader(const QImage& image);

  // Row y (0 <= y < height) as width pixels; valid until the next call.
  // Rows may be asked for in any order; asking in order, up or down, converts
  // each band once.
  const QRgb* Row(int32_t y);

 private:
  const QImage& image_;
  bool inPlace_;
  int32_t bandRows_;
  int32_t bandStart_ = -1;
  QImage band_;
};

}  // namespace kestrilo

#include "BitmapWriter.h"

#include "platform/BinaryIO.h"

namespace kestrilo::sample {

std::string EncodeBitmap24(const QImage& image) {
  constexpr uint32_t kFileHeaderSize = 14, kInfoHeaderSize = 40;
  constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch
  const int32_t width = image.width(), height = image.height();
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
  const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);

  TByteWriter out;
  out.Bytes("BM");
  out.U32(kFileHeaderSize + kInfoHeaderSize + pixelBytes);
  out.U32(0);  // reserved
  out.U32(kFileHeaderSize + kInfoHeaderSize);
  out.U32(kInfoHeaderSize);
  out.I32(width);
  out.I32(height);  // positive: rows stored bottom-up
  out.U16(1);       // planes
  out.U16(24);      // bits per pixel
  out.U32(0);       // BI_RGB
  out.U32(pixelBytes);
  out.I32(kPixelsPerMetre);
  out.I32(kPixelsPerMetre);
  out.U32(0);  // colours used
  out.U32(0);  // important colours
  for (int32_t y = height - 1; y >= 0; --y) {
    for (int32_t x = 0; x < width; ++x) {
      const QRgb pixel = image.pixel(x, y);
      out.U8(static_cast<uint8_t>(qBlue(pixel)));
      out.U8(static_cast<uint8_t>(qGreen(pixel)));
      out.U8(static_cast<uint8_t>(qRed(pixel)));
    }
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowBytes; ++pad) out.U8(0);
  }
  return out.Data();
}

}  // namespace kestrilo::sample

// Decoding of Windows bitmaps: whole .bmp files and the packed device-independent
// form (info header, colour table and pixels with no file header in front).
#pragma once

#include <QImage>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Surface.h"

namespace kestrilo {

// A whole .bmp file (file header + info header + colour table + pixels) to a
// 32-bit image (Format_RGB32, or Format_ARGB32 where the file carries alpha).
// Throws EInvalidGraphic("Bitmap image is not valid") for anything it cannot read.
QImage DecodeBitmap(std::string_view fileBytes);

// A packed device-independent bitmap (info header + colour table + pixels) to a
// 32-bit image. Throws EInvalidGraphic("DIB is invalid") for anything it cannot read.
QImage DecodeDib(std::string_view packedBytes);

// The same pictures straight into the 5-6-5 form that frames are cut from,
// pixel for pixel what converting the decoded image would give, without the
// 32-bit image in between. Everything the image decoders refuse, these refuse
// with the same message.
TSurface DecodeBitmapToSurface(std::string_view fileBytes);
TSurface DecodeDibToSurface(std::string_view packedBytes);

// The width and height a bitmap's or packed DIB's header states, and so the
// pixels, read without decoding anything, so that a reader can refuse a
// picture before making room for it; 0 x 0 when the header cannot be read
// (decoding then refuses the picture).
struct TPictureSize {
  uint64_t Width = 0, Height = 0;
  uint64_t Pixels() const { return Width * Height; }
};
TPictureSize BitmapSize(std::string_view fileBytes);
TPictureSize DibSize(std::string_view packedBytes);
uint64_t BitmapPixelCount(std::string_view fileBytes);
uint64_t DibPixelCount(std::string_view packedBytes);

// The bytes of a 24-bit .bmp file of this size, as EncodeBitmap24 writes it.
uint64_t Bitmap24FileSize(uint64_t width, uint64_t height);

// Changes a row of straight ARGB32 pixels before it is written.
using TRowFilter = std::function<void(QRgb* row, int32_t width)>;

// A picture of any format as a whole 24-bit .bmp file: file header, 40-byte
// info header, rows bottom-up padded to 4 bytes, no colour table. Only the
// RGB of each pixel is kept, after the filter, if any, has seen its row. The
// image is read a band of rows at a time, never copied whole.
std::string EncodeBitmap24(const QImage& image, const TRowFilter& filter = {});

}  // namespace kestrilo

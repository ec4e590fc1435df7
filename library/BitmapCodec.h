// Decoding of Windows bitmaps: whole .bmp files and the packed device-independent
// form (info header, colour table and pixels with no file header in front).
#pragma once

#include <QImage>

#include <cstdint>
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

// The pixels a bitmap's or packed DIB's header states, read without decoding
// anything, so that a reader can refuse a picture before making room for it;
// 0 when the header cannot be read (decoding then refuses the picture).
uint64_t BitmapPixelCount(std::string_view fileBytes);
uint64_t DibPixelCount(std::string_view packedBytes);

// A picture as a whole 24-bit .bmp file: file header, 40-byte info header,
// rows bottom-up padded to 4 bytes, no colour table. Only the RGB of each
// pixel is kept.
std::string EncodeBitmap24(const QImage& image);

}  // namespace kestrilo

// Decoding of Windows bitmaps: whole .bmp files and the packed device-independent
// form (info header, colour table and pixels with no file header in front).
#pragma once

#include <QImage>

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

}  // namespace kestrilo

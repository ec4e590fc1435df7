// Encodes a picture as the bytes of a 24-bit Windows bitmap file (.bmp), the
// form in which the editor takes pictures into its library.
#pragma once

#include <QImage>
#include <string>

namespace kestrilo::sample {

// File header, 40-byte info header, rows bottom-up padded to 4 bytes, no
// colour table. Only the RGB of each pixel is kept.
std::string EncodeBitmap24(const QImage& image);

}  // namespace kestrilo::sample

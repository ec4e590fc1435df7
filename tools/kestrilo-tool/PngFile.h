// Pictures the tool writes: PNG files, written whole or not at all.
#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <string>

namespace kestrilo {
class TSurface;
}

namespace kestrilo::tool {

// Writes the image as a PNG file; an existing file is replaced only once the
// new one is complete. Throws "Cannot create file %s" on failure.
void SavePng(const QImage& image, const std::string& path);

// Writes a picture of Width x Height pixels that Draw draws onto a surface
// that keeps what is drawn instead of its pixels (TDrawingRecord), as a PNG
// file of 8-bit RGB (TPngEncoder): the drawing is played band by band, and the
// bands are compressed on threads while the next is played, so that the
// picture is never whole in memory. Written whole or not at all; throws
// "Cannot create file %s" on failure.
void SavePngInBands(int32_t Width, int32_t Height, const std::function<void(TSurface& Picture)>& Draw,
                    const std::string& path);

}  // namespace kestrilo::tool

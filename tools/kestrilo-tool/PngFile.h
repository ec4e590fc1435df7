// Pictures the tool writes: PNG files, written whole or not at all.
#pragma once

#include <QImage>
#include <string>

namespace kestrilo::tool {

// Writes the image as a PNG file; an existing file is replaced only once the
// new one is complete. Throws "Cannot create file %s" on failure.
void SavePng(const QImage& image, const std::string& path);

}  // namespace kestrilo::tool

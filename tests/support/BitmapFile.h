// Small picture files for tests that need a real .bmp on disk or in memory.
// Header-only, so any test executable may use it without linking more.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace kestrilo::testsupport {

// A whole 24-bit bottom-up .bmp file of one colour; `rgb` is 0xRRGGBB, so its
// low byte is the blue one, stored first in every pixel.
inline std::string SolidBitmap(int32_t width, int32_t height, uint32_t rgb = 0x3366CC) {
  const int32_t rowBytes = (width * 3 + 3) / 4 * 4;
  const int32_t pixelBytes = rowBytes * height;
  std::string bytes = "BM";
  auto put16 = [&bytes](uint32_t v) {
    bytes.push_back(char(v & 0xFF));
    bytes.push_back(char(v >> 8 & 0xFF));
  };
  auto put32 = [&](uint32_t v) {
    put16(v & 0xFFFF);
    put16(v >> 16);
  };
  put32(14 + 40 + pixelBytes);
  put32(0);
  put32(14 + 40);
  put32(40);
  put32(static_cast<uint32_t>(width));
  put32(static_cast<uint32_t>(height));
  put16(1);
  put16(24);
  put32(0);
  put32(static_cast<uint32_t>(pixelBytes));
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      bytes.push_back(char(rgb & 0xFF));
      bytes.push_back(char(rgb >> 8 & 0xFF));
      bytes.push_back(char(rgb >> 16 & 0xFF));
    }
    bytes.append(static_cast<size_t>(rowBytes - width * 3), '\0');
  }
  return bytes;
}

// Replaces the file at `path` with exactly these bytes.
inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace kestrilo::testsupport

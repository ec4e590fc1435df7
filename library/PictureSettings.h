// How a new library entry's picture is cut and keyed; passed with the record
// when an object is added, never stored on its own.
#pragma once

#include <cstdint>

namespace kestrilo {

struct TPictureSettings {
  // The colour value that means "no colour".
  static constexpr uint32_t kNoColor = 0x1FFFFFFF;

  int32_t PatternWidth = 0;   // 0 = the whole picture width
  int32_t PatternHeight = 0;  // 0 = the whole picture height
  bool Transparent = false;
  uint32_t TransparentColor = kNoColor;  // 0x00BBGGRR

  bool operator==(const TPictureSettings&) const = default;
};

}  // namespace kestrilo

// Colours of the overview map (0x00BBGGRR). On the main plane each object
// kind has its colour; a kind without one (the dynamic objects and any
// unknown code) takes the colour of the square drawn before it.
#pragma once

#include <cstdint>
#include <optional>

namespace kestrilo {

class TMiniMapPalette {
 public:
  static constexpr uint32_t kEmpty = 0x808080;          // grey
  static constexpr uint32_t kBackPlaneObject = 0x00FFFF;  // yellow

  // Colour of a main-plane kind, or nothing when the kind has none. The
  // constants of the med kits, traps and player carry a top byte; only their
  // low 24 bits (red, green, blue) are drawn.
  static std::optional<uint32_t> KindColor(int8_t Kind) {
    switch (Kind) {
      case -1: return kEmpty;
      case 0: return 0xFF0000;                  // wall: blue
      case 1: return 0x008000;                  // lift: green
      case 2: return 0x0000FF;                  // key: red
      case 3: return 0x00FFFF;                  // door: yellow
      case 4: return 12321123;                  // background piece
      case 5: return 100100;                    // monster
      case 6: return 100000000 & 0xFFFFFF;      // med kit
      case 7: return 100;                       // ammunition
      case 8: return 50050050 & 0xFFFFFF;       // trap
      case 9: return 21012057 & 0xFFFFFF;       // player
      default: return std::nullopt;
    }
  }

  // Colour of a back-plane entry: yellow when it names an object.
  static uint32_t BackPlaneColor(int32_t Entry) { return Entry > 0 ? kBackPlaneObject : kEmpty; }
};

}  // namespace kestrilo

// Colours of the overview map (0x00BBGGRR). On the main plane each object
// kind has its colour; a kind without one (the dynamic objects and any
// unknown code) takes the colour of the square drawn before it.
#pragma once

#include <cstdint>
#include <optional>

#include "library/ObjectRecord.h"
#include "matrix/MatrixCell.h"

namespace kestrilo {

class TMiniMapPalette {
 public:
  static constexpr uint32_t kEmpty = 0x808080;            // grey
  static constexpr uint32_t kBackPlaneObject = 0x00FFFF;  // yellow

  // Colour of a main-plane kind, or nothing when the kind has none. The
  // constants of the med kits, traps and player carry a top byte; only their
  // low 24 bits (red, green, blue) are drawn.
  static std::optional<uint32_t> KindColor(int8_t Kind) {
    if (Kind == TMatrixCell::kNoKind) return kEmpty;
    switch (static_cast<TObjectType>(static_cast<uint8_t>(Kind))) {
      case otWall: return 0xFF0000;  // blue
      case otLift: return 0x008000;  // green
      case otKey: return 0x0000FF;   // red
      case otDoor: return 0x00FFFF;  // yellow
      case otBackground: return 12321123;
      case otMonster: return 100100;
      case otMedKit: return 100000000 & 0xFFFFFF;
      case otAmmo: return 100;
      case otTrap: return 50050050 & 0xFFFFFF;
      case otPlayer: return 21012057 & 0xFFFFFF;
      default: return std::nullopt;
    }
  }

  // Colour of a back-plane entry: yellow when it names an object.
  static uint32_t BackPlaneColor(int32_t Entry) { return Entry > 0 ? kBackPlaneObject : kEmpty; }
};

}  // namespace kestrilo

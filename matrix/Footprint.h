// The footprint of an object on the main plane: the cells it covers, counted
// from the frame size of its picture. Placing, erasing, the regions and the
// clipboard all take it from here.
#pragma once

#include <cstdint>

namespace kestrilo {

class TObjectDataBase;

// A footprint in cells: Columns x Rows with the anchor in its top-left cell.
struct TFootprintSize {
  int32_t Columns = 1, Rows = 1;
  bool operator==(const TFootprintSize&) const = default;
};

// A picture covers one cell and one more per 33 pixels (not 32): a 32-pixel
// frame takes one cell, a 33-pixel frame two.
constexpr int32_t kFootprintDivisor = 33;
constexpr int32_t FootprintCells(int32_t Pixels) { return Pixels / kFootprintDivisor + 1; }
constexpr TFootprintSize FootprintOfFrame(int32_t Width, int32_t Height) {
  return {FootprintCells(Width), FootprintCells(Height)};
}

// The footprint of the object with this number; 1 x 1 when the library holds
// no picture for it.
TFootprintSize FootprintOfNumber(const TObjectDataBase& Library, int32_t Number);

}  // namespace kestrilo

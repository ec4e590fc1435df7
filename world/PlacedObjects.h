// The objects placed in a level, seen one by one: where an object of the
// library is anchored, what is anchored at a cell (or covers it), and what a
// placed object is (its name, type, footprint and the per-placement values
// its type uses). Reads only; world/PlacedObjectEdits.h changes them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "matrix/Matrix.h"

namespace kestrilo {

class TObjectDataBase;

// The anchor of a placed object: its plane (0 the main plane, 1..4 a back
// plane) and its top-left cell.
struct TPlacedAnchor {
  int32_t Plane = TMatrix::kMainPlane;
  int32_t Column = 0, Row = 0;
  bool operator==(const TPlacedAnchor&) const = default;
};

// The allowed values of the per-placement fields, as the side panel's
// spinners allow them.
constexpr int32_t kMinLiftHeight = -128, kMaxLiftHeight = 127;
constexpr int32_t kMinKeyCode = 0, kMaxKeyCode = 255;

// Lifts travel by their lift height; keys and doors match by their key code.
// Only the main plane keeps these values: the back planes hold object numbers
// alone, and their objects are built with the library's own values.
bool TypeHasLiftHeight(uint8_t Type);
bool TypeHasKeyCode(uint8_t Type);

struct TPlacedObject {
  TPlacedAnchor At;
  int32_t Number = -1;
  std::string Name;          // as the library stores it (Windows-1251); "пустая" for a number it lacks
  uint8_t Type = 0;          // the library's type of the number; the cell's kind when the library lacks it
  TFootprintSize Footprint;  // the cells its picture covers from the anchor, clipped to the level
  int8_t LiftHeight = 0;     // the anchor cell's values; 0 on a back plane
  uint8_t KeyCode = 0;
  bool HasLiftHeight() const { return TMatrix::IsMainPlane(At.Plane) && TypeHasLiftHeight(Type); }
  bool HasKeyCode() const { return TMatrix::IsMainPlane(At.Plane) && TypeHasKeyCode(Type); }
};

// The object anchored exactly at a cell of a plane, if one is.
std::optional<TPlacedObject> PlacedObjectAt(const TMatrix& Level, const TObjectDataBase& Library,
                                            const TPlacedAnchor& At);

// The object whose footprint covers a cell, looked for on Plane first and
// then on the others from the front (the main plane) to the back; on a plane
// the nearest anchor wins. What a click on the cell means by "this object".
std::optional<TPlacedObject> PlacedObjectCovering(const TMatrix& Level, const TObjectDataBase& Library, int32_t Plane,
                                                  int32_t Column, int32_t Row);

// Every anchor of the objects the library names Name (byte-exact, as the
// world builder looks names up), main plane first, then planes 1..4, each
// column by column, top to bottom. Empty when the library holds no such name.
std::vector<TPlacedAnchor> FindAnchors(const TMatrix& Level, const TObjectDataBase& Library, std::string_view Name);

// The numbers the world builds as the object named Name: those whose first
// entry in the library carries that name.
std::vector<int32_t> NumbersNamed(const TObjectDataBase& Library, std::string_view Name);

}  // namespace kestrilo

#include "world/PlacedObjects.h"

#include <algorithm>

#include "library/ObjectDataBase.h"

namespace kestrilo {

namespace {

bool LibraryHolds(const TObjectDataBase& Library, int32_t Number) {
  return std::any_of(Library.Records.begin(), Library.Records.end(),
                     [Number](const TObjectRecord& record) { return record.Number == Number; });
}

// The number anchored at a cell of a plane, or -1.
int32_t AnchoredNumber(const TMatrix& Level, const TPlacedAnchor& At) {
  if (!TMatrix::IsInside(At.Column, At.Row)) return -1;
  if (TMatrix::IsMainPlane(At.Plane)) return Level.Cells[At.Column][At.Row].ObjectNumber;
  if (!TMatrix::IsBackPlane(At.Plane)) return -1;
  const int32_t entry = Level.BackPlanes[At.Column][At.Row][At.Plane - 1];
  return entry > 0 ? entry : -1;
}

}  // namespace

bool TypeHasLiftHeight(uint8_t Type) { return Type == otLift; }
bool TypeHasKeyCode(uint8_t Type) { return Type == otKey || Type == otDoor; }

std::optional<TPlacedObject> PlacedObjectAt(const TMatrix& Level, const TObjectDataBase& Library,
                                            const TPlacedAnchor& At) {
  const int32_t number = AnchoredNumber(Level, At);
  if (number < 0) return std::nullopt;
  TPlacedObject object;
  object.At = At;
  object.Number = number;
  object.Name = Library.NameOfNumber(number);
  const bool known = LibraryHolds(Library, number);
  if (TMatrix::IsMainPlane(At.Plane)) {
    const TMatrixCell& cell = Level.Cells[At.Column][At.Row];
    object.Type = known ? Library.FindByName(object.Name).ObjType : static_cast<uint8_t>(cell.Kind);
    object.LiftHeight = cell.LiftHeight;
    object.KeyCode = cell.KeyCode;
  } else {
    object.Type = Library.FindByName(object.Name).ObjType;
  }
  const TCellRegion covered = TMatrix::FootprintRegion(At.Column, At.Row, FootprintOfNumber(Library, number));
  object.Footprint = {covered.LastColumn - covered.FirstColumn + 1, covered.LastRow - covered.FirstRow + 1};
  return object;
}

std::optional<TPlacedObject> PlacedObjectCovering(const TMatrix& Level, const TObjectDataBase& Library, int32_t Plane,
                                                  int32_t Column, int32_t Row) {
  if (!TMatrix::IsInside(Column, Row)) return std::nullopt;
  std::vector<int32_t> planes{Plane};
  for (int32_t p = 0; p < TMatrix::kPlaneCount; ++p)
    if (p != Plane) planes.push_back(p);
  for (const int32_t p : planes) {
    if (!TMatrix::IsMainPlane(p) && !TMatrix::IsBackPlane(p)) continue;
    // Nearest anchors first: by the sum of the distances up and to the left.
    for (int32_t reach = 0; reach <= Column + Row; ++reach) {
      for (int32_t left = std::min(reach, Column); left >= 0 && reach - left <= Row; --left) {
        const TPlacedAnchor at{p, Column - left, Row - (reach - left)};
        if (AnchoredNumber(Level, at) < 0) continue;
        std::optional<TPlacedObject> object = PlacedObjectAt(Level, Library, at);
        if (object && left < object->Footprint.Columns && reach - left < object->Footprint.Rows) return object;
      }
    }
  }
  return std::nullopt;
}

std::vector<int32_t> NumbersNamed(const TObjectDataBase& Library, std::string_view Name) {
  std::vector<int32_t> numbers;
  for (const TObjectRecord& record : Library.Records) {
    if (record.Name != Name || std::find(numbers.begin(), numbers.end(), record.Number) != numbers.end()) continue;
    if (Library.NameOfNumber(record.Number) == Name) numbers.push_back(record.Number);
  }
  return numbers;
}

std::vector<TPlacedAnchor> FindAnchors(const TMatrix& Level, const TObjectDataBase& Library, std::string_view Name) {
  const std::vector<int32_t> numbers = NumbersNamed(Library, Name);
  const auto named = [&numbers](int32_t Number) {
    return std::find(numbers.begin(), numbers.end(), Number) != numbers.end();
  };
  std::vector<TPlacedAnchor> anchors;
  if (numbers.empty()) return anchors;
  for (int32_t plane = 0; plane < TMatrix::kPlaneCount; ++plane)
    for (int32_t x = 0; x < TMatrix::kColumns; ++x)
      for (int32_t y = 0; y < TMatrix::kRows; ++y) {
        const TPlacedAnchor at{plane, x, y};
        const int32_t number = AnchoredNumber(Level, at);
        if (number >= 0 && named(number)) anchors.push_back(at);
      }
  return anchors;
}

}  // namespace kestrilo

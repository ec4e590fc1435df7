// Regions of the level as whole objects: what copying a selection keeps (the
// clip), and the region edits worked out on a level draft: erasing the
// objects of a selection, pasting a clip, filling a selection with one object.
//
// An object belongs to a selection when its anchor cell lies in it; it then
// comes with its whole footprint, also where the footprint reaches past the
// selection, so that nothing ever holds half an object. Lift heights, key
// codes and the padding bytes travel with their cells unchanged.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "matrix/Matrix.h"

namespace kestrilo {

class TLevelDraft;
class TObjectDataBase;

// Which planes an edit works on: bit p for plane p.
using TPlaneMask = uint8_t;
constexpr TPlaneMask kAllPlanes = (1u << TMatrix::kPlaneCount) - 1;
constexpr TPlaneMask PlaneBit(int32_t Plane) { return static_cast<TPlaneMask>(1u << Plane); }

// One object of a clip: its plane, its anchor relative to the clip's top-left
// cell, and the size of its footprint in cells (1 x 1 on a back plane).
struct TClipObject {
  int32_t Plane = TMatrix::kMainPlane;
  int32_t Column = 0, Row = 0;
  int32_t Columns = 1, Rows = 1;
};

struct TLevelClip {
  int32_t Columns = 0, Rows = 0;   // the clip's rectangle of cells
  TPlaneMask Planes = 0;           // the planes it was copied from
  std::vector<TMatrixCell> Cells;  // Columns x Rows, column by column; the main plane
  std::array<std::vector<int32_t>, TMatrix::kBackPlaneCount> Entries;  // the same per back plane
  std::vector<TClipObject> Objects;
  bool Empty() const { return Objects.empty(); }
};

// The objects anchored in the selection on the given planes.
TLevelClip CopyObjects(const TMatrix& Level, const TObjectDataBase& Library, const TCellRegion& Selection,
                       TPlaneMask Planes);
// Erases the objects anchored in the selection, each with its whole footprint.
void EraseObjects(TLevelDraft& Draft, const TObjectDataBase& Library, const TCellRegion& Selection, TPlaneMask Planes);
// Writes the clip with its top-left cell at (Column, Row) over what is there.
// An object that would reach past the level's edge is left out whole.
// Returns how many objects were written.
int32_t PasteClip(TLevelDraft& Draft, const TLevelClip& Clip, int64_t Column, int64_t Row);
// Tiles the selection with one object on one plane: a copy of Cell (the main
// plane, footprint Size) or of the entry Number (a back plane) at every step
// of its footprint whose footprint lies wholly inside the selection.
int32_t FillSelection(TLevelDraft& Draft, const TCellRegion& Selection, int32_t Plane, const TMatrixCell& Cell,
                      TFootprintSize Size);

}  // namespace kestrilo

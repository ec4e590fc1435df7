// Regions of cells: what an edit covers, copied out before it and written
// back when it is undone.
#include <algorithm>

#include "matrix/Matrix.h"

namespace kestrilo {

TCellRegion TMatrix::FootprintRegion(int64_t Column, int64_t Row, TFootprintSize Footprint) {
  TCellRegion region;
  const int64_t lastX = std::min<int64_t>(Column + Footprint.Columns - 1, kColumns - 1);
  const int64_t lastY = std::min<int64_t>(Row + Footprint.Rows - 1, kRows - 1);
  const int64_t firstX = std::max<int64_t>(Column, 0);
  const int64_t firstY = std::max<int64_t>(Row, 0);
  if (firstX > lastX || firstY > lastY) return region;
  region.FirstColumn = static_cast<int32_t>(firstX);
  region.FirstRow = static_cast<int32_t>(firstY);
  region.LastColumn = static_cast<int32_t>(lastX);
  region.LastRow = static_cast<int32_t>(lastY);
  return region;
}

std::vector<TMatrixCell> TMatrix::CopyCells(const TCellRegion& Region) const {
  std::vector<TMatrixCell> out;
  out.reserve(Region.CellCount());
  for (int32_t x = Region.FirstColumn; x <= Region.LastColumn; ++x)
    for (int32_t y = Region.FirstRow; y <= Region.LastRow; ++y) out.push_back(Cells[x][y]);
  return out;
}

void TMatrix::PasteCells(const TCellRegion& Region, const std::vector<TMatrixCell>& Source) {
  if (Source.size() != Region.CellCount()) return;
  size_t i = 0;
  for (int32_t x = Region.FirstColumn; x <= Region.LastColumn; ++x)
    for (int32_t y = Region.FirstRow; y <= Region.LastRow; ++y) Cells[x][y] = Source[i++];
}

std::vector<int32_t> TMatrix::CopyBackEntries(int32_t Plane, const TCellRegion& Region) const {
  std::vector<int32_t> out;
  if (!IsBackPlane(Plane)) return out;
  out.reserve(Region.CellCount());
  for (int32_t x = Region.FirstColumn; x <= Region.LastColumn; ++x)
    for (int32_t y = Region.FirstRow; y <= Region.LastRow; ++y) out.push_back(BackPlanes[x][y][Plane - 1]);
  return out;
}

void TMatrix::PasteBackEntries(int32_t Plane, const TCellRegion& Region, const std::vector<int32_t>& Source) {
  if (!IsBackPlane(Plane) || Source.size() != Region.CellCount()) return;
  size_t i = 0;
  for (int32_t x = Region.FirstColumn; x <= Region.LastColumn; ++x)
    for (int32_t y = Region.FirstRow; y <= Region.LastRow; ++y) BackPlanes[x][y][Plane - 1] = Source[i++];
}

}  // namespace kestrilo

// The collision queries of the preview. Each looks at a run of main-plane
// cells along one edge of a sprite; cells outside the matrix are never read
// and count as blocked.
#include <cmath>

#include "matrix/Matrix.h"

namespace kestrilo {

namespace {

constexpr double kCell = TMatrix::kCellSize;
// The last positions at which a sprite's left or top edge may stand and still
// be asked about the cells to its right or below it.
constexpr double kLastColumnX = (TMatrix::kColumns - 1) * kCell;  // 6368
constexpr double kLastRowY = (TMatrix::kRows - 1) * kCell;        // 4768

// The cell index of a pixel, truncated toward zero; -1 when it is not a cell
// of a line of `count` cells (also for values no integer can hold).
int32_t CellOf(double pixel, int32_t count) {
  const double cell = std::trunc(pixel / kCell);
  if (!(cell >= 0 && cell < count)) return -1;
  return static_cast<int32_t>(cell);
}

}  // namespace

bool TMatrix::IsLeftFree(int32_t Width, int32_t Height, double X, double Y) const {
  if (!(X >= 0)) return false;
  const int32_t n = Height / kCellSize;
  if (n < 0) return true;
  const int32_t x0 = CellOf(X, kColumns);
  const int32_t y0 = CellOf(Y, kRows);
  if (x0 < 0 || y0 < 0 || y0 + n >= kRows) return false;
  const TColumnCells& column = Cells[x0];
  for (int32_t y = y0; y <= y0 + n; ++y)
    if (!column[y].IsFree()) return false;
  return true;
}

bool TMatrix::IsRightFree(int32_t Width, int32_t Height, double X, double Y) const {
  // The limit is on X itself, before the width is added.
  if (!(X <= kLastColumnX)) return false;
  const int32_t n = Height / kCellSize;
  if (n < 0) return true;
  const int32_t x0 = CellOf(Width + X, kColumns);
  const int32_t y0 = CellOf(Y, kRows);
  if (x0 < 0 || y0 < 0 || y0 + n >= kRows) return false;
  const TColumnCells& column = Cells[x0];
  for (int32_t y = y0; y <= y0 + n; ++y)
    if (!column[y].IsFree()) return false;
  return true;
}

bool TMatrix::IsBelowFree(int32_t Width, int32_t Height, double X, double Y) const {
  // The limit is on Y itself, before the height is added.
  if (!(Y <= kLastRowY) || !(Y >= 0) || !(X >= 0)) return false;
  const int32_t n = Width / kCellSize;
  if (n < 0) return true;
  const int32_t x0 = CellOf(X, kColumns);
  const int32_t y0 = CellOf(Height + Y, kRows);
  if (x0 < 0 || y0 < 0 || x0 + n >= kColumns) return false;
  for (int32_t x = x0; x <= x0 + n; ++x)
    if (!Cells[x][y0].IsFree()) return false;
  return true;
}

bool TMatrix::IsTopFree(int32_t Width, double X, double Y) const {
  if (!(Y >= 0)) return false;
  const int32_t n = Width / kCellSize;
  if (n < 0) return true;
  const int32_t x0 = CellOf(X, kColumns);
  const int32_t y0 = CellOf(Y, kRows);
  if (x0 < 0 || y0 < 0 || x0 + n >= kColumns) return false;
  for (int32_t x = x0; x <= x0 + n; ++x)
    if (!Cells[x][y0].IsFree()) return false;
  return true;
}

}  // namespace kestrilo

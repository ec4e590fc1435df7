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

// Whether the cell holding pixel (x, y) and the `more` cells below it are all
// free; a negative `more` asks about no cell at all, which is free.
bool ColumnRunFree(const TMatrix& matrix, double x, double y, int32_t more) {
  if (more < 0) return true;
  const int32_t x0 = CellOf(x, TMatrix::kColumns);
  const int32_t y0 = CellOf(y, TMatrix::kRows);
  if (x0 < 0 || y0 < 0 || y0 + more >= TMatrix::kRows) return false;
  const TMatrix::TColumnCells& column = matrix.Cells[x0];
  for (int32_t row = y0; row <= y0 + more; ++row)
    if (!column[row].IsFree()) return false;
  return true;
}

// Whether the cell holding pixel (x, y) and the `more` cells right of it are
// all free; a negative `more` asks about no cell at all, which is free.
bool RowRunFree(const TMatrix& matrix, double x, double y, int32_t more) {
  if (more < 0) return true;
  const int32_t x0 = CellOf(x, TMatrix::kColumns);
  const int32_t y0 = CellOf(y, TMatrix::kRows);
  if (x0 < 0 || y0 < 0 || x0 + more >= TMatrix::kColumns) return false;
  for (int32_t column = x0; column <= x0 + more; ++column)
    if (!matrix.Cells[column][y0].IsFree()) return false;
  return true;
}

}  // namespace

bool TMatrix::IsLeftFree(int32_t /*Width*/, int32_t Height, double X, double Y) const {
  if (!(X >= 0)) return false;
  return ColumnRunFree(*this, X, Y, Height / kCellSize);
}

bool TMatrix::IsRightFree(int32_t Width, int32_t Height, double X, double Y) const {
  // The limit is on X itself, before the width is added.
  if (!(X <= kLastColumnX)) return false;
  return ColumnRunFree(*this, Width + X, Y, Height / kCellSize);
}

bool TMatrix::IsBelowFree(int32_t Width, int32_t Height, double X, double Y) const {
  // The limit is on Y itself, before the height is added.
  if (!(Y <= kLastRowY) || !(Y >= 0) || !(X >= 0)) return false;
  return RowRunFree(*this, X, Height + Y, Width / kCellSize);
}

bool TMatrix::IsTopFree(int32_t Width, double X, double Y) const {
  if (!(Y >= 0)) return false;
  return RowRunFree(*this, X, Y, Width / kCellSize);
}

}  // namespace kestrilo

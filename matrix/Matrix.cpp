#include "matrix/Matrix.h"

#include <algorithm>

#include "library/ObjectDataBase.h"
#include "platform/Rounding.h"
#include "sprites/Sprite.h"

namespace kestrilo {

namespace {

// Column or row of a view pixel: truncated toward zero, plus the origin. The
// result may lie outside the matrix; callers clip.
int64_t ViewCell(double pixel, uint16_t origin) {
  const double cell = std::trunc(pixel / TMatrix::kCellSize);
  // Far outside any matrix (or not a number): a value no clip lets through.
  if (!(cell > -1e9 && cell < 1e9)) return -1'000'000'000;
  return static_cast<int64_t>(cell) + origin;
}

}  // namespace

TMatrix::TMatrix() { Clear(); }

void TMatrix::Clear() {
  for (auto& column : Cells) column.fill(EmptyMatrixCell());
  for (auto& column : BackPlanes)
    for (auto& planes : column) planes.fill(-1);
  OriginX = 0;
  OriginY = 0;
}

void TMatrix::FillFootprint(int64_t x0, int64_t y0, TFootprintSize footprint, const TMatrixCell& cell) {
  // Parts of a footprint past the edge do not exist and are left out.
  const TCellRegion region = FootprintRegion(x0, y0, footprint);
  for (int32_t x = region.FirstColumn; x <= region.LastColumn; ++x) {
    for (int32_t y = region.FirstRow; y <= region.LastRow; ++y) {
      TMatrixCell& target = Cells[x][y];
      // Padding bytes stay as they are.
      target.Kind = cell.Kind;
      target.ObjectNumber = cell.ObjectNumber;
      target.LiftHeight = cell.LiftHeight;
      target.KeyCode = cell.KeyCode;
    }
  }
}

void TMatrix::PutObject(const TMatrixCell& Cell, double X, double Y, const TObjectDataBase& ObjectDataBase) {
  const TObjectDataBase::TFrameSize size = ObjectDataBase.FrameSizeOfNumber(Cell.ObjectNumber);
  PutObjectSized(Cell, X, Y, size.Height, size.Width);
}

void TMatrix::PutObjectSized(const TMatrixCell& Cell, double X, double Y, int32_t FrameHeight, int32_t FrameWidth) {
  const int64_t x0 = ViewCell(X, OriginX);
  const int64_t y0 = ViewCell(Y, OriginY);
  TMatrixCell part = Cell;
  part.ObjectNumber = -1;  // only the anchor carries the number
  FillFootprint(x0, y0, FootprintOfFrame(FrameWidth, FrameHeight), part);
  if (IsInside(x0, y0)) Cells[x0][y0].ObjectNumber = Cell.ObjectNumber;
}

void TMatrix::PutBackObject(uint8_t Plane, int32_t ObjectNumber, double X, double Y) {
  const int64_t x = ViewCell(X, OriginX);
  const int64_t y = ViewCell(Y, OriginY);
  if (!IsBackPlane(Plane) || !IsInside(x, y)) return;
  BackPlanes[x][y][Plane - 1] = ObjectNumber;
}

int64_t TMatrix::ViewColumn(double X) const { return ViewCell(X, OriginX); }
int64_t TMatrix::ViewRow(double Y) const { return ViewCell(Y, OriginY); }

void TMatrix::EraseFootprint(int64_t Column, int64_t Row, TFootprintSize Footprint) {
  FillFootprint(Column, Row, Footprint, EmptyMatrixCell());
}

void TMatrix::ClearArea(int32_t X, int32_t Y, int32_t Width, int32_t Height) {
  // World pixels: rounded (halves to even), no origin.
  const int64_t x0 = Round(static_cast<double>(X) / kCellSize);
  const int64_t y0 = Round(static_cast<double>(Y) / kCellSize);
  FillFootprint(x0, y0, FootprintOfFrame(Width, Height), EmptyMatrixCell());
}

void TMatrix::Scroll(TSprite& Root, TScrollDirection Direction) {
  switch (Direction) {
    case TScrollDirection::Left:
      if (OriginX > 0) {
        Root.X += kCellSize;
        --OriginX;
      }
      break;
    case TScrollDirection::Right:
      if (OriginX + kViewColumns < kColumns - 1) {
        Root.X -= kCellSize;
        ++OriginX;
      }
      break;
    case TScrollDirection::Up:
      if (OriginY > 0) {
        Root.Y += kCellSize;
        --OriginY;
      }
      break;
    case TScrollDirection::Down:
      if (OriginY + kViewRows < kRows - 1) {
        Root.Y -= kCellSize;
        ++OriginY;
      }
      break;
    default: break;
  }
}

void TMatrix::SetOrigin(uint16_t X, uint16_t Y) {
  OriginX = std::min(X, kMaxOriginX);
  OriginY = std::min(Y, kMaxOriginY);
}

}  // namespace kestrilo

#include "editor/Viewport.h"

#include <algorithm>

namespace kestrilo {

void TViewport::SetArea(int32_t Width, int32_t Height) { area_ = TBufferSize{std::max(Width, 1), std::max(Height, 1)}; }

int32_t TViewport::ColumnsShown(int32_t BufferWidth, int32_t Divisor) {
  const int64_t pixels = static_cast<int64_t>(std::max(BufferWidth, 0)) * std::max(Divisor, 1);
  return static_cast<int32_t>((pixels + TMatrix::kCellSize - 1) / TMatrix::kCellSize);
}

int32_t TViewport::RowsShown(int32_t BufferHeight, int32_t Divisor) { return ColumnsShown(BufferHeight, Divisor); }

TCellPoint TViewport::CentredOrigin(int64_t Column, int64_t Row, int32_t Columns, int32_t Rows) {
  return {std::clamp<int64_t>(Column - Columns / 2, 0, TMatrix::kMaxOriginX),
          std::clamp<int64_t>(Row - Rows / 2, 0, TMatrix::kMaxOriginY)};
}

TOverviewFrame TOverviewFrame::Fit(int32_t ColumnsShown, int32_t RowsShown, int64_t OriginX, int64_t OriginY,
                                   const TOverviewPlace& Place) {
  TOverviewFrame frame;
  frame.Columns = static_cast<int32_t>(std::clamp<int64_t>(ColumnsShown, 0, TMatrix::kColumns - OriginX));
  frame.Rows = static_cast<int32_t>(std::clamp<int64_t>(RowsShown, 0, TMatrix::kRows - OriginY));
  frame.Square = TMatrix::kMiniMapSquare;
  while (frame.Square > 1 && (frame.Width() > Place.Width || frame.Height() > Place.Height)) --frame.Square;
  return frame;
}

std::optional<TCellPoint> TOverviewFrame::SquareAt(int32_t X, int32_t Y) const {
  if (X < 0 || Y < 0 || X >= Width() || Y >= Height()) return std::nullopt;
  return TCellPoint{X / Square, Y / Square};
}

}  // namespace kestrilo

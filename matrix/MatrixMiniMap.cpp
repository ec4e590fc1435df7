// The overview map of the visible part of the matrix.
#include "matrix/Matrix.h"

#include <algorithm>
#include "matrix/MiniMapPalette.h"
#include "platform/Canvas.h"
#include "platform/Rect.h"

namespace kestrilo {

namespace {
// The outline of every square; the window's canvas keeps its default black pen.
constexpr uint32_t kOutlineColor = 0x000000;
}  // namespace

void TMatrix::DrawMiniMap(TCanvas& Canvas, uint8_t Plane, int32_t Left, int32_t Top, int32_t Columns, int32_t Rows,
                          int32_t Square) const {
  uint32_t color = Canvas.BrushColor;
  Columns = std::min<int32_t>(Columns, kColumns - OriginX);
  Rows = std::min<int32_t>(Rows, kRows - OriginY);
  Square = std::max<int32_t>(Square, 1);
  for (int32_t i = 0; i < Columns; ++i) {
    for (int32_t j = 0; j < Rows; ++j) {
      const int32_t x = OriginX + i;
      const int32_t y = OriginY + j;
      if (IsMainPlane(Plane)) {
        if (const auto own = TMiniMapPalette::KindColor(Cells[x][y].Kind)) color = *own;
      } else if (IsBackPlane(Plane)) {
        color = TMiniMapPalette::BackPlaneColor(BackPlanes[x][y][Plane - 1]);
      }
      const TRect square = Bounds(Left + Square * i, Top + Square * j, Square, Square);
      Canvas.BrushColor = color;
      Canvas.FillRect(square);
      if (Square < 4) continue;
      Canvas.BrushColor = kOutlineColor;
      Canvas.FrameRect(square);
    }
  }
  Canvas.BrushColor = color;
}

}  // namespace kestrilo

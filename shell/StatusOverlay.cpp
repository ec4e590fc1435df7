#include "shell/StatusOverlay.h"

#include "platform/Rounding.h"

namespace kestrilo {

int32_t ColumnGuess(int32_t CursorX, int32_t DrawAreaLeft) {
  return static_cast<int32_t>(Round((CursorX - DrawAreaLeft - 16) / 34.0));
}

// A zero cell size cannot come from the grid menu, but would divide by zero.
int32_t GridColumns(uint8_t CellSize) { return CellSize == 0 ? 0 : kViewWidth / CellSize + 1; }
int32_t GridRows(uint8_t CellSize) { return CellSize == 0 ? 0 : kViewHeight / CellSize + 1; }

std::array<TOverlayLine, 5> OverlayLines(const TOverlayStatus& Status) {
  const int32_t guess = ColumnGuess(Status.CursorX, Status.DrawAreaLeft);
  return {{
      {0, 0, "FPS: " + std::to_string(Status.FramesPerSecond)},
      {0, 20, "Всего объектов: " + std::to_string(Status.SpriteCount - 1)},
      {0, 40, "Mouse.X = " + std::to_string(Status.CursorX)},
      {0, 80, "Object X = " + std::to_string(guess)},
      {0, 60, "Mouse recalc X = " + std::to_string(guess * 32)},
  }};
}

void DrawOverlay(TCanvas& Canvas, uint8_t ShowGrid, uint8_t ShowText, uint8_t CellSize,
                 const TOverlayStatus& Status) {
  if (ShowGrid == 1) {
    Canvas.BrushColor = 0x000000;
    const int32_t columns = GridColumns(CellSize), rows = GridRows(CellSize);
    // Every cell gets its own outline, so neighbouring outlines make two-pixel lines.
    for (int32_t i = 0; i < columns; ++i)
      for (int32_t j = 0; j < rows; ++j) Canvas.FrameRect(Bounds(i * CellSize, j * CellSize, CellSize, CellSize));
  }
  if (ShowText == 1) {
    Canvas.BrushColor = 0x000000;
    Canvas.BrushStyle = TBrushStyle::bsClear;
    Canvas.FontColor = 0x0000FF;  // red
    Canvas.FontName = "Impact";
    Canvas.FontSize = 10;
    for (const TOverlayLine& line : OverlayLines(Status)) Canvas.TextOut(line.X, line.Y, line.Text);
  }
  Canvas.Release();
}

}  // namespace kestrilo

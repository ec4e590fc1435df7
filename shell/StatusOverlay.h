// The grid and the status lines drawn over the world in every frame. The grid
// is fixed to the drawing area: it does not follow the scrolled view.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/Canvas.h"

namespace kestrilo {

// The drawing area's size; the grid covers it with one extra, partly hidden,
// column and row.
constexpr int32_t kViewWidth = 640;
constexpr int32_t kViewHeight = 480;

// What the status lines report, gathered by the frame step.
struct TOverlayStatus {
  int32_t FramesPerSecond = 0;
  int32_t SpriteCount = 0;    // the engine's count; the line shows it minus 1
  int32_t CursorX = 0;        // the mouse cursor's horizontal screen position
  int32_t DrawAreaLeft = 8;   // left edge of the drawing area within the window
};

// The designer's rough guess of the view column under the cursor:
// (cursor X - drawing area left - 16) / 34, halves going to the even neighbour.
int32_t ColumnGuess(int32_t CursorX, int32_t DrawAreaLeft);

// Number of grid columns and rows for a cell size (0 when the size is 0).
int32_t GridColumns(uint8_t CellSize);
int32_t GridRows(uint8_t CellSize);

// The five status lines, in drawing order, with their positions.
struct TOverlayLine {
  int32_t X = 0, Y = 0;
  std::string Text;  // UTF-8
};
std::array<TOverlayLine, 5> OverlayLines(const TOverlayStatus& Status);

// Draws the grid when ShowGrid is 1 and the text when ShowText is 1, then
// releases the canvas (always, also when nothing was drawn).
void DrawOverlay(TCanvas& Canvas, uint8_t ShowGrid, uint8_t ShowText, uint8_t CellSize,
                 const TOverlayStatus& Status);

}  // namespace kestrilo

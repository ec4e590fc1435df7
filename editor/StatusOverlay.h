// The grid and the status lines drawn over the world in every frame. The grid
// is fixed to the drawing area: it does not follow the scrolled view.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/ViewSize.h"

namespace kestrilo {

// What the status lines report, gathered by the frame step.
struct TOverlayStatus {
  int32_t FramesPerSecond = 0;
  int32_t SpriteCount = 0;   // the engine's count; the line shows it minus 1
  int32_t CursorX = 0;       // the mouse cursor's horizontal screen position
  int32_t DrawAreaLeft = 8;  // left edge of the drawing area within the window
  bool Paused = false;       // play is paused: one more line says so
  bool operator==(const TOverlayStatus&) const = default;
};

// The designer's rough guess of the view column under the cursor:
// (cursor X - drawing area left - 16) / 34, halves going to the even neighbour.
int32_t ColumnGuess(int32_t CursorX, int32_t DrawAreaLeft);

// Number of grid columns and rows for a cell size over a view of the given
// size (0 when the size is 0); the last ones lie partly outside.
int32_t GridColumns(uint8_t CellSize, int32_t ViewWidth = kViewWidth);
int32_t GridRows(uint8_t CellSize, int32_t ViewHeight = kViewHeight);

// The five status lines, in drawing order, with their positions.
struct TOverlayLine {
  int32_t X = 0, Y = 0;
  std::string Text;  // UTF-8
};
std::array<TOverlayLine, 5> OverlayLines(const TOverlayStatus& Status);
// The line under them while play is paused.
TOverlayLine PauseLine();

// The grid over the whole surface in one colour: every cell of CellSize pixels gets
// its own one-pixel outline, so lines between cells are two pixels wide. The
// pixels are written a scan line at a time instead of one outline after another.
void DrawGrid(TSurface& Surface, uint8_t CellSize, uint16_t Pixel);

// The grid and the status lines of one drawing area. Every frame gets exactly
// the pixels that framing each cell and drawing each line through the canvas
// give, but a status line whose text and background are those of the frame
// it was last drawn in is copied from that frame instead of drawn again: text
// is smoothed into whatever lies under it, so the background is part of what
// is kept.
class TStatusOverlay {
 public:
  // Draws the grid and the text as asked, then releases the canvas (always,
  // also when nothing was drawn).
  void Draw(TCanvas& Canvas, bool ShowGrid, bool ShowText, uint8_t CellSize, const TOverlayStatus& Status);

  // Status lines copied from a kept frame and drawn anew since this overlay was made.
  int64_t LinesCopied() const { return linesCopied_; }
  int64_t LinesDrawn() const { return linesDrawn_; }

 private:
  // One status line as last drawn: its text, the rectangle the drawing can
  // change, and that rectangle's pixels before and after.
  struct TKeptLine {
    std::string Text;
    TRect Area;
    std::vector<uint16_t> Before, After;
  };
  void DrawLine(TCanvas& Canvas, TSurface& Surface, const TOverlayLine& Line, TKeptLine& Kept);

  std::array<TKeptLine, 5> kept_;
  TKeptLine keptPause_;
  int64_t linesCopied_ = 0, linesDrawn_ = 0;
};

}  // namespace kestrilo

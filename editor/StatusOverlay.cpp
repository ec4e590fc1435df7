#include "editor/StatusOverlay.h"

#include <algorithm>

#include "platform/Rounding.h"
#include "platform/Translated.h"

namespace kestrilo {

int32_t ColumnGuess(int32_t CursorX, int32_t DrawAreaLeft) {
  return static_cast<int32_t>(Round((CursorX - DrawAreaLeft - 16) / 34.0));
}

// A zero cell size cannot come from the grid menu, but would divide by zero.
int32_t GridColumns(uint8_t CellSize, int32_t ViewWidth) { return CellSize == 0 ? 0 : ViewWidth / CellSize + 1; }
int32_t GridRows(uint8_t CellSize, int32_t ViewHeight) { return CellSize == 0 ? 0 : ViewHeight / CellSize + 1; }

std::array<TOverlayLine, 5> OverlayLines(const TOverlayStatus& Status) {
  const int32_t guess = ColumnGuess(Status.CursorX, Status.DrawAreaLeft);
  return {{
      {0, 0, "FPS: " + std::to_string(Status.FramesPerSecond)},
      {0, 20, Translated("TStatusOverlay", "Всего объектов: ") + std::to_string(Status.SpriteCount - 1)},
      {0, 40, "Mouse.X = " + std::to_string(Status.CursorX)},
      {0, 80, "Object X = " + std::to_string(guess)},
      {0, 60, "Mouse recalc X = " + std::to_string(guess * 32)},
  }};
}

TOverlayLine PauseLine() { return {0, 100, Translated("TStatusOverlay", "Пауза")}; }

void DrawGrid(TSurface& Surface, uint8_t CellSize, uint16_t Pixel) {
  if (CellSize == 0) return;
  const int32_t cell = CellSize;
  const int32_t right = std::min(GridColumns(CellSize, Surface.Width()) * cell, Surface.Width());
  const int32_t bottom = std::min(GridRows(CellSize, Surface.Height()) * cell, Surface.Height());
  for (int32_t y = 0; y < bottom; ++y) {
    uint16_t* line = Surface.Line(y);
    const int32_t inCell = y % cell;
    if (inCell == 0 || inCell == cell - 1) {
      // A top or bottom edge of a whole row of cells.
      std::fill(line, line + right, Pixel);
      continue;
    }
    for (int32_t x = 0; x < right; x += cell) {
      line[x] = Pixel;
      if (x + cell - 1 < right) line[x + cell - 1] = Pixel;
    }
  }
}

namespace {

TRect Clipped(const TRect& r, const TRect& to) {
  const TRect c{std::max(r.Left, to.Left), std::max(r.Top, to.Top), std::min(r.Right, to.Right),
                std::min(r.Bottom, to.Bottom)};
  return c.Left < c.Right && c.Top < c.Bottom ? c : TRect{};
}

void CopyOut(const TSurface& surface, const TRect& area, std::vector<uint16_t>& pixels) {
  const size_t width = static_cast<size_t>(area.Width());
  pixels.resize(width * static_cast<size_t>(area.Height()));
  for (int32_t y = area.Top; y < area.Bottom; ++y)
    std::copy_n(surface.Line(y) + area.Left, width, pixels.data() + (y - area.Top) * width);
}

void CopyIn(TSurface& surface, const TRect& area, const std::vector<uint16_t>& pixels) {
  const size_t width = static_cast<size_t>(area.Width());
  for (int32_t y = area.Top; y < area.Bottom; ++y)
    std::copy_n(pixels.data() + (y - area.Top) * width, width, surface.Line(y) + area.Left);
}

bool SamePixels(const TSurface& surface, const TRect& area, const std::vector<uint16_t>& pixels) {
  const size_t width = static_cast<size_t>(area.Width());
  if (pixels.size() != width * static_cast<size_t>(area.Height())) return false;
  for (int32_t y = area.Top; y < area.Bottom; ++y)
    if (!std::equal(surface.Line(y) + area.Left, surface.Line(y) + area.Right, pixels.data() + (y - area.Top) * width))
      return false;
  return true;
}

}  // namespace

void TStatusOverlay::Draw(TCanvas& Canvas, bool ShowGrid, bool ShowText, uint8_t CellSize,
                          const TOverlayStatus& Status) {
  TSurface* surface = Canvas.Surface();
  if (ShowGrid) {
    Canvas.BrushColor = 0x000000;
    if (surface) {
      Canvas.Release();  // direct pixel work must not race queued painter work
      DrawGrid(*surface, CellSize, ColorToRgb565(Canvas.BrushColor));
    }
  }
  if (ShowText) {
    Canvas.BrushColor = 0x000000;
    Canvas.BrushStyle = TBrushStyle::bsClear;
    Canvas.FontColor = 0x0000FF;  // red
    Canvas.FontName = "Impact";
    Canvas.FontSize = 10;
    // Text on no pixels at all draws nothing.
    if (surface && surface->Width() > 0) {
      const auto lines = OverlayLines(Status);
      for (size_t i = 0; i < lines.size(); ++i) DrawLine(Canvas, *surface, lines[i], kept_[i]);
      if (Status.Paused) DrawLine(Canvas, *surface, PauseLine(), keptPause_);
    }
  }
  Canvas.Release();
}

void TStatusOverlay::DrawLine(TCanvas& Canvas, TSurface& Surface, const TOverlayLine& Line, TKeptLine& Kept) {
  const TRect area = Clipped(Canvas.TextBounds(Line.X, Line.Y, Line.Text), Surface.ClientRect());
  // The same text over the same pixels comes out the same, since drawing it
  // reads and writes nothing outside the area. (The raster painter has
  // written its pixels when a call returns, so they can be read and written
  // here while it stays open for the next line.)
  if (Kept.Text == Line.Text && Kept.Area == area && SamePixels(Surface, area, Kept.Before)) {
    CopyIn(Surface, area, Kept.After);
    ++linesCopied_;
    return;
  }
  CopyOut(Surface, area, Kept.Before);
  Canvas.TextOut(Line.X, Line.Y, Line.Text);
  CopyOut(Surface, area, Kept.After);
  Kept.Text = Line.Text;
  Kept.Area = area;
  ++linesDrawn_;
}

}  // namespace kestrilo

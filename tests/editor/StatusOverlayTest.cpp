#include <gtest/gtest.h>

#include <set>

#include "editor/StatusOverlay.h"
#include "platform/Canvas.h"
#include "platform/Surface.h"

using namespace kestrilo;

namespace {

constexpr uint16_t kBackground = 128;

// A 640 by 480 back buffer filled like the frame step fills it.
struct TBuffer {
  TSurface Surface{640, 480};
  TCanvas Canvas{&Surface};
  TStatusOverlay Overlay;
  TBuffer() { Surface.Fill(kBackground); }
  bool IsBlack(int x, int y) const { return Surface.Pixel(x, y) == 0; }
};

// The x positions on a scan line inside the first row where the grid is black.
std::set<int> BlackColumnsAt(const TBuffer& b, int y) {
  std::set<int> xs;
  for (int x = 0; x < 640; ++x)
    if (b.IsBlack(x, y)) xs.insert(x);
  return xs;
}

std::set<int> ExpectedOutlineEdges(int cellSize, int cells, int limit) {
  std::set<int> edges;
  for (int i = 0; i < cells; ++i) {
    for (int edge : {i * cellSize, i * cellSize + cellSize - 1})
      if (edge < limit) edges.insert(edge);
  }
  return edges;
}

}  // namespace

TEST(Overlay, GridCountsFollowTheCellSize) {
  EXPECT_EQ(GridColumns(32), 21);
  EXPECT_EQ(GridRows(32), 16);
  EXPECT_EQ(GridColumns(64), 11);
  EXPECT_EQ(GridRows(64), 8);
  EXPECT_EQ(GridColumns(128), 6);
  EXPECT_EQ(GridRows(128), 4);
  // A zero cell size draws no grid instead of dividing by zero.
  EXPECT_EQ(GridColumns(0), 0);
  EXPECT_EQ(GridRows(0), 0);
}

class OverlayGrid : public ::testing::TestWithParam<int> {};

TEST_P(OverlayGrid, EveryCellHasItsOwnOnePixelOutline) {
  const int cellSize = GetParam();
  TBuffer b;
  b.Overlay.Draw(b.Canvas, true, false, static_cast<uint8_t>(cellSize), {});
  // Across: the left and right edge of every column, so lines between cells are two pixels wide.
  EXPECT_EQ(BlackColumnsAt(b, cellSize / 2), ExpectedOutlineEdges(cellSize, GridColumns(cellSize), 640));
  // Down a column's interior: the top and bottom edge of every row.
  std::set<int> ys;
  for (int y = 0; y < 480; ++y)
    if (b.IsBlack(cellSize / 2, y)) ys.insert(y);
  EXPECT_EQ(ys, ExpectedOutlineEdges(cellSize, GridRows(cellSize), 480));
  // Interiors keep the background.
  EXPECT_EQ(b.Surface.Pixel(cellSize / 2, cellSize / 2), kBackground);
  EXPECT_EQ(b.Surface.Pixel(cellSize + 1, cellSize + 1), kBackground);
}

INSTANTIATE_TEST_SUITE_P(Sizes, OverlayGrid, ::testing::Values(32, 64, 128));

TEST(Overlay, LastRowOf128PixelCellsIsCutByTheBuffer) {
  TBuffer b;
  b.Overlay.Draw(b.Canvas, true, false, 128, {});
  // Row 3 starts at 384 and would reach 512: its top edge shows, its bottom does not.
  EXPECT_TRUE(b.IsBlack(64, 384));
  EXPECT_TRUE(b.IsBlack(64, 383));
  EXPECT_FALSE(b.IsBlack(64, 479));
  // Column 5 starts at 640, outside: the last black column is column 4's right edge.
  EXPECT_TRUE(b.IsBlack(639, 64));
}

TEST(Overlay, NothingIsDrawnWithGridAndTextOff) {
  TBuffer b;
  b.Overlay.Draw(b.Canvas, false, false, 32, {});
  for (int y = 0; y < 480; y += 7)
    for (int x = 0; x < 640; x += 5) ASSERT_EQ(b.Surface.Pixel(x, y), kBackground) << x << "," << y;
}

TEST(Overlay, TextIsRedOverTheTopLeftAndLeavesTheRest) {
  TBuffer b;
  TOverlayStatus status;
  status.FramesPerSecond = 71;
  status.SpriteCount = 12;
  status.CursorX = 300;
  b.Overlay.Draw(b.Canvas, false, true, 32, status);
  int reddish = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) {
      const uint16_t p = b.Surface.Pixel(x, y);
      if (p != kBackground && (p >> 11) > 8) ++reddish;
    }
  EXPECT_GT(reddish, 50);
  // No text box is filled (clear brush), and nothing lands below the last line.
  for (int y = 110; y < 480; y += 3)
    for (int x = 0; x < 640; x += 3) ASSERT_EQ(b.Surface.Pixel(x, y), kBackground);
  EXPECT_EQ(b.Surface.Pixel(630, 5), kBackground);
}

TEST(Overlay, ColumnGuessRoundsHalvesToEven) {
  EXPECT_EQ(ColumnGuess(6, 8), -1);   // -18/34
  EXPECT_EQ(ColumnGuess(7, 8), 0);    // -0.5 -> 0
  EXPECT_EQ(ColumnGuess(41, 8), 0);   // 0.5 -> 0
  EXPECT_EQ(ColumnGuess(75, 8), 2);   // 1.5 -> 2
  EXPECT_EQ(ColumnGuess(109, 8), 2);  // 2.5 -> 2
  // The drawing area's own left edge is taken off first.
  EXPECT_EQ(ColumnGuess(75 + 10, 18), 2);
}

TEST(Overlay, StatusLinesInDrawingOrder) {
  TOverlayStatus status;
  status.FramesPerSecond = 0;
  status.SpriteCount = 0;
  status.CursorX = 6;
  const auto lines = OverlayLines(status);
  EXPECT_EQ(lines[0].Text, "FPS: 0");
  EXPECT_EQ(lines[1].Text, "Всего объектов: -1");
  EXPECT_EQ(lines[2].Text, "Mouse.X = 6");
  EXPECT_EQ(lines[3].Text, "Object X = -1");
  EXPECT_EQ(lines[4].Text, "Mouse recalc X = -32");
  const int ys[] = {0, 20, 40, 80, 60};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(lines[i].X, 0);
    EXPECT_EQ(lines[i].Y, ys[i]);
  }
  status.CursorX = 75;
  status.SpriteCount = 5;
  status.FramesPerSecond = 64;
  const auto later = OverlayLines(status);
  EXPECT_EQ(later[0].Text, "FPS: 64");
  EXPECT_EQ(later[1].Text, "Всего объектов: 4");
  EXPECT_EQ(later[3].Text, "Object X = 2");
  EXPECT_EQ(later[4].Text, "Mouse recalc X = 64");
}

// The overview map: square geometry, the kind colours, the colour carried
// over for kinds without one, and the back-plane colours.
#include <gtest/gtest.h>

#include "matrix/Matrix.h"
#include "matrix/MiniMapPalette.h"
#include "platform/Canvas.h"
#include "platform/Surface.h"
#include "tests/matrix/MatrixTestSupport.h"

namespace kestrilo {
namespace {

using testing::NewMatrix;

class MatrixMiniMap : public ::testing::Test {
 protected:
  TSurface window{800, 600};
  TCanvas canvas{&window};
  std::unique_ptr<TMatrix> m = NewMatrix();

  // The inner pixel of the square of view column i, row j.
  uint16_t Inside(int i, int j) const { return window.Pixel(662 + 6 * i + 2, 422 + 6 * j + 3); }
  static uint16_t Pixel(uint32_t color) { return ColorToRgb565(color); }
};

TEST_F(MatrixMiniMap, EmptyMatrixIsGreySquaresWithOutlines) {
  window.Fill(0xFFFF);
  m->DrawMiniMap(canvas, 0);
  canvas.Release();
  for (int i = 0; i < 20; ++i)
    for (int j = 0; j < 15; ++j) ASSERT_EQ(Inside(i, j), Pixel(0x808080));
  // Each 6 x 6 square has a one-pixel outline; the map spans (662, 422) to (782, 512).
  EXPECT_EQ(window.Pixel(662, 422), 0);
  EXPECT_EQ(window.Pixel(667, 427), 0);
  EXPECT_EQ(window.Pixel(781, 511), 0);
  EXPECT_EQ(window.Pixel(782, 511), 0xFFFF);
  EXPECT_EQ(window.Pixel(661, 422), 0xFFFF);
  EXPECT_EQ(window.Pixel(700, 512), 0xFFFF);
  EXPECT_EQ(window.Pixel(663, 423), Pixel(0x808080));
  EXPECT_EQ(canvas.BrushColor, 0x808080u);
}

TEST_F(MatrixMiniMap, KindColoursOnTheMainPlane) {
  m->SetOrigin(10, 20);
  const uint32_t expected[] = {0xFF0000, 0x008000, 0x0000FF, 0x00FFFF, 0xBC0163,
                               0x018704, 0xF5E100, 0x000064, 0xFBB402, 0x409E59};
  for (int kind = 0; kind <= 9; ++kind) m->Cells[10 + kind][21].Kind = static_cast<int8_t>(kind);
  m->DrawMiniMap(canvas, 0);
  canvas.Release();
  for (int kind = 0; kind <= 9; ++kind) EXPECT_EQ(Inside(kind, 1), Pixel(expected[kind])) << kind;
  EXPECT_EQ(Inside(0, 0), Pixel(0x808080));
  EXPECT_EQ(TMiniMapPalette::KindColor(6).value(), 0xF5E100u);
  EXPECT_EQ(TMiniMapPalette::KindColor(9).value(), 0x409E59u);
}

TEST_F(MatrixMiniMap, KindTenTakesTheColourOfTheSquareBefore) {
  m->Cells[3][4].Kind = 0;   // wall above
  m->Cells[3][5].Kind = 10;  // dynamic object: no colour of its own
  m->Cells[3][6].Kind = 10;
  m->Cells[4][0].Kind = 77;  // first square of a column: the last square of the previous one
  m->Cells[2][14].Kind = 2;
  m->Cells[3][0].Kind = 10;  // follows (2, 14)
  m->DrawMiniMap(canvas, 0);
  canvas.Release();
  EXPECT_EQ(Inside(3, 5), Pixel(0xFF0000));
  EXPECT_EQ(Inside(3, 6), Pixel(0xFF0000));
  EXPECT_EQ(Inside(3, 0), Pixel(0x0000FF));
  EXPECT_EQ(Inside(4, 0), Pixel(0x808080));
  // Only the empty cell and the types from the wall to the player have a colour.
  for (int kind = -128; kind <= 127; ++kind)
    EXPECT_EQ(TMiniMapPalette::KindColor(static_cast<int8_t>(kind)).has_value(), kind >= -1 && kind <= 9) << kind;
}

TEST_F(MatrixMiniMap, VeryFirstSquareUsesTheBrushOnEntry) {
  m->Cells[0][0].Kind = 10;
  canvas.BrushColor = 0x123456;
  m->DrawMiniMap(canvas, 0);
  canvas.Release();
  EXPECT_EQ(Inside(0, 0), Pixel(0x123456));
  EXPECT_EQ(Inside(0, 1), Pixel(0x808080));
}

TEST_F(MatrixMiniMap, BrushKeepsTheLastColour) {
  m->Cells[19][14].Kind = 1;
  m->DrawMiniMap(canvas, 0);
  EXPECT_EQ(canvas.BrushColor, 0x008000u);
}

TEST_F(MatrixMiniMap, BackPlanesShowYellowForObjects) {
  m->SetOrigin(1, 1);
  m->BackPlanes[1][1][1] = 5;  // plane 2 at view (0, 0)
  m->BackPlanes[2][1][1] = 0;  // 0 is no object
  m->BackPlanes[3][1][0] = 5;  // plane 1 only
  m->Cells[4][1].Kind = 0;     // the main plane does not show on a back plane
  m->DrawMiniMap(canvas, 2);
  canvas.Release();
  EXPECT_EQ(Inside(0, 0), Pixel(0x00FFFF));
  EXPECT_EQ(Inside(1, 0), Pixel(0x808080));
  EXPECT_EQ(Inside(2, 0), Pixel(0x808080));
  EXPECT_EQ(Inside(3, 0), Pixel(0x808080));
}

TEST_F(MatrixMiniMap, FollowsTheViewOriginToTheLastCells) {
  m->SetOrigin(179, 134);
  m->Cells[198][148].Kind = 2;
  m->DrawMiniMap(canvas, 0);
  canvas.Release();
  EXPECT_EQ(Inside(19, 14), Pixel(0x0000FF));
}

TEST_F(MatrixMiniMap, DrawsAtAnotherCorner) {
  TSurface panel(120, 90);
  TCanvas panelCanvas(&panel);
  m->Cells[0][0].Kind = 0;
  m->DrawMiniMap(panelCanvas, 0, 0, 0);
  panelCanvas.Release();
  EXPECT_EQ(panel.Pixel(2, 2), Pixel(0xFF0000));
  EXPECT_EQ(panel.Pixel(119, 89), 0);
}

}  // namespace
}  // namespace kestrilo

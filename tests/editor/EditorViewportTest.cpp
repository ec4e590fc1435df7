// The edit view at every size of the window: the back buffer fills the
// drawing area, the view keeps its top-left cell and shows more, the pointer
// lands on the right cell at every zoom, the preview keeps the game's own
// 640 by 480, centring and the overview follow what is shown.
#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "editor/Viewport.h"
#include "matrix/Matrix.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/SpriteEngine.h"
#include "support/LibraryEntry.h"

namespace kestrilo {
namespace {

using editortest::TEditorFixture;

class EditorViewport : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteSampleData();
    f.OpenObjects();
    f.Editor.ChangePlane(0);
    f.Tick();
  }
  TPlacementInputs Wall() {
    TPlacementInputs inputs;
    inputs.ObjectName = W1251("Стена");
    return inputs;
  }
  TEditorFixture f;
};

TEST_F(EditorViewport, ThePointerLandsOnTheCellUnderItAtEverySizeAndZoom) {
  struct TCase {
    int32_t Width, Height, Divisor;
    int32_t X, Y;  // a drawing-area point
  };
  const TCase cases[] = {
      {640, 480, 1, 639, 479},   {1912, 996, 1, 1911, 995}, {1912, 996, 2, 1000, 700}, {1912, 996, 4, 1500, 580},
      {1016, 682, 1, 1015, 681}, {1016, 682, 4, 797, 599},  {161, 121, 1, 160, 120},   {3000, 2000, 1, 2400, 1900},
  };
  // Scrolled away from the level's corner, so that the origin counts.
  for (int i = 0; i < 3; ++i) f.Editor.PressKey(39);  // right
  f.Editor.PressKey(40);                              // down
  const int64_t originX = f.Context.PlayedLevel->GetOriginX(), originY = f.Context.PlayedLevel->GetOriginY();
  ASSERT_EQ(originX, 3);
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height << " 1/" << c.Divisor);
    f.Editor.Viewport.SetArea(c.Width, c.Height);
    while (f.Editor.Zoom.Divisor() < c.Divisor) f.Editor.ZoomOut();
    while (f.Editor.Zoom.Divisor() > c.Divisor) f.Editor.ZoomIn();
    f.Tick();
    // The back buffer fills the area, the engine draws all of it, and the
    // view keeps its top-left cell.
    ASSERT_EQ(f.Draw.Surface().Width(), c.Width);
    ASSERT_EQ(f.Draw.Surface().Height(), c.Height);
    EXPECT_EQ(f.Context.SpriteEngine->Engine()->ViewRect, (TRect{0, 0, c.Width, c.Height}));
    EXPECT_EQ(f.Context.PlayedLevel->GetOriginX(), originX);
    EXPECT_EQ(f.Context.PlayedLevel->GetOriginY(), originY);
    EXPECT_EQ(f.Editor.ColumnsShown(), (c.Width * c.Divisor + 31) / 32);
    EXPECT_EQ(f.Editor.RowsShown(), (c.Height * c.Divisor + 31) / 32);
    const TCellPoint expected{originX + c.X * c.Divisor / 32, originY + c.Y * c.Divisor / 32};
    EXPECT_EQ(f.Editor.CellAt(c.X, c.Y), expected);
    // A click there places a wall in that cell of the level as designed.
    f.ClickAt(c.X, c.Y, "Стена");
    if (TMatrix::IsInside(expected.Column, expected.Row))
      EXPECT_EQ(f.Context.DesignedLevel().Cells[expected.Column][expected.Row].ObjectNumber, f.NumberOf("Стена"));
    // A stroke from there one cell right paints the next cell too.
    const int32_t step = 32 / c.Divisor;
    if (c.X + step < c.Width && TMatrix::IsInside(expected.Column + 1, expected.Row)) {
      f.Editor.Pointer().PointerPressed(TPointerButton::Left, c.X, c.Y, false, Wall());
      f.Editor.Pointer().PointerMoved(c.X + step, c.Y, Wall());
      f.Editor.Pointer().PointerReleased(TPointerButton::Left, c.X + step, c.Y, Wall());
      EXPECT_EQ(f.Context.DesignedLevel().Cells[expected.Column + 1][expected.Row].ObjectNumber, f.NumberOf("Стена"));
    }
  }
}

TEST_F(EditorViewport, ThePreviewPlaysInTheGamesOwnViewAndEditingGetsTheAreaBack) {
  f.Editor.Viewport.SetArea(1912, 996);
  f.Tick();
  ASSERT_EQ(f.Draw.Surface().Width(), 1912);
  f.Editor.Play().TogglePreview();
  f.Tick();
  EXPECT_EQ(f.Draw.Surface().Width(), 640);
  EXPECT_EQ(f.Draw.Surface().Height(), 480);
  EXPECT_EQ(f.Context.SpriteEngine->Engine()->ViewRect, (TRect{0, 0, 640, 480}));
  EXPECT_EQ(f.Draw.PresentedImage().size(), QSize(640, 480));
  f.Editor.Play().TogglePreview();
  f.Tick();
  EXPECT_EQ(f.Draw.PresentedImage().size(), QSize(1912, 996));
  // Without an area given (the headless tool) the back buffer keeps its size.
  TEditorFixture plain;
  plain.Tick();
  EXPECT_EQ(plain.Draw.PresentedImage().size(), QSize(640, 480));
}

TEST_F(EditorViewport, CentringPutsTheCellInTheMiddleOfWhatIsShown) {
  struct TCase {
    int32_t Width, Height;
    int64_t Column, Row;
    int64_t OriginX, OriginY;
  };
  const TCase cases[] = {
      {640, 480, 100, 75, 90, 68},      // 20 x 15 cells
      {1912, 996, 100, 75, 70, 59},     // 60 x 32
      {1912, 996, 5, 3, 0, 0},          // stops at the level's corner
      {1912, 996, 199, 149, 169, 133},  // the far corner in the middle
      {640, 480, 199, 149, 179, 134},   // as far as scrolling reaches
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height << " at " << c.Column << "," << c.Row);
    f.Editor.Viewport.SetArea(c.Width, c.Height);
    f.Tick();
    f.Editor.ShowCell(c.Column, c.Row);
    EXPECT_EQ(f.Context.PlayedLevel->GetOriginX(), c.OriginX);
    EXPECT_EQ(f.Context.PlayedLevel->GetOriginY(), c.OriginY);
    // The camera moved with the view.
    EXPECT_EQ(f.Context.SpriteEngine->Engine()->X, -32.0 * c.OriginX);
    EXPECT_EQ(f.Editor.MarkedCell(), (TCellPoint{c.Column, c.Row}));
  }
  // The next press in the view lets the mark go.
  f.Editor.Pointer().PointerPressed(TPointerButton::Left, 5, 5, false, Wall());
  f.Editor.Pointer().PointerReleased(TPointerButton::Left, 5, 5, Wall());
  EXPECT_FALSE(f.Editor.MarkedCell());
}

TEST(OverviewFrame, FramesTheCellsShownInSquaresThatFit) {
  struct TCase {
    int32_t Columns, Rows;
    int64_t OriginX, OriginY;
    int32_t PlaceWidth, PlaceHeight;
    TOverviewFrame Expected;
  };
  const TCase cases[] = {
      {20, 15, 0, 0, 120, 90, {20, 15, 6}},      // the classic map
      {20, 15, 179, 134, 120, 90, {20, 15, 6}},  // at the far corner
      {60, 32, 0, 0, 120, 90, {60, 32, 2}},      // a full-screen view
      {60, 32, 0, 0, 360, 240, {60, 32, 6}},     // in a larger dock
      {240, 128, 0, 0, 120, 90, {200, 128, 1}},  // a quarter view: the level's edge stops it
      {240, 128, 179, 134, 120, 90, {21, 16, 5}},
  };
  for (const TCase& c : cases) {
    TOverviewPlace place;
    place.Width = c.PlaceWidth;
    place.Height = c.PlaceHeight;
    EXPECT_EQ(TOverviewFrame::Fit(c.Columns, c.Rows, c.OriginX, c.OriginY, place), c.Expected)
        << c.Columns << "x" << c.Rows << " from " << c.OriginX << "," << c.OriginY;
  }
  const TOverviewFrame frame{60, 32, 2};
  EXPECT_EQ(frame.SquareAt(0, 0), (TCellPoint{0, 0}));
  EXPECT_EQ(frame.SquareAt(119, 63), (TCellPoint{59, 31}));
  EXPECT_FALSE(frame.SquareAt(120, 0));
  EXPECT_FALSE(frame.SquareAt(0, 64));
  EXPECT_FALSE(frame.SquareAt(-1, 3));
}

TEST_F(EditorViewport, TheOverviewShowsWhatTheViewShowsAndAClickCentresOnIt) {
  f.Editor.Viewport.OverviewPlace = {0, 0, 120, 90, 0x00F0F0F0};
  f.ClickAt(1900, 980, "Стена");  // before the window grew: out of the 640 by 480 view, nothing placed
  f.Editor.Viewport.SetArea(1912, 996);
  f.Tick();
  f.ClickAt(1900, 980, "Стена");  // column 59, row 30
  EXPECT_EQ(f.Editor.Viewport.OverviewShown, (TOverviewFrame{60, 32, 2}));
  // The wall's square, 2 by 2 pixels at (118, 60), in the wall's colour; past the map the window's colour.
  const uint16_t wall = f.OverviewSurface.Pixel(118, 60);
  EXPECT_EQ(f.OverviewSurface.Pixel(119, 61), wall);
  EXPECT_NE(f.OverviewSurface.Pixel(116, 60), wall);
  EXPECT_EQ(f.OverviewSurface.Pixel(100, 70), ColorToRgb565(0x00F0F0F0));
  // A click on that square centres the view on the wall.
  f.Editor.OverviewClicked(118, 60);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginX(), 59 - 30);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginY(), 30 - 16);
}

}  // namespace
}  // namespace kestrilo

// The overview widget shows the map's part of its surface, widened to 32 bits
// exactly as the surface's own image is, before and after the map changes.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "platform/Surface.h"
#include "windows/OverviewMap.h"

using namespace kestrilo;

namespace {

// What the widget must show: the map's rectangle of the surface's image.
QImage Expected(const TOverviewMap& map) {
  return map.Surface().ToImage().copy(TOverviewMap::kLeft, TOverviewMap::kTop, TOverviewMap::kWidth,
                                      TOverviewMap::kHeight);
}

// A 0x00BBGGRR colour as a map square shows it, through its 5-6-5 pixel.
QRgb Through565(uint32_t colour) {
  const uint32_t c = Rgb565ToColor(ColorToRgb565(colour));
  return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// What the widget paints.
QImage Shown(TOverviewMap& map) { return map.grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

TEST(OverviewMap, ShowsTheMapsPixelsBeforeAndAfterTheMapChanges) {
  TOverviewMap map(800, 534);
  const QImage empty = Shown(map);
  ASSERT_EQ(empty.size(), QSize(TOverviewMap::kWidth, TOverviewMap::kHeight));
  EXPECT_EQ(empty, Expected(map));
  EXPECT_EQ(empty.pixel(5, 5), Through565(TOverviewMap::kWindowColor));

  // A square in every 5-6-5 shade the map uses and a few it does not.
  TCanvas& canvas = map.Canvas();
  const uint32_t colours[] = {0x808080, 0x00FFFF, 0x0000FF, 0x123456, 0x000000, 0xFFFFFF, 0x7F3F1F};
  for (int i = 0; i < 7; ++i) {
    canvas.BrushColor = colours[i];
    canvas.FillRect(Bounds(TOverviewMap::kLeft + 6 * i, TOverviewMap::kTop + 6, 6, 6));
    canvas.BrushColor = 0;
    canvas.FrameRect(Bounds(TOverviewMap::kLeft + 6 * i, TOverviewMap::kTop + 6, 6, 6));
  }
  map.Refresh();
  const QImage changed = Shown(map);
  EXPECT_EQ(changed, Expected(map));
  EXPECT_NE(changed, empty);
  EXPECT_EQ(changed.pixel(6 * 3 + 3, 9), Through565(0x123456));
  EXPECT_EQ(changed.pixel(6 * 3, 9), Through565(0));  // the square's outline

  // Shown again without a change: the same picture.
  EXPECT_EQ(Shown(map), changed);
  // Drawing outside the map's rectangle changes nothing shown.
  canvas.BrushColor = 0x0000FF;
  canvas.FillRect({0, 0, TOverviewMap::kLeft, TOverviewMap::kTop});
  map.Refresh();
  EXPECT_EQ(Shown(map), changed);
  // One pixel in the map's corner is seen, also by a repaint without Refresh.
  map.Canvas().BrushColor = 0x00FF00;
  map.Canvas().FillRect(Bounds(TOverviewMap::kLeft + TOverviewMap::kWidth - 1,
                               TOverviewMap::kTop + TOverviewMap::kHeight - 1, 1, 1));
  const QImage corner = Shown(map);
  EXPECT_EQ(corner, Expected(map));
  EXPECT_EQ(corner.pixel(TOverviewMap::kWidth - 1, TOverviewMap::kHeight - 1), Through565(0x00FF00));
}

TEST(OverviewMap, ASurfaceSmallerThanTheMapsPlaceShowsWhatItHas) {
  // A client area that ends inside the map's place: only that part is painted.
  TOverviewMap cut(TOverviewMap::kLeft + 30, TOverviewMap::kTop + 20);
  cut.Canvas().BrushColor = 0x0000FF;
  cut.Canvas().FillRect(cut.Surface().ClientRect());
  cut.Refresh();
  const QImage shown = Shown(cut);
  EXPECT_EQ(shown.pixel(10, 10), Through565(0x0000FF));
  EXPECT_EQ(shown.pixel(29, 19), Through565(0x0000FF));
  // A client area that ends before the map's place paints nothing and does not fail.
  TOverviewMap none(100, 100);
  none.Refresh();
  EXPECT_EQ(Shown(none).size(), QSize(TOverviewMap::kWidth, TOverviewMap::kHeight));
}

// The overview widget shows its surface, widened to 32 bits exactly as the
// surface's own image is, before and after the map changes; a new size
// gives a new, cleared surface.
#include <gtest/gtest.h>

#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QTest>

#include "platform/Surface.h"
#include "windows/OverviewMap.h"

using namespace kestrilo;

namespace {

// A 0x00BBGGRR colour as a map square shows it, through its 5-6-5 pixel.
QRgb Through565(uint32_t colour) {
  const uint32_t c = Rgb565ToColor(ColorToRgb565(colour));
  return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// What the widget paints.
QImage Shown(TOverviewMap& map) { return map.grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

TEST(OverviewMap, ShowsTheMapsPixelsBeforeAndAfterTheMapChanges) {
  TOverviewMap map;
  const QImage empty = Shown(map);
  ASSERT_EQ(empty.size(), QSize(TOverviewMap::kWidth, TOverviewMap::kHeight));
  EXPECT_EQ(empty, map.Surface().ToImage());
  EXPECT_EQ(empty.pixel(5, 5), Through565(TOverviewMap::kWindowColor));

  // A square in every 5-6-5 shade the map uses and a few it does not.
  TCanvas& canvas = map.Canvas();
  const uint32_t colours[] = {0x808080, 0x00FFFF, 0x0000FF, 0x123456, 0x000000, 0xFFFFFF, 0x7F3F1F};
  for (int i = 0; i < 7; ++i) {
    canvas.BrushColor = colours[i];
    canvas.FillRect(Bounds(6 * i, 6, 6, 6));
    canvas.BrushColor = 0;
    canvas.FrameRect(Bounds(6 * i, 6, 6, 6));
  }
  map.Refresh();
  const QImage changed = Shown(map);
  EXPECT_EQ(changed, map.Surface().ToImage());
  EXPECT_NE(changed, empty);
  EXPECT_EQ(changed.pixel(6 * 3 + 3, 9), Through565(0x123456));
  EXPECT_EQ(changed.pixel(6 * 3, 9), Through565(0));  // the square's outline
  // Shown again without a change: the same picture.
  EXPECT_EQ(Shown(map), changed);
  // One pixel in the corner is seen, also by a repaint without Refresh.
  map.Canvas().BrushColor = 0x00FF00;
  map.Canvas().FillRect(Bounds(TOverviewMap::kWidth - 1, TOverviewMap::kHeight - 1, 1, 1));
  EXPECT_EQ(Shown(map).pixel(TOverviewMap::kWidth - 1, TOverviewMap::kHeight - 1), Through565(0x00FF00));
}

TEST(OverviewMap, ANewSizeGivesAClearedSurfaceAndClicksReportTheirPoint) {
  TOverviewMap map;
  map.show();  // a widget hears of its size once shown
  std::vector<QSize> told;
  map.Resized = [&](int width, int height) { told.push_back({width, height}); };
  map.Canvas().BrushColor = 0x0000FF;
  map.Canvas().FillRect(map.Surface().ClientRect());
  map.Refresh();
  map.resize(300, 200);
  ASSERT_EQ(told, std::vector<QSize>{QSize(300, 200)});
  ASSERT_EQ(QSize(map.Surface().Width(), map.Surface().Height()), QSize(300, 200));
  const QImage shown = Shown(map);
  EXPECT_EQ(shown.pixel(10, 10), Through565(TOverviewMap::kWindowColor));
  EXPECT_EQ(shown.pixel(299, 199), Through565(TOverviewMap::kWindowColor));
  // The same size again makes nothing anew.
  map.resize(300, 200);
  EXPECT_EQ(told.size(), 1u);

  std::vector<QPoint> clicked;
  map.PointClicked = [&](int x, int y) { clicked.push_back({x, y}); };
  QTest::mouseClick(&map, Qt::LeftButton, {}, QPoint(37, 12));
  QTest::mouseClick(&map, Qt::RightButton, {}, QPoint(5, 5));  // only the left button leads somewhere
  EXPECT_EQ(clicked, std::vector<QPoint>{QPoint(37, 12)});
}

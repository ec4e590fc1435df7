// The preview's scale rule: the 640 by 480 game view on drawing areas of
// every size, in device pixels, and points of the area back to game pixels.
#include <gtest/gtest.h>

#include "platform/ViewScale.h"

using namespace kestrilo;

TEST(ViewScale, LargestWholeFactorThatFitsCentred) {
  struct TCase {
    int32_t AreaWidth, AreaHeight;
    int32_t Factor, Left, Top;
  };
  const TCase cases[] = {
      {640, 480, 1, 0, 0},                            // the classic area
      {1270, 950, 1, 315, 235},                       // just short of twice
      {1280, 960, 2, 0, 0},                           // exactly twice
      {1910, 996, 2, 315, 18},                        // a maximised window on 1920 by 1080: the height decides
      {3820, 1992, 4, 630, 36},                       // the same on a double-density screen, in device pixels
      {1014, 682, 1, 187, 101},                       // 1024 by 768
      {2560, 1000, 2, 640, 20}, {600, 400, 1, 0, 0},  // smaller than the view: its top-left stays in sight
      {0, 0, 1, 0, 0},
  };
  for (const TCase& c : cases) {
    const TViewScale scale = TViewScale::ToFit(640, 480, c.AreaWidth, c.AreaHeight);
    EXPECT_EQ(scale.Factor, c.Factor) << c.AreaWidth << "x" << c.AreaHeight;
    EXPECT_EQ(scale.Left, c.Left) << c.AreaWidth << "x" << c.AreaHeight;
    EXPECT_EQ(scale.Top, c.Top) << c.AreaWidth << "x" << c.AreaHeight;
  }
  // A frame the size of the area (the edit view) is shown one to one.
  const TViewScale same = TViewScale::ToFit(1910, 996, 1910, 996);
  EXPECT_EQ(same.Factor, 1);
  EXPECT_EQ(same.Left, 0);
}

TEST(ViewScale, AreaPointsMapBackToTheGamePixelUnderThem) {
  const TViewScale scale = TViewScale::ToFit(640, 480, 1910, 996);  // factor 2 at (315, 18)
  struct TCase {
    int32_t DeviceX, DeviceY, X, Y;
  };
  for (const TCase& c : {TCase{315, 18, 0, 0}, TCase{316, 19, 0, 0}, TCase{317, 20, 1, 1}, TCase{1594, 977, 639, 479},
                         TCase{1595, 978, 640, 480}, TCase{314, 17, -1, -1}, TCase{0, 0, -158, -9}}) {
    EXPECT_EQ(scale.ToFrameX(c.DeviceX), c.X) << c.DeviceX;
    EXPECT_EQ(scale.ToFrameY(c.DeviceY), c.Y) << c.DeviceY;
  }
  // A frame pixel covers whole device pixels only.
  EXPECT_EQ(TViewScale::WholeRatio(1.0), 1);
  EXPECT_EQ(TViewScale::WholeRatio(1.5), 1);
  EXPECT_EQ(TViewScale::WholeRatio(2.0), 2);
  EXPECT_EQ(TViewScale::WholeRatio(0.5), 1);
}

#include <gtest/gtest.h>

#include <QWidget>
#include <vector>

#include "platform/widgets/DXDraw.h"

using namespace kestrilo;

TEST(DXDraw, InitialisesAtFirstShowingAndTellsBoundComponents) {
  // Declared before the window: the drawing area tells its listeners when it is destroyed.
  std::vector<TDXDrawNotifyType> notices;
  QWidget window;
  auto* draw = new TDXDraw(&window);
  draw->RegisterNotifyEvent([&](TDrawingSurface*, TDXDrawNotifyType t) { notices.push_back(t); });
  int initialised = 0;
  draw->OnInitialize = [&](TDrawingSurface*) { ++initialised; };
  EXPECT_FALSE(draw->ReadyToDraw());
  window.show();
  EXPECT_TRUE(draw->Initialized());
  EXPECT_TRUE(draw->ReadyToDraw());
  EXPECT_EQ(initialised, 1);
  EXPECT_EQ(draw->Surface().Width(), 640);
  EXPECT_EQ(draw->Surface().Height(), 480);
  window.hide();
  window.show();
  EXPECT_EQ(initialised, 1);  // only the first showing initialises
  EXPECT_NE(std::find(notices.begin(), notices.end(), TDXDrawNotifyType::dxntInitialize), notices.end());
  draw->Finalize();
  EXPECT_FALSE(draw->ReadyToDraw());
  EXPECT_EQ(notices.back(), TDXDrawNotifyType::dxntFinalize);
}

TEST(DXDraw, FillAndPresentShowTheBackBuffer) {
  QWidget window;
  auto* draw = new TDXDraw(&window);
  window.show();
  draw->FillBackBuffer(128);
  EXPECT_EQ(draw->Surface().Pixel(639, 479), 128);
  draw->Present();
  const QImage shown = draw->PresentedImage();
  ASSERT_EQ(shown.width(), 640);
  // 128 in 5-6-5 is green 4 of 63: a very dark green
  const QColor c = shown.pixelColor(10, 10);
  EXPECT_EQ(c.red(), 0);
  EXPECT_EQ(c.blue(), 0);
  EXPECT_GT(c.green(), 0);
  EXPECT_LT(c.green(), 24);
}

TEST(DXDraw, LostSurfacesAreRestoredOrEndReadiness) {
  int restores = 0;
  QWidget window;
  auto* draw = new TDXDraw(&window);
  draw->RegisterNotifyEvent([&](TDrawingSurface*, TDXDrawNotifyType t) {
    if (t == TDXDrawNotifyType::dxntRestore) ++restores;
  });
  window.show();
  const int before = restores;
  draw->SimulateSurfaceLoss(true);
  EXPECT_TRUE(draw->ReadyToDraw());
  EXPECT_EQ(restores, before + 1);
  draw->SimulateSurfaceLoss(false);
  EXPECT_FALSE(draw->ReadyToDraw());
}

// The level's background picture following the camera with its parallax.
#include <gtest/gtest.h>

#include "matrix/LevelBackground.h"
#include "matrix/Matrix.h"
#include "sprites/SpriteEngine.h"
#include "tests/matrix/MatrixTestSupport.h"

namespace kestrilo {
namespace {

class BackParallax : public ::testing::Test {
 protected:
  TSpriteEngine root;
  std::unique_ptr<TMatrix> m = testing::NewMatrix();
  TBack* back = new TBack(&root);

  void Scroll(TScrollDirection direction, int times) {
    for (int i = 0; i < times; ++i) m->Scroll(root, direction);
  }
  void Tick() { root.Move(16); }
};

TEST_F(BackParallax, IsABackgroundThatNeverCollides) {
  EXPECT_STREQ(back->ClassName(), "TBack");
  EXPECT_FALSE(back->CanCollide);
  EXPECT_EQ(back->LastCameraX, 0.0);
  EXPECT_EQ(back->LastCameraY, 0.0);
}

TEST_F(BackParallax, StandingCameraLeavesItAlone) {
  back->X = 5;
  Tick();
  Tick();
  EXPECT_EQ(back->X, 5.0);
  EXPECT_EQ(back->Y, 0.0);
}

TEST_F(BackParallax, ThreeScrollsRightMoveIt89Point6InTheWorld) {
  for (int i = 0; i < 3; ++i) {
    Scroll(TScrollDirection::Right, 1);
    Tick();
  }
  EXPECT_NEAR(back->X, 89.6, 1e-9);
  EXPECT_NEAR(back->AbsoluteX(), -6.4, 1e-9);  // 6.4 pixels on the screen
  EXPECT_EQ(back->Y, 0.0);
  EXPECT_EQ(back->LastCameraX, -96.0);
}

TEST_F(BackParallax, OneScrollMovesAFifteenthOnTheScreen) {
  Scroll(TScrollDirection::Right, 1);
  Tick();
  EXPECT_NEAR(back->AbsoluteX(), -32.0 / 15.0, 1e-12);
}

TEST_F(BackParallax, ThreeScrollsDownMoveIt96InTheWorldAndNotOnTheScreen) {
  for (int i = 0; i < 3; ++i) {
    Scroll(TScrollDirection::Down, 1);
    Tick();
  }
  EXPECT_EQ(back->Y, 96.0);
  EXPECT_EQ(back->AbsoluteY(), 0.0);
  EXPECT_EQ(back->X, 0.0);
}

TEST_F(BackParallax, BothAxesInOneFrameTakeTwoFrames) {
  Scroll(TScrollDirection::Right, 1);
  Scroll(TScrollDirection::Down, 1);
  Tick();
  EXPECT_NEAR(back->X, 32.0 - 32.0 / 15.0, 1e-12);
  EXPECT_EQ(back->Y, 0.0);
  EXPECT_EQ(back->LastCameraY, 0.0);
  Tick();
  EXPECT_EQ(back->Y, 32.0);
  EXPECT_EQ(back->LastCameraY, -32.0);
  const double x = back->X;
  Tick();
  EXPECT_EQ(back->X, x);
}

TEST_F(BackParallax, ScrollingLeftMovesItTheOtherWayAndBackToTheStart) {
  for (int i = 0; i < 3; ++i) {
    Scroll(TScrollDirection::Right, 1);
    Tick();
  }
  Scroll(TScrollDirection::Left, 1);
  Tick();
  // On the screen the picture moves with the scroll, a fifteenth of it.
  EXPECT_NEAR(back->AbsoluteX(), -6.4 + 32.0 / 15.0, 1e-9);
  Scroll(TScrollDirection::Left, 2);
  Tick();
  EXPECT_NEAR(back->X, 0.0, 1e-9);
  EXPECT_NEAR(back->AbsoluteX(), 0.0, 1e-9);
}

TEST_F(BackParallax, SeveralScrollsBetweenFramesAreFollowedAtOnce) {
  Scroll(TScrollDirection::Right, 5);
  Tick();
  EXPECT_NEAR(back->X, 160.0 * 14.0 / 15.0, 1e-9);
}

}  // namespace
}  // namespace kestrilo

// Background sprites: the tile map, wrapping and tiled drawing.
#include <gtest/gtest.h>

#include "platform/Surface.h"
#include "sprites/BackgroundSprite.h"
#include "sprites/PictureFixture.h"
#include "sprites/SpriteEngine.h"
#include "sprites/SpriteProbe.h"

namespace kestrilo {
namespace {

using namespace test;

constexpr uint16_t kFill = 0x1234;

// 64 by 64 frame: its first column red, its first row green, the rest blue.
TPictureCollectionItem* MarkedTile(TPictureFixture& pictures) {
  return pictures.Add(64, 64, 0, 0, [](int x, int y) { return x == 0 ? kRed : (y == 0 ? kGreen : kBlue); });
}

struct TScene {
  TPictureFixture Pictures;
  TSurface Buffer{320, 200};
  TSpriteEngine Root;
  TBackgroundSprite* Back = new TBackgroundSprite(&Root);
  TScene() {
    Root.SetSurface(&Buffer);
    Buffer.Fill(kFill);
    Back->Picture = MarkedTile(Pictures);
  }
  // x positions on row `y` where the red first column of a frame landed.
  std::vector<int> RedColumns(int y) const {
    std::vector<int> xs;
    for (int x = 0; x < Buffer.Width(); ++x)
      if (Buffer.Pixel(x, y) == kRed565) xs.push_back(x);
    return xs;
  }
};

TEST(BackgroundSpriteTest, NeverCollidesAndStartsWithAnEmptyMap) {
  TSpriteEngine root;
  auto* back = new TBackgroundSprite(&root);
  EXPECT_FALSE(back->CanCollide);
  EXPECT_FALSE(back->Repeat);
  EXPECT_EQ(back->Picture, nullptr);
  EXPECT_EQ(back->Columns(), 0);
  EXPECT_EQ(back->Rows(), 0);
  EXPECT_EQ(back->TileAt(0, 0), -1);
  back->Width = back->Height = 100;
  auto* probe = new TProbeSprite(&root, "p");
  probe->Width = probe->Height = 10;
  EXPECT_EQ(probe->CheckCollisions(), 0);
}

TEST(BackgroundSpriteTest, ResizeFillsWithFrameZeroAndEmptiesOnANonPositiveSize) {
  TSpriteEngine root;
  auto* back = new TBackgroundSprite(&root);
  back->Resize(3, 2);
  EXPECT_EQ(back->Columns(), 3);
  EXPECT_EQ(back->Rows(), 2);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(back->TileAt(c, r), 0);
  EXPECT_EQ(back->TileAt(3, 0), -1);
  EXPECT_EQ(back->TileAt(0, 2), -1);
  EXPECT_EQ(back->TileAt(-1, 0), -1);
  EXPECT_EQ(back->TileAt(0, -1), -1);
  back->Resize(0, 5);
  EXPECT_EQ(back->Columns(), 0);
  EXPECT_EQ(back->Rows(), 0);
  EXPECT_EQ(back->TileAt(0, 0), -1);
  back->Resize(4, -1);
  EXPECT_EQ(back->Columns(), 0);
  back->Resize(1, 1);
  EXPECT_EQ(back->TileAt(0, 0), 0);
}

TEST(BackgroundSpriteTest, PosModIsNeverNegative) {
  EXPECT_EQ(PosMod(5, 4), 1);
  EXPECT_EQ(PosMod(-1, 4), 3);
  EXPECT_EQ(PosMod(-4, 4), 0);
  EXPECT_EQ(PosMod(-5, 4), 3);
  EXPECT_EQ(PosMod(0, 1), 0);
  EXPECT_EQ(PosMod(INT32_MIN, 7), static_cast<int32_t>(((static_cast<int64_t>(INT32_MIN) % 7) + 7) % 7));
  EXPECT_EQ(PosMod(3, 0), 0);
}

TEST(BackgroundSpriteTest, BoundsFollowTheRepeatFlagAndThePicture) {
  TScene s;
  s.Back->Resize(3, 2);
  s.Back->X = 10.7;
  s.Back->Y = -5.2;
  EXPECT_EQ(s.Back->GetBounds(), (TRect{10, -5, 10 + 192, -5 + 128}));
  s.Back->Repeat = true;
  EXPECT_EQ(s.Back->GetBounds(), (TRect{0, 0, 320, 200}));
  s.Back->Repeat = false;
  s.Back->Picture = nullptr;
  EXPECT_EQ(s.Back->GetBounds(), (TRect{0, 0, 0, 0}));
}

TEST(BackgroundSpriteTest, ARepeatingMapLeftOfTheOriginTilesFromMinusSeventyFour) {
  TScene s;
  s.Back->Resize(1, 1);
  s.Back->Repeat = true;
  s.Back->X = -10;
  s.Root.DrawAll();
  // Frames start at -74, -10, 54, 118, ...: their red first columns show from 54 on.
  EXPECT_EQ(s.RedColumns(30), (std::vector<int>{54, 118, 182, 246, 310}));
  EXPECT_EQ(s.Buffer.Pixel(0, 30), kBlue565);     // inside the frame at -10
  EXPECT_EQ(s.Buffer.Pixel(5, 0), kGreen565);     // first row of the top frames
  EXPECT_EQ(s.Buffer.Pixel(5, 64), kGreen565);    // and of the next row of frames
  EXPECT_EQ(s.Buffer.Pixel(319, 199), kBlue565);  // the whole view is covered
}

TEST(BackgroundSpriteTest, ARepeatingMapRightOfTheOriginAlsoCoversTheLeftEdge) {
  TScene s;
  s.Back->Resize(1, 1);
  s.Back->Repeat = true;
  s.Back->X = 10;
  s.Back->Y = 20;
  s.Root.DrawAll();
  EXPECT_EQ(s.RedColumns(30), (std::vector<int>{10, 74, 138, 202, 266}));
  EXPECT_EQ(s.Buffer.Pixel(9, 30), kBlue565);   // the frame at -54 reaches x = 9
  EXPECT_EQ(s.Buffer.Pixel(30, 19), kBlue565);  // the frame row at -44 reaches y = 19
  EXPECT_EQ(s.Buffer.Pixel(30, 20), kGreen565);
  EXPECT_EQ(s.Buffer.Pixel(30, 84), kGreen565);
}

TEST(BackgroundSpriteTest, ARepeatingMapFollowsTheCameraAnywhere) {
  TScene s;
  s.Back->Resize(2, 3);
  s.Back->Repeat = true;
  s.Root.X = -6400 - 3;
  s.Root.Y = 4800 + 7;
  s.Root.DrawAll();
  // -6403 mod 64 = -3 (truncating): frames start at 61, 125, ...
  EXPECT_EQ(s.RedColumns(30), (std::vector<int>{61, 125, 189, 253, 317}));
  for (int y = 0; y < 200; y += 13)
    for (int x = 0; x < 320; x += 7) ASSERT_NE(s.Buffer.Pixel(x, y), kFill) << x << "," << y;
}

TEST(BackgroundSpriteTest, AMapThatDoesNotRepeatIsDrawnOnceFromItsPosition) {
  TScene s;
  s.Back->Resize(2, 1);
  s.Back->X = 100;
  s.Back->Y = 50;
  s.Root.DrawAll();
  EXPECT_EQ(s.RedColumns(60), (std::vector<int>{100, 164}));
  EXPECT_EQ(s.Buffer.Pixel(227, 60), kBlue565);
  EXPECT_EQ(s.Buffer.Pixel(228, 60), kFill);
  EXPECT_EQ(s.Buffer.Pixel(99, 60), kFill);
  EXPECT_EQ(s.Buffer.Pixel(150, 49), kFill);
  EXPECT_EQ(s.Buffer.Pixel(150, 50), kGreen565);
  EXPECT_EQ(s.Buffer.Pixel(150, 113), kBlue565);
  EXPECT_EQ(s.Buffer.Pixel(150, 114), kFill);
}

TEST(BackgroundSpriteTest, AMapThatDoesNotRepeatCanStartLeftOfTheView) {
  TScene s;
  s.Back->Resize(3, 1);
  s.Back->X = -70;
  s.Root.DrawAll();
  // Column 0 lies at -70..-7, column 1 at -6..57, column 2 at 58..121.
  EXPECT_EQ(s.RedColumns(30), (std::vector<int>{58}));
  EXPECT_EQ(s.Buffer.Pixel(0, 30), kBlue565);
  EXPECT_EQ(s.Buffer.Pixel(121, 30), kBlue565);
  EXPECT_EQ(s.Buffer.Pixel(122, 30), kFill);
}

TEST(BackgroundSpriteTest, AnEmptyMapOrNoPictureDrawsNothing) {
  TScene s;
  s.Back->Repeat = true;
  s.Back->Resize(0, 5);
  s.Root.DrawAll();
  s.Back->Resize(2, 2);
  s.Back->Picture = nullptr;
  s.Root.DrawAll();
  for (int y = 0; y < 200; y += 5)
    for (int x = 0; x < 320; x += 5) ASSERT_EQ(s.Buffer.Pixel(x, y), kFill);
}

}  // namespace
}  // namespace kestrilo

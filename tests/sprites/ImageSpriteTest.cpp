// Image sprites: frame advance, the frame shown, centring and drawing.
#include <gtest/gtest.h>

#include "platform/Surface.h"
#include "sprites/ImageSprite.h"
#include "sprites/PictureFixture.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {
namespace {

using namespace test;

struct TFrames {
  TSpriteEngine Root;
  TImageSprite* Sprite = new TImageSprite(&Root);
  void Step(double pos, double speed, int32_t count, bool looping, int32_t moveCount = 1) {
    Sprite->FramePos = pos;
    Sprite->FrameSpeed = speed;
    Sprite->FrameCount = count;
    Sprite->Looping = looping;
    Sprite->OnMove(moveCount);
  }
};

TEST(ImageSpriteFrames, StartsStill) {
  TSpriteEngine root;
  TImageSprite s(&root);
  EXPECT_EQ(s.FrameCount, 0);
  EXPECT_FALSE(s.Looping);
  EXPECT_EQ(s.FramePos, 0.0);
  EXPECT_EQ(s.FrameSpeed, 0.0);
  EXPECT_EQ(s.FrameStart, 0);
  EXPECT_EQ(s.Picture, nullptr);
  EXPECT_FALSE(s.PixelTest);
  EXPECT_TRUE(s.CanCollide);
}

TEST(ImageSpriteFrames, SpeedIsFramesPerUnitOfMoveCount) {
  TFrames f;
  f.Step(0, 0.0625, 8, true, 16);
  EXPECT_DOUBLE_EQ(f.Sprite->FramePos, 1.0);
  f.Root.Move(16);  // the tree's step reaches the frame advance
  EXPECT_DOUBLE_EQ(f.Sprite->FramePos, 2.0);
}

TEST(ImageSpriteFrames, LoopingWrapsIntoTheFrameRange) {
  TFrames f;
  f.Step(3.9, 0.3, 4, true);
  EXPECT_NEAR(f.Sprite->FramePos, 0.2, 1e-12);
  f.Step(0, -0.5, 4, true);
  EXPECT_DOUBLE_EQ(f.Sprite->FramePos, 3.5);
  f.Step(9.5, 0, 4, true);
  EXPECT_DOUBLE_EQ(f.Sprite->FramePos, 1.5);
  f.Step(-8.25, 0, 4, true);
  EXPECT_DOUBLE_EQ(f.Sprite->FramePos, 3.75);
  f.Step(4, 0, 4, true);
  EXPECT_DOUBLE_EQ(f.Sprite->FramePos, 0.0);
  EXPECT_DOUBLE_EQ(f.Sprite->FrameSpeed, 0.0);
}

TEST(ImageSpriteFrames, LoopingNeverLandsOnTheFrameCountItself) {
  TFrames f;
  f.Step(-1e-17, 0, 4, true);  // -1e-17 + 4 rounds to 4.0 exactly
  EXPECT_GE(f.Sprite->FramePos, 0.0);
  EXPECT_LT(f.Sprite->FramePos, 4.0);
}

TEST(ImageSpriteFrames, LoopingWithoutFramesPinsThePositionAtZero) {
  TFrames f;
  f.Step(2.5, 1, 0, true);
  EXPECT_EQ(f.Sprite->FramePos, 0.0);
  f.Step(2.5, 1, -3, true);
  EXPECT_EQ(f.Sprite->FramePos, 0.0);
}

TEST(ImageSpriteFrames, WithoutLoopingTheAnimationStopsOnItsLastFrame) {
  TFrames f;
  f.Step(3.5, 0.5, 4, false);
  EXPECT_DOUBLE_EQ(f.Sprite->FramePos, 3.0);
  EXPECT_EQ(f.Sprite->FrameSpeed, 0.0);
  f.Step(2.5, 0.25, 4, false);  // still running
  EXPECT_DOUBLE_EQ(f.Sprite->FramePos, 2.75);
  EXPECT_DOUBLE_EQ(f.Sprite->FrameSpeed, 0.25);
}

TEST(ImageSpriteFrames, WithoutLoopingANegativePositionStopsAtZero) {
  TFrames f;
  f.Step(0.25, -0.5, 4, false);
  EXPECT_EQ(f.Sprite->FramePos, 0.0);
  EXPECT_EQ(f.Sprite->FrameSpeed, 0.0);
}

TEST(ImageSpriteFrames, WithoutLoopingAndWithoutFramesThePositionEndsAtZero) {
  TFrames f;
  f.Step(0, 0, 0, false);  // first FrameCount - 1 = -1, then clamped
  EXPECT_EQ(f.Sprite->FramePos, 0.0);
  EXPECT_EQ(f.Sprite->FrameSpeed, 0.0);
}

TEST(ImageSpriteFrames, AStillSpriteKeepsThePositionItsOwnerWrites) {
  TFrames f;
  f.Step(2.75, 0, 4, false);
  EXPECT_DOUBLE_EQ(f.Sprite->FramePos, 2.75);
}

TEST(ImageSpriteFrames, FrameIndexIsTheTruncatedPositionFromTheFirstFrame) {
  TFrames f;
  f.Sprite->FramePos = 2.9;
  f.Sprite->FrameStart = 4;
  EXPECT_EQ(f.Sprite->FrameIndex(), 6);
  f.Sprite->FramePos = -0.5;
  EXPECT_EQ(f.Sprite->FrameIndex(), 4);
  f.Sprite->FramePos = 1e300;
  f.Sprite->FrameStart = 10;
  EXPECT_EQ(f.Sprite->FrameIndex(), INT32_MAX);
}

TEST(ImageSpriteDrawing, ThePictureIsCentredOnTheSpritesBox) {
  TPictureFixture pictures;
  TSpriteEngine root;
  auto* s = new TImageSprite(&root);
  s->X = 100;
  s->Y = 50;
  s->Width = 32;
  s->Height = 32;
  EXPECT_EQ(s->DrawRect(), (TRect{100, 50, 132, 82}));  // no picture: the box itself
  s->Picture = pictures.Add(40, 20, 0, 0, [](int, int) { return kRed; });
  EXPECT_EQ(s->DrawRect(), (TRect{96, 56, 128, 88}));
  s->Picture = pictures.Add(32, 32, 0, 0, [](int, int) { return kRed; });
  s->Width = 33;
  s->Height = 35;
  EXPECT_EQ(s->DrawRect().Left, 100);
  EXPECT_EQ(s->DrawRect().Top, 51);
  EXPECT_EQ(s->GetBounds(), (TRect{100, 50, 133, 85}));
}

// A strip of four 8 by 8 frames: frame k is filled with colour k, its top-left pixel black (keyed out).
TPictureCollectionItem* Strip(TPictureFixture& pictures) {
  return pictures.Add(32, 8, 8, 8, [](int x, int y) {
    static const uint32_t colours[] = {kRed, kGreen, kBlue, kWhite};
    if (x % 8 == 0 && y == 0) return kBlack;
    return colours[x / 8];
  });
}

TEST(ImageSpriteDrawing, DrawsTheCurrentFrameWhereTheCameraPutsIt) {
  TPictureFixture pictures;
  TSurface buffer(64, 48);
  TSpriteEngine root;
  root.SetSurface(&buffer);
  root.X = -100;
  auto* s = new TImageSprite(&root);
  s->Picture = Strip(pictures);
  s->Width = 8;
  s->Height = 8;
  s->X = 110;
  s->Y = 5;
  s->FramePos = 1.7;
  buffer.Fill(0x1234);
  root.DrawAll();
  EXPECT_EQ(buffer.Pixel(11, 5), kGreen565);
  EXPECT_EQ(buffer.Pixel(17, 12), kGreen565);
  EXPECT_EQ(buffer.Pixel(10, 5), 0x1234);  // the key pixel lets the background through
  EXPECT_EQ(buffer.Pixel(18, 5), 0x1234);
  EXPECT_EQ(buffer.Pixel(9, 6), 0x1234);

  s->FrameStart = 2;  // shows frame 3 now
  root.DrawAll();
  EXPECT_EQ(buffer.Pixel(11, 5), kWhite565);
}

TEST(ImageSpriteDrawing, NothingIsDrawnWithoutPictureSurfaceOrFrame) {
  TPictureFixture pictures;
  TSurface buffer(64, 48);
  TSpriteEngine root;
  auto* s = new TImageSprite(&root);
  s->Width = 8;
  s->Height = 8;
  s->Picture = Strip(pictures);
  buffer.Fill(0x1234);
  root.DrawAll();  // no surface bound: nothing to draw on, no crash
  root.SetSurface(&buffer);
  s->FramePos = 4;  // beyond the last frame
  root.DrawAll();
  s->FramePos = -1;
  s->FrameStart = -1;
  root.DrawAll();
  s->Picture = nullptr;
  s->FramePos = 0;
  s->FrameStart = 0;
  root.DrawAll();
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(buffer.Pixel(x, y), 0x1234) << x << "," << y;
}

TEST(ImageSpriteHitTest, WithoutPixelTestEveryOverlapIsAHit) {
  TSpriteEngine root;
  auto* a = new TImageSprite(&root);
  auto* b = new TImageSprite(&root);
  a->Width = b->Width = 10;
  a->Height = b->Height = 10;
  EXPECT_TRUE(a->HitTest(b));
  EXPECT_EQ(a->CheckCollisions(), 1);
}

TEST(ImageSpriteHitTest, PixelTestComparesTheOpaquePixelsOfBothFrames) {
  TPictureFixture pictures;
  // 8 by 8 frames: the left half opaque, the right half black (keyed out).
  TPictureCollectionItem* half = pictures.Add(8, 8, 0, 0, [](int x, int) { return x < 4 ? kRed : kBlack; });
  TSpriteEngine root;
  auto* a = new TImageSprite(&root);
  auto* b = new TImageSprite(&root);
  for (auto* s : {a, b}) {
    s->Picture = half;
    s->Width = 8;
    s->Height = 8;
    s->PixelTest = true;
  }
  b->X = 4;  // b's opaque half lies over a's transparent half
  EXPECT_FALSE(a->HitTest(b));
  EXPECT_EQ(a->CheckCollisions(), 0);
  b->X = 3;  // one column of both opaque
  EXPECT_TRUE(a->HitTest(b));
  EXPECT_EQ(a->CheckCollisions(), 1);
  a->FramePos = 5;  // no such frame: nothing to compare
  EXPECT_FALSE(a->HitTest(b));
  TSprite plain(&root);
  EXPECT_TRUE(a->HitTest(&plain));  // only image sprites are compared by pixels
}

}  // namespace
}  // namespace kestrilo

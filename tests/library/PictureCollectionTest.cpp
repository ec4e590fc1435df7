// Frame cutting, drawing with the colour key, and the collection's
// bind/prepare/finalise life cycle.
#include <gtest/gtest.h>

#include <array>

#include "library/Colors.h"
#include "library/PictureCollection.h"
#include "platform/Errors.h"
#include "tests/library/PictureTestSupport.h"

namespace kestrilo {
namespace {

using picturetest::Bitmap24;
using picturetest::SolidBitmap24;
using picturetest::TTestDisplay;

// Eight colours that stay distinct in 5-6-5.
constexpr std::array<uint32_t, 8> kCellColors{0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF,
                                              0x00FFFF, 0xFF00FF, 0xFFFF00, 0x808080};

// Each 32 x 16 cell of the picture in its own colour, cells numbered row by row (4 per row).
uint32_t CellColor(int x, int y) { return kCellColors[static_cast<size_t>((x / 32) % 4 + 4 * ((y / 16) % 2))]; }

class PictureCollectionTest : public ::testing::Test {
 protected:
  TPictureCollectionItem* AddPicture(int32_t width, int32_t height, int32_t patternWidth, int32_t patternHeight) {
    TPictureCollectionItem* item = pictures.Add();
    item->Picture.LoadFromData(TPicture::kBitmap, Bitmap24(width, height, CellColor));
    item->PatternWidth = patternWidth;
    item->PatternHeight = patternHeight;
    return item;
  }
  void Bind() {
    pictures.Initialize(&display);
    pictures.Restore();
  }
  // The colour of the top-left pixel that drawing `frame` leaves on a blank surface.
  uint16_t DrawnTopLeft(const TPictureCollectionItem& item, int32_t frame) {
    TSurface dest(64, 64);
    dest.Fill(kBlank);
    item.Draw(dest, 0, 0, frame);
    return dest.Pixel(0, 0);
  }

  static constexpr uint16_t kBlank = 0x1234;
  TTestDisplay display;
  TPictureCollection pictures;
};

TEST_F(PictureCollectionTest, StripOf32By32FramesGivesFourLeftToRight) {
  TPictureCollectionItem* item = AddPicture(128, 32, 32, 32);
  EXPECT_EQ(item->PatternCount(), 4);  // before cutting, from the grid
  Bind();
  ASSERT_EQ(item->PatternCount(), 4);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(item->PatternRect(k), Bounds(32 * k, 0, 32, 32)) << k;
    EXPECT_EQ(DrawnTopLeft(*item, k), ColorToRgb565(kCellColors[static_cast<size_t>(k)])) << k;
  }
  EXPECT_EQ(item->SurfaceCount(), 1);  // one block of 128 x 32
  EXPECT_EQ(item->Surface(0).Width(), 128);
}

TEST_F(PictureCollectionTest, ZeroFrameSizeIsTheWholePicture) {
  TPictureCollectionItem* item = AddPicture(128, 32, 0, 0);
  EXPECT_EQ(item->Width(), 128);
  EXPECT_EQ(item->Height(), 32);
  EXPECT_EQ(item->PatternCount(), 1);
  Bind();
  EXPECT_EQ(item->PatternCount(), 1);
  EXPECT_EQ(item->PatternRect(0), Bounds(0, 0, 128, 32));
  EXPECT_EQ(item->SurfaceCount(), 1);
  TSurface dest(128, 32);
  item->Draw(dest, 0, 0, 0);
  EXPECT_EQ(dest.Pixel(127, 31), ColorToRgb565(kCellColors[7]));
}

TEST_F(PictureCollectionTest, HalfHeightFramesRunRowByRow) {
  TPictureCollectionItem* item = AddPicture(128, 32, 32, 16);
  EXPECT_EQ(item->PatternCount(), 8);
  Bind();
  ASSERT_EQ(item->PatternCount(), 8);
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(item->PatternRect(k), Bounds(32 * (k % 4), 16 * (k / 4), 32, 16)) << k;
    EXPECT_EQ(DrawnTopLeft(*item, k), ColorToRgb565(kCellColors[static_cast<size_t>(k)])) << k;
  }
}

TEST_F(PictureCollectionTest, LeftoverColumnsBelongToNoFrame) {
  TPictureCollectionItem* item = AddPicture(100, 32, 32, 0);
  EXPECT_EQ(item->PatternCount(), 3);
  Bind();
  ASSERT_EQ(item->PatternCount(), 3);
  EXPECT_EQ(item->PatternRect(2), Bounds(64, 0, 32, 32));
  EXPECT_EQ(item->PatternRect(3), TRect{});
  // Blocks of 96 pixels: the 4 leftover columns make a second, narrow block.
  ASSERT_EQ(item->SurfaceCount(), 2);
  EXPECT_EQ(item->Surface(0).Width(), 96);
  EXPECT_EQ(item->Surface(1).Width(), 4);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(item->Pattern(k).Surface, &item->Surface(0));
}

TEST_F(PictureCollectionTest, GapsBetweenFramesAreSkipped) {
  // Frames 20 wide with 5-pixel gaps: cells of 25, (70 + 5) div 25 = 3 columns.
  TPictureCollectionItem* item = AddPicture(70, 30, 20, 30);
  item->SkipWidth = 5;
  EXPECT_EQ(item->PatternCount(), 3);
  Bind();
  EXPECT_EQ(item->PatternRect(0), Bounds(0, 0, 20, 30));
  EXPECT_EQ(item->PatternRect(1), Bounds(25, 0, 20, 30));
  EXPECT_EQ(item->PatternRect(2), Bounds(50, 0, 20, 30));
}

TEST_F(PictureCollectionTest, WidePicturesAreSplitIntoBlocksOfWholeCells) {
  // Cells of 100: 512 rounds up to 600; 1100 pixels give blocks of 600 and 500.
  TPictureCollectionItem* item = AddPicture(1100, 40, 100, 40);
  Bind();
  ASSERT_EQ(item->PatternCount(), 11);
  ASSERT_EQ(item->SurfaceCount(), 2);
  EXPECT_EQ(item->Surface(0).Width(), 600);
  EXPECT_EQ(item->Surface(1).Width(), 500);
  EXPECT_EQ(item->Pattern(5).Surface, &item->Surface(0));
  EXPECT_EQ(item->PatternRect(5), Bounds(500, 0, 100, 40));
  EXPECT_EQ(item->Pattern(6).Surface, &item->Surface(1));
  EXPECT_EQ(item->PatternRect(6), Bounds(0, 0, 100, 40));
  EXPECT_EQ(item->PatternRect(10), Bounds(400, 0, 100, 40));
}

TEST_F(PictureCollectionTest, TallPicturesAreSplitDownToo) {
  // Cells of 32 x 200: blocks 512 wide (of 640) and 600 high (of 1000).
  TPictureCollectionItem* item = AddPicture(640, 1000, 32, 200);
  Bind();
  ASSERT_EQ(item->PatternCount(), 20 * 5);
  ASSERT_EQ(item->SurfaceCount(), 4);
  EXPECT_EQ(item->Surface(0).Width(), 512);
  EXPECT_EQ(item->Surface(0).Height(), 600);
  EXPECT_EQ(item->Surface(1).Width(), 128);
  EXPECT_EQ(item->Surface(2).Height(), 400);
  // Frame 20 * 3 + 17: column 17 (x 544), row 3 (y 600) -> block 3 at (32, 0).
  EXPECT_EQ(item->Pattern(77).Surface, &item->Surface(3));
  EXPECT_EQ(item->PatternRect(77), Bounds(32, 0, 32, 200));
}

TEST_F(PictureCollectionTest, SystemMemoryKeepsOneSurfaceWithRectanglesOnThePicture) {
  TPictureCollectionItem* item = AddPicture(1100, 40, 100, 40);
  item->SystemMemory = true;
  Bind();
  ASSERT_EQ(item->SurfaceCount(), 1);
  EXPECT_EQ(item->Surface(0).Width(), 1100);
  EXPECT_EQ(item->PatternRect(6), Bounds(600, 0, 100, 40));
  EXPECT_EQ(item->Pattern(10).Surface, &item->Surface(0));
}

TEST_F(PictureCollectionTest, FramesLargerThanThePictureMakeNone) {
  TPictureCollectionItem* item = AddPicture(30, 30, 40, 40);
  EXPECT_EQ(item->PatternCount(), 0);
  Bind();
  EXPECT_EQ(item->PatternCount(), 0);
  EXPECT_EQ(item->SurfaceCount(), 0);
  EXPECT_EQ(DrawnTopLeft(*item, 0), kBlank);
}

TEST_F(PictureCollectionTest, NegativeGapsThatSwallowTheFrameMakeNoneAndDoNotCrash) {
  TPictureCollectionItem* item = AddPicture(64, 32, 32, 32);
  item->SkipWidth = -32;  // cells of no width
  EXPECT_EQ(item->PatternCount(), 0);
  Bind();
  EXPECT_EQ(item->PatternCount(), 0);
  item->SkipWidth = -40;
  item->Restore();
  EXPECT_EQ(item->PatternCount(), 0);
  item->SkipWidth = 2147483647;  // no overflow of the cell size: one cell, one frame
  item->Restore();
  EXPECT_EQ(item->PatternCount(), 1);
  EXPECT_EQ(item->PatternRect(0), Bounds(0, 0, 32, 32));
  EXPECT_EQ(item->SurfaceCount(), 1);
}

TEST_F(PictureCollectionTest, DrawOutsideTheFramesDrawsNothing) {
  TPictureCollectionItem* item = AddPicture(128, 32, 32, 32);
  Bind();
  EXPECT_EQ(DrawnTopLeft(*item, -1), kBlank);
  EXPECT_EQ(DrawnTopLeft(*item, item->PatternCount()), kBlank);
  EXPECT_NE(DrawnTopLeft(*item, item->PatternCount() - 1), kBlank);
  EXPECT_EQ(item->PatternRect(-1), TRect{});
}

TEST_F(PictureCollectionTest, EmptyPictureHasNoFrames) {
  TPictureCollectionItem* item = pictures.Add();
  EXPECT_EQ(item->PatternCount(), 0);
  EXPECT_EQ(item->Width(), 0);
  item->PatternWidth = 16;
  EXPECT_EQ(item->Width(), 16);
  Bind();
  EXPECT_EQ(item->PatternCount(), 0);
  EXPECT_EQ(item->SurfaceCount(), 0);
}

TEST_F(PictureCollectionTest, ColourKeyLeavesKeyPixelsOut) {
  // Left half black, right half red.
  TPictureCollectionItem* item = pictures.Add();
  item->Picture.LoadFromData(TPicture::kBitmap,
                             Bitmap24(4, 1, [](int x, int) { return x < 2 ? 0x000000u : 0x0000FFu; }));
  Bind();
  TSurface dest(4, 1);
  dest.Fill(kBlank);
  item->Draw(dest, 0, 0, 0);
  EXPECT_EQ(dest.Pixel(0, 0), kBlank);  // black is the default key
  EXPECT_EQ(dest.Pixel(3, 0), ColorToRgb565(0x0000FF));

  item->SetTransparentColor(0x0000FF);  // re-keys the surface already made
  EXPECT_EQ(item->Surface(0).ColorKey(), ColorToRgb565(0x0000FF));
  dest.Fill(kBlank);
  item->Draw(dest, 0, 0, 0);
  EXPECT_EQ(dest.Pixel(0, 0), ColorToRgb565(0));
  EXPECT_EQ(dest.Pixel(3, 0), kBlank);

  item->Transparent = false;
  dest.Fill(kBlank);
  item->Draw(dest, 0, 0, 0);
  EXPECT_EQ(dest.Pixel(3, 0), ColorToRgb565(0x0000FF));

  item->Transparent = true;
  item->SetTransparentColor(clNone);  // no colour: nothing is left out
  EXPECT_FALSE(item->Surface(0).HasColorKey());
  dest.Fill(kBlank);
  item->Draw(dest, 0, 0, 0);
  EXPECT_EQ(dest.Pixel(0, 0), ColorToRgb565(0));
  EXPECT_EQ(dest.Pixel(3, 0), ColorToRgb565(0x0000FF));
}

TEST_F(PictureCollectionTest, KeyIsMatchedToTheNearest565Value) {
  // 0x000008 and 0x000000 share a 5-6-5 value, so a near-black key still works.
  TPictureCollectionItem* item = pictures.Add();
  item->Picture.LoadFromData(TPicture::kBitmap, SolidBitmap24(2, 2, 0x000000));
  item->SetTransparentColor(0x000003);
  Bind();
  EXPECT_EQ(item->Surface(0).ColorKey(), ColorToRgb565(0));
  EXPECT_EQ(DrawnTopLeft(*item, 0), kBlank);
  // Display element colours are matched through the desktop scheme: clBtnFace is silver.
  item->SetTransparentColor(0x8000000F);
  EXPECT_EQ(item->Surface(0).ColorKey(), ColorToRgb565(0xC0C0C0));
}

TEST_F(PictureCollectionTest, InitializeWithADisplayThatIsNotUpFails) {
  AddPicture(32, 32, 0, 0);
  display.Up = false;
  try {
    pictures.Initialize(&display);
    FAIL() << "must not bind to a display that is not initialised";
  } catch (const EPictureCollectionError& e) {
    EXPECT_STREQ(e.what(), "TPictureCollection cannot be initialized");
  }
  EXPECT_FALSE(pictures.Initialized());
  EXPECT_FALSE(pictures.Items(0)->Prepared());
  pictures.Restore();  // nothing to cut onto
  EXPECT_EQ(pictures.Items(0)->SurfaceCount(), 0);
}

TEST_F(PictureCollectionTest, RestoreBeforeInitializeCutsNothing) {
  TPictureCollectionItem* item = AddPicture(64, 32, 32, 32);
  pictures.Restore();
  EXPECT_FALSE(item->Prepared());
  EXPECT_EQ(item->SurfaceCount(), 0);
  EXPECT_EQ(item->PatternCount(), 2);  // from the grid
  EXPECT_EQ(item->PatternRect(0), TRect{});
  EXPECT_EQ(DrawnTopLeft(*item, 0), kBlank);
}

TEST_F(PictureCollectionTest, FinalizeFreesFramesAndForgetsTheDisplay) {
  TPictureCollectionItem* item = AddPicture(64, 32, 32, 32);
  Bind();
  ASSERT_TRUE(pictures.Initialized());
  ASSERT_EQ(item->SurfaceCount(), 1);
  pictures.Finalize();
  EXPECT_FALSE(pictures.Initialized());
  EXPECT_EQ(pictures.Display(), nullptr);
  EXPECT_FALSE(item->Prepared());
  EXPECT_EQ(item->SurfaceCount(), 0);
  EXPECT_EQ(item->PatternCount(), 2);
  EXPECT_EQ(DrawnTopLeft(*item, 0), kBlank);
}

TEST_F(PictureCollectionTest, ItemAddedToABoundCollectionWaitsForTheNextRestore) {
  Bind();
  TPictureCollectionItem* item = AddPicture(64, 32, 32, 32);
  EXPECT_FALSE(item->Prepared());
  EXPECT_EQ(item->PatternCount(), 2);
  EXPECT_EQ(DrawnTopLeft(*item, 0), kBlank);
  pictures.Restore();  // the bound collection prepares it on the way
  EXPECT_TRUE(item->Prepared());
  EXPECT_EQ(DrawnTopLeft(*item, 1), ColorToRgb565(kCellColors[1]));
}

TEST_F(PictureCollectionTest, RestoreRecutsWithNewFrameSizes) {
  TPictureCollectionItem* item = AddPicture(128, 32, 32, 32);
  Bind();
  item->PatternWidth = 64;
  EXPECT_EQ(item->PatternCount(), 4);  // still the old cut
  pictures.Restore();
  EXPECT_EQ(item->PatternCount(), 2);
  EXPECT_EQ(item->PatternRect(1), Bounds(64, 0, 64, 32));
}

TEST_F(PictureCollectionTest, DeletingABoundItemFreesIt) {
  AddPicture(64, 32, 32, 32)->SetName("a");
  AddPicture(64, 32, 32, 32)->SetName("b");
  Bind();
  pictures.Delete(0);
  EXPECT_EQ(pictures.Count(), 1);
  EXPECT_EQ(pictures.Find("b")->Index(), 0);
  EXPECT_EQ(pictures.Find("b")->SurfaceCount(), 1);
}

TEST_F(PictureCollectionTest, PointerToADeletedItemFindsAnEmptyItem) {
  // A sprite may still hold a picture that a reload has replaced.
  TPictureCollectionItem* item = AddPicture(64, 32, 32, 32);
  item->SetName("old");
  Bind();
  pictures.Clear();
  EXPECT_EQ(pictures.Count(), 0);
  EXPECT_EQ(item->Index(), -1);
  EXPECT_FALSE(item->Prepared());
  EXPECT_FALSE(item->Picture.HasGraphic());
  EXPECT_EQ(item->PatternCount(), 0);
  EXPECT_EQ(DrawnTopLeft(*item, 0), kBlank);
  item->SetName("renamed");  // not filed again: the collection no longer knows it
  EXPECT_EQ(pictures.IndexOf("renamed"), -1);
  pictures.Restore();
  EXPECT_EQ(DrawnTopLeft(*item, 0), kBlank);
}

}  // namespace
}  // namespace kestrilo

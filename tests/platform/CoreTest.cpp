#include <gtest/gtest.h>

#include "platform/BinaryIO.h"
#include "platform/Canvas.h"
#include "platform/Cp1251.h"
#include "platform/Random.h"
#include "platform/Rounding.h"
#include "platform/Surface.h"

using namespace kestrilo;

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Round(-0.5), 0);
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(-1.5), -2);
  EXPECT_EQ(Round(-1.4), -1);
  EXPECT_EQ(Round(-18.0 / 34.0), -1);
  EXPECT_EQ(Trunc(-2.7), -2);
  EXPECT_EQ(Trunc(2.7), 2);
}

TEST(Random, FirstValuesFollowTheCongruentialRule) {
  TRandom r;
  r.RandSeed = 0;
  // state 1: upper 32 bits of 10 * 1 = 0
  EXPECT_EQ(r.Random(10), 0);
  EXPECT_EQ(r.RandSeed, 1u);
  // state 134775814: 10 * 134775814 = 1347758140 < 2^32 -> 0
  EXPECT_EQ(r.Random(10), 0);
  EXPECT_EQ(r.RandSeed, 134775814u);
  // state = 134775814 * 134775813 + 1 mod 2^32
  const uint32_t s3 = 134775814u * 134775813u + 1u;
  EXPECT_EQ(r.Random(1000), static_cast<int32_t>((1000ull * s3) >> 32));
  EXPECT_EQ(r.Random(0), 0);
  r.RandSeed = 0xFFFFFFFFu;
  // new state = 0xFFFFFFFF * 134775813 + 1 = -134775812 mod 2^32
  const uint32_t s = 0xFFFFFFFFu * 134775813u + 1u;
  EXPECT_DOUBLE_EQ(r.RandomFraction(), s / 4294967296.0);
}

TEST(Cp1251, RoundTripsCyrillicAndFoldsCase) {
  const std::string word = W1251("Дверь");
  ASSERT_EQ(word.size(), 5u);
  EXPECT_EQ(static_cast<unsigned char>(word[0]), 0xC4);
  EXPECT_EQ(cp1251::ToUtf8(word), "Дверь");
  EXPECT_TRUE(cp1251::SameText(W1251("ДВЕРЬ"), word));
  EXPECT_TRUE(cp1251::SameText(W1251("Ёлка"), W1251("ёЛКА")));
  EXPECT_FALSE(cp1251::SameText(W1251("Дверь"), W1251("Дверя")));
  EXPECT_EQ(cp1251::ToLower(W1251("ABCЯ")), W1251("abcя"));
  EXPECT_EQ(cp1251::FromUtf8("\xE2\x82\xAC"), "\x88");  // euro sign
  EXPECT_EQ(cp1251::FromUtf8("日"), "?");
}

TEST(Surface, KeyedBlitIsClippedAndLeavesKeyPixelsOut) {
  TSurface dst(4, 4);
  dst.Fill(7);
  TSurface src(3, 3);
  src.Fill(1);
  src.SetPixel(1, 1, 9);
  src.SetColorKey(9);
  dst.Blit(2, -1, src, src.ClientRect(), true);
  // rows 0..1 of dst get src rows 1..2, columns 2..3 get src columns 0..1
  EXPECT_EQ(dst.Pixel(2, 0), 1);
  EXPECT_EQ(dst.Pixel(3, 0), 7);  // key pixel left out
  EXPECT_EQ(dst.Pixel(3, 1), 1);
  EXPECT_EQ(dst.Pixel(1, 0), 7);
  EXPECT_EQ(dst.Pixel(2, 2), 7);
  dst.Blit(2, -1, src, src.ClientRect(), false);
  EXPECT_EQ(dst.Pixel(3, 0), 9);
  dst.Blit(100, 100, src, src.ClientRect(), false);  // fully outside: nothing
  dst.Blit(-5, -5, src, {0, 0, 100, 100}, false);    // source rect past its surface
}

TEST(Surface, FillRectBesideTheSurfaceFillsNothing) {
  TSurface s(8, 4);
  s.Fill(1);
  s.FillRect({20, 0, 30, 4}, 7);    // wholly to the right
  s.FillRect({0, 10, 8, 12}, 7);    // wholly below
  s.FillRect({-9, -9, -1, -1}, 7);  // wholly above and to the left
  s.FillRect({5, 1, 3, 2}, 7);      // right before left
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 8; ++x) ASSERT_EQ(s.Pixel(x, y), 1) << x << "," << y;
  s.FillRect({6, 2, 100, 100}, 7);  // clipped to the corner
  EXPECT_EQ(s.Pixel(7, 3), 7);
  EXPECT_EQ(s.Pixel(5, 3), 1);
}

TEST(Surface, ColourConversionMatchesNearest565) {
  EXPECT_EQ(ColorToRgb565(0x000000FF), 0xF800);
  EXPECT_EQ(ColorToRgb565(0x00FF0000), 0x001F);
  EXPECT_EQ(ColorToRgb565(0x0000FF00), 0x07E0);
  EXPECT_EQ(ColorToRgb565(0x00FF00FF), 0xF81F);
  EXPECT_EQ(Rgb565ToColor(0xFFFF), 0x00FFFFFFu);
}

TEST(Canvas, FrameRectDrawsOnlyTheOutline) {
  TSurface s(10, 10);
  s.Fill(128);
  TCanvas c(&s);
  c.BrushColor = 0;
  c.FrameRect({2, 2, 6, 6});
  EXPECT_EQ(s.Pixel(2, 2), 0);
  EXPECT_EQ(s.Pixel(5, 5), 0);
  EXPECT_EQ(s.Pixel(6, 6), 128);
  EXPECT_EQ(s.Pixel(3, 3), 128);
  c.FontColor = 0x000000FF;
  c.FontName = "Impact";
  c.FontSize = 10;
  c.BrushStyle = TBrushStyle::bsClear;
  TSurface big(200, 40);
  big.Fill(128);
  TCanvas t(&big);
  t.FontColor = 0x000000FF;
  t.BrushStyle = TBrushStyle::bsClear;
  t.TextOut(0, 0, "FPS: 71");
  t.Release();
  int red = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x)
      if ((big.Pixel(x, y) >> 11) > 20) ++red;
  EXPECT_GT(red, 10);
}

TEST(BinaryIO, ReaderRefusesToReadPastTheEnd) {
  TByteReader r(std::string_view("\x01\x02\x03", 3));
  EXPECT_EQ(r.U16(), 0x0201);
  EXPECT_THROW(r.U16(), EReadError);
  EXPECT_THROW(ReadWholeFile("/nonexistent/file"), EFOpenError);
}

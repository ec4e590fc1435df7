// A shrunk surface keeps exactly the pixels a full-size surface would get at
// every Divisor-th column and row, for blits clipped on every side, keyed or not.
#include <gtest/gtest.h>

#include <random>

#include "platform/Surface.h"

namespace kestrilo {
namespace {

// A picture of random pixels, one in KeyEvery the colour key.
TSurface NoisyPicture(int32_t Width, int32_t Height, std::mt19937& Random, uint32_t KeyEvery) {
  TSurface picture(Width, Height);
  for (int32_t y = 0; y < picture.Height(); ++y)
    for (int32_t x = 0; x < picture.Width(); ++x)
      picture.SetPixel(x, y, static_cast<uint16_t>(Random() % KeyEvery == 0 ? 0xF81F : Random() & 0xFFFF));
  picture.SetColorKey(0xF81F);
  return picture;
}

TEST(ShrunkSurface, KeepsEveryDivisorthPixelOfWhatAFullSizeBlitWrites) {
  std::mt19937 random(20);
  const TSurface picture = NoisyPicture(37, 29, random, 5);
  for (int32_t divisor : {2, 3, 4}) {
    TSurface full(40 * divisor, 30 * divisor), shrunk(40, 30);
    full.Fill(128);
    shrunk.Fill(128);
    shrunk.SetShrinkDivisor(divisor);
    for (int i = 0; i < 300; ++i) {
      // Corners from well outside to well past the far edges, parts of the
      // picture reaching past its own edges too.
      const int32_t x = static_cast<int32_t>(random() % (40 * divisor + 80)) - 40;
      const int32_t y = static_cast<int32_t>(random() % (30 * divisor + 80)) - 40;
      const int32_t left = static_cast<int32_t>(random() % 50) - 5, top = static_cast<int32_t>(random() % 40) - 5;
      const TRect part{left, top, left + static_cast<int32_t>(random() % 40),
                       top + static_cast<int32_t>(random() % 35)};
      const bool transparent = random() % 2 == 0;
      full.Blit(x, y, picture, part, transparent);
      shrunk.Blit(x, y, picture, part, transparent);
    }
    for (int32_t y = 0; y < 30; ++y)
      for (int32_t x = 0; x < 40; ++x)
        ASSERT_EQ(shrunk.Pixel(x, y), full.Pixel(x * divisor, y * divisor)) << divisor << ": " << x << "," << y;
  }
}

TEST(ShrunkSurface, DivisorOneOrLessIsAPlainSurface) {
  TSurface s(4, 4), from(2, 2);
  from.Fill(9);
  s.SetShrinkDivisor(0);
  EXPECT_EQ(s.ShrinkDivisor(), 1);
  s.Blit(3, 3, from, {0, 0, 2, 2}, false);
  EXPECT_EQ(s.Pixel(3, 3), 9);
  EXPECT_EQ(s.Pixel(2, 2), 0);
}

TEST(ShrunkSurface, BlitsThroughAShrunkCopyWriteWhatPlainBlitsWrite) {
  // Aligned blits (source corner and destination alike against the divisor,
  // as placed objects are) take the copy's rows; every other one the plain
  // way: all must give the same pixels, clipped on every side, keyed or not.
  std::mt19937 random(21);
  const TSurface picture = NoisyPicture(64, 48, random, 4);
  for (int32_t divisor : {2, 4}) {
    const TSurface copy = picture.ShrunkCopy(divisor);
    ASSERT_EQ(copy.Width(), (64 + divisor - 1) / divisor);
    ASSERT_TRUE(copy.HasColorKey());
    TSurface plain(50, 40), viaCopy(50, 40);
    plain.Fill(128);
    viaCopy.Fill(128);
    plain.SetShrinkDivisor(divisor);
    viaCopy.SetShrinkDivisor(divisor);
    for (int i = 0; i < 400; ++i) {
      const bool aligned = i % 2 == 0;
      int32_t x = static_cast<int32_t>(random() % (50 * divisor + 80)) - 40;
      int32_t y = static_cast<int32_t>(random() % (40 * divisor + 80)) - 40;
      int32_t left = static_cast<int32_t>(random() % 70) - 5, top = static_cast<int32_t>(random() % 50) - 5;
      if (aligned) {
        x -= ((x - left) % divisor + divisor) % divisor;
        y -= ((y - top) % divisor + divisor) % divisor;
      }
      const TRect part{left, top, left + static_cast<int32_t>(random() % 40),
                       top + static_cast<int32_t>(random() % 35)};
      const bool transparent = random() % 2 == 0;
      plain.Blit(x, y, picture, part, transparent);
      viaCopy.BlitWithShrunkCopy(x, y, picture, copy, part, transparent);
    }
    for (int32_t y = 0; y < 40; ++y)
      for (int32_t x = 0; x < 50; ++x)
        ASSERT_EQ(viaCopy.Pixel(x, y), plain.Pixel(x, y)) << divisor << ": " << x << "," << y;
  }
}

}  // namespace
}  // namespace kestrilo

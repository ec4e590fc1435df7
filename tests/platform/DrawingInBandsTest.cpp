// Drawing in bands: a surface standing for a band of a taller one keeps
// exactly the pixels the taller surface gets in those rows, for blits clipped
// on every side, keyed or not, shrunk or not; and a recorded drawing played
// band by band gives every band the rows of the drawing made whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <stdexcept>

#include "platform/DrawingRecord.h"
#include "platform/Surface.h"

namespace kestrilo {
namespace {

TSurface RandomPicture(std::mt19937& random) {
  TSurface picture(37, 29);
  for (int32_t y = 0; y < picture.Height(); ++y)
    for (int32_t x = 0; x < picture.Width(); ++x)
      picture.SetPixel(x, y, static_cast<uint16_t>(random() % 5 == 0 ? 0xF81F : random() & 0xFFFF));
  picture.SetColorKey(0xF81F);
  return picture;
}

TEST(BandSurface, KeepsTheRowsOfTheTallerSurfaceItStandsFor) {
  std::mt19937 random(29);
  const TSurface picture = RandomPicture(random);
  constexpr int32_t kWidth = 50, kHeight = 90;
  // Bands from a row, and windows from a column and a row as well.
  struct TCase {
    int32_t Divisor, FirstRow, Rows, FirstColumn = 0, Columns = kWidth;
  };
  for (const TCase c :
       {TCase{1, 0, 90}, TCase{1, 0, 7}, TCase{1, 33, 20}, TCase{1, 83, 7}, TCase{1, 89, 1}, TCase{2, 10, 11},
        TCase{3, 45, 8}, TCase{1, 200, 5}, TCase{1, 20, 9, 13, 9}, TCase{2, 40, 6, 24, 11}, TCase{4, 80, 5, 64, 7},
        TCase{4, 0, 30, 188, 3}, TCase{1, 0, 90, 45, 5}}) {
    SCOPED_TRACE(testing::Message() << "divisor " << c.Divisor << ", from row " << c.FirstRow << ", from column "
                                    << c.FirstColumn);
    // The taller surface at full size; the band keeps every Divisor-th pixel of its rows.
    TSurface tall(kWidth * c.Divisor, (kHeight + 40) * c.Divisor), band(c.Columns, c.Rows);
    tall.Fill(128);
    band.Fill(128);
    band.SetShrinkDivisor(c.Divisor);
    band.SetFirstRow(c.FirstRow);
    band.SetFirstColumn(c.FirstColumn);
    // The shrunk copy's whole-row way, taken where source and destination lie alike against the divisor.
    const TSurface shrunk = picture.ShrunkCopy(c.Divisor);
    for (int i = 0; i < 400; ++i) {
      // Corners from well outside to well past the far edges, parts of the
      // picture reaching past its own edges, and now and then a corner at
      // the far end of the integers.
      int32_t x = static_cast<int32_t>(random() % (kWidth * c.Divisor + 80)) - 40;
      int32_t y = static_cast<int32_t>(random() % ((kHeight + 40) * c.Divisor + 80)) - 40;
      if (i % 50 == 7) y = INT32_MIN + static_cast<int32_t>(random() % 64);
      if (i % 50 == 8) y = INT32_MAX - static_cast<int32_t>(random() % 64);
      if (i % 50 == 9) x = INT32_MIN + 3;
      const int32_t left = static_cast<int32_t>(random() % 50) - 5, top = static_cast<int32_t>(random() % 40) - 5;
      const TRect part{left, top, left + static_cast<int32_t>(random() % 40),
                       top + static_cast<int32_t>(random() % 35)};
      const bool transparent = random() % 2 == 0;
      if (c.Divisor > 1 && i % 2 == 0) {
        tall.Blit(x, y, picture, part, transparent);
        band.BlitWithShrunkCopy(x, y, picture, shrunk, part, transparent);
      } else {
        tall.Blit(x, y, picture, part, transparent);
        band.Blit(x, y, picture, part, transparent);
      }
    }
    for (int32_t y = 0; y < c.Rows; ++y) {
      const int32_t tallRow = c.FirstRow + y * c.Divisor;
      for (int32_t x = 0; x < c.Columns; ++x) {
        const int32_t tallColumn = c.FirstColumn + x * c.Divisor;
        const bool inside = tallRow < tall.Height() && tallColumn < tall.Width();
        ASSERT_EQ(band.Pixel(x, y), inside ? tall.Pixel(tallColumn, tallRow) : 128) << x << "," << y;
      }
    }
  }
}

TEST(BandSurface, ABandBlitOntoItselfReadsItsPixelsAsTheyWere) {
  TSurface s(4, 4);
  s.SetPixel(0, 0, 7);
  s.SetPixel(1, 1, 9);
  s.SetFirstRow(100);
  s.Blit(1, 101, s, {0, 0, 2, 2}, false);
  EXPECT_EQ(s.Pixel(1, 1), 7);
  EXPECT_EQ(s.Pixel(2, 2), 9);
}

TEST(DrawingRecord, PlayedBandByBandGivesTheRowsOfTheWholeDrawing) {
  std::mt19937 random(31);
  const TSurface picture = RandomPicture(random);
  constexpr int32_t kWidth = 60, kHeight = 70;
  TSurface whole(kWidth, kHeight);
  TDrawingRecord drawing;
  TSurface recording = TSurface::RecordingInto(kWidth, kHeight, drawing);
  EXPECT_EQ(recording.ClientRect(), (TRect{0, 0, kWidth, kHeight}));
  // Fills and blits in turn, the later over the earlier.
  for (TSurface* target : {&whole, &recording}) {
    std::mt19937 steps(5);
    target->Fill(300);
    for (int i = 0; i < 300; ++i) {
      const int32_t x = static_cast<int32_t>(steps() % 100) - 20, y = static_cast<int32_t>(steps() % 110) - 20;
      if (i % 25 == 0) {
        target->FillRect({x, y, x + static_cast<int32_t>(steps() % 40), y + static_cast<int32_t>(steps() % 40)},
                         static_cast<uint16_t>(i));
      } else if (i == 150) {
        target->Fill(400);
      } else {
        const TRect part{static_cast<int32_t>(steps() % 10) - 3, static_cast<int32_t>(steps() % 10) - 3,
                         static_cast<int32_t>(steps() % 40), static_cast<int32_t>(steps() % 40)};
        target->Blit(x, y, picture, part, steps() % 2 == 0);
      }
    }
  }
  for (const int32_t rows : {1, 9, 32, kHeight}) {
    for (int32_t top = 0; top < kHeight; top += rows) {
      TSurface band(kWidth, std::min(rows, kHeight - top));
      band.SetFirstRow(top);
      drawing.PlayOnto(band);
      for (int32_t y = 0; y < band.Height(); ++y)
        for (int32_t x = 0; x < kWidth; ++x)
          ASSERT_EQ(band.Pixel(x, y), whole.Pixel(x, top + y)) << "bands of " << rows << ": " << x << "," << top + y;
    }
  }
  // A recording holds no pixels to copy from, and plays onto full-size bands only.
  TSurface target(4, 4), shrunk(4, 4);
  EXPECT_THROW(target.Blit(0, 0, recording, {0, 0, 2, 2}, false), std::logic_error);
  shrunk.SetShrinkDivisor(2);
  EXPECT_THROW(drawing.PlayOnto(shrunk), std::logic_error);
}

}  // namespace
}  // namespace kestrilo

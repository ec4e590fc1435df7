// PNG files encoded band by band: any split into bands gives a file that a
// PNG reader decodes to the very pixels, each widened as Rgb565ToColor widens
// it, and rows that do not fit are refused.
#include <gtest/gtest.h>

#include <QImage>

#include <random>
#include <string>
#include <vector>

#include "platform/Errors.h"
#include "platform/PngEncoder.h"
#include "platform/Surface.h"

namespace kestrilo {
namespace {

// Rows From .. From + Rows of Picture as a band standing where they stand.
TSurface BandOf(const TSurface& Picture, int32_t From, int32_t Rows) {
  TSurface band = TSurface::CopyOf(Picture, {0, From, Picture.Width(), From + Rows});
  band.SetFirstRow(From);
  return band;
}

std::string Encode(const TSurface& Picture, const std::vector<int32_t>& BandRows) {
  TPngEncoder png(Picture.Width(), Picture.Height());
  int32_t from = 0;
  for (const int32_t rows : BandRows) {
    png.AddRows(BandOf(Picture, from, rows));
    from += rows;
  }
  return png.Finish();
}

void ExpectDecodesTo(const std::string& File, const TSurface& Picture) {
  QImage decoded;
  ASSERT_TRUE(decoded.loadFromData(reinterpret_cast<const uchar*>(File.data()), static_cast<int>(File.size()), "PNG"));
  ASSERT_EQ(decoded.width(), Picture.Width());
  ASSERT_EQ(decoded.height(), Picture.Height());
  EXPECT_FALSE(decoded.hasAlphaChannel());
  for (int32_t y = 0; y < Picture.Height(); ++y)
    for (int32_t x = 0; x < Picture.Width(); ++x) {
      const uint32_t c = Rgb565ToColor(Picture.Pixel(x, y));
      ASSERT_EQ(decoded.pixel(x, y), qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)) << x << "," << y;
    }
}

TEST(PngEncoder, AnySplitIntoBandsDecodesToThePixels) {
  std::mt19937 random(7);
  struct TCase {
    int32_t Width, Height;
    std::vector<int32_t> Bands;
  };
  const std::vector<TCase> cases = {
      {1, 1, {1}},
      // Every 5-6-5 value once, in one band and in bands of uneven heights.
      {256, 256, {256}},
      {256, 256, {1, 2, 100, 3, 150}},
      // An odd width, more bands than the encoder compresses at once.
      {37, 41, {5, 5, 5, 5, 5, 5, 5, 6}},
      // Rows wider than the encoder compresses in one step.
      {50000, 4, {3, 1}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height << ", " << c.Bands.size() << " bands");
    TSurface picture(c.Width, c.Height);
    for (int32_t y = 0; y < c.Height; ++y)
      for (int32_t x = 0; x < c.Width; ++x)
        picture.SetPixel(x, y, c.Width == 256 ? static_cast<uint16_t>(y * 256 + x) : static_cast<uint16_t>(random()));
    ExpectDecodesTo(Encode(picture, c.Bands), picture);
  }
}

TEST(PngEncoder, RefusesRowsThatDoNotFitAndAnUnfinishedPicture) {
  EXPECT_THROW(TPngEncoder(0, 5), EWriteError);
  EXPECT_THROW(TPngEncoder(5, -1), EWriteError);
  TPngEncoder png(4, 3);
  EXPECT_THROW(png.AddRows(TSurface(5, 1)), EWriteError);  // too wide
  png.AddRows(TSurface(4, 2));
  EXPECT_THROW(png.Finish(), EWriteError);                 // a row short
  EXPECT_THROW(png.AddRows(TSurface(4, 2)), EWriteError);  // a row too many
  png.AddRows(TSurface(4, 0));
  png.AddRows(TSurface(4, 1));
  const std::string file = png.Finish();
  EXPECT_EQ(file.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
  EXPECT_THROW(png.AddRows(TSurface(4, 1)), EWriteError);
  EXPECT_THROW(png.Finish(), EWriteError);
  // Left unfinished with bands still being compressed, it waits for them.
  TPngEncoder abandoned(4, 100);
  for (int i = 0; i < 5; ++i) abandoned.AddRows(TSurface(4, 10));
}

}  // namespace
}  // namespace kestrilo

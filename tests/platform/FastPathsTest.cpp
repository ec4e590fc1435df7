// The conversions and reads that large pictures and files go through quickly
// must give exactly what the plain arithmetic and a plain read give.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <fstream>
#include <string>
#include <vector>

#include "platform/BinaryIO.h"
#include "platform/Errors.h"
#include "platform/Surface.h"

namespace kestrilo {
namespace {

uint16_t PlainRgb565(int r, int g, int b) {
  return static_cast<uint16_t>((((r * 31 + 127) / 255) << 11) | (((g * 63 + 127) / 255) << 5) |
                               ((b * 31 + 127) / 255));
}

TEST(ColourConversion, EveryChannelValueRoundsAsTheFormulaDoes) {
  for (int v = 0; v < 256; ++v) {
    ASSERT_EQ(Rgb565(v, 0, 0), PlainRgb565(v, 0, 0)) << v;
    ASSERT_EQ(Rgb565(0, v, 0), PlainRgb565(0, v, 0)) << v;
    ASSERT_EQ(Rgb565(0, 0, v), PlainRgb565(0, 0, v)) << v;
    ASSERT_EQ(ColorToRgb565(static_cast<uint32_t>(v * 0x010101)), PlainRgb565(v, v, v)) << v;
  }
  // Values outside a byte keep the arithmetic's result.
  EXPECT_EQ(Rgb565(256, 0, 0), PlainRgb565(256, 0, 0));
}

TEST(ColourConversion, ImagePixelsConvertLikeSinglePixels) {
  // 256 x 3 pixels: row 0 sweeps red, row 1 green, row 2 blue, with the other channels varying too.
  QImage image(256, 3, QImage::Format_RGB32);
  for (int x = 0; x < 256; ++x) {
    image.setPixel(x, 0, qRgb(x, 255 - x, (x * 7) & 0xFF));
    image.setPixel(x, 1, qRgb((x * 3) & 0xFF, x, 255 - x));
    image.setPixel(x, 2, qRgb(255 - x, (x * 5) & 0xFF, x));
  }
  const TSurface surface = TSurface::FromImage(image, TRect{0, 0, 256, 3});
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 256; ++x) {
      const QRgb p = image.pixel(x, y);
      ASSERT_EQ(surface.Pixel(x, y), PlainRgb565(qRed(p), qGreen(p), qBlue(p))) << x << "," << y;
    }
  // A part of the image, clipped to it.
  const TSurface part = TSurface::FromImage(image, TRect{250, 1, 300, 9});
  ASSERT_EQ(part.Width(), 6);
  ASSERT_EQ(part.Height(), 2);
  EXPECT_EQ(part.Pixel(0, 0), PlainRgb565(qRed(image.pixel(250, 1)), qGreen(image.pixel(250, 1)),
                                          qBlue(image.pixel(250, 1))));
}

TEST(ColourConversion, RowsPackEveryChannelValueAsTheFormulaDoes) {
  // Each channel swept through every value while the other two vary, in rows
  // long enough for the widest vector steps, plus a short leftover.
  for (const int32_t count : {256, 259, 5}) {
    SCOPED_TRACE(count);
    std::vector<QRgb> wide(static_cast<size_t>(count));
    std::vector<uint8_t> narrow(static_cast<size_t>(count) * 3);
    for (int channel = 0; channel < 3; ++channel) {
      for (int32_t x = 0; x < count; ++x) {
        int rgb[3] = {(x * 37 + 11) & 0xFF, (x * 101 + 7) & 0xFF, 255 - (x & 0xFF)};
        rgb[channel] = x & 0xFF;
        wide[static_cast<size_t>(x)] = qRgba(rgb[0], rgb[1], rgb[2], x & 0xFF);  // alpha plays no part
        narrow[3 * static_cast<size_t>(x)] = static_cast<uint8_t>(rgb[2]);      // stored blue, green, red
        narrow[3 * static_cast<size_t>(x) + 1] = static_cast<uint8_t>(rgb[1]);
        narrow[3 * static_cast<size_t>(x) + 2] = static_cast<uint8_t>(rgb[0]);
      }
      std::vector<uint16_t> fromWide(static_cast<size_t>(count) + 1, 0xABCD), fromNarrow(fromWide);
      PackRgb32Row(wide.data(), fromWide.data(), count);
      PackBgr24Row(narrow.data(), fromNarrow.data(), count);
      for (int32_t x = 0; x < count; ++x) {
        const QRgb p = wide[static_cast<size_t>(x)];
        ASSERT_EQ(fromWide[static_cast<size_t>(x)], PlainRgb565(qRed(p), qGreen(p), qBlue(p))) << channel << " " << x;
        ASSERT_EQ(fromNarrow[static_cast<size_t>(x)], fromWide[static_cast<size_t>(x)]) << channel << " " << x;
      }
      // Nothing past the row is written.
      EXPECT_EQ(fromWide.back(), 0xABCD);
      EXPECT_EQ(fromNarrow.back(), 0xABCD);
    }
  }
}

TEST(SurfaceCopies, APartIsCopiedClippedAndWithoutTheKey) {
  TSurface from(5, 4);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 5; ++x) from.SetPixel(x, y, static_cast<uint16_t>(10 * y + x));
  from.SetColorKey(3);
  const TSurface part = TSurface::CopyOf(from, TRect{3, 1, 9, 3});
  ASSERT_EQ(part.Width(), 2);
  ASSERT_EQ(part.Height(), 2);
  EXPECT_EQ(part.Pixel(0, 0), 13);
  EXPECT_EQ(part.Pixel(1, 1), 24);
  EXPECT_FALSE(part.HasColorKey());
  const TSurface outside = TSurface::CopyOf(from, TRect{7, 0, 9, 4});
  EXPECT_EQ(outside.Width(), 0);
  EXPECT_EQ(TSurface::CopyOf(from, TRect{-2, -1, 2, 1}).Pixel(1, 0), 1);
  // A surface made unfilled has its size; its pixels are the caller's to write.
  const TSurface unfilled = TSurface::Unfilled(3, 2);
  EXPECT_EQ(unfilled.Width(), 3);
  EXPECT_EQ(unfilled.Height(), 2);
  EXPECT_EQ(TSurface::Unfilled(-1, 4).Width(), 0);
}

TEST(WholeFileRead, GivesEveryByteOfLargeAndEmptyFilesAndRefusesFolders) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  std::string bytes(3 * 1024 * 1024 + 7, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 131) >> 3);
  const std::string big = folder + "/big.bin", empty = folder + "/empty.bin";
  std::ofstream(big, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  std::ofstream(empty, std::ios::binary).close();
  EXPECT_EQ(ReadWholeFile(big), bytes);
  EXPECT_EQ(ReadWholeFile(empty), "");
  EXPECT_THROW(ReadWholeFile(folder), EFOpenError);
}

}  // namespace
}  // namespace kestrilo

// The conversions, blits and reads that large pictures, frames and files go
// through quickly must give exactly what the plain arithmetic, a plain
// pixel-by-pixel copy and a plain read give.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "platform/BinaryIO.h"
#include "platform/Errors.h"
#include "platform/RowCopier.h"
#include "platform/Surface.h"

namespace kestrilo {
namespace {

uint16_t PlainRgb565(int r, int g, int b) {
  return static_cast<uint16_t>((((r * 31 + 127) / 255) << 11) | (((g * 63 + 127) / 255) << 5) | ((b * 31 + 127) / 255));
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
  EXPECT_EQ(part.Pixel(0, 0),
            PlainRgb565(qRed(image.pixel(250, 1)), qGreen(image.pixel(250, 1)), qBlue(image.pixel(250, 1))));
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
        narrow[3 * static_cast<size_t>(x)] = static_cast<uint8_t>(rgb[2]);       // stored blue, green, red
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

// What a blit writes, pixel by pixel: every pixel of `source` that lies on
// `from` and lands on `to`, except the key's when transparent.
void PerPixelBlit(TSurface& to, int32_t x, int32_t y, const TSurface& from, const TRect& source, bool transparent) {
  for (int32_t sy = std::max(source.Top, 0); sy < std::min(source.Bottom, from.Height()); ++sy)
    for (int32_t sx = std::max(source.Left, 0); sx < std::min(source.Right, from.Width()); ++sx) {
      const int32_t tx = x + (sx - source.Left), ty = y + (sy - source.Top);
      const uint16_t p = from.Pixel(sx, sy);
      const bool left = transparent && from.HasColorKey() && p == from.ColorKey();
      if (tx >= 0 && ty >= 0 && tx < to.Width() && ty < to.Height() && !left) to.SetPixel(tx, ty, p);
    }
}

std::vector<uint16_t> PixelsOf(const TSurface& s) {
  return {s.Pixels(), s.Pixels() + static_cast<size_t>(s.Width()) * s.Height()};
}

// Random pixels, about one in three of them `key`.
void FillWithSomeKeys(TSurface& s, uint16_t key, std::mt19937& random) {
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x) s.SetPixel(x, y, random() % 3 == 0 ? key : static_cast<uint16_t>(random()));
}

TEST(FastBlit, EveryWayOfCopyingRowsWritesWhatAPlainLoopWrites) {
  const std::vector<TRowCopier> ways = TRowCopier::AllThisProcessorRuns();
#if defined(__x86_64__)
  ASSERT_GE(ways.size(), 2u) << "the vector ways are not among those compared";
#endif
  // Rows of every width up to several vectors and a tail, from and to every
  // offset within a vector's alignment, between strides that differ; the
  // pixels around the rows must stay as they were.
  constexpr ptrdiff_t kFromStride = 90, kToStride = 96;
  constexpr int32_t kHeight = 3;
  std::mt19937 random(7);
  for (const uint16_t key : {uint16_t{0}, uint16_t{0xF81F}, uint16_t{0xFFFF}}) {
    SCOPED_TRACE(key);
    // A row mixing key and other pixels, one all key but every seventeenth
    // pixel, one without the key.
    std::vector<uint16_t> from(kFromStride * kHeight), background(kToStride * kHeight);
    for (ptrdiff_t x = 0; x < kFromStride; ++x) {
      from[x] = random() % 3 == 0 ? key : static_cast<uint16_t>(random());
      from[kFromStride + x] = x % 17 == 0 ? static_cast<uint16_t>(key ^ 0x0421) : key;
      from[2 * kFromStride + x] = static_cast<uint16_t>(key ^ (1 + random() % 0xFFFF));
    }
    for (uint16_t& p : background) p = static_cast<uint16_t>(random());
    for (int32_t width = 1; width <= 80; ++width)
      for (int32_t fromOffset = 0; fromOffset < 4; ++fromOffset)
        for (int32_t toOffset = 0; toOffset < 4; ++toOffset) {
          std::vector<uint16_t> copied(background), keyed(background);
          for (ptrdiff_t y = 0; y < kHeight; ++y)
            for (ptrdiff_t x = 0; x < width; ++x) {
              const uint16_t p = from[y * kFromStride + fromOffset + x];
              copied[y * kToStride + toOffset + x] = p;
              if (p != key) keyed[y * kToStride + toOffset + x] = p;
            }
          const auto trace = [&](const TRowCopier& way) {
            return testing::Message() << way.Name << ": width " << width << ", offsets " << fromOffset << " and "
                                      << toOffset;
          };
          // The source ends where its last row does, so that a read past it
          // is caught when built with the address sanitizer.
          const std::vector<uint16_t> source(from.begin(),
                                             from.begin() + (kHeight - 1) * kFromStride + fromOffset + width);
          for (const TRowCopier& way : ways) {
            std::vector<uint16_t> to(background);
            const TPixelRows rows{to.data() + toOffset, kToStride, source.data() + fromOffset,
                                  kFromStride,          width,     kHeight};
            way.Copy(rows);
            ASSERT_EQ(to, copied) << trace(way);
            to = background;
            way.CopyLeavingOut(rows, key);
            ASSERT_EQ(to, keyed) << trace(way);
          }
        }
  }
}

TEST(FastBlit, ClipsAtEveryEdgeAsAPerPixelBlitDoes) {
  // Every width of a picture wider than the surface, placed across each edge
  // of the surface and just inside and outside it, with parts that reach past
  // the picture's own edges too.
  constexpr int32_t kWidth = 53, kHeight = 37;
  std::mt19937 random(11);
  TSurface picture(70, 45);
  FillWithSomeKeys(picture, 0xF81F, random);
  picture.SetColorKey(0xF81F);
  TSurface fast(kWidth, kHeight);
  FillWithSomeKeys(fast, 0xF81F, random);
  TSurface plain = fast;
  for (const bool transparent : {false, true})
    for (int32_t width = 1; width <= 72; ++width) {
      const int32_t height = 1 + static_cast<int32_t>(random() % 45);
      const int32_t left = static_cast<int32_t>(random() % 7) - 3, top = static_cast<int32_t>(random() % 7) - 3;
      const TRect part{left, top, left + width, top + height};
      for (const int32_t x :
           {-width - 1, -width + 1, -2, 0, 1, kWidth - width - 1, kWidth - width + 1, kWidth - 1, kWidth})
        for (const int32_t y : {-height, -height + 2, -1, 0, 3, kHeight - height, kHeight - height + 1, kHeight - 1}) {
          fast.Blit(x, y, picture, part, transparent);
          PerPixelBlit(plain, x, y, picture, part, transparent);
          ASSERT_EQ(PixelsOf(fast), PixelsOf(plain))
              << "at " << x << "," << y << " the part " << part.Left << "," << part.Top << " " << width << "x" << height
              << (transparent ? " keyed" : " opaque");
        }
    }
}

TEST(FastBlit, ABlitOntoItsOwnSurfaceReadsThePixelsAsTheyWereBefore) {
  std::mt19937 random(5);
  for (const bool transparent : {false, true}) {
    TSurface s(40, 30);
    FillWithSomeKeys(s, 7, random);
    s.SetColorKey(7);
    // Shifted right and down over itself, then left and up.
    for (const auto& [x, y, part] : {std::tuple{3, 2, TRect{0, 0, 40, 30}}, std::tuple{0, 0, TRect{5, 1, 39, 30}}}) {
      const TSurface before = s;
      TSurface expected = s;
      PerPixelBlit(expected, x, y, before, part, transparent);
      s.Blit(x, y, s, part, transparent);
      EXPECT_EQ(PixelsOf(s), PixelsOf(expected)) << x << "," << y << (transparent ? " keyed" : " opaque");
    }
  }
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

// The bitmap decoders on small bitmaps built byte by byte: each pixel format,
// row order, colour tables, run-length coding, and what damaged headers and
// data get.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "library/BitmapCodec.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"

using namespace kestrilo;

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;

// Everything a test sets in a bitmap; the builders lay it out in both forms.
struct TBitmapRecipe {
  uint32_t HeaderSize = 40;
  int32_t Width = 1;
  int32_t Height = 1;
  uint16_t Planes = 1;
  uint16_t BitCount = 24;
  uint32_t Compression = kRgb;
  uint32_t SizeImage = 0;
  int32_t XDensity = 2835;
  int32_t YDensity = 2835;
  uint32_t ColorsUsed = 0;
  // Red, green, blue (and alpha inside headers of 56 bytes or more).
  std::vector<uint32_t> Masks;
  // 0x00RRGGBB colours, stored as BGR0 (BGR after a core header).
  std::vector<uint32_t> Palette;
  std::string Pixels;
};

std::string PackedDib(const TBitmapRecipe& s) {
  TByteWriter w;
  w.U32(s.HeaderSize);
  if (s.HeaderSize == 12) {
    w.U16(static_cast<uint16_t>(s.Width));
    w.U16(static_cast<uint16_t>(s.Height));
    w.U16(s.Planes);
    w.U16(s.BitCount);
  } else {
    w.I32(s.Width);
    w.I32(s.Height);
    w.U16(s.Planes);
    w.U16(s.BitCount);
    w.U32(s.Compression);
    w.U32(s.SizeImage);
    w.I32(s.XDensity);
    w.I32(s.YDensity);
    w.U32(s.ColorsUsed);
    w.U32(0);  // colours important
    if (s.HeaderSize > 40) {
      for (uint32_t mask : s.Masks) w.U32(mask);
      while (w.Data().size() < s.HeaderSize) w.U8(0);
    } else {
      for (uint32_t mask : s.Masks) w.U32(mask);
    }
  }
  for (uint32_t colour : s.Palette) {
    w.U8(colour & 0xFF);
    w.U8((colour >> 8) & 0xFF);
    w.U8((colour >> 16) & 0xFF);
    if (s.HeaderSize != 12) w.U8(0);
  }
  w.Bytes(s.Pixels);
  return w.Data();
}

// A .bmp file: the packed form behind a file header, with an optional gap of
// unused bytes between the colour table and the pixels.
std::string BmpFile(const TBitmapRecipe& s, uint32_t gap = 0) {
  const std::string packed = PackedDib(s);
  const std::string beforePixels = packed.substr(0, packed.size() - s.Pixels.size());
  TByteWriter w;
  w.Bytes("BM");
  w.U32(static_cast<uint32_t>(14 + packed.size() + gap));
  w.U32(0);
  w.U32(static_cast<uint32_t>(14 + beforePixels.size() + gap));
  w.Bytes(beforePixels);
  w.Bytes(std::string(gap, '\x55'));
  w.Bytes(s.Pixels);
  return w.Data();
}

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

std::string Le16(uint16_t v) { return Bytes({v & 0xFF, v >> 8}); }

QRgb Opaque(uint32_t rgb) { return 0xFF000000u | rgb; }

std::string ErrorOfBitmap(const std::string& bytes) {
  try {
    DecodeBitmap(bytes);
  } catch (const EInvalidGraphic& e) {
    return e.what();
  }
  return "decoded";
}

std::string ErrorOfDib(const std::string& bytes) {
  try {
    DecodeDib(bytes);
  } catch (const EInvalidGraphic& e) {
    return e.what();
  }
  return "decoded";
}

// Both forms of the same bitmap must be refused, each with its own message.
void ExpectRefused(const TBitmapRecipe& recipe) {
  EXPECT_EQ(ErrorOfBitmap(BmpFile(recipe)), kBitmapNotValid);
  EXPECT_EQ(ErrorOfDib(PackedDib(recipe)), kDibInvalid);
}

// Both forms must decode, to the same image.
QImage DecodeBoth(const TBitmapRecipe& recipe) {
  const QImage fromFile = DecodeBitmap(BmpFile(recipe));
  const QImage fromPacked = DecodeDib(PackedDib(recipe));
  EXPECT_EQ(fromFile, fromPacked);
  return fromFile;
}

TBitmapRecipe Indexed8(int32_t width, int32_t height, std::string pixels) {
  TBitmapRecipe s;
  s.Width = width;
  s.Height = height;
  s.BitCount = 8;
  s.ColorsUsed = 4;
  s.Palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  s.Pixels = std::move(pixels);
  return s;
}

TBitmapRecipe Rle(uint32_t compression, int32_t width, int32_t height, std::string data) {
  TBitmapRecipe s = Indexed8(width, height, std::move(data));
  s.Compression = compression;
  s.BitCount = compression == kRle8 ? 8 : 4;
  s.SizeImage = static_cast<uint32_t>(s.Pixels.size());
  s.Palette = {0x101010, 0xFF0000, 0x00FF00, 0x0000FF};
  return s;
}

}  // namespace

// ---- pixel formats --------------------------------------------------------

TEST(BitmapDecoding, OneBitRowsAreStoredBottomUpMostSignificantBitFirst) {
  TBitmapRecipe s;
  s.Width = 3;
  s.Height = 2;
  s.BitCount = 1;
  s.Palette = {0x112233, 0xAABBCC};
  // Bottom row first: 1 0 1, then the top row 0 1 1; each row padded to 4 bytes.
  s.Pixels = Bytes({0b10100000, 0, 0, 0, 0b01100000, 0, 0, 0});
  const QImage image = DecodeBoth(s);
  ASSERT_EQ(image.size(), QSize(3, 2));
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  EXPECT_EQ(image.pixel(0, 1), Opaque(0xAABBCC));
  EXPECT_EQ(image.pixel(1, 1), Opaque(0x112233));
  EXPECT_EQ(image.pixel(2, 1), Opaque(0xAABBCC));
  EXPECT_EQ(image.pixel(0, 0), Opaque(0x112233));
  EXPECT_EQ(image.pixel(1, 0), Opaque(0xAABBCC));
  EXPECT_EQ(image.pixel(2, 0), Opaque(0xAABBCC));
}

TEST(BitmapDecoding, TwoAndFourBitIndicesArePackedHighFirst) {
  TBitmapRecipe two;
  two.Width = 4;
  two.BitCount = 2;
  two.Palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
  two.Pixels = Bytes({0b00011011, 0, 0, 0});
  const QImage a = DecodeBoth(two);
  EXPECT_EQ(a.pixel(0, 0), Opaque(0x000000));
  EXPECT_EQ(a.pixel(1, 0), Opaque(0x0000FF));
  EXPECT_EQ(a.pixel(2, 0), Opaque(0x00FF00));
  EXPECT_EQ(a.pixel(3, 0), Opaque(0xFF0000));

  TBitmapRecipe four = two;
  four.Width = 3;
  four.BitCount = 4;
  four.ColorsUsed = 4;
  four.Pixels = Bytes({0x32, 0x10, 0, 0});
  const QImage b = DecodeBoth(four);
  EXPECT_EQ(b.pixel(0, 0), Opaque(0xFF0000));
  EXPECT_EQ(b.pixel(1, 0), Opaque(0x00FF00));
  EXPECT_EQ(b.pixel(2, 0), Opaque(0x0000FF));
}

TEST(BitmapDecoding, NegativeHeightMeansRowsFromTopToBottom) {
  TBitmapRecipe s = Indexed8(2, -2, Bytes({1, 2, 0, 0, 3, 0, 0, 0}));
  const QImage image = DecodeBoth(s);
  ASSERT_EQ(image.size(), QSize(2, 2));
  EXPECT_EQ(image.pixel(0, 0), Opaque(0xFF0000));
  EXPECT_EQ(image.pixel(1, 0), Opaque(0x00FF00));
  EXPECT_EQ(image.pixel(0, 1), Opaque(0x0000FF));
  EXPECT_EQ(image.pixel(1, 1), Opaque(0x000000));
}

TEST(BitmapDecoding, SixteenBitsWithoutMasksAreFiveFiveFive) {
  TBitmapRecipe s;
  s.Width = 4;
  s.BitCount = 16;
  // white, pure blue, pure red, and 16 in every channel (widened to 132)
  s.Pixels = Le16(0x7FFF) + Le16(0x001F) + Le16(0x7C00) + Le16(0x4210);
  const QImage image = DecodeBoth(s);
  EXPECT_EQ(image.pixel(0, 0), Opaque(0xFFFFFF));
  EXPECT_EQ(image.pixel(1, 0), Opaque(0x0000FF));
  EXPECT_EQ(image.pixel(2, 0), Opaque(0xFF0000));
  EXPECT_EQ(image.pixel(3, 0), Opaque(0x848484));
}

TEST(BitmapDecoding, SixteenBitFieldsWidenEachChannelByRounding) {
  TBitmapRecipe s;
  s.Width = 4;
  s.BitCount = 16;
  s.Compression = kBitfields;
  s.Masks = {0xF800, 0x07E0, 0x001F};
  // full red, full green, green 1 of 63 (rounds to 4), blue 1 of 31 (rounds to 8)
  s.Pixels = Le16(0xF800) + Le16(0x07E0) + Le16(0x0020) + Le16(0x0001);
  const QImage image = DecodeBoth(s);
  EXPECT_EQ(image.pixel(0, 0), Opaque(0xFF0000));
  EXPECT_EQ(image.pixel(1, 0), Opaque(0x00FF00));
  EXPECT_EQ(image.pixel(2, 0), Opaque(0x000400));
  EXPECT_EQ(image.pixel(3, 0), Opaque(0x000008));
}

TEST(BitmapDecoding, TwentyFourBitsAreBlueGreenRedWithPaddedRows) {
  TBitmapRecipe s;
  s.Width = 1;
  s.Height = 2;
  s.Pixels = Bytes({0x01, 0x02, 0x03, 0xEE, 0x10, 0x20, 0x30, 0xEE});
  const QImage image = DecodeBoth(s);
  EXPECT_EQ(image.pixel(0, 1), Opaque(0x030201));
  EXPECT_EQ(image.pixel(0, 0), Opaque(0x302010));
}

TEST(BitmapDecoding, ThirtyTwoBitsIgnoreTheFourthByte) {
  TBitmapRecipe s;
  s.Width = 2;
  s.BitCount = 32;
  s.Pixels = Bytes({0x01, 0x02, 0x03, 0x00, 0x10, 0x20, 0x30, 0x7F});
  const QImage image = DecodeBoth(s);
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  EXPECT_EQ(image.pixel(0, 0), Opaque(0x030201));
  EXPECT_EQ(image.pixel(1, 0), Opaque(0x302010));
}

TEST(BitmapDecoding, ThirtyTwoBitFieldsMayPlaceChannelsAnywhere) {
  TBitmapRecipe s;
  s.Width = 1;
  s.BitCount = 32;
  s.Compression = kBitfields;
  s.Masks = {0x000000FF, 0x0000FF00, 0xFF000000};  // red low, blue high
  s.Pixels = Bytes({0x11, 0x22, 0x99, 0x33});
  EXPECT_EQ(DecodeBoth(s).pixel(0, 0), Opaque(0x112233));
}

TEST(BitmapDecoding, AnAlphaMaskInALargerHeaderGivesAnAlphaImage) {
  TBitmapRecipe s;
  s.HeaderSize = 124;
  s.Width = 2;
  s.BitCount = 32;
  s.Compression = kBitfields;
  s.Masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  s.Pixels = Bytes({0x30, 0x20, 0x10, 0x80, 0x00, 0x00, 0xFF, 0x00});
  const QImage image = DecodeBitmap(BmpFile(s));
  EXPECT_EQ(image.format(), QImage::Format_ARGB32);
  EXPECT_EQ(image.pixel(0, 0), qRgba(0x10, 0x20, 0x30, 0x80));
  EXPECT_EQ(image.pixel(1, 0), qRgba(0xFF, 0, 0, 0));
  // The packed form knows only the core and the 40-byte header.
  EXPECT_EQ(ErrorOfDib(PackedDib(s)), kDibInvalid);
}

TEST(BitmapDecoding, CoreHeaderHasThreeByteColoursAndSixteenBitSizes) {
  TBitmapRecipe s;
  s.HeaderSize = 12;
  s.Width = 2;
  s.BitCount = 1;
  s.Palette = {0x102030, 0x405060};
  s.Pixels = Bytes({0b01000000, 0, 0, 0});
  const QImage image = DecodeBoth(s);
  EXPECT_EQ(image.pixel(0, 0), Opaque(0x102030));
  EXPECT_EQ(image.pixel(1, 0), Opaque(0x405060));
}

TEST(BitmapDecoding, Os2SecondVersionHeadersAreReadUpToTheirLength) {
  // OS/2 2.x header of 16 bytes: size, width, height, planes, bits; four-byte colours.
  auto os2File = [](uint32_t headerSize, uint32_t compression) {
    const uint32_t offset = 14 + headerSize + 256 * 4;
    TByteWriter w;
    w.Bytes("BM");
    w.U32(offset + 4);
    w.U32(0);
    w.U32(offset);
    w.U32(headerSize);
    w.I32(2);
    w.I32(1);
    w.U16(1);
    w.U16(8);
    if (headerSize > 16) w.U32(compression);
    while (w.Data().size() < 14 + headerSize) w.U8(0);
    for (int i = 0; i < 256; ++i) w.U32(i == 5 ? 0x00FF00 : 0x000000);
    w.Bytes(Bytes({0, 5, 0, 0}));
    return w.Data();
  };
  const QImage image = DecodeBitmap(os2File(16, 0));
  EXPECT_EQ(image.pixel(0, 0), Opaque(0x000000));
  EXPECT_EQ(image.pixel(1, 0), Opaque(0x00FF00));
  EXPECT_EQ(DecodeBitmap(os2File(64, 0)), image);
  // In these headers compression 3 is Huffman coding, not bit fields.
  EXPECT_EQ(ErrorOfBitmap(os2File(64, 3)), kBitmapNotValid);
}

// ---- colour tables ----------------------------------------------------------

TEST(BitmapColourTable, AShortTableIsReadAsDeclaredAndIndicesBeyondItAreRefused) {
  TBitmapRecipe s = Indexed8(3, 1, Bytes({0, 1, 2, 0}));
  s.ColorsUsed = 3;
  s.Palette = {0x0A0B0C, 0x1A1B1C, 0x2A2B2C};
  const QImage image = DecodeBoth(s);
  EXPECT_EQ(image.pixel(2, 0), Opaque(0x2A2B2C));

  s.Pixels = Bytes({0, 1, 3, 0});
  ExpectRefused(s);
}

TEST(BitmapColourTable, ZeroColourCountMeansTheFullTableForIndexedPictures) {
  TBitmapRecipe s = Indexed8(1, 1, Bytes({200, 0, 0, 0}));
  s.ColorsUsed = 0;
  s.Palette.assign(256, 0);
  s.Palette[200] = 0xC8C8C8;
  EXPECT_EQ(DecodeBoth(s).pixel(0, 0), Opaque(0xC8C8C8));

  // Without the full table the packed form runs out of bytes.
  s.Palette.resize(4);
  EXPECT_EQ(ErrorOfDib(PackedDib(s)), kDibInvalid);
}

TEST(BitmapColourTable, AFileMayCutAnImpliedTableShortByItsPixelOffset) {
  TBitmapRecipe s = Indexed8(2, 1, Bytes({1, 0, 0, 0}));
  s.ColorsUsed = 0;
  s.Palette = {0x111111, 0x222222};
  const std::string file = BmpFile(s);
  EXPECT_EQ(DecodeBitmap(file).pixel(0, 0), Opaque(0x222222));

  s.Pixels = Bytes({2, 0, 0, 0});
  EXPECT_EQ(ErrorOfBitmap(BmpFile(s)), kBitmapNotValid);
}

TEST(BitmapColourTable, TablesOfDirectColourPicturesAreSkipped) {
  TBitmapRecipe s;
  s.Width = 1;
  s.ColorsUsed = 2;
  s.Palette = {0xFFFFFF, 0xFFFFFF};
  s.Pixels = Bytes({0x01, 0x02, 0x03, 0x00});
  EXPECT_EQ(DecodeBoth(s).pixel(0, 0), Opaque(0x030201));
}

TEST(BitmapColourTable, MoreColoursThanIndicesAreAllowedWhenPresent) {
  TBitmapRecipe s = Indexed8(1, 1, Bytes({255, 0, 0, 0}));
  s.ColorsUsed = 300;
  s.Palette.assign(300, 0x123456);
  s.Palette[255] = 0x654321;
  EXPECT_EQ(DecodeBoth(s).pixel(0, 0), Opaque(0x654321));
}

TEST(BitmapColourTable, ADeclaredCountThatDoesNotFitIsRefused) {
  TBitmapRecipe s = Indexed8(1, 1, Bytes({0, 0, 0, 0}));
  s.ColorsUsed = 0x12345678;
  ExpectRefused(s);
}

TEST(BitmapFile, PixelsAreTakenFromTheOffsetTheFileHeaderGives) {
  TBitmapRecipe s = Indexed8(1, 1, Bytes({2, 0, 0, 0}));
  EXPECT_EQ(DecodeBitmap(BmpFile(s, 10)).pixel(0, 0), Opaque(0x00FF00));
}

// ---- run-length coding --------------------------------------------------------

TEST(BitmapRunLength, Rle8RunsLiteralsLineEndsAndDeltas) {
  // 4 x 3, bottom-up: row 0 = run of 3 x index 1, then end of line;
  // row 1 = literal 2 3 1 (odd, padded); delta (1, 1) leaves the rest of row
  // 1 and all of row 2 but its last pixel untouched; then index 2 and the end.
  const std::string data = Bytes({3, 1, 0, 0,        // run, end of line
                                  0, 3, 2, 3, 1, 0,  // literal of 3, pad
                                  0, 2, 0, 1,        // delta: x += 0, y += 1
                                  1, 2, 0, 1});      // one pixel, end of bitmap
  const QImage image = DecodeBoth(Rle(kRle8, 4, 3, data));
  const QRgb undefinedColour = Opaque(0x101010);  // index 0
  // row 0 (bottom line of the image)
  EXPECT_EQ(image.pixel(0, 2), Opaque(0xFF0000));
  EXPECT_EQ(image.pixel(2, 2), Opaque(0xFF0000));
  EXPECT_EQ(image.pixel(3, 2), undefinedColour);
  // row 1
  EXPECT_EQ(image.pixel(0, 1), Opaque(0x00FF00));
  EXPECT_EQ(image.pixel(1, 1), Opaque(0x0000FF));
  EXPECT_EQ(image.pixel(2, 1), Opaque(0xFF0000));
  EXPECT_EQ(image.pixel(3, 1), undefinedColour);
  // row 2: the delta kept x = 3
  EXPECT_EQ(image.pixel(0, 0), undefinedColour);
  EXPECT_EQ(image.pixel(3, 0), Opaque(0x00FF00));
}

TEST(BitmapRunLength, Rle4RunsAlternateNibbles) {
  // 7 x 1: run of 3 alternating 1, 2, 1; literal of 3 pixels (3, 1, 2) in two
  // bytes; the seventh pixel is left undefined.
  const std::string data = Bytes({3, 0x12, 0, 3, 0x31, 0x20, 0, 1});
  const QImage image = DecodeBoth(Rle(kRle4, 7, 1, data));
  EXPECT_EQ(image.pixel(0, 0), Opaque(0xFF0000));
  EXPECT_EQ(image.pixel(1, 0), Opaque(0x00FF00));
  EXPECT_EQ(image.pixel(2, 0), Opaque(0xFF0000));
  EXPECT_EQ(image.pixel(3, 0), Opaque(0x0000FF));
  EXPECT_EQ(image.pixel(4, 0), Opaque(0xFF0000));
  EXPECT_EQ(image.pixel(5, 0), Opaque(0x00FF00));
  EXPECT_EQ(image.pixel(6, 0), Opaque(0x101010));
}

TEST(BitmapRunLength, Rle4OddLiteralIsPaddedToWholeWords) {
  // Literal of 3 pixels takes 2 bytes (already even); literal of 5 takes 3 + 1 pad.
  const std::string data = Bytes({0, 3, 0x12, 0x30, 0, 5, 0x12, 0x31, 0x20, 0, 0, 1});
  const QImage image = DecodeBoth(Rle(kRle4, 8, 1, data));
  EXPECT_EQ(image.pixel(2, 0), Opaque(0x0000FF));
  EXPECT_EQ(image.pixel(3, 0), Opaque(0xFF0000));
  EXPECT_EQ(image.pixel(7, 0), Opaque(0x00FF00));
}

TEST(BitmapRunLength, AnEarlyEndOfBitmapLeavesTheRestAtIndexZero) {
  const QImage image = DecodeBoth(Rle(kRle8, 3, 2, Bytes({1, 3, 0, 1})));
  EXPECT_EQ(image.pixel(0, 1), Opaque(0x0000FF));
  EXPECT_EQ(image.pixel(1, 1), Opaque(0x101010));
  EXPECT_EQ(image.pixel(2, 0), Opaque(0x101010));
}

TEST(BitmapRunLength, ExtraLineEndsAfterTheLastRowAreHarmless) {
  const QImage image = DecodeBoth(Rle(kRle8, 2, 1, Bytes({2, 3, 0, 0, 0, 0, 0, 0, 0, 1})));
  EXPECT_EQ(image.pixel(1, 0), Opaque(0x0000FF));
}

TEST(BitmapRunLength, RunsThatLeaveThePictureAreRefused) {
  ExpectRefused(Rle(kRle8, 4, 1, Bytes({5, 1, 0, 1})));                    // run past the row end
  ExpectRefused(Rle(kRle8, 4, 1, Bytes({0, 5, 1, 1, 1, 1, 1, 0, 0, 1})));  // literal past the row end
  ExpectRefused(Rle(kRle8, 4, 2, Bytes({0, 2, 5, 0, 0, 1})));              // delta right of the picture
  ExpectRefused(Rle(kRle8, 4, 2, Bytes({0, 2, 0, 3, 0, 1})));              // delta below the picture
  ExpectRefused(Rle(kRle8, 4, 1, Bytes({0, 0, 1, 1, 0, 1})));              // pixel above the last row
  ExpectRefused(Rle(kRle4, 4, 1, Bytes({9, 0x11, 0, 1})));                 // past the 8 pixels of a padded row
}

// ---- rows coded with their padding -----------------------------------------------

namespace {

// Pixels in a stored row: the row's bits rounded up to 32.
int PaddedWidth(int width, int bits) { return (width * bits + 31) / 32 * 32 / bits; }

// The index of the test pattern at (x, y), y counted from the bottom row:
// changes along the row and from row to row, so that a pixel put one place
// off shows.
int PatternIndex(int x, int y) { return (x / 2 + y) % 4; }

// Codes every row over its padded width, the padding as index 0, the way
// common writers do: as runs of equal indices, or as absolute runs of at
// most 254 pixels (runs where fewer than 3 pixels are left). Each row ends
// with an end of line, the picture with an end of bitmap.
enum class TRowCoding { Runs, Literals };

std::string PaddedRows(int bits, int width, int height, TRowCoding coding) {
  const int padded = PaddedWidth(width, bits);
  TByteWriter out;
  auto indexAt = [&](int x, int y) { return x < width ? PatternIndex(x, y) : 0; };
  auto runValue = [&](int index) { return static_cast<uint8_t>(bits == 8 ? index : index << 4 | index); };
  for (int y = 0; y < height; ++y) {
    int x = 0;
    while (x < padded) {
      if (coding == TRowCoding::Literals && padded - x >= 3) {
        const int count = std::min(padded - x, 254);
        out.U8(0);
        out.U8(static_cast<uint8_t>(count));
        std::string bytes;
        for (int i = 0; i < count; ++i) {
          if (bits == 8)
            bytes.push_back(static_cast<char>(indexAt(x + i, y)));
          else if (i % 2 == 0)
            bytes.push_back(static_cast<char>(indexAt(x + i, y) << 4));
          else
            bytes.back() = static_cast<char>(bytes.back() | indexAt(x + i, y));
        }
        if (bytes.size() % 2 == 1) bytes.push_back(0);
        out.Bytes(bytes);
        x += count;
        continue;
      }
      int count = 1;
      while (x + count < padded && count < 255 && indexAt(x + count, y) == indexAt(x, y)) ++count;
      out.U8(static_cast<uint8_t>(count));
      out.U8(runValue(indexAt(x, y)));
      x += count;
    }
    out.U8(0);
    out.U8(0);
  }
  out.U8(0);
  out.U8(1);
  return out.Data();
}

void ExpectPattern(const QImage& image, int width, int height) {
  ASSERT_EQ(image.size(), QSize(width, height));
  const QRgb colours[] = {Opaque(0x101010), Opaque(0xFF0000), Opaque(0x00FF00), Opaque(0x0000FF)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ASSERT_EQ(image.pixel(x, height - 1 - y), colours[PatternIndex(x, y)]) << "x " << x << " row " << y;
    }
  }
}

}  // namespace

TEST(BitmapRunLength, RowsCodedWithTheirPaddingDecodeToThePicture) {
  for (const int bits : {8, 4}) {
    for (const int width : {1, 2, 3, 5, 7, 13, 37, 255, 257}) {
      for (const TRowCoding coding : {TRowCoding::Runs, TRowCoding::Literals}) {
        SCOPED_TRACE("bits " + std::to_string(bits) + " width " + std::to_string(width) +
                     (coding == TRowCoding::Runs ? " runs" : " literals"));
        const std::string data = PaddedRows(bits, width, 3, coding);
        ExpectPattern(DecodeBoth(Rle(bits == 8 ? kRle8 : kRle4, width, 3, data)), width, 3);
      }
    }
  }
}

TEST(BitmapRunLength, AnImageMagickRle8FileDecodesToItsSourcePicture) {
  // ImageMagick 6.9's own bytes for a 5 x 3 picture (white, with red at the
  // top left, lime in the middle row's middle and blue at the bottom right;
  // its colour table: red, lime, blue, white): every row is coded as 8
  // pixels, the last 3 of index 0.
  const std::string data = Bytes({4, 3, 1, 2, 3, 0, 0, 0,          // bottom row: white x 4, blue
                                  2, 3, 1, 1, 2, 3, 3, 0, 0, 0,    // middle row: lime at x = 2
                                  1, 0, 4, 3, 3, 0, 0, 0, 0, 1});  // top row: red, white x 4
  TBitmapRecipe s = Rle(kRle8, 5, 3, data);
  s.Palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  const QImage image = DecodeBoth(s);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      QRgb expected = Opaque(0xFFFFFF);
      if (x == 0 && y == 0) expected = Opaque(0xFF0000);
      if (x == 2 && y == 1) expected = Opaque(0x00FF00);
      if (x == 4 && y == 2) expected = Opaque(0x0000FF);
      EXPECT_EQ(image.pixel(x, y), expected) << x << "," << y;
    }
  }
}

TEST(BitmapRunLength, ThePaddingIsTheLastPlaceARowMayReach) {
  // RLE8, 5 pixels: a row is stored as 8.
  EXPECT_EQ(DecodeBoth(Rle(kRle8, 5, 1, Bytes({8, 1, 0, 1}))).pixel(4, 0), Opaque(0xFF0000));
  ExpectRefused(Rle(kRle8, 5, 1, Bytes({9, 1, 0, 1})));
  EXPECT_EQ(DecodeBoth(Rle(kRle8, 5, 1, Bytes({5, 1, 0, 3, 2, 2, 2, 0, 0, 1}))).pixel(4, 0), Opaque(0xFF0000));
  ExpectRefused(Rle(kRle8, 5, 1, Bytes({5, 1, 0, 4, 2, 2, 2, 2, 0, 1})));  // absolute run one past
  // RLE4, 9 pixels: 36 bits, stored as 64, so 16 pixels.
  EXPECT_EQ(DecodeBoth(Rle(kRle4, 9, 1, Bytes({16, 0x12, 0, 1}))).pixel(8, 0), Opaque(0xFF0000));
  ExpectRefused(Rle(kRle4, 9, 1, Bytes({17, 0x12, 0, 1})));
  // A delta may stop in the padding, not beyond it.
  EXPECT_EQ(DecodeBoth(Rle(kRle8, 5, 2, Bytes({0, 2, 8, 0, 0, 0, 1, 2, 0, 1}))).pixel(0, 0), Opaque(0x00FF00));
  ExpectRefused(Rle(kRle8, 5, 2, Bytes({0, 2, 9, 0, 0, 1})));
  // A row does not run on into the next one, and a padding pixel's index
  // must still be in the table.
  ExpectRefused(Rle(kRle8, 5, 1, Bytes({8, 1, 1, 1, 0, 1})));
  ExpectRefused(Rle(kRle8, 5, 1, Bytes({5, 1, 1, 9, 0, 1})));
}

TEST(BitmapRunLength, DataEndingBeforeTheEndMarkIsRefused) {
  ExpectRefused(Rle(kRle8, 4, 1, Bytes({4, 1})));
  ExpectRefused(Rle(kRle8, 4, 1, Bytes({0, 4, 1, 1})));  // literal cut short
  ExpectRefused(Rle(kRle8, 4, 1, Bytes({0, 2, 1})));     // delta cut short
}

TEST(BitmapRunLength, IndicesBeyondTheTableAreRefused) { ExpectRefused(Rle(kRle8, 4, 1, Bytes({2, 4, 0, 1}))); }

TEST(BitmapRunLength, TopDownRunLengthPicturesAreRefused) { ExpectRefused(Rle(kRle8, 4, -1, Bytes({4, 1, 0, 1}))); }

TEST(BitmapRunLength, SizesFarBeyondWhatTheDataCanHoldAreRefused) {
  // Four bytes cannot stand for four million pixels.
  ExpectRefused(Rle(kRle8, 2000, 2000, Bytes({0, 0, 0, 1})));
  // A size the data can plausibly hold is accepted.
  EXPECT_EQ(DecodeBoth(Rle(kRle8, 64, 64, Bytes({0, 0, 0, 1}))).size(), QSize(64, 64));
}

TEST(BitmapRunLength, DeclaredSizeLargerThanTheDataIsRefused) {
  TBitmapRecipe s = Rle(kRle8, 4, 1, Bytes({4, 1, 0, 1}));
  s.SizeImage = 100;
  ExpectRefused(s);
}

// ---- damaged headers and data ---------------------------------------------------

TEST(BitmapDamage, EmptyAndTinyInputsAreRefused) {
  EXPECT_EQ(ErrorOfBitmap(""), kBitmapNotValid);
  EXPECT_EQ(ErrorOfBitmap("BM"), kBitmapNotValid);
  EXPECT_EQ(ErrorOfDib(""), kDibInvalid);
  EXPECT_EQ(ErrorOfDib(Bytes({40, 0, 0})), kDibInvalid);
  TBitmapRecipe s;
  s.Pixels = Bytes({1, 2, 3, 0});
  const std::string file = BmpFile(s);
  for (size_t length = 0; length < file.size(); ++length)
    EXPECT_EQ(ErrorOfBitmap(file.substr(0, length)), kBitmapNotValid) << length;
  const std::string packed = PackedDib(s);
  for (size_t length = 0; length < packed.size(); ++length)
    EXPECT_EQ(ErrorOfDib(packed.substr(0, length)), kDibInvalid) << length;
}

TEST(BitmapDamage, FileHeaderFaultsAreRefused) {
  TBitmapRecipe s;
  s.Pixels = Bytes({1, 2, 3, 0});
  std::string wrongMagic = BmpFile(s);
  wrongMagic[1] = 'A';
  EXPECT_EQ(ErrorOfBitmap(wrongMagic), kBitmapNotValid);

  std::string longerThanFile = BmpFile(s);
  longerThanFile[2] = static_cast<char>(longerThanFile[2] + 1);
  EXPECT_EQ(ErrorOfBitmap(longerThanFile), kBitmapNotValid);

  std::string offsetInsideHeader = BmpFile(s);
  offsetInsideHeader[10] = 20;
  EXPECT_EQ(ErrorOfBitmap(offsetInsideHeader), kBitmapNotValid);

  std::string offsetPastEnd = BmpFile(s);
  offsetPastEnd[10] = static_cast<char>(200);
  EXPECT_EQ(ErrorOfBitmap(offsetPastEnd), kBitmapNotValid);
}

TEST(BitmapDamage, ImpossibleHeaderFieldsAreRefused) {
  TBitmapRecipe good;
  good.Pixels = Bytes({1, 2, 3, 0});
  ASSERT_EQ(ErrorOfBitmap(BmpFile(good)), "decoded");

  auto refusedWith = [&](auto change) {
    TBitmapRecipe s = good;
    change(s);
    ExpectRefused(s);
  };
  refusedWith([](TBitmapRecipe& s) { s.HeaderSize = 66; });
  refusedWith([](TBitmapRecipe& s) { s.HeaderSize = 0; });
  refusedWith([](TBitmapRecipe& s) { s.Planes = 2; });
  refusedWith([](TBitmapRecipe& s) { s.BitCount = 3; });
  refusedWith([](TBitmapRecipe& s) { s.BitCount = 0; });
  refusedWith([](TBitmapRecipe& s) { s.BitCount = 64; });
  refusedWith([](TBitmapRecipe& s) { s.Width = 0; });
  refusedWith([](TBitmapRecipe& s) { s.Width = -1; });
  refusedWith([](TBitmapRecipe& s) { s.Height = 0; });
  refusedWith([](TBitmapRecipe& s) { s.Height = INT_MIN; });
  refusedWith([](TBitmapRecipe& s) { s.Compression = 4; });      // JPEG
  refusedWith([](TBitmapRecipe& s) { s.Compression = 5; });      // PNG
  refusedWith([](TBitmapRecipe& s) { s.Compression = kRle8; });  // with 24 bits
  refusedWith([](TBitmapRecipe& s) {
    s.Compression = kBitfields;
    s.Masks = {0xFF, 0xFF00, 0xFF0000};
  });
  refusedWith([](TBitmapRecipe& s) { s.XDensity = 30000000; });
  refusedWith([](TBitmapRecipe& s) { s.YDensity = -30000000; });
}

TEST(BitmapDamage, UnusableColourMasksAreRefused) {
  TBitmapRecipe good;
  good.BitCount = 16;
  good.Width = 2;
  good.Compression = kBitfields;
  good.Masks = {0xF800, 0x07E0, 0x001F};
  good.Pixels = Bytes({0, 0, 0, 0});
  ASSERT_EQ(ErrorOfBitmap(BmpFile(good)), "decoded");

  for (const std::vector<uint32_t>& masks :
       std::vector<std::vector<uint32_t>>{{0xFF00, 0x00FF, 0x0000},      // a colour without bits
                                          {0xF800, 0x0FE0, 0x001F},      // red and green share a bit
                                          {0xF800, 0x07E0, 0x0015},      // blue bits not adjacent
                                          {0x1F800, 0x07E0, 0x001F}}) {  // red beyond the 16 bits of the pixel
    TBitmapRecipe s = good;
    s.Masks = masks;
    ExpectRefused(s);
  }
}

TEST(BitmapDamage, PixelDataShorterThanTheRowsIsRefused) {
  TBitmapRecipe s;
  s.Width = 2;
  s.Height = 2;
  s.Pixels = std::string(15, '\0');  // two padded rows need 16 bytes
  ExpectRefused(s);
  s.Pixels = std::string(16, '\0');
  EXPECT_EQ(DecodeBoth(s).size(), QSize(2, 2));
  s.SizeImage = 17;  // claims more than there is
  ExpectRefused(s);
}

TEST(BitmapDamage, HugeSizesAreRefusedBeforeAnythingIsAllocated) {
  TBitmapRecipe s;
  s.Width = 3000000;
  s.Height = 2000000;
  s.Pixels = std::string(64, '\0');
  ExpectRefused(s);
  // Within the pixel ceiling but far beyond the data present.
  s.Width = 8000;
  s.Height = 8000;
  ExpectRefused(s);
  s.Width = 0x7FFFFFFF;
  s.Height = -0x7FFFFFFF;
  ExpectRefused(s);
}

TEST(BitmapEncoding, EveryImageFormatIsWrittenAsItsStraightColoursAcrossBands) {
  // 1,024 pixels wide: the encoder converts 256 rows at a time, so these 300
  // rows take two bands, read bottom-up, the second one short.
  QImage pattern(1024, 300, QImage::Format_ARGB32);
  for (int y = 0; y < pattern.height(); ++y) {
    for (int x = 0; x < pattern.width(); ++x)
      pattern.setPixel(x, y, qRgba(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF, 255 - ((x * 7 + y) & 0x7F)));
  }
  for (const QImage::Format format :
       {QImage::Format_ARGB32, QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888,
        QImage::Format_Indexed8, QImage::Format_Mono, QImage::Format_Grayscale8, QImage::Format_RGBA64}) {
    const QImage image = pattern.convertToFormat(format);
    const QImage expected = image.convertToFormat(QImage::Format_ARGB32);
    const std::string file = EncodeBitmap24(image);
    ASSERT_EQ(file.size(), Bitmap24FileSize(1024, 300)) << format;
    EXPECT_EQ(file.size(), 14u + 40u + 1024u * 3u * 300u);
    const QImage decoded = DecodeBitmap(file);
    ASSERT_EQ(decoded.size(), image.size()) << format;
    int wrong = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qRgb(qRed(expected.pixel(x, y)), qGreen(expected.pixel(x, y)), qBlue(expected.pixel(x, y))) !=
                decoded.pixel(x, y) &&
            wrong++ == 0)
          ADD_FAILURE() << "format " << format << " first differs at " << x << "," << y;
      }
    }
    EXPECT_EQ(wrong, 0) << format;
  }
}

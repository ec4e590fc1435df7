// Pictures too large to take in: small files that claim huge sizes (PNG,
// JPEG, GIF, bitmaps), each built here byte by byte, are refused from their
// headers with the file, the size and the limit named, and leave the picture
// and the library as they were.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "LibraryDbTestSupport.h"
#include "PictureTestSupport.h"
#include "library/BitmapCodec.h"
#include "library/ObjectDataBase.h"
#include "library/Picture.h"
#include "library/PictureCollection.h"
#include "library/PictureImport.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"

namespace kestrilo {
namespace {

using testing::TScratchFolder;

std::string BigEndian32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

uint32_t Crc32(std::string_view bytes) {
  uint32_t crc = 0xFFFFFFFF;
  for (const unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

std::string PngChunk(const std::string& type, const std::string& data) {
  return BigEndian32(static_cast<uint32_t>(data.size())) + type + data + BigEndian32(Crc32(type + data));
}

// A black one-bit greyscale PNG: its zero rows compress about a thousandfold.
std::string OneBitPng(uint32_t width, uint32_t height) {
  const std::string header = BigEndian32(width) + BigEndian32(height) + std::string("\x01\x00\x00\x00\x00", 5);
  const QByteArray rows(static_cast<qsizetype>(height * (1 + (width + 7) / 8)), '\0');
  const QByteArray compressed = qCompress(rows, 9).mid(4);  // zlib data after Qt's length prefix
  return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) + PngChunk("IDAT", compressed.toStdString()) +
         PngChunk("IEND", "");
}

// An 8 x 8 JPEG whose frame header then claims the given size.
std::string JpegClaiming(uint16_t width, uint16_t height) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImage small(8, 8, QImage::Format_RGB32);
  small.fill(qRgb(90, 120, 200));
  EXPECT_TRUE(QImageWriter(&buffer, "jpeg").write(small));
  std::string jpeg = bytes.toStdString();
  const size_t frame = jpeg.find("\xFF\xC0");
  EXPECT_NE(frame, std::string::npos);
  if (frame == std::string::npos) return jpeg;
  // Marker, length, precision, then height and width, big-endian.
  jpeg[frame + 5] = static_cast<char>(height >> 8);
  jpeg[frame + 6] = static_cast<char>(height);
  jpeg[frame + 7] = static_cast<char>(width >> 8);
  jpeg[frame + 8] = static_cast<char>(width);
  return jpeg;
}

// A GIF of one black-and-white frame at the corner of its logical screen,
// whose pixel data is a clear code and an end code: 35 bytes.
std::string Gif(uint16_t screenWidth, uint16_t screenHeight, uint16_t frameWidth, uint16_t frameHeight) {
  TByteWriter w;
  w.Bytes("GIF89a");
  w.U16(screenWidth);
  w.U16(screenHeight);
  w.Bytes(std::string("\x80\x00\x00", 3));  // a global table of two colours
  w.Bytes(std::string("\x00\x00\x00\xFF\xFF\xFF", 6));
  w.Bytes(",");
  w.U16(0);
  w.U16(0);
  w.U16(frameWidth);
  w.U16(frameHeight);
  w.Bytes(std::string("\x00\x02\x02\x44\x01\x00;", 7));  // no local table; LZW data; trailer
  return w.Data();
}

// A 24-bit bitmap header claiming the size, with no pixels after it.
std::string BitmapClaiming(int32_t width, int32_t height) {
  TByteWriter w;
  w.Bytes("BM");
  w.U32(54);
  w.U32(0);
  w.U32(54);
  picturetest::InfoHeader24(w, width, height, 0);
  return w.Data();
}

// The size is "W × H" with no-break spaces around the sign, as is the limit's unit.
std::string TooLargeMessage(const std::string& path, const std::string& size) {
  std::string unbroken = size;
  unbroken.replace(unbroken.find(" × "), 4, "\u00A0×\u00A0");
  return "Картинка слишком велика: " + path + ", " + unbroken + " точек; предел — 64\u00A0МБ";
}

TEST(PictureImportLimit, TheStoredBitmapDecidesAtTheExactBoundary) {
  // 64 MB = 67,108,864 bytes; a 24-bit bitmap takes 54 bytes of headers and
  // rows of three bytes a pixel padded to four.
  struct TCase {
    uint64_t Width, Height;
    bool Fits;
  };
  for (const TCase& c : std::vector<TCase>{{4096, 5461, true},    // 67,104,822 bytes
                                           {4096, 5462, false},   // 67,117,110
                                           {1, 16777202, true},   // rows of 4: 67,108,862
                                           {1, 16777203, false},  // 67,108,866
                                           {22369602, 1, true},   // one row of 67,108,808
                                           {22369603, 1, false},  // 67,108,812
                                           {0, 0, true},
                                           {65535, 65535, false},
                                           {uint64_t{1} << 32, uint64_t{1} << 32, false},  // the product overflows
                                           {UINT64_MAX, 1, false}}) {
    EXPECT_EQ(TPictureImport::Fits(c.Width, c.Height), c.Fits) << c.Width << " x " << c.Height;
    if (c.Width < (uint64_t{1} << 32)) {
      EXPECT_EQ(Bitmap24FileSize(c.Width, c.Height) <= TPictureImport::kMaxBitmapBytes, c.Fits);
    }
  }
}

TEST(PictureImportLimit, BombsOfEveryKindAreRefusedFromTheirHeaders) {
  TScratchFolder folder;
  struct TBomb {
    std::string Name;
    std::function<std::string()> Bytes;
    std::string Size;
  };
  std::vector<TBomb> bombs = {
      {"bomb.png", [] { return OneBitPng(5790, 5790); }, "5790 × 5790"},
      {"one row over.png", [] { return OneBitPng(4096, 5462); }, "4096 × 5462"},
      // Qt's reader states the first frame's size, 1 x 1, but would make an
      // image of the whole logical screen.
      {"screen.gif", [] { return Gif(65535, 65535, 1, 1); }, "65535 × 65535"},
      {"frame.gif", [] { return Gif(0, 0, 9000, 8000); }, "9000 × 8000"},
      // Within what the bitmap decoder would make room for (64 M pixels).
      {"huge.bmp", [] { return BitmapClaiming(8000, -6000); }, "8000 × 6000"},
  };
  if (QImageReader::supportedImageFormats().contains("jpeg"))
    bombs.push_back({"photo.jpg", [] { return JpegClaiming(20000, 15000); }, "20000 × 15000"});
  for (const TBomb& bomb : bombs) {
    const std::string path = folder.Path(bomb.Name);
    const std::string bytes = bomb.Bytes();
    EXPECT_LT(bytes.size(), 8192u) << bomb.Name;
    testing::WriteBytes(path, bytes);

    TPicture picture;
    picture.LoadFromData(TPicture::kBitmap, testing::SolidBitmap(2, 2, 0x123456));
    try {
      picture.LoadFromFile(path);
      ADD_FAILURE() << bomb.Name << " was taken in";
    } catch (const EInvalidGraphic& error) {
      EXPECT_EQ(error.what(), TooLargeMessage(path, bomb.Size));
    }
    EXPECT_EQ(picture.Width(), 2) << bomb.Name;

    // Nothing reaches the library: neither an entry nor a picture.
    TPictureCollection images;
    TObjectDataBase library(&images);
    TObjectRecord record;
    record.Name = "bomb";
    EXPECT_THROW(library.AddObject(record, path, TPictureSettings{}), EInvalidGraphic) << bomb.Name;
    EXPECT_TRUE(library.Records.empty());
    EXPECT_EQ(images.Count(), 0);
  }
}

TEST(PictureImportLimit, TheReadersLimitIsPutBackAndAGifScreenLargerThanItsFrameIsTakenWhole) {
  TScratchFolder folder;
  const int before = QImageReader::allocationLimit();
  // The screen is what Qt's reader makes; the frame at its corner is drawn on it.
  testing::WriteBytes(folder.Path("small frame.gif"), Gif(5, 4, 2, 2));
  const TImportedPicture imported = TPictureImport::FromFile(folder.Path("small frame.gif"));
  EXPECT_EQ(DecodeBitmap(imported.BitmapFile).size(), QSize(5, 4));
  EXPECT_EQ(QImageReader::allocationLimit(), before);
  testing::WriteBytes(folder.Path("bomb.gif"), Gif(65535, 65535, 1, 1));
  EXPECT_THROW(TPictureImport::FromFile(folder.Path("bomb.gif")), EInvalidGraphic);
  EXPECT_EQ(QImageReader::allocationLimit(), before);
}

TEST(PictureImportLimit, AFileNameWithControlsAndPercentSignsIsShownAsItIs) {
  TScratchFolder folder;
  const std::string path = folder.Path("%1 %2 \x1b[31m.gif");
  testing::WriteBytes(path, Gif(65535, 65535, 1, 1));
  try {
    TPictureImport::FromFile(path);
    ADD_FAILURE() << "taken in";
  } catch (const EInvalidGraphic& error) {
    EXPECT_EQ(error.what(), TooLargeMessage(folder.Path("%1 %2 \\x1b[31m.gif"), "65535 × 65535"));
  }
}

}  // namespace
}  // namespace kestrilo

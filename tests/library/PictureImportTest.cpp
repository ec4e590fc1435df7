// Common picture files (PNG, JPEG, ...) taken in as 24-bit bitmaps: the
// bytes kept and the colour key their transparent pixels take.
#include <gtest/gtest.h>

#include <QImageWriter>

#include "LibraryDbTestSupport.h"
#include "library/BitmapCodec.h"
#include "library/ObjectDataBase.h"
#include "library/Picture.h"
#include "library/PictureCollection.h"
#include "library/PictureImport.h"
#include "platform/Cp1251.h"
#include "platform/Surface.h"

namespace kestrilo {
namespace {

using testing::kMagentaPixel;
using testing::PictureWithAlpha;
using testing::SavePng;
using testing::TScratchFolder;

// Whether a key keeps every opaque pixel: no opaque pixel packs to its 5-6-5 value.
bool KeyLeavesOpaquePixelsAlone(const QImage& image, uint32_t key) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y) {
    for (int x = 0; x < argb.width(); ++x) {
      const QRgb p = argb.pixel(x, y);
      if (qAlpha(p) >= 128 && Rgb565(qRed(p), qGreen(p), qBlue(p)) == ColorToRgb565(key)) return false;
    }
  }
  return true;
}

TEST(PictureImport, APngWithAlphaBecomesABitmapKeyedWithMagenta) {
  TScratchFolder folder;
  const std::string path = SavePng(folder, "sprite.png", PictureWithAlpha());
  TPicture picture;
  const std::optional<uint32_t> key = picture.LoadFromFile(path);
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(*key, 0xFF00FFu);
  EXPECT_EQ(picture.Kind(), TPicture::kBitmap);
  // The kept bytes are a 24-bit bitmap that the bitmap reader reads back.
  const std::string_view bytes = picture.Data().View();
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 24);  // bits per pixel
  const QImage decoded = DecodeBitmap(bytes);
  ASSERT_EQ(decoded.size(), QSize(4, 3));
  for (int y = 0; y < 3; ++y) EXPECT_EQ(decoded.pixel(0, y), kMagentaPixel) << y;
  EXPECT_EQ(decoded.pixel(1, 0), kMagentaPixel);       // alpha 127: transparent
  EXPECT_EQ(decoded.pixel(2, 0), qRgb(200, 100, 50));  // alpha 128: kept, its colour as stored
  EXPECT_EQ(decoded.pixel(3, 2), qRgb(10, 200, 30));
}

TEST(PictureImport, TheKeyAvoidsEveryColourTheOpaquePixelsHaveInFiveSixFive) {
  // Magenta itself is taken, and so is a colour that packs like it.
  QImage image = PictureWithAlpha(qRgba(255, 0, 255, 255));
  image.setPixel(3, 1, qRgba(0xFE, 0x01, 0xFC, 255));
  const TImportedPicture imported = TPictureImport::FromImage(image);
  ASSERT_TRUE(imported.ColorKey.has_value());
  EXPECT_NE(ColorToRgb565(*imported.ColorKey), ColorToRgb565(0xFF00FF));
  EXPECT_TRUE(KeyLeavesOpaquePixelsAlone(image, *imported.ColorKey));
  // The transparent pixels carry the key exactly, so that the surfaces key them out.
  const uint32_t k = *imported.ColorKey;
  EXPECT_EQ(DecodeBitmap(imported.BitmapFile).pixel(0, 0), qRgb(k & 0xFF, (k >> 8) & 0xFF, (k >> 16) & 0xFF));
}

TEST(PictureImport, AKeyIsFoundWhileAny565ValueIsFree) {
  // 65,535 opaque pixels, each of its own 5-6-5 value but one.
  QImage image(256, 256, QImage::Format_ARGB32);
  const uint16_t left = 0x1234;
  for (int v = 0; v < 0x10000; ++v) {
    const uint32_t c = Rgb565ToColor(static_cast<uint16_t>(v == left ? 0 : v));
    image.setPixel(v % 256, v / 256, qRgba(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, 255));
  }
  image.setPixel(0, 0, qRgba(0, 0, 0, 0));  // value 0 is taken by the pixel standing in for 0x1234
  EXPECT_EQ(ColorToRgb565(TPictureImport::FreeKey(image)), left);
  // With every value taken there is no key to give.
  const uint32_t c = Rgb565ToColor(left);
  image.setPixel(0, 0, qRgba(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, 255));
  EXPECT_THROW(TPictureImport::FreeKey(image), EInvalidGraphic);
}

TEST(PictureImport, PicturesWithoutAlphaKeepTheirColoursAndGetNoKey) {
  TScratchFolder folder;
  QImage opaque(3, 2, QImage::Format_RGB32);
  opaque.fill(qRgb(255, 0, 255));  // magenta is an ordinary colour here
  TPicture picture;
  EXPECT_FALSE(picture.LoadFromFile(SavePng(folder, "flat.png", opaque)).has_value());
  EXPECT_EQ(picture.Image().pixel(2, 1), kMagentaPixel);
  EXPECT_EQ(picture.Width(), 3);

  if (!QImageWriter::supportedImageFormats().contains("jpeg")) GTEST_SKIP() << "no JPEG plugin";
  const std::string jpeg = folder.Path("photo.JPG");
  QImage photo(16, 8, QImage::Format_RGB32);
  photo.fill(qRgb(200, 40, 40));
  ASSERT_TRUE(photo.save(QString::fromStdString(jpeg), "JPEG", 100));
  EXPECT_FALSE(picture.LoadFromFile(jpeg).has_value());
  EXPECT_EQ(picture.Kind(), TPicture::kBitmap);
  EXPECT_EQ(picture.Image().size(), QSize(16, 8));
  EXPECT_NEAR(qRed(picture.Image().pixel(8, 4)), 200, 4);
}

TEST(PictureImport, DamagedAndMissingFilesAreRefusedAndLeaveThePictureAsItWas) {
  TScratchFolder folder;
  TPicture picture;
  picture.LoadFromFile(SavePng(folder, "good.png", PictureWithAlpha()));
  const std::string before(picture.Data().View());
  testing::WriteBytes(folder.Path("bad.png"), "\x89PNG\r\n\x1a\n and nothing more");
  EXPECT_THROW(picture.LoadFromFile(folder.Path("bad.png")), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromFile(folder.Path("missing.png")), EFOpenError);
  EXPECT_EQ(picture.Data().View(), before);
}

TEST(PictureImport, CommonExtensionsLeaveOutTheKindsHeldAsTheyAre) {
  const std::vector<std::string> extensions = TPictureImport::CommonExtensions();
  EXPECT_NE(std::find(extensions.begin(), extensions.end(), "png"), extensions.end());
  for (const char* held : {"bmp", "dib", "ico", "wmf", "emf"})
    EXPECT_EQ(std::find(extensions.begin(), extensions.end(), held), extensions.end()) << held;
  EXPECT_TRUE(TPictureImport::Reads("PNG"));
  EXPECT_FALSE(TPictureImport::Reads("xyz"));
  EXPECT_FALSE(TPictureImport::Reads(""));
}

}  // namespace
}  // namespace kestrilo

// Common picture files (PNG, JPEG, ...) taken in as 24-bit bitmaps: the
// bytes kept, the colour key their transparent pixels take, and what the
// new-object dialog and the library make of them.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImageWriter>
#include <QLineEdit>
#include <QSpinBox>

#include "LibraryDbTestSupport.h"
#include "library/NewObjectDialog.h"
#include "library/BitmapCodec.h"
#include "library/ObjectDataBase.h"
#include "library/Picture.h"
#include "library/PictureCollection.h"
#include "library/PictureImport.h"
#include "platform/Cp1251.h"
#include "platform/ScriptedDialogService.h"
#include "platform/Surface.h"

namespace kestrilo {
namespace {

using testing::TScratchFolder;

constexpr QRgb kMagentaPixel = 0xFFFF00FF;

// 4 x 3: the left column fully transparent, (1, 0) at alpha 127 (below one
// half), (2, 0) at alpha 128, the rest opaque in colours of their own.
QImage PictureWithAlpha(QRgb opaqueColour = qRgba(10, 200, 30, 255)) {
  QImage image(4, 3, QImage::Format_ARGB32);
  image.fill(opaqueColour);
  for (int y = 0; y < 3; ++y) image.setPixel(0, y, qRgba(40, 50, 60, 0));
  image.setPixel(1, 0, qRgba(1, 2, 3, 127));
  image.setPixel(2, 0, qRgba(200, 100, 50, 128));
  return image;
}

std::string SavePng(const TScratchFolder& folder, const std::string& name, const QImage& image) {
  const std::string path = folder.Path(name);
  EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
  return path;
}

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
  EXPECT_EQ(decoded.pixel(1, 0), kMagentaPixel);                  // alpha 127: transparent
  EXPECT_EQ(decoded.pixel(2, 0), qRgb(200, 100, 50));             // alpha 128: kept, its colour as stored
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

// ---- the new-object dialog ---------------------------------------------------------

class PictureImportDialogTest : public ::testing::Test {
 protected:
  TScratchFolder folder;
  TScriptedDialogService dialogs;
  TForm2 form{dialogs};

  void Take(const std::string& path) {
    dialogs.FileAnswers = {path};
    form.Button2Click();
  }
};

TEST_F(PictureImportDialogTest, APngWithAlphaIsAddedTransparentAndReadsBackFromTheGraphicsFile) {
  Take(SavePng(folder, "sprite.png", PictureWithAlpha()));
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_TRUE(form.CheckBox2->isChecked());
  EXPECT_EQ(form.TransparentColor(), 0xFF00FFu);

  form.Edit5->setText(QString::fromUtf8("Спрайт"));
  const TNewObject entry = form.BuildObject(1);
  EXPECT_TRUE(entry.Settings.Transparent);
  EXPECT_EQ(entry.Settings.TransparentColor, 0xFF00FFu);
  EXPECT_EQ(entry.Settings.PatternWidth, 4);
  EXPECT_EQ(entry.Settings.PatternHeight, 3);

  TPictureCollection images;
  TObjectDataBase library(&images);
  library.AddObject(entry.Record, entry.PictureFileName, entry.Settings);
  TPictureCollection reread;
  reread.LoadFromBytes(images.SaveToBytes());
  ASSERT_EQ(reread.Count(), 1);
  const TPictureCollectionItem& item = *reread.Items(0);
  EXPECT_EQ(item.Name(), W1251("Спрайт"));
  EXPECT_EQ(item.Picture.Kind(), TPicture::kBitmap);
  EXPECT_TRUE(item.Transparent);
  EXPECT_EQ(item.TransparentColor(), 0xFF00FFu);
  EXPECT_EQ(item.Picture.Image().pixel(0, 1), kMagentaPixel);
  EXPECT_EQ(item.Picture.Image().pixel(3, 2), qRgb(10, 200, 30));
}

TEST_F(PictureImportDialogTest, FrameSizeFieldsShowThePictureUnlessTheDesignerChangedThem) {
  Take(testing::WriteSolidBitmap(folder, "wide.bmp", 96, 32));
  EXPECT_EQ(form.UpDown1->value(), 96);
  EXPECT_EQ(form.UpDown2->value(), 32);
  // A picture taken next replaces sizes the dialog itself showed.
  Take(testing::WriteSolidBitmap(folder, "tall.bmp", 20, 40));
  EXPECT_EQ(form.UpDown1->value(), 20);
  EXPECT_EQ(form.UpDown2->value(), 40);
  // The designer's own width stays; the height still follows the picture.
  form.UpDown1->setValue(10);
  Take(testing::WriteSolidBitmap(folder, "square.bmp", 64, 64));
  EXPECT_EQ(form.UpDown1->value(), 10);
  EXPECT_EQ(form.UpDown2->value(), 64);
  // Beyond the fields' range the whole picture is one frame: 0, not 1024.
  Take(SavePng(folder, "huge.png", QImage(1025, 8, QImage::Format_RGB32)));
  EXPECT_EQ(form.UpDown1->value(), 10);
  EXPECT_EQ(form.UpDown2->value(), 8);
  form.UpDown1->setValue(0);
  Take(SavePng(folder, "huge2.png", QImage(8, 2000, QImage::Format_RGB32)));
  EXPECT_EQ(form.UpDown1->value(), 0);
  EXPECT_EQ(form.UpDown2->value(), 0);
}

TEST_F(PictureImportDialogTest, APictureThatFailsToLoadLeavesTheFieldsAlone) {
  Take(testing::WriteSolidBitmap(folder, "ok.bmp", 12, 7));
  testing::WriteBytes(folder.Path("bad.png"), "not a picture");
  Take(folder.Path("bad.png"));
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0], std::string(kBitmapNotValid) + ": " + folder.Path("bad.png"));
  EXPECT_EQ(form.UpDown1->value(), 12);
  EXPECT_EQ(form.UpDown2->value(), 7);
  EXPECT_FALSE(form.CheckBox2->isChecked());
}

TEST_F(PictureImportDialogTest, TheFirstFilterListsEveryLineAndPngHasALineOfItsOwn) {
  const std::string filter = TForm2::PictureFilter();
  std::vector<std::string> parts;
  for (size_t start = 0;;) {
    const size_t bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  ASSERT_EQ(parts.size() % 2, 0u);
  ASSERT_GE(parts.size(), 14u);
  const std::string all = parts[1];
  EXPECT_EQ(parts[0], "All (" + all + ")");
  for (size_t i = 3; i < parts.size(); i += 2) {
    EXPECT_NE((";" + all + ";").find(";" + parts[i] + ";"), std::string::npos) << parts[i];
    EXPECT_EQ(parts[i - 1].substr(parts[i - 1].size() - parts[i].size() - 2), "(" + parts[i] + ")");
  }
  EXPECT_NE(filter.find("|PNG (*.png)|*.png"), std::string::npos);
  EXPECT_NE(filter.find("|Bitmaps (*.bmp)|*.bmp"), std::string::npos);
}

}  // namespace
}  // namespace kestrilo

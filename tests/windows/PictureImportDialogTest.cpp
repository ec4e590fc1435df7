// What the new-object dialog makes of common picture files (PNG, JPEG, ...):
// the frame-size fields, the colour key of their transparent pixels, and the
// entry the library adds and reads back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QSpinBox>

#include "library/BitmapCodec.h"
#include "library/ObjectDataBase.h"
#include "library/Picture.h"
#include "library/PictureCollection.h"
#include "platform/Cp1251.h"
#include "platform/ScriptedDialogService.h"
#include "tests/library/LibraryDbTestSupport.h"
#include "windows/NewObjectDialog.h"

namespace kestrilo {
namespace {

using testing::kMagentaPixel;
using testing::PictureWithAlpha;
using testing::SavePng;
using testing::TScratchFolder;

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

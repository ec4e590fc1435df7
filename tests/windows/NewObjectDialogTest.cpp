// The new-object dialog: its controls, the picture and colour buttons, and the
// record it yields after closing.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "platform/Cp1251.h"
#include "platform/ScriptedDialogService.h"
#include "tests/library/LibraryDbTestSupport.h"
#include "windows/NewObjectDialog.h"

namespace kestrilo {
namespace {

using testing::TScratchFolder;
using testing::WriteBytes;
using testing::WriteSolidBitmap;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

class NewObjectDialogTest : public ::testing::Test {
 protected:
  TScratchFolder folder;
  TScriptedDialogService dialogs;
  TForm2 form{dialogs};
};

TEST_F(NewObjectDialogTest, ControlsStartWithTheirCaptionsDefaultsAndRanges) {
  EXPECT_EQ(form.windowTitle(), U("Новый объект"));
  EXPECT_EQ(form.size(), QSize(212, 536));
  EXPECT_EQ(form.Button2->text(), U("Взять спрайт"));
  EXPECT_EQ(form.Button1->text(), U("Цвет прозрачности"));
  EXPECT_EQ(form.CheckBox2->text(), U("Объект прозрачный ?"));
  EXPECT_FALSE(form.CheckBox2->isChecked());
  EXPECT_EQ(form.CheckBox1->text(), U("Объект с простой анимацией ?"));
  EXPECT_FALSE(form.CheckBox1->isChecked());
  EXPECT_EQ(form.Label6->text(), U("Имя объекта:"));
  EXPECT_EQ(form.Edit5->text(), U("новый"));
  EXPECT_EQ(form.Label1->text(), U("Ширина кадра:"));
  EXPECT_EQ(form.Label2->text(), U("Высота кадра:"));
  EXPECT_EQ(form.Label5->text(), U("Тип Объекта:"));
  EXPECT_EQ(form.Label7->text(), U("номер объекта:"));
  EXPECT_EQ(form.Label3->text(), U("Скорость анимации:"));
  EXPECT_EQ(form.Label4->text(), U("/"));
  EXPECT_EQ(form.Edit3->text(), U("0"));
  EXPECT_EQ(form.Edit4->text(), U("10"));
  EXPECT_EQ(form.Label8->text(), U("Здоровье:"));
  EXPECT_EQ(form.RadioGroup1->title(), U("Эффект?"));
  EXPECT_EQ(form.RadioConstant->text(), U("Пост."));
  EXPECT_EQ(form.RadioSingle->text(), U("Одиноч."));
  EXPECT_TRUE(form.RadioConstant->isChecked());
  EXPECT_EQ(form.GroupBox1->title(), U("Свойства оруж.:"));
  EXPECT_EQ(form.Label9->text(), U("Тип оружия:"));
  EXPECT_EQ(form.Label10->text(), U("Кол-во патронов:"));

  const std::pair<QSpinBox*, std::array<int, 3>> spins[] = {{form.UpDown1, {0, 1024, 0}},
                                                            {form.UpDown2, {0, 1024, 0}},
                                                            {form.UpDown3, {-128, 127, 0}},
                                                            {form.UpDown4, {1, 25, 1}}};
  for (const auto& [spin, expected] : spins) {
    EXPECT_EQ(spin->minimum(), expected[0]);
    EXPECT_EQ(spin->maximum(), expected[1]);
    EXPECT_EQ(spin->value(), expected[2]);
  }

  const QStringList types = {U("Стена"),  U("Лифт"),    U("Ключ"),    U("Дверь "),  U("Фон"),
                             U("Монстр"), U("Аптечка"), U("Патроны"), U("Ловушка"), U("Игрок")};
  ASSERT_EQ(form.ComboBox1->count(), types.size());
  for (int i = 0; i < types.size(); ++i) EXPECT_EQ(form.ComboBox1->itemText(i), types[i]);
  EXPECT_EQ(form.ComboBox1->currentIndex(), 0);
  ASSERT_EQ(form.ComboBox2->count(), 7);
  EXPECT_EQ(form.ComboBox2->itemText(0), U("Тип 1"));
  EXPECT_EQ(form.ComboBox2->itemText(6), U("Тип 7"));
  EXPECT_EQ(form.ComboBox2->currentIndex(), 0);
  EXPECT_EQ(form.TransparentColor(), 0x1FFFFFFFu);
  EXPECT_TRUE(form.PictureFileName().empty());
}

TEST_F(NewObjectDialogTest, ShowingTheDialogOnAnEmptyLibraryShowsNumberOne) {
  TPictureCollection images;
  TObjectDataBase db(&images);
  form.SetNumber(db.NextFreeNumber());
  form.show();
  EXPECT_EQ(form.Label7->text(), U("Номер объекта: 1"));
  form.hide();
  form.SetNumber(12);
  form.show();
  EXPECT_EQ(form.Label7->text(), U("Номер объекта: 12"));
  form.hide();
}

TEST_F(NewObjectDialogTest, TakingASpriteAsksForAPictureAndShowsIt) {
  const std::string path = WriteSolidBitmap(folder, "door.bmp", 20, 10);
  dialogs.FileAnswers = {path};
  form.Button2Click();
  ASSERT_EQ(dialogs.Asked.size(), 1u);
  EXPECT_EQ(dialogs.Asked[0].Kind, "open");
  const std::string& filter = dialogs.Asked[0].Request.Filter;
  for (const char* kind : {"Bitmaps (*.bmp)|*.bmp", "Device Independent Bitmap (*.dib)|*.dib", "Icons (*.ico)|*.ico",
                           "Metafiles (*.wmf)|*.wmf", "Enhanced Metafiles (*.emf)|*.emf"}) {
    EXPECT_NE(filter.find(kind), std::string::npos) << kind;
  }
  EXPECT_EQ(form.PictureFileName(), path);
  EXPECT_EQ(form.Image1->pixmap().size(), QSize(20, 10));
  EXPECT_TRUE(dialogs.Messages().empty());

  dialogs.FileAnswers = {std::nullopt};  // cancelled: nothing changes
  form.Button2Click();
  EXPECT_EQ(form.PictureFileName(), path);
  EXPECT_EQ(form.Image1->pixmap().size(), QSize(20, 10));
}

TEST_F(NewObjectDialogTest, APictureThatCannotBeLoadedIsReportedButItsFileIsTaken) {
  const std::string path = folder.Path("broken.bmp");
  WriteBytes(path, "BM-not-a-bitmap");
  dialogs.FileAnswers = {path};
  form.Button2Click();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0], "Bitmap image is not valid: " + path);
  EXPECT_EQ(form.PictureFileName(), path);
}

TEST_F(NewObjectDialogTest, TheColourButtonTakesAConfirmedColourOnly) {
  dialogs.ColorAnswers = {std::nullopt};
  form.Button1Click();
  EXPECT_EQ(form.TransparentColor(), 0x1FFFFFFFu);
  dialogs.ColorAnswers = {0x00FF00FFu};
  form.Button1Click();
  EXPECT_EQ(form.TransparentColor(), 0x00FF00FFu);
  EXPECT_EQ(form.BuildObject(1).Settings.TransparentColor, 0x00FF00FFu);
}

TEST_F(NewObjectDialogTest, TheRecordIsBuiltFromTheControls) {
  form.ComboBox1->setCurrentIndex(otAmmo);
  form.ComboBox2->setCurrentIndex(1);  // "Тип 2"
  form.UpDown4->setValue(25);
  form.UpDown3->setValue(-128);
  form.RadioSingle->setChecked(true);
  form.Edit5->setText(QString(30, QChar(u'Ж')));
  form.UpDown1->setValue(32);
  form.UpDown2->setValue(16);
  form.CheckBox2->setChecked(true);
  const TNewObject o = form.BuildObject(4);
  EXPECT_EQ(o.Record.ObjType, otAmmo);
  EXPECT_EQ(o.Record.Number, 4);
  EXPECT_EQ(o.Record.WeaponValue, 61);
  EXPECT_EQ(static_cast<uint8_t>(o.Record.ToBytes()[36]), 0x80);
  EXPECT_FALSE(o.Record.ConstantEffect);
  EXPECT_EQ(o.Record.Name, std::string(25, static_cast<char>(0xC6)));  // 'Ж' in Windows-1251
  EXPECT_EQ(o.Settings.PatternWidth, 32);
  EXPECT_EQ(o.Settings.PatternHeight, 16);
  EXPECT_TRUE(o.Settings.Transparent);
}

TEST_F(NewObjectDialogTest, SpeedFieldErrorsEndTheBuild) {
  form.CheckBox1->setChecked(true);
  form.Edit3->setText("abc");
  EXPECT_THROW(form.BuildObject(1), EConvertError);
  form.Edit3->setText("1");
  form.Edit4->setText("0");
  EXPECT_THROW(form.BuildObject(1), EZeroDivide);
  form.Edit4->setText("10");
  EXPECT_DOUBLE_EQ(form.BuildObject(1).Record.AnimSpeed, 0.1);
  form.CheckBox1->setChecked(false);
  form.Edit3->setText("abc");
  EXPECT_NO_THROW(form.BuildObject(1));
}

TEST_F(NewObjectDialogTest, EverythingSurvivesFromOneShowingToTheNext) {
  const std::string path = WriteSolidBitmap(folder, "key.bmp", 8, 8);
  dialogs.FileAnswers = {path};
  dialogs.ColorAnswers = {0x000000FFu};
  form.show();
  form.Button2Click();
  form.Button1Click();
  form.Edit5->setText(U("Ключ"));
  form.ComboBox1->setCurrentIndex(otKey);
  form.UpDown4->setValue(9);
  form.close();
  form.SetNumber(2);
  form.show();
  const TNewObject o = form.BuildObject(2);
  EXPECT_EQ(o.PictureFileName, path);
  EXPECT_EQ(o.Settings.TransparentColor, 0x000000FFu);
  EXPECT_EQ(cp1251::ToUtf8(o.Record.Name), "Ключ");
  EXPECT_EQ(o.Record.ObjType, otKey);
  EXPECT_EQ(o.Record.WeaponValue, 9);
  EXPECT_EQ(form.Image1->pixmap().size(), QSize(8, 8));
  form.hide();
}

TEST_F(NewObjectDialogTest, AnAddedObjectReachesTheLibrary) {
  TPictureCollection images;
  TObjectDataBase db(&images);
  dialogs.FileAnswers = {WriteSolidBitmap(folder, "wall.bmp", 32, 32)};
  form.Button2Click();
  form.Edit5->setText(U("Стена"));
  const TNewObject o = form.BuildObject(db.NextFreeNumber());
  db.AddObject(o.Record, o.PictureFileName, o.Settings);
  ASSERT_EQ(db.Records.size(), 1u);
  EXPECT_EQ(db.FindByName(W1251("Стена")).Number, 1);
  EXPECT_EQ(db.FrameSizeOfNumber(1), (TObjectDataBase::TFrameSize{32, 32}));
  EXPECT_EQ(db.NextFreeNumber(), 2);
}

}  // namespace
}  // namespace kestrilo

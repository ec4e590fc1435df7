// The monster editor as a designer uses it: the records in file order, edits
// with their limits, undo and redo, the list's changes, saving byte for byte,
// the question on closing, and the preview's frames.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

#include "editor/Translations.h"
#include "library/MonsterFieldLimits.h"
#include "library/MonsterFile.h"
#include "library/ObjectDataBase.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/ScriptedDialogService.h"
#include "tests/library/LibraryDbTestSupport.h"
#include "tests/sprites/PictureFixture.h"
#include "windows/MonsterEditorWindow.h"
#include "windows/ScreenFit.h"

namespace kestrilo {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Four 16 x 16 frames side by side, each filled with its own colour.
constexpr uint32_t kFrameColors[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};

TMonsterRecord Bug() {
  TMonsterRecord r;
  r.Name = W1251("Жук");
  r.HealthMin = 10;
  r.HealthMax = 20;
  r.DamageMin = 2;
  r.DamageMax = 4;
  r.WalkSpeed = 3;
  r.AnimSpeed = 62.5;  // one frame a tick
  r.FrameRanges[0] = {0, 3};
  r.FrameRanges[1] = {3, 0};
  return r;
}

TMonsterRecord Ghost() {
  TMonsterRecord r;
  r.Name = W1251("Призрак");  // a record no library object has
  r.MoveMode = 7;             // stored outside the named choices
  r.HealthMax = 5;
  return r;
}

class MonsterEditorWindowTest : public ::testing::Test {
 protected:
  MonsterEditorWindowTest() : library(nullptr) {
    TPictureCollectionItem* bug = pictures.Add(64, 16, 16, 16, [](int32_t x, int32_t) { return kFrameColors[x / 16]; });
    bug->SetName(W1251("Жук"));
    pictures.Add(8, 8, 0, 0, [](int32_t, int32_t) { return 0xFFFFFFu; })->SetName(W1251("Пуля"));
    for (const auto& [type, name] : {std::pair{otMonster, "Жук"}, {otWall, "Стена"}, {otMonster, "Оса"}}) {
      TObjectRecord object;
      object.ObjType = type;
      object.Name = W1251(name);
      library.Records.push_back(object);
    }
    // Bytes without meaning in both records, which saving must keep.
    original = Bug().ToBytes() + Ghost().ToBytes();
    original[0] = '\xAB';
    original[100] = '\xCD';
    original[TMonsterRecord::kSize + 170] = '\xEF';
    testing::WriteBytes(path(), original);
  }

  std::string path() const { return folder.Path("1.mon"); }
  std::unique_ptr<TMonsterEditorWindow> Open() {
    return std::make_unique<TMonsterEditorWindow>(path(), &library, &pictures.Collection(), dialogs);
  }

  testing::TScratchFolder folder;
  test::TPictureFixture pictures;
  TObjectDataBase library;
  TScriptedDialogService dialogs;
  std::string original;
};

TEST_F(MonsterEditorWindowTest, ListsTheRecordsInFileOrderAndSaysWhichOneStandsIn) {
  const auto window = Open();
  ASSERT_EQ(window->MonsterList->count(), 2);
  EXPECT_TRUE(window->MonsterList->item(0)->text().startsWith(U("1. Жук")))
      << window->MonsterList->item(0)->text().toStdString();
  EXPECT_TRUE(window->MonsterList->item(1)->text().startsWith(U("2. Призрак")));
  EXPECT_EQ(window->CurrentIndex(), 0);
  bool saysFirstRecord = false;
  for (const QLabel* label : window->findChildren<QLabel*>())
    saysFirstRecord |= label->text().contains(U("получает первую запись"));
  EXPECT_TRUE(saysFirstRecord);
  EXPECT_FALSE(window->isWindowModified());
}

TEST_F(MonsterEditorWindowTest, TheFieldsOfferWhatTheLibraryHolds) {
  const auto window = Open();
  // Names: the monster objects only.
  ASSERT_EQ(window->NameChoice->count(), 2);
  EXPECT_EQ(window->NameChoice->itemText(0), U("Жук"));
  EXPECT_EQ(window->NameChoice->itemText(1), U("Оса"));
  // Shot pictures: none, then every picture.
  ASSERT_EQ(window->ShotPictureChoice->count(), 3);
  EXPECT_EQ(window->ShotPictureChoice->currentIndex(), 0);
  EXPECT_EQ(window->ShotPictureChoice->itemText(2), U("Пуля"));
  EXPECT_EQ(window->MoveModeChoice->count(), 3);

  // A record whose name no object has shows that name; a stored move mode
  // outside the choices is shown as what it does.
  window->ShowMonster(1);
  EXPECT_TRUE(window->NameChoice->currentText().startsWith(U("Призрак")));
  EXPECT_EQ(window->MoveModeChoice->count(), 4);
  EXPECT_EQ(window->MoveModeChoice->currentData().toInt(), 7);
  EXPECT_TRUE(window->ProblemsLabel->text().contains(U("Как движется")));
  EXPECT_FALSE(window->isWindowModified());  // showing changes nothing
}

TEST_F(MonsterEditorWindowTest, EditsChangeTheRecordAndUndoAndRedoTakeThemBackAndForth) {
  const auto window = Open();
  window->WalkSpeedField->setValue(5);
  EXPECT_EQ(window->File().Record(0).WalkSpeed, 5);
  EXPECT_TRUE(window->WalkSpeedPixels->text().contains("1.6")) << window->WalkSpeedPixels->text().toStdString();
  EXPECT_TRUE(window->isWindowModified());
  EXPECT_TRUE(window->windowTitle().contains("[*]"));

  window->HunterBox->setChecked(true);
  emit window->ShotPictureChoice->activated(2);
  emit window->MoveModeChoice->activated(2);
  emit window->NameChoice->activated(1);
  const TMonsterRecord& edited = window->File().Record(0);
  EXPECT_TRUE(edited.Hunter);
  EXPECT_EQ(edited.ShotPicture, W1251("Пуля"));
  EXPECT_EQ(edited.MoveMode, TMonsterRecord::mmFliesAndBombs);
  EXPECT_EQ(edited.Name, W1251("Оса"));

  for (int i = 0; i < 4; ++i) window->UndoStack().undo();
  EXPECT_EQ(window->File().Record(0).WalkSpeed, 5);
  EXPECT_FALSE(window->File().Record(0).Hunter);
  window->UndoStack().undo();
  EXPECT_EQ(window->File().ToBytes(), original);
  EXPECT_FALSE(window->isWindowModified());
  window->UndoStack().redo();
  EXPECT_EQ(window->File().Record(0).WalkSpeed, 5);
  EXPECT_EQ(window->WalkSpeedField->value(), 5);
}

TEST_F(MonsterEditorWindowTest, TypingANumberIsOneStep) {
  const auto window = Open();
  window->HealthMaxField->setValue(3);  // below the lower bound: held at it
  EXPECT_EQ(window->File().Record(0).HealthMax, 10);
  window->HealthMaxField->setValue(2);
  window->HealthMaxField->setValue(25);
  window->HealthMaxField->setValue(250);
  EXPECT_EQ(window->File().Record(0).HealthMax, 250);
  EXPECT_EQ(window->UndoStack().count(), 1);
  window->UndoStack().undo();
  EXPECT_EQ(window->File().Record(0).HealthMax, 20);
}

TEST_F(MonsterEditorWindowTest, ALowerBoundNeverGoesAboveItsUpperBound) {
  const auto window = Open();
  EXPECT_EQ(window->HealthMinField->maximum(), 20);
  EXPECT_EQ(window->HealthMaxField->minimum(), 10);
  window->HealthMinField->setValue(30);
  EXPECT_EQ(window->File().Record(0).HealthMin, 20);
  EXPECT_EQ(window->HealthMaxField->minimum(), 20);
  window->DamageMaxField->setValue(1);
  EXPECT_EQ(window->File().Record(0).DamageMax, 2);
  EXPECT_EQ(window->WalkSpeedField->maximum(), 100);
  EXPECT_EQ(window->WakeDistanceField->maximum(), 200);
  EXPECT_DOUBLE_EQ(window->AnimSpeedField->maximum(), 1000);
}

TEST_F(MonsterEditorWindowTest, FrameNumbersStayWithinThePicturesFrames) {
  const auto window = Open();
  EXPECT_EQ(window->PreviewFrameCount(), 4);
  for (size_t s = 0; s < TMonsterRecord::kStateCount; ++s) {
    EXPECT_EQ(window->FirstFrameFields[s]->maximum(), 3);
    EXPECT_EQ(window->LastFrameFields[s]->maximum(), 4);  // where a range played once ends
  }
  window->LastFrameFields[4]->setValue(9);
  EXPECT_EQ(window->File().Record(0).FrameRanges[4].Last, 4);
  window->FirstFrameFields[4]->setValue(9);
  EXPECT_EQ(window->File().Record(0).FrameRanges[4].First, 3);
  // Without a picture of its name the stored numbers are the only limit.
  window->ShowMonster(1);
  EXPECT_EQ(window->FirstFrameFields[0]->maximum(), 65535);
  EXPECT_TRUE(window->ProblemsLabel->text().contains(U("нет картинки")));
}

TEST_F(MonsterEditorWindowTest, AStoredNumberBeyondItsFieldIsMarkedAndKeptUntilChanged) {
  TMonsterRecord fast = Bug();
  fast.WalkSpeed = 150;
  fast.FrameRanges[2] = {40, 40};
  testing::WriteBytes(path(), fast.ToBytes());
  const auto window = Open();
  EXPECT_EQ(window->WalkSpeedField->value(), 100);
  EXPECT_EQ(window->WalkSpeedField->toolTip(), U("В файле: 150"));
  EXPECT_EQ(window->FirstFrameFields[2]->toolTip(), U("В файле: 40"));
  EXPECT_TRUE(window->ProblemsLabel->text().contains(U("Скорость ходьбы: допустимо от 0 до 100")));
  EXPECT_TRUE(window->ProblemsLabel->text().contains(U("Кадры состояний")));
  EXPECT_EQ(window->File().Record(0).WalkSpeed, 150);
  EXPECT_FALSE(window->isWindowModified());
  window->WalkSpeedField->setValue(99);
  EXPECT_EQ(window->File().Record(0).WalkSpeed, 99);
  EXPECT_TRUE(window->WalkSpeedField->toolTip().isEmpty());
}

TEST_F(MonsterEditorWindowTest, AddDuplicateDeleteAndMoveAreEachOneUndoableStep) {
  const auto window = Open();
  window->AddMonster();
  ASSERT_EQ(window->File().Count(), 3);
  EXPECT_EQ(window->CurrentIndex(), 2);
  EXPECT_EQ(window->File().Record(2).Name, W1251("Оса"));  // the first monster object without a record

  window->ShowMonster(0);
  window->DuplicateMonster();
  ASSERT_EQ(window->File().Count(), 4);
  EXPECT_EQ(window->CurrentIndex(), 1);
  EXPECT_EQ(window->File().Entry(1).ToBytes(), original.substr(0, TMonsterRecord::kSize));
  EXPECT_TRUE(window->MonsterList->item(1)->text().contains(U("не действует")));

  window->MoveMonsterDown();
  EXPECT_EQ(window->CurrentIndex(), 2);
  EXPECT_EQ(window->File().Record(1).Name, W1251("Призрак"));
  window->MoveMonsterUp();
  window->MoveMonsterUp();
  EXPECT_EQ(window->CurrentIndex(), 0);
  window->MoveMonsterUp();  // already first: nothing
  window->ShowMonster(3);
  window->DeleteMonster();
  ASSERT_EQ(window->File().Count(), 3);
  EXPECT_EQ(window->CurrentIndex(), 2);

  while (window->UndoStack().canUndo()) window->UndoStack().undo();
  EXPECT_EQ(window->File().ToBytes(), original);
  while (window->UndoStack().canRedo()) window->UndoStack().redo();
  EXPECT_EQ(window->File().Count(), 3);
  EXPECT_EQ(window->File().Record(2).Name, W1251("Призрак"));
}

TEST_F(MonsterEditorWindowTest, SavingWritesTheFileKeepingTheBytesWithoutMeaning) {
  const auto window = Open();
  window->WalkSpeedField->setValue(7);
  ASSERT_TRUE(window->Save());
  std::string expected = original;
  expected[56] = 7;
  EXPECT_EQ(ReadWholeFile(path()), expected);
  EXPECT_FALSE(window->isWindowModified());
  EXPECT_TRUE(window->ConfirmClose());  // nothing to ask
  EXPECT_TRUE(dialogs.Asked.empty());
}

TEST_F(MonsterEditorWindowTest, AFailedSaveIsReportedAndTheChangesStayUnsaved) {
  auto window =
      std::make_unique<TMonsterEditorWindow>(folder.Path("gone/1.mon"), &library, &pictures.Collection(), dialogs);
  window->AddMonster();
  EXPECT_FALSE(window->Save());
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("Cannot create file"), std::string::npos) << dialogs.Messages()[0];
  EXPECT_TRUE(window->isWindowModified());
}

TEST_F(MonsterEditorWindowTest, ClosingWithUnsavedChangesAsksAndCancelIsTheDefault) {
  const auto window = Open();
  window->WalkSpeedField->setValue(9);

  EXPECT_FALSE(window->ConfirmClose());  // Enter on the question: Отмена
  ASSERT_EQ(dialogs.Asked.size(), 1u);
  EXPECT_EQ(dialogs.Asked[0].Buttons, TMsgButtons::YesNoCancel);
  EXPECT_EQ(dialogs.Asked[0].DefaultAnswer, TModalResult::mrCancel);
  EXPECT_EQ(dialogs.Asked[0].Text, "Сохранить изменения в файле монстров?");

  dialogs.MessageAnswers = {TModalResult::mrCancel};
  EXPECT_FALSE(window->ConfirmClose());
  dialogs.MessageAnswers = {TModalResult::mrNo};
  EXPECT_TRUE(window->ConfirmClose());
  EXPECT_EQ(ReadWholeFile(path()), original);  // Нет drops the changes
  dialogs.MessageAnswers = {TModalResult::mrYes};
  EXPECT_TRUE(window->ConfirmClose());
  EXPECT_EQ(TMonsterFile::Load(path()).Record(0).WalkSpeed, 9);  // Да saves them
}

TEST_F(MonsterEditorWindowTest, ThePreviewPlaysTheChosenStatesFramesWithThePicturesColours) {
  const auto window = Open();
  const auto centre = [&] {
    const QImage image = window->PreviewPicture->pixmap().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
  };
  EXPECT_EQ(window->Preview().Frame(), 0);
  EXPECT_EQ(centre(), QColor(255, 0, 0));
  window->AdvancePreview(2);
  EXPECT_EQ(window->Preview().Frame(), 2);
  EXPECT_EQ(centre(), QColor(0, 0, 255));
  EXPECT_TRUE(window->PreviewCaption->text().contains(U("кадр 2 из 4")));

  window->StateChoices[1]->click();  // walking right: 3 down to 0
  EXPECT_EQ(window->Preview().State(), 2);
  EXPECT_EQ(window->Preview().Frame(), 3);
  window->AdvancePreview(1);
  EXPECT_EQ(window->Preview().Frame(), 2);

  // A changed animation speed is played at once.
  window->AnimSpeedField->setValue(125);
  window->AdvancePreview(1);
  EXPECT_EQ(window->Preview().Frame(), 1);

  window->PlayInTurnBox->setChecked(true);
  window->AdvancePreview(1);  // past frame 0: the next state, which has one frame
  window->AdvancePreview(1);
  EXPECT_EQ(window->Preview().State(), 3);
  EXPECT_TRUE(window->StateChoices[2]->isChecked());
}

TEST_F(MonsterEditorWindowTest, AnEmptyOrMissingFileStartsAnEmptyList) {
  auto window = std::make_unique<TMonsterEditorWindow>(folder.Path("none.mon"), nullptr, nullptr, dialogs);
  EXPECT_EQ(window->MonsterList->count(), 0);
  EXPECT_EQ(window->CurrentIndex(), -1);
  EXPECT_FALSE(window->DeleteButton->isEnabled());
  window->DeleteMonster();
  window->AddMonster();  // no library: a plain name
  ASSERT_EQ(window->File().Count(), 1);
  EXPECT_EQ(window->File().Record(0).Name, W1251("Монстр"));
  ASSERT_TRUE(window->Save());
  EXPECT_EQ(ReadWholeFile(folder.Path("none.mon")), NewMonsterRecord(W1251("Монстр")).ToBytes());
}

TEST_F(MonsterEditorWindowTest, InEnglishTheWindowShowsNoRussianButTheNamesTheFilesHold) {
  const TInterfaceTranslators english(TLanguage::English);
  ASSERT_TRUE(english.EditorTextsLoaded());
  const auto window = Open();
  EXPECT_EQ(window->SaveButton->text(), "Save");
  EXPECT_EQ(window->DuplicateButton->text(), "Duplicate");
  EXPECT_EQ(qobject_cast<QGroupBox*>(window->MonsterList->parentWidget())->title(), "Monster file records");
  EXPECT_TRUE(window->PreviewCaption->text().startsWith("1: walks left\nframe "))
      << window->PreviewCaption->text().toStdString();
  EXPECT_TRUE(window->PreviewCaption->text().endsWith(" of 4 (0..3)"));
  EXPECT_EQ(window->MoveModeChoice->itemText(0), "walks, and falls where there is no floor");

  // Every text the window shows, for both records: the second one's name and
  // move mode are outside the choices, so its marks and problems show too.
  QStringList texts;
  const auto collect = [&] {
    texts << window->windowTitle() << window->UndoStack().undoText();
    for (const QLabel* label : window->findChildren<QLabel*>()) texts << label->text() << label->toolTip();
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) texts << button->text();
    for (const QGroupBox* group : window->findChildren<QGroupBox*>()) texts << group->title();
    for (const QComboBox* list : window->findChildren<QComboBox*>())
      for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
    for (int i = 0; i < window->MonsterList->count(); ++i) texts << window->MonsterList->item(i)->text();
  };
  collect();
  EXPECT_TRUE(texts.contains("Walking speed:"));
  window->ShowMonster(1);
  window->HealthMaxField->setValue(9);
  EXPECT_EQ(window->UndoStack().undoText(), "health");
  EXPECT_TRUE(window->NameChoice->currentText().endsWith(" (not among the library's monsters)"));
  EXPECT_TRUE(window->ProblemsLabel->text().startsWith("Name: the library has no monster object"));
  collect();
  window->DeleteMonster();
  EXPECT_EQ(window->UndoStack().undoText(), "deleting the monster");
  collect();
  EXPECT_FALSE(window->ConfirmClose());
  ASSERT_EQ(dialogs.Asked.size(), 1u);
  EXPECT_EQ(dialogs.Asked[0].Text, "Save the changes to the monster file?");
  EXPECT_EQ(dialogs.Asked[0].Caption, "Monsters");

  const QRegularExpression cyrillic("[\\x{0400}-\\x{04FF}]");
  for (QString text : texts) {
    for (const char* name : {"Жук", "Оса", "Призрак", "Пуля"}) text.remove(U(name));
    EXPECT_FALSE(text.contains(cyrillic)) << text.toStdString();
  }
  EXPECT_GT(texts.size(), 100);
}

// On a 1024×768 screen (and a smaller one) the window opens inside the room
// the screen leaves, and Save and Close show below the form in both languages.
TEST_F(MonsterEditorWindowTest, TheWindowFitsSmallScreensWithSaveAndCloseInView) {
  for (const TLanguage language : {TLanguage::Russian, TLanguage::English}) {
    const TInterfaceTranslators translators(language);
    for (const QRect available : {QRect(0, 0, 1024, 740), QRect(0, 28, 800, 572), QRect(0, 0, 1920, 1050)}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(language)) + " " + std::to_string(available.width()));
      const auto window = Open();
      FitWindowInto(*window, kMonsterEditorSize, available);
      window->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
      const QRect placed(window->pos(), window->size() + kWindowFrameAllowance);
      EXPECT_TRUE(available.contains(placed)) << placed.width() << "x" << placed.height();
      EXPECT_EQ(window->size(), kMonsterEditorSize.boundedTo(available.size() - kWindowFrameAllowance));
      for (QPushButton* button : {window->SaveButton, window->CloseButton}) {
        EXPECT_TRUE(button->isVisible());
        EXPECT_FALSE(window->FormArea->isAncestorOf(button));
        const QRect shown(button->mapTo(window.get(), QPoint(0, 0)), button->size());
        EXPECT_TRUE(window->rect().contains(shown)) << button->text().toStdString();
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
      }
      // The form keeps its own size and scrolls inside the room left for it;
      // from 1024 by 768 up it needs no scrolling, the preview going
      // under the list where it would not fit beside the form.
      EXPECT_GE(window->FormArea->widget()->width(), window->FormArea->widget()->minimumSizeHint().width());
      if (available.width() >= 1024) {
        EXPECT_EQ(window->FormArea->horizontalScrollBar()->maximum(), 0);
        EXPECT_EQ(window->FormArea->verticalScrollBar()->maximum(), 0);
      }
      EXPECT_EQ(window->PreviewUnderList(), available.width() < 1280);
      window->hide();
    }
  }
}

}  // namespace
}  // namespace kestrilo

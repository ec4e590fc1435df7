// The document and losing no work: loads that change nothing until they have
// succeeded, questions about unsaved changes, the library that is not saved
// over an objects file never opened, play that leaves the design as it was,
// autosave and recovery.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <functional>

#include "EditorTestSupport.h"
#include "library/ObjectDataBase.h"
#include "matrix/Matrix.h"
#include "matrix/MatrixFile.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "sprites/DXSpriteEngine.h"

namespace kestrilo {
namespace {

using editortest::TEditorFixture;

const char* const kUnsaved = "Несохранённые изменения";

class EditorDocument : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteSampleData();
    f.OpenObjects();
    f.ClickAt(64, 32, "Стена");
    f.Dialogs.Asked.clear();
  }
  int AskedCount(const std::string& kind) const {
    int n = 0;
    for (const auto& asked : f.Dialogs.Asked) n += asked.Kind == kind;
    return n;
  }
  const TScriptedDialogService::TAsked* Question(const std::string& caption) const {
    for (const auto& asked : f.Dialogs.Asked)
      if (asked.Caption == caption) return &asked;
    return nullptr;
  }
  int32_t Sprites() { return f.Context.SpriteEngine->Engine()->SpriteCount; }
  TEditorFixture f;
};

TEST_F(EditorDocument, ACancelledOrFailedLoadLeavesTheLevelAsItWas) {
  const int32_t sprites = Sprites();
  // Нет: the changes may go; then the dialog is cancelled.
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrNo);
  f.Editor.Files().LoadLevel();
  EXPECT_EQ(AskedCount("open"), 1);
  EXPECT_EQ(f.Context.DesignedLevel().Cells[2][1].ObjectNumber, f.NumberOf("Стена"));
  EXPECT_EQ(Sprites(), sprites);
  EXPECT_TRUE(f.Editor.Document.LevelModified());

  // A matrix file without its back-plane file.
  testsupport::WriteFile(f.Path("broken.mtf"), std::string(TMatrixFile::kMatrixFileSize, '\0'));
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrNo);
  f.Dialogs.FileAnswers.push_back(f.Path("broken.mtf"));
  f.Editor.Files().LoadLevel();
  EXPECT_FALSE(f.Dialogs.Messages().empty());
  EXPECT_EQ(f.Context.DesignedLevel().Cells[2][1].ObjectNumber, f.NumberOf("Стена"));
  EXPECT_EQ(f.Context.PlayedLevel->Cells[2][1].ObjectNumber, f.NumberOf("Стена"));
  EXPECT_EQ(Sprites(), sprites);
  EXPECT_EQ(f.Loading.Shown, f.Loading.Closed);
}

TEST_F(EditorDocument, UnsavedChangesAreAskedAboutAndОтменаChangesNothing) {
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrCancel);
  f.Editor.Files().LoadLevel();
  ASSERT_NE(Question(kUnsaved), nullptr);
  EXPECT_EQ(Question(kUnsaved)->Buttons, TMsgButtons::YesNoCancel);
  EXPECT_EQ(AskedCount("open"), 0);

  // Да saves first, then the load goes on.
  f.Dialogs.Asked.clear();
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrYes);
  f.Dialogs.FileAnswers.push_back(f.Path("first.mtf"));
  f.Dialogs.FileAnswers.push_back(f.Path("first.mtf"));
  f.Editor.Files().LoadLevel();
  EXPECT_TRUE(FileExists(f.Path("first.mtf")));
  EXPECT_EQ(f.Editor.Document.LevelFile, f.Path("first.mtf"));
  EXPECT_FALSE(f.Editor.Document.LevelModified());

  // Exit with unsaved work: Отмена keeps the editor running.
  f.ClickAt(96, 32, "Стена");
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrCancel);
  EXPECT_FALSE(f.Editor.Files().RequestExit());
  EXPECT_EQ(f.Terminated, 0);
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrNo);
  EXPECT_TRUE(f.Editor.Files().RequestExit());
  EXPECT_EQ(f.Terminated, 1);
}

TEST_F(EditorDocument, OverwriteAndDeleteQuestionsDefaultToKeeping) {
  f.Dialogs.FileAnswers.push_back(f.Path("Data/test.obj"));  // an existing file
  f.Editor.Files().SaveLevel();
  f.Editor.Files().SaveObjectsFile();
  f.Editor.DeleteObject("x", otWall);
  ASSERT_EQ(AskedCount("message"), 3);
  for (const auto& asked : f.Dialogs.Asked) {
    if (asked.Kind != "message") continue;
    // The level's question also offers Отмена: its Нет goes back to the dialog.
    const bool level = asked.Caption == "Перезапись";
    EXPECT_EQ(asked.Buttons, level ? TMsgButtons::YesNoCancel : TMsgButtons::YesNo) << asked.Text;
    EXPECT_EQ(asked.DefaultAnswer, TModalResult::mrNo) << asked.Text;
  }
}

TEST(EditorLibrarySave, AnObjectsFileNeverOpenedIsNotOverwrittenWithAnEmptyLibrary) {
  TEditorFixture f;
  f.WriteSampleData();
  const std::string objects = ReadWholeFile(f.Path("Data/test.obj"));
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrYes);  // would confirm an overwrite
  f.Editor.Files().SaveObjectsFile();
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_NE(f.Dialogs.Messages()[0].find("сохранять нечего"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(f.Path("Data/test.obj")), objects);
}

TEST_F(EditorDocument, PlayChangesOnlyThePlayedLevel) {
  // What the world does to the level (a door opening, a pick-up taken) goes
  // to the played level through the matrix the world asks.
  f.Editor.Play().TogglePreview();
  f.Context.PlayedLevel->ClearArea(64, 32, 32, 32);
  ASSERT_EQ(f.Context.PlayedLevel->Cells[2][1].Kind, -1);
  f.Dialogs.FileAnswers.push_back(f.Path("during.mtf"));
  ASSERT_TRUE(f.Editor.Files().SaveLevel());
  TMatrix saved;
  ASSERT_TRUE(saved.LoadFromFile(f.Path("during.mtf"), nullptr, nullptr));
  EXPECT_EQ(saved.Cells[2][1].ObjectNumber, f.NumberOf("Стена"));
  EXPECT_EQ(saved.Cells[2][1].Kind, otWall);
  // The preview off: the world is the design again.
  f.Editor.Play().TogglePreview();
  EXPECT_EQ(f.Context.PlayedLevel->Cells[2][1].Kind, otWall);
  EXPECT_EQ(TMatrixFile::EncodeCells(*f.Context.PlayedLevel), TMatrixFile::EncodeCells(f.Context.DesignedLevel()));
}

TEST_F(EditorDocument, AutosaveWritesRecoveryCopiesAndARestartRestoresThem) {
  uint64_t now = 1000;
  const std::string recovery = f.Path("recovery");
  f.Editor.Attachments.Clock = [&] { return now; };
  f.Editor.Autosave().Recovery.Folder = recovery;
  f.Editor.Autosave().OfferRecovery();  // the run starts: nothing to offer
  EXPECT_EQ(AskedCount("message"), 0);
  f.ClickAt(128, 64, "Плита");  // a change the clock sees
  now += 29'000;
  f.Editor.Autosave().AutosaveIfDue();
  EXPECT_FALSE(f.Editor.Autosave().Recovery.Find().Any());
  now += 1'000;
  f.Editor.Autosave().AutosaveIfDue();
  const TRecovery::TFound found = f.Editor.Autosave().Recovery.Find();
  ASSERT_FALSE(found.LevelCopy.empty());
  EXPECT_TRUE(found.LevelFile.empty());  // a level never saved is protected too
  EXPECT_EQ(QFileInfo(QString::fromStdString(found.LevelCopy)).dir().absolutePath(),
            QDir(QString::fromStdString(recovery)).absolutePath());

  // The editor is killed here: a new one finds the marker and the copies.
  TEditorFixture next;
  next.WriteSampleData();
  next.Editor.Autosave().Recovery.Folder = recovery;
  next.Dialogs.MessageAnswers.push_back(TModalResult::mrYes);
  next.Editor.Autosave().OfferRecovery();
  EXPECT_EQ(next.Context.DesignedLevel().Cells[4][2].ObjectNumber, next.NumberOf("Плита"));
  EXPECT_EQ(next.Context.DesignedLevel().Cells[2][1].ObjectNumber, next.NumberOf("Стена"));
  EXPECT_TRUE(next.Editor.Document.LevelModified());
  // A save of its own and a clean exit leave no copies behind; the run ends
  // when the window's close that the exit brings is accepted.
  next.Dialogs.FileAnswers.push_back(next.Path("restored.mtf"));
  ASSERT_TRUE(next.Editor.Files().SaveLevel());
  EXPECT_FALSE(next.Editor.Autosave().Recovery.Find().Any());
  next.Dialogs.MessageAnswers.push_back(TModalResult::mrYes);
  EXPECT_TRUE(next.Editor.Files().RequestExit());
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(recovery + "/running")));
  EXPECT_TRUE(next.Editor.Files().CloseRequested());
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(recovery + "/running")));
}

// A level saved while it places a library entry the objects file does not
// hold yet: the designer is asked whether to save the library with it.
const char* const kUnsavedObjects = "Несохранённые объекты";
constexpr int32_t kBox = 6;  // the number the entry added to the sample library takes

// The sample library opened and one entry, "Ящик", added but not saved.
void OpenAndAddBox(TEditorFixture& f) {
  f.WriteSampleData();
  f.OpenObjects();
  testsupport::WriteFile(f.Path("box.bmp"), testsupport::SolidBitmap(32, 32));
  f.NewObject.Entry.Record.Name = W1251("Ящик");
  f.NewObject.Entry.PictureFileName = f.Path("box.bmp");
  f.Editor.AddObject();
  f.Dialogs.Asked.clear();
}

bool AskedAboutObjects(const TEditorFixture& f) {
  for (const auto& asked : f.Dialogs.Asked)
    if (asked.Caption == kUnsavedObjects) return true;
  return false;
}

bool ObjectsFileHoldsTheBox(const TEditorFixture& f) {
  for (const TObjectRecord& record : TObjectDataBase::RecordsFromBytes(ReadWholeFile(f.Path("Data/test.obj"))))
    if (record.Number == kBox) return true;
  return false;
}

TEST(EditorLevelNamingNewObjects, EachAnswerSavesWhatItSays) {
  const struct {
    const char* Name;
    std::vector<TModalResult> Answers;  // ours, then the objects file's overwrite question
    bool LevelWritten, LibraryWritten;
  } cases[] = {
      {"Отмена", {TModalResult::mrCancel}, false, false},
      {"Нет", {TModalResult::mrNo}, true, false},
      {"Да", {TModalResult::mrYes, TModalResult::mrYes}, true, true},
      // The library's save declined: no level is written to name what it lacks.
      {"Да, overwrite declined", {TModalResult::mrYes, TModalResult::mrNo}, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TEditorFixture f;
    OpenAndAddBox(f);
    f.ClickAt(64, 32, "Ящик");
    ASSERT_EQ(f.Context.DesignedLevel().Cells[2][1].ObjectNumber, kBox);
    f.Dialogs.FileAnswers = {f.Path("boxes.mtf")};
    f.Dialogs.MessageAnswers = {c.Answers.begin(), c.Answers.end()};
    EXPECT_EQ(f.Editor.Files().SaveLevel(), c.LevelWritten);
    ASSERT_GE(f.Dialogs.Asked.size(), 2u);  // the file, then the question
    EXPECT_EQ(f.Dialogs.Asked[1].Caption, kUnsavedObjects);
    EXPECT_EQ(f.Dialogs.Asked[1].Buttons, TMsgButtons::YesNoCancel);
    EXPECT_EQ(f.Dialogs.Asked[1].DefaultAnswer, TModalResult::mrYes);
    EXPECT_EQ(FileExists(f.Path("boxes.mtf")), c.LevelWritten);
    EXPECT_EQ(ObjectsFileHoldsTheBox(f), c.LibraryWritten);
    EXPECT_EQ(f.Editor.Document.LibraryModified(), !c.LibraryWritten);
    if (!c.LibraryWritten) continue;
    // Once the objects file holds the entry, saving the level asks nothing.
    f.ClickAt(96, 32, "Ящик");
    f.Dialogs.Asked.clear();
    f.Dialogs.FileAnswers = {f.Path("again.mtf")};
    EXPECT_TRUE(f.Editor.Files().SaveLevel());
    EXPECT_FALSE(AskedAboutObjects(f));
  }
}

TEST(EditorLevelNamingNewObjects, NothingIsAskedWhenTheLevelNamesOnlySavedEntries) {
  const struct {
    const char* Name;
    std::function<void(TEditorFixture&)> Edit;
  } cases[] = {
      {"the new entry not placed", [](TEditorFixture& f) { f.ClickAt(64, 32, "Стена"); }},
      {"its placement undone",
       [](TEditorFixture& f) {
         f.ClickAt(64, 32, "Стена");
         f.ClickAt(96, 32, "Ящик");
         f.Editor.Undo();
       }},
      {"a saved entry deleted but still placed",
       [](TEditorFixture& f) {
         f.ClickAt(64, 32, "Плита");
         f.Dialogs.MessageAnswers = {TModalResult::mrYes};
         f.Editor.DeleteObject(W1251("Плита"), otWall);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TEditorFixture f;
    OpenAndAddBox(f);
    c.Edit(f);
    ASSERT_TRUE(f.Editor.Document.LibraryModified());
    f.Dialogs.Asked.clear();
    f.Dialogs.FileAnswers = {f.Path("level.mtf")};
    EXPECT_TRUE(f.Editor.Files().SaveLevel());
    EXPECT_EQ(f.Dialogs.Asked.size(), 1u);  // the file only
  }
}

TEST(EditorLevelNamingNewObjects, SavingBeforeAnExitAsksOnlyOnceAndSavesBoth) {
  TEditorFixture f;
  OpenAndAddBox(f);
  f.ClickAt(64, 32, "Ящик");
  f.Dialogs.FileAnswers = {f.Path("exit.mtf")};
  // Да to saving the changes, Да to overwriting the objects file.
  f.Dialogs.MessageAnswers = {TModalResult::mrYes, TModalResult::mrYes};
  EXPECT_TRUE(f.Editor.Files().RequestExit());
  EXPECT_FALSE(AskedAboutObjects(f));
  EXPECT_EQ(f.Dialogs.Asked[0].Caption, kUnsaved);
  EXPECT_TRUE(FileExists(f.Path("exit.mtf")));
  EXPECT_TRUE(ObjectsFileHoldsTheBox(f));
  EXPECT_EQ(f.Terminated, 1);
}

}  // namespace
}  // namespace kestrilo

// The document and losing no work: loads that change nothing until they have
// succeeded, questions about unsaved changes, the library that is not saved
// over an objects file never opened, play that leaves the design as it was,
// autosave and recovery.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "ShellTestSupport.h"
#include "library/ObjectDataBase.h"
#include "matrix/Matrix.h"
#include "matrix/MatrixFile.h"
#include "platform/BinaryIO.h"
#include "sprites/DXSpriteEngine.h"

namespace kestrilo {
namespace {

using shelltest::TEditorFixture;

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
  f.Editor.LoadLevel();
  EXPECT_EQ(AskedCount("open"), 1);
  EXPECT_EQ(f.Context.DesignedLevel().Cells[2][1].ObjectNumber, f.NumberOf("Стена"));
  EXPECT_EQ(Sprites(), sprites);
  EXPECT_TRUE(f.Editor.Document.LevelModified());

  // A matrix file without its back-plane file.
  testsupport::WriteFile(f.Path("broken.mtf"), std::string(TMatrixFile::kMatrixFileSize, '\0'));
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrNo);
  f.Dialogs.FileAnswers.push_back(f.Path("broken.mtf"));
  f.Editor.LoadLevel();
  EXPECT_FALSE(f.Dialogs.Messages().empty());
  EXPECT_EQ(f.Context.DesignedLevel().Cells[2][1].ObjectNumber, f.NumberOf("Стена"));
  EXPECT_EQ(f.Context.PlayedLevel->Cells[2][1].ObjectNumber, f.NumberOf("Стена"));
  EXPECT_EQ(Sprites(), sprites);
  EXPECT_EQ(f.Loading.Shown, f.Loading.Closed);
}

TEST_F(EditorDocument, UnsavedChangesAreAskedAboutAndОтменаChangesNothing) {
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrCancel);
  f.Editor.LoadLevel();
  ASSERT_NE(Question(kUnsaved), nullptr);
  EXPECT_EQ(Question(kUnsaved)->Buttons, TMsgButtons::YesNoCancel);
  EXPECT_EQ(AskedCount("open"), 0);

  // Да saves first, then the load goes on.
  f.Dialogs.Asked.clear();
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrYes);
  f.Dialogs.FileAnswers.push_back(f.Path("first.mtf"));
  f.Dialogs.FileAnswers.push_back(f.Path("first.mtf"));
  f.Editor.LoadLevel();
  EXPECT_TRUE(FileExists(f.Path("first.mtf")));
  EXPECT_EQ(f.Editor.Document.LevelFile, f.Path("first.mtf"));
  EXPECT_FALSE(f.Editor.Document.LevelModified());

  // Exit with unsaved work: Отмена keeps the editor running.
  f.ClickAt(96, 32, "Стена");
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrCancel);
  EXPECT_FALSE(f.Editor.RequestExit());
  EXPECT_EQ(f.Terminated, 0);
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrNo);
  EXPECT_TRUE(f.Editor.RequestExit());
  EXPECT_EQ(f.Terminated, 1);
}

TEST_F(EditorDocument, OverwriteAndDeleteQuestionsDefaultToKeeping) {
  f.Dialogs.FileAnswers.push_back(f.Path("Data/test.obj"));  // an existing file
  f.Editor.SaveLevel();
  f.Editor.SaveObjectsFile();
  f.Editor.DeleteObject("x", otWall);
  ASSERT_EQ(AskedCount("message"), 3);
  for (const auto& asked : f.Dialogs.Asked) {
    if (asked.Kind != "message") continue;
    EXPECT_EQ(asked.Buttons, TMsgButtons::YesNo) << asked.Text;
    EXPECT_EQ(asked.DefaultAnswer, TModalResult::mrNo) << asked.Text;
  }
}

TEST(EditorLibrarySave, AnObjectsFileNeverOpenedIsNotOverwrittenWithAnEmptyLibrary) {
  TEditorFixture f;
  f.WriteSampleData();
  const std::string objects = ReadWholeFile(f.Path("Data/test.obj"));
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrYes);  // would confirm an overwrite
  f.Editor.SaveObjectsFile();
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_NE(f.Dialogs.Messages()[0].find("сохранять нечего"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(f.Path("Data/test.obj")), objects);
}

TEST_F(EditorDocument, PlayChangesOnlyThePlayedLevel) {
  // What the world does to the level (a door opening, a pick-up taken) goes
  // to the played level through the matrix the world asks.
  f.Editor.TogglePreview();
  f.Context.PlayedLevel->ClearArea(64, 32, 32, 32);
  ASSERT_EQ(f.Context.PlayedLevel->Cells[2][1].Kind, -1);
  f.Dialogs.FileAnswers.push_back(f.Path("during.mtf"));
  ASSERT_TRUE(f.Editor.SaveLevel());
  TMatrix saved;
  TScriptedDialogService quiet;
  ASSERT_TRUE(saved.LoadFromFile(f.Path("during.mtf"), quiet, nullptr, nullptr));
  EXPECT_EQ(saved.Cells[2][1].ObjectNumber, f.NumberOf("Стена"));
  EXPECT_EQ(saved.Cells[2][1].Kind, otWall);
  // The preview off: the world is the design again.
  f.Editor.TogglePreview();
  EXPECT_EQ(f.Context.PlayedLevel->Cells[2][1].Kind, otWall);
  EXPECT_EQ(TMatrixFile::EncodeCells(*f.Context.PlayedLevel), TMatrixFile::EncodeCells(f.Context.DesignedLevel()));
}

TEST_F(EditorDocument, AutosaveWritesRecoveryCopiesAndARestartRestoresThem) {
  uint64_t now = 1000;
  const std::string recovery = f.Path("recovery");
  f.Editor.Clock = [&] { return now; };
  f.Editor.Recovery.Folder = recovery;
  f.Editor.OfferRecovery();  // the run starts: nothing to offer
  EXPECT_EQ(AskedCount("message"), 0);
  f.ClickAt(128, 64, "Плита");  // a change the clock sees
  now += 29'000;
  f.Editor.AutosaveIfDue();
  EXPECT_FALSE(f.Editor.Recovery.Find().Any());
  now += 1'000;
  f.Editor.AutosaveIfDue();
  const TRecovery::TFound found = f.Editor.Recovery.Find();
  ASSERT_FALSE(found.LevelCopy.empty());
  EXPECT_TRUE(found.LevelFile.empty());  // a level never saved is protected too
  EXPECT_EQ(QFileInfo(QString::fromStdString(found.LevelCopy)).dir().absolutePath(),
            QDir(QString::fromStdString(recovery)).absolutePath());

  // The editor is killed here: a new one finds the marker and the copies.
  TEditorFixture next;
  next.WriteSampleData();
  next.Editor.Recovery.Folder = recovery;
  next.Dialogs.MessageAnswers.push_back(TModalResult::mrYes);
  next.Editor.OfferRecovery();
  EXPECT_EQ(next.Context.DesignedLevel().Cells[4][2].ObjectNumber, next.NumberOf("Плита"));
  EXPECT_EQ(next.Context.DesignedLevel().Cells[2][1].ObjectNumber, next.NumberOf("Стена"));
  EXPECT_TRUE(next.Editor.Document.LevelModified());
  // A save of its own and a clean exit leave no copies behind.
  next.Dialogs.FileAnswers.push_back(next.Path("restored.mtf"));
  ASSERT_TRUE(next.Editor.SaveLevel());
  EXPECT_FALSE(next.Editor.Recovery.Find().Any());
  next.Dialogs.MessageAnswers.push_back(TModalResult::mrYes);
  EXPECT_TRUE(next.Editor.RequestExit());
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(recovery + "/running")));
}

}  // namespace
}  // namespace kestrilo

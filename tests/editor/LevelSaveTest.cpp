// Save writes the level to its own file with no dialog and no question; a
// level never saved asks for a name; Save As proposes the level's own name
// and folder; Нет to replacing a taken file goes back to the dialog, Отмена
// ends the save; a new level asks before unsaved work goes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <functional>

#include "EditorTestSupport.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"

using namespace kestrilo;
using namespace kestrilo::editortest;

namespace {

std::string FolderOf(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
}

int32_t MainCellNumber(const std::string& path, int column, int row) {
  TMatrix level;
  EXPECT_TRUE(level.LoadFromFile(path, nullptr, nullptr)) << path;
  return level.Cells[column][row].ObjectNumber;
}

struct TLevelSaveFixture : TEditorFixture {
  TLevelSaveFixture() {
    WriteSampleData();
    OpenObjects();
    QDir().mkpath(QString::fromStdString(Path("levels")));
    ClickAt(64, 32, "Стена");
  }
  // The level saved once under `name` and changed since.
  void SavedAsThenChanged(const std::string& name) {
    Dialogs.FileAnswers = {Path(name)};
    ASSERT_TRUE(Editor.Files().SaveLevelAs());
    ClickAt(96, 32, "Плита");
    Dialogs.Asked.clear();
  }
};

TEST(LevelSave, EachCommandAsksWhatItShould) {
  const struct {
    const char* Name;
    std::function<void(TLevelSaveFixture&)> Before;  // sets the scene and the answers
    std::function<bool(TEditorFiles&)> Save;
    std::vector<std::string> Asked;  // kinds of dialogs and questions, in order
    const char* WrittenTo;           // relative; empty when nothing is written
    const char* Proposed;            // what the first dialog proposes, relative
  } cases[] = {
      {"Save, own file",
       [](auto& f) { f.SavedAsThenChanged("levels/own.mtf"); },
       &TEditorFiles::SaveLevel,
       {},
       "levels/own.mtf",
       ""},
      {"Save, never saved",
       [](auto& f) { f.Dialogs.FileAnswers = {f.Path("levels/new.mtf")}; },
       &TEditorFiles::SaveLevel,
       {"save"},
       "levels/new.mtf",
       ""},
      {"Save, never saved, cancelled", [](auto&) {}, &TEditorFiles::SaveLevel, {"save"}, "", ""},
      {"Save As, own file proposed",
       [](auto& f) {
         f.SavedAsThenChanged("levels/own.mtf");
         f.Dialogs.FileAnswers = {f.Path("other.mtf")};
       },
       &TEditorFiles::SaveLevelAs,
       {"save"},
       "other.mtf",
       "levels/own.mtf"},
      {"Save As over a taken file, Нет, then a free one",
       [](auto& f) {
         WriteFile(f.Path("taken.mtf"), "old");
         f.Dialogs.FileAnswers = {f.Path("taken.mtf"), f.Path("free.mtf")};
         f.Dialogs.MessageAnswers = {TModalResult::mrNo};
       },
       &TEditorFiles::SaveLevelAs,
       {"save", "message", "save"},
       "free.mtf",
       ""},
      {"Save As over a taken file, Отмена",
       [](auto& f) {
         WriteFile(f.Path("taken.mtf"), "old");
         f.Dialogs.FileAnswers = {f.Path("taken.mtf"), f.Path("free.mtf")};
         f.Dialogs.MessageAnswers = {TModalResult::mrCancel};
       },
       &TEditorFiles::SaveLevelAs,
       {"save", "message"},
       "",
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TLevelSaveFixture f;
    c.Before(f);
    const std::string before = f.Editor.LevelFile;
    const bool saved = c.Save(f.Editor.Files());
    std::vector<std::string> asked;
    for (const auto& question : f.Dialogs.Asked) asked.push_back(question.Kind);
    EXPECT_EQ(asked, c.Asked);
    const std::string written = *c.WrittenTo ? f.Path(c.WrittenTo) : "";
    EXPECT_EQ(saved, !written.empty());
    EXPECT_EQ(f.Editor.LevelFile, saved ? written : before);
    EXPECT_EQ(f.Editor.Document.LevelModified(), !saved);
    if (saved) EXPECT_EQ(MainCellNumber(written, 2, 1), f.NumberOf("Стена"));
    if (FileExists(f.Path("taken.mtf")) && written != f.Path("taken.mtf"))
      EXPECT_EQ(ReadWholeFile(f.Path("taken.mtf")), "old");
    if (!asked.empty() && asked[0] == "save") {
      const TFileDialogRequest& first = f.Dialogs.Asked[0].Request;
      const std::string proposed = *c.Proposed ? f.Path(c.Proposed) : "";
      EXPECT_EQ(first.ProposedFile, proposed);
      if (!proposed.empty()) EXPECT_EQ(first.InitialDir, FolderOf(proposed));
    }
    // The dialog asked again after Нет proposes the name just turned down.
    if (asked.size() == 3) EXPECT_EQ(f.Dialogs.Asked[2].Request.ProposedFile, f.Path("taken.mtf"));
  }
}

TEST(LevelSave, UnsavedChangesGoToTheLevelsOwnFileAndANewLevelStartsUnnamed) {
  TLevelSaveFixture f;
  f.SavedAsThenChanged("levels/own.mtf");
  // Отмена keeps everything; Да writes the own file with no dialog, then empties the level.
  f.Dialogs.MessageAnswers = {TModalResult::mrCancel};
  f.Editor.Files().NewLevel();
  EXPECT_EQ(f.Context.DesignedLevel().Cells[3][1].ObjectNumber, f.NumberOf("Плита"));
  f.Dialogs.Asked.clear();
  f.Dialogs.MessageAnswers = {TModalResult::mrYes};
  f.Editor.Files().NewLevel();
  ASSERT_EQ(f.Dialogs.Asked.size(), 1u);
  EXPECT_EQ(f.Dialogs.Asked[0].Kind, "message");
  EXPECT_EQ(MainCellNumber(f.Path("levels/own.mtf"), 3, 1), f.NumberOf("Плита"));
  EXPECT_EQ(f.Context.DesignedLevel().Cells[2][1].Kind, -1);
  EXPECT_EQ(f.Context.PlayedLevel->Cells[2][1].Kind, -1);
  EXPECT_TRUE(f.Editor.LevelFile.empty());
  EXPECT_FALSE(f.Editor.Document.LevelModified());
  // The new level is saved under a name of its own.
  f.ClickAt(0, 0, "Стена");
  f.Dialogs.Asked.clear();
  f.Dialogs.FileAnswers = {f.Path("second.mtf")};
  EXPECT_TRUE(f.Editor.Files().SaveLevel());
  ASSERT_EQ(f.Dialogs.Asked.size(), 1u);
  EXPECT_EQ(f.Dialogs.Asked[0].Kind, "save");
  EXPECT_EQ(MainCellNumber(f.Path("levels/own.mtf"), 0, 0), -1);
}

}  // namespace

// Saving over a file that is there asks first, defaulting to Нет; only Да
// replaces it, and then both files of the pair.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "EditorTestSupport.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"

using namespace kestrilo;
using namespace kestrilo::editortest;

namespace {

struct TPairSave {
  const char* Name;
  const char* First;   // relative to the executable's folder
  const char* Second;  // the other file of the pair
  const char* Question;
  const char* Caption;
  TMsgButtons Buttons;  // the level's Нет goes back to its dialog, so it offers Отмена too
  // Makes the save possible and runs it, answering its file dialog with the first file.
  std::function<bool(TEditorFixture&)> Save;
};

const std::vector<TPairSave>& PairSaves() {
  static const std::vector<TPairSave> saves = {
      {"level", "over.mtf", "overmtb", "Файл существует! Перезаписать ?", "Перезапись", TMsgButtons::YesNoCancel,
       [](TEditorFixture& f) {
         f.Dialogs.FileAnswers = {f.Path("over.mtf")};
         return f.Editor.Files().SaveLevel();
       }},
      {"objects file", "Data/test.obj", "Data/test.dxg", "Файл существет! Перезаписать ?", "File Exists!",
       TMsgButtons::YesNo,
       [](TEditorFixture& f) {
         // A library made in this run: nothing opened, one entry added ("create a new one": Да).
         WriteFile(f.Path("new.bmp"), SolidBitmap(32, 32));
         f.NewObject.Entry.Record.Name = W1251("Стена");
         f.NewObject.Entry.PictureFileName = f.Path("new.bmp");
         f.Dialogs.MessageAnswers.push_front(TModalResult::mrYes);
         f.Editor.AddObject();
         f.Editor.Files().SaveObjectsFile();
         return !f.Editor.Document.LibraryModified();
       }},
  };
  return saves;
}

TEST(OverwriteQuestion, OnlyYesReplacesAnExistingPair) {
  for (const TPairSave& save : PairSaves()) {
    for (const TModalResult answer : {TModalResult::mrNo, TModalResult::mrCancel, TModalResult::mrYes}) {
      SCOPED_TRACE(std::string(save.Name) + " answered " + std::to_string(static_cast<int>(answer)));
      TEditorFixture f;
      WriteFile(f.Path(save.First), "old first");
      WriteFile(f.Path(save.Second), "old second");
      f.Dialogs.MessageAnswers = {answer};
      const bool saved = save.Save(f);
      const auto isQuestion = [&](const auto& a) { return a.Text == save.Question; };
      EXPECT_EQ(std::count_if(f.Dialogs.Asked.begin(), f.Dialogs.Asked.end(), isQuestion), 1);
      const auto asked = std::find_if(f.Dialogs.Asked.begin(), f.Dialogs.Asked.end(), isQuestion);
      ASSERT_NE(asked, f.Dialogs.Asked.end());
      EXPECT_EQ(asked->Kind, "message");
      EXPECT_EQ(asked->Caption, save.Caption);
      EXPECT_EQ(asked->Buttons, save.Buttons);
      EXPECT_EQ(asked->DefaultAnswer, TModalResult::mrNo);
      EXPECT_EQ(saved, answer == TModalResult::mrYes);
      EXPECT_EQ(ReadWholeFile(f.Path(save.First)) == "old first", answer != TModalResult::mrYes);
      EXPECT_EQ(ReadWholeFile(f.Path(save.Second)) == "old second", answer != TModalResult::mrYes);
    }
  }
}

TEST(OverwriteQuestion, OnlyAnExistingFirstFileIsAskedAbout) {
  for (const TPairSave& save : PairSaves()) {
    SCOPED_TRACE(save.Name);
    TEditorFixture f;
    WriteFile(f.Path(save.Second), "stale second");
    EXPECT_TRUE(save.Save(f));
    for (const auto& asked : f.Dialogs.Asked) EXPECT_NE(asked.Text, save.Question);
    EXPECT_NE(ReadWholeFile(f.Path(save.Second)), "stale second");
  }
}

}  // namespace

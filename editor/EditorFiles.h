// The level and library files: opening and saving the objects file, new,
// load, save and save-as of the level, and the questions asked before work
// could be lost (unsaved changes, exit, the window's close). A level read in
// full replaces the designed level only after both of its files were read.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "editor/EditorPorts.h"
#include "platform/DialogService.h"

namespace kestrilo {

class TEditor;
class TMatrix;
struct TSidePanelUpdate;

class TEditorFiles {
 public:
  explicit TEditorFiles(TEditor& Editor) : Editor(Editor) {}

  // The object library's file, offering unsaved library changes first.
  TSidePanelUpdate OpenObjectsFile();
  void SaveObjectsFile();
  // SaveLevel writes the level to its own file with no dialog and no
  // question (a level never saved asks for a name); SaveLevelAs asks for a
  // file, proposing the level's own. Both are true when the level was
  // written. NewLevel puts an empty level in place, offering unsaved changes
  // for saving first.
  bool SaveLevel();
  bool SaveLevelAs();
  void NewLevel();
  void LoadLevel();
  // What LoadLevel does once its dialog has answered with Path.
  void LoadLevelFrom(const std::string& Path);
  // Asks whether to exit (with unsaved work whether to save it, Да / Нет /
  // Отмена; without, "Правда выйти ?") and ends the program when confirmed;
  // true then. The window's close that the end brings asks nothing more.
  bool RequestExit();
  // The main window is being closed: asks about unsaved changes when there
  // are any and the exit was not agreed yet; true when the window may close,
  // and the run then ends cleanly (the window's close ends the program).
  bool CloseRequested();
  // Unsaved changes are offered for saving first (Да / Нет / Отмена); true
  // when the step that follows may go on.
  bool SaveChangesFirst();

  // What restoring recovery copies shares with opening files: the library
  // read from a file, and a level read in full made the designed level (the
  // world is built from it, the view goes to its start, the history starts afresh).
  void ReadObjectsFile(TSidePanelUpdate& Update, const std::string& ObjectsPath);
  void PutLevelInPlace(const TMatrix& Level);

 private:
  TFileDialogRequest LevelDialog(const char* filter) const;
  // An existing file is replaced only when the designer answers Да; the question defaults to Нет.
  bool MayReplace(const std::string& Path, const char* Question, const char* Caption);
  bool SaveLevelTo(const std::function<std::optional<std::string>()>& ChooseFile);
  // The level's own file, or the one the designer names when it has none.
  std::optional<std::string> OwnLevelFileOrAsk();
  void WriteLevelTo(const std::string& Path);
  // The library has entries the level places that its objects file does not
  // hold yet (world/LevelCheck.h: UnsavedEntriesInUse).
  bool LevelNamesUnsavedEntries() const;
  bool SaveObjectsFileNow();
  void ReadLevel(const std::function<std::optional<std::string>()>& ChooseFile);
  void ReadLevelFile(const std::string& Path);

  TEditor& Editor;
  // The designer agreed to end the run (the exit command's question was
  // answered); the window's close asks no second time.
  bool exitAgreed_ = false;
};

}  // namespace kestrilo

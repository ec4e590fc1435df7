// What the editor knows of the document it works on: the level's file (none
// for a level never saved or loaded), whether an objects file was opened in
// this run, and whether the level and the library have changes that are not
// saved. Changes are the commands of the undo stack: each says whether it
// changes the level, the library or both, and a save remembers where on the
// stack it was made, so undoing past a save marks the document unsaved and
// coming back to it marks it saved again.
#pragma once

#include <QUndoCommand>
#include <QUndoStack>

#include <string>

namespace kestrilo {

// The commands of the editor's undo stack.
class TEditCommand : public QUndoCommand {
 public:
  using QUndoCommand::QUndoCommand;
  virtual bool ChangesLevel() const { return false; }
  virtual bool ChangesLibrary() const { return false; }

  // How many commands up to this one, on the stack as it was when this one was
  // pushed, change the level and the library (set by TDocumentState).
  int LevelChangesUpToHere = 0;
  int LibraryChangesUpToHere = 0;
};

class TDocumentState {
 public:
  explicit TDocumentState(const QUndoStack& Stack) : stack_(Stack) {}

  std::string LevelFile;       // UTF-8 path; empty for a level never saved or loaded
  bool LibraryOpened = false;  // an objects file was opened in this run
  std::string LastResult;      // what the last command did, for the status line

  bool LevelModified() const { return levelUnsaved_ || Between(levelSavedAt_, true); }
  bool LibraryModified() const { return libraryUnsaved_ || Between(librarySavedAt_, false); }

  // The level or the library was saved (or loaded) with the stack where it is now.
  void LevelSaved() {
    levelUnsaved_ = false;
    levelSavedAt_ = stack_.index();
  }
  void LibrarySaved() {
    libraryUnsaved_ = false;
    librarySavedAt_ = stack_.index();
  }
  // What was restored from recovery copies is not in the designer's files.
  void LevelMarkedUnsaved() { levelUnsaved_ = true; }
  void LibraryMarkedUnsaved() { libraryUnsaved_ = true; }
  // A command is about to be pushed: saved points above the current index
  // leave the stack with the commands there.
  void BeforePush(TEditCommand& Command);
  // The stack is about to be cleared: what is unsaved stays unsaved.
  void BeforeClear();

 private:
  // Whether a command between the saved point and the current index changes
  // the level (or the library); a saved point no longer on the stack counts
  // as changed.
  bool Between(int savedAt, bool level) const;
  // The level (or library) changes among the stack's first `count` commands.
  int ChangesBelow(int count, bool level) const;

  const QUndoStack& stack_;
  int levelSavedAt_ = 0;
  int librarySavedAt_ = 0;
  bool levelUnsaved_ = false;
  bool libraryUnsaved_ = false;
};

}  // namespace kestrilo

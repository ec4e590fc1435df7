// The commands of the editor's undo stack: an edit of the level (placing,
// erasing, a stroke or a region edit) and an entry added to or deleted from the object library. Each
// holds only what changed: the cells of the region before and after, or the
// one library entry with its picture.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editor/DocumentState.h"
#include "library/ObjectDataBase.h"
#include "world/LevelEdits.h"

namespace kestrilo {

struct TGameContext;

// Where a command reports what it could not do (a sprite whose picture is
// gone) and that the level or the library changed.
struct TCommandHooks {
  std::function<void(const std::string&)> Report;
  std::function<void(int32_t Plane)> LevelChanged;
  std::function<void()> LibraryChanged;
};

class TLevelEditCommand : public TEditCommand {
 public:
  // The change has already been made when the command is pushed.
  TLevelEditCommand(TGameContext& Context, TLevelChange Change, const QString& Text, const TCommandHooks& Hooks);
  // Several changes made one after the other (a stroke, a region edit), undone
  // together, last first.
  TLevelEditCommand(TGameContext& Context, std::vector<TLevelChange> Changes, const QString& Text,
                    const TCommandHooks& Hooks);
  void undo() override;
  void redo() override;
  bool ChangesLevel() const override { return true; }

 private:
  void Written(const std::string& error);
  TGameContext& context_;
  std::vector<TLevelChange> changes_;
  const TCommandHooks& hooks_;
  bool firstRedo_ = true;
};

class TLibraryEntryCommand : public TEditCommand {
 public:
  enum class TKind { Added, Deleted };
  // The entry has already been added or deleted when the command is pushed.
  TLibraryEntryCommand(TObjectDataBase& Library, TKind Kind, TLibraryEntry Entry, const TCommandHooks& Hooks);
  void undo() override;
  void redo() override;
  bool ChangesLibrary() const override { return true; }

 private:
  void Take();
  void Put();
  TObjectDataBase& library_;
  TKind kind_;
  TLibraryEntry entry_;
  const TCommandHooks& hooks_;
  bool firstRedo_ = true;
};

}  // namespace kestrilo

#include "editor/EditCommands.h"

#include <QCoreApplication>

#include "platform/Cp1251.h"
#include "world/GameContext.h"

namespace kestrilo {

TLevelEditCommand::TLevelEditCommand(TGameContext& Context, TLevelChange Change, const QString& Text,
                                     const TCommandHooks& Hooks)
    : TLevelEditCommand(Context, std::vector<TLevelChange>{}, Text, Hooks) {
  changes_.push_back(std::move(Change));
  changes_.back().SpriteError = nullptr;  // reported once, when the edit was made
}

TLevelEditCommand::TLevelEditCommand(TGameContext& Context, std::vector<TLevelChange> Changes, const QString& Text,
                                     const TCommandHooks& Hooks)
    : TEditCommand(Text), context_(Context), changes_(std::move(Changes)), hooks_(Hooks) {
  for (TLevelChange& change : changes_) change.SpriteError = nullptr;
}

void TLevelEditCommand::undo() {
  TLevelEdits edits = TLevelEdits::Of(context_);
  std::string firstError;
  for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
    const std::string error = edits.Undo(*change);
    if (firstError.empty()) firstError = error;
  }
  Written(firstError);
}

void TLevelEditCommand::redo() {
  if (firstRedo_) {
    firstRedo_ = false;
    return;
  }
  TLevelEdits edits = TLevelEdits::Of(context_);
  std::string firstError;
  for (const TLevelChange& change : changes_) {
    const std::string error = edits.Redo(change);
    if (firstError.empty()) firstError = error;
  }
  Written(firstError);
}

void TLevelEditCommand::Written(const std::string& error) {
  // The overview is redrawn once per plane written, the first failure reported once.
  if (hooks_.LevelChanged) {
    bool told[TMatrix::kBackPlaneCount + 1] = {};
    for (const TLevelChange& change : changes_) {
      if (change.Plane < 0 || change.Plane > TMatrix::kBackPlaneCount || told[change.Plane]) continue;
      told[change.Plane] = true;
      hooks_.LevelChanged(change.Plane);
    }
  }
  if (!error.empty() && hooks_.Report) hooks_.Report(error);
}

TLibraryEntryCommand::TLibraryEntryCommand(TObjectDataBase& Library, TKind Kind, TLibraryEntry Entry,
                                           const TCommandHooks& Hooks)
    : TEditCommand(QCoreApplication::translate(
                       "TEditor", Kind == TKind::Added
                                      ? QT_TRANSLATE_NOOP("TEditor", "добавление объекта «%1» в библиотеку")
                                      : QT_TRANSLATE_NOOP("TEditor", "удаление объекта «%1» из библиотеки"))
                       .arg(cp1251::ToQString(Entry.Record.Name))),
      library_(Library),
      kind_(Kind),
      entry_(std::move(Entry)),
      hooks_(Hooks) {}

void TLibraryEntryCommand::Take() { entry_ = library_.TakeEntry(entry_.RecordPosition, entry_.PictureIndex); }

void TLibraryEntryCommand::Put() { library_.PutEntry(entry_); }

void TLibraryEntryCommand::undo() {
  if (kind_ == TKind::Added)
    Take();
  else
    Put();
  if (hooks_.LibraryChanged) hooks_.LibraryChanged();
}

void TLibraryEntryCommand::redo() {
  if (firstRedo_) {
    firstRedo_ = false;
    return;
  }
  if (kind_ == TKind::Added)
    Put();
  else
    Take();
  if (hooks_.LibraryChanged) hooks_.LibraryChanged();
}

}  // namespace kestrilo

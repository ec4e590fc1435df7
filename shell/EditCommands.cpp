#include "shell/EditCommands.h"

#include <QCoreApplication>

#include "platform/Cp1251.h"
#include "world/GameContext.h"

namespace kestrilo {

TLevelEditCommand::TLevelEditCommand(TGameContext& Context, TLevelChange Change, const QString& Text,
                                     const TCommandHooks& Hooks)
    : TEditCommand(Text), context_(Context), change_(std::move(Change)), hooks_(Hooks) {
  change_.SpriteError = nullptr;  // reported once, when the edit was made
}

void TLevelEditCommand::undo() { Written(TLevelEdits::Of(context_).Undo(change_)); }

void TLevelEditCommand::redo() {
  if (firstRedo_) {
    firstRedo_ = false;
    return;
  }
  Written(TLevelEdits::Of(context_).Redo(change_));
}

void TLevelEditCommand::Written(const std::string& error) {
  if (hooks_.LevelChanged) hooks_.LevelChanged(change_.Plane);
  if (!error.empty() && hooks_.Report) hooks_.Report(error);
}

TLibraryEntryCommand::TLibraryEntryCommand(TObjectDataBase& Library, TKind Kind, TLibraryEntry Entry,
                                           const TCommandHooks& Hooks)
    : TEditCommand(QCoreApplication::translate("TEditor", Kind == TKind::Added
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
  if (kind_ == TKind::Added) Take();
  else Put();
  if (hooks_.LibraryChanged) hooks_.LibraryChanged();
}

void TLibraryEntryCommand::redo() {
  if (firstRedo_) {
    firstRedo_ = false;
    return;
  }
  if (kind_ == TKind::Added) Put();
  else Take();
  if (hooks_.LibraryChanged) hooks_.LibraryChanged();
}

}  // namespace kestrilo

#include "editor/DocumentState.h"

namespace kestrilo {

void TDocumentState::BeforePush(TEditCommand& Command) {
  const int index = stack_.index();
  if (levelSavedAt_ > index) levelSavedAt_ = -1;
  if (librarySavedAt_ > index) librarySavedAt_ = -1;
  Command.LevelChangesUpToHere = ChangesBelow(index, true) + (Command.ChangesLevel() ? 1 : 0);
  Command.LibraryChangesUpToHere = ChangesBelow(index, false) + (Command.ChangesLibrary() ? 1 : 0);
}

int TDocumentState::ChangesBelow(int count, bool level) const {
  if (count <= 0) return 0;
  const auto* command = dynamic_cast<const TEditCommand*>(stack_.command(count - 1));
  if (!command) return 0;
  return level ? command->LevelChangesUpToHere : command->LibraryChangesUpToHere;
}

void TDocumentState::BeforeClear() {
  levelUnsaved_ = LevelModified();
  libraryUnsaved_ = LibraryModified();
  levelSavedAt_ = 0;
  librarySavedAt_ = 0;
}

bool TDocumentState::Between(int savedAt, bool level) const {
  if (savedAt < 0) return true;
  // Counts of changes below two points of one linear stack differ exactly
  // when a change lies between them.
  return ChangesBelow(savedAt, level) != ChangesBelow(stack_.index(), level);
}

}  // namespace kestrilo

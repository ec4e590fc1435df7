// Where a level is written. Save writes the level to its own file, asking for
// a name only when it has none; Save As asks every time, proposing the level's
// own name and folder. A name that is taken is replaced only on Да; Нет goes
// back to the file dialog for another name, Отмена ends the save.
#pragma once

#include <optional>
#include <string>

#include "platform/DialogService.h"

namespace kestrilo {

// The save dialog of a level: its filter, the folder to start in and, when the
// level has a file, that file proposed.
TFileDialogRequest LevelSaveRequest(const std::string& InitialDir, const std::string& LevelFile);

// Asks for a file until the designer names a free one, agrees to replace a
// taken one, or cancels (nothing then).
std::optional<std::string> AskLevelFileToWrite(TDialogService& Dialogs, TFileDialogRequest Request);

}  // namespace kestrilo

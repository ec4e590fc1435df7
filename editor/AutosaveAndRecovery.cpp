#include "editor/AutosaveAndRecovery.h"

#include "editor/Editor.h"
#include "editor/RecoveryTexts.h"
#include "library/DataFileNames.h"
#include "matrix/Matrix.h"
#include "platform/Errors.h"
#include "platform/Translated.h"
#include "world/GameContext.h"

namespace kestrilo {

void TAutosaveAndRecovery::DocumentChanged(std::optional<uint64_t> Now) {
  if (!staleSince_) staleSince_ = Now;
}

void TAutosaveAndRecovery::EndCleanly() { Recovery.EndRun(); }

void TAutosaveAndRecovery::AutosaveIfDue() {
  if (!Recovery.Enabled() || !Editor.Attachments.Clock || !staleSince_) return;
  constexpr uint64_t kAutosaveAfterMs = 30'000;
  if (Editor.Attachments.Clock() - *staleSince_ < kAutosaveAfterMs) return;
  AutosaveNow();
}

void TAutosaveAndRecovery::AutosaveNow() {
  if (!Recovery.Enabled()) return;
  Editor.Guarded([&] {
    // Cleared first: a failing write is not retried at every frame.
    staleSince_.reset();
    // The library first: stopped between the two, the autosave leaves the
    // earlier level copy beside the new library, which still holds every
    // object that level names unless one was deleted since, rather than a
    // level naming objects its library's copy lacks.
    if (Editor.Document.LibraryModified() && Editor.Context.ObjectDataBase)
      Recovery.WriteLibrary(*Editor.Context.ObjectDataBase);
    if (Editor.Document.LevelModified() && Editor.Context.PlayedLevel) {
      const TMatrix& designed = Editor.Context.DesignedLevel();
      Recovery.WriteLevel(designed, Editor.Document.LevelFile);
    }
  });
}

void TAutosaveAndRecovery::OfferRecovery() {
  Editor.Guarded([&] {
    if (!Recovery.StartRun()) return;
    const TRecovery::TFound found = Recovery.Find();
    // A copy that cannot be read is told once and moved aside, so that it is
    // neither lost nor offered again at every start.
    for (const TRecovery::TDamaged& damaged : found.Damaged) {
      std::string told;
      try {
        told = DamagedCopyMessage(damaged, Recovery.SetAside(damaged.Copy));
      } catch (const EKestriloError& e) {
        told = UnmovedDamagedCopyMessage(damaged, e.what());
      }
      Editor.Dialogs.ShowMessage(told);
    }
    if (!found.Any()) return;
    const TModalResult answer = Editor.Dialogs.MessageBox(
        RecoveryQuestion(found), Translated("TEditor", "Восстановление"), TMsgButtons::YesNo, TModalResult::mrYes);
    if (answer != TModalResult::mrYes) {
      Recovery.RemoveLevel();
      Recovery.RemoveLibrary();
      return;
    }
    // The copies stay as they are until the designer's own files hold what
    // they hold: restoring them writes and removes nothing.
    TSidePanelUpdate ignored;
    // The library first: the level's objects are looked up in it.
    Editor.Files().ReadObjectsFile(ignored,
                                   found.LibraryCopy.empty() ? Editor.DataPath(kObjectsFileName) : found.LibraryCopy);
    if (!found.LibraryCopy.empty()) Editor.Document.LibraryMarkedUnsaved();
    if (Editor.Attachments.LibraryChanged)
      Editor.Attachments.LibraryChanged();  // the object list shows the restored library
    if (found.Level) {
      Editor.Files().PutLevelInPlace(*found.Level);
      Editor.Document.LevelFile = found.LevelFile;
      Editor.Document.LevelMarkedUnsaved();
      Editor.RedrawOverview(Editor.Context.CurrentPlane);
      Editor.ReportLevelCheck();
    }
    Editor.SetResult(Translated("TEditor", "Несохранённые изменения восстановлены"));
  });
}

}  // namespace kestrilo

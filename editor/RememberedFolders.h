// File dialogs start in the folder last used for their kind of file (levels,
// pictures, replays), kept in the user's settings. The remembering is a
// dialog service around another, so no command has to know about it.
#pragma once

#include <string>

#include "platform/DialogService.h"

class QSettings;

namespace kestrilo {

// The kind of file a dialog asks for: the first extension of its default
// extension or, without one, of its filter ("mtf", "replay", "wmf"); empty
// when neither names one.
std::string FileKindOfRequest(const TFileDialogRequest& Request);

class TRememberedFolders {
 public:
  explicit TRememberedFolders(QSettings& Settings);
  // The folder last used for Kind, empty when none was or it is gone.
  std::string FolderFor(const std::string& Kind) const;
  // Keeps the folder of ChosenFile for Kind.
  void Remember(const std::string& Kind, const std::string& ChosenFile);

 private:
  QSettings& Settings;
};

class TFolderRememberingDialogService : public TDialogService {
 public:
  // FirstFolder is where a kind starts that has no folder yet; empty keeps the
  // folder the command asks for.
  TFolderRememberingDialogService(TDialogService& Inner, TRememberedFolders& Folders, std::string FirstFolder = {});

  TModalResult MessageBox(const std::string& text, const std::string& caption, TMsgButtons buttons,
                          TModalResult defaultAnswer = TModalResult::mrNone) override;
  void ShowMessage(const std::string& text) override;
  std::optional<std::string> OpenFile(const TFileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const TFileDialogRequest& request) override;
  std::optional<uint32_t> ChooseColor(uint32_t initial) override;

 private:
  TFileDialogRequest StartingFolder(const TFileDialogRequest& request) const;
  void Keep(const TFileDialogRequest& request, const std::optional<std::string>& chosen);

  TDialogService& Inner;
  TRememberedFolders& Folders;
  std::string FirstFolder;
};

}  // namespace kestrilo

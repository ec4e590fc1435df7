#include "editor/RememberedFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <cctype>

namespace kestrilo {

std::string FileKindOfRequest(const TFileDialogRequest& Request) {
  // "*.mtf" or "Desc (*.a;*.b)|*.a;*.b|...": the letters after the first "*.".
  const std::string& source = !Request.DefaultExt.empty() ? Request.DefaultExt : Request.Filter;
  const size_t start = source.find("*.");
  if (start == std::string::npos) return {};
  std::string kind;
  for (size_t i = start + 2; i < source.size() && std::isalnum(static_cast<unsigned char>(source[i])); ++i)
    kind += static_cast<char>(std::tolower(static_cast<unsigned char>(source[i])));
  return kind;
}

TRememberedFolders::TRememberedFolders(QSettings& Settings) : Settings(Settings) {}

std::string TRememberedFolders::FolderFor(const std::string& Kind) const {
  if (Kind.empty()) return {};
  const QString folder = Settings.value("Folders/" + QString::fromStdString(Kind)).toString();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) return {};
  return folder.toStdString();
}

void TRememberedFolders::Remember(const std::string& Kind, const std::string& ChosenFile) {
  if (Kind.empty() || ChosenFile.empty()) return;
  Settings.setValue("Folders/" + QString::fromStdString(Kind),
                    QFileInfo(QString::fromStdString(ChosenFile)).absolutePath());
  Settings.sync();
}

TFolderRememberingDialogService::TFolderRememberingDialogService(TDialogService& Inner, TRememberedFolders& Folders,
                                                                 std::string FirstFolder)
    : Inner(Inner), Folders(Folders), FirstFolder(std::move(FirstFolder)) {}

TModalResult TFolderRememberingDialogService::MessageBox(const std::string& text, const std::string& caption,
                                                         TMsgButtons buttons, TModalResult defaultAnswer) {
  return Inner.MessageBox(text, caption, buttons, defaultAnswer);
}

void TFolderRememberingDialogService::ShowMessage(const std::string& text) { Inner.ShowMessage(text); }

std::optional<uint32_t> TFolderRememberingDialogService::ChooseColor(uint32_t initial) {
  return Inner.ChooseColor(initial);
}

TFileDialogRequest TFolderRememberingDialogService::StartingFolder(const TFileDialogRequest& request) const {
  TFileDialogRequest started = request;
  // A proposed file (save as) names its folder itself.
  if (!request.ProposedFile.empty()) return started;
  const std::string remembered = Folders.FolderFor(FileKindOfRequest(request));
  if (!remembered.empty()) {
    started.InitialDir = remembered;
  } else if (!FirstFolder.empty()) {
    started.InitialDir = FirstFolder;
  }
  return started;
}

void TFolderRememberingDialogService::Keep(const TFileDialogRequest& request,
                                           const std::optional<std::string>& chosen) {
  if (chosen) Folders.Remember(FileKindOfRequest(request), *chosen);
}

std::optional<std::string> TFolderRememberingDialogService::OpenFile(const TFileDialogRequest& request) {
  const std::optional<std::string> chosen = Inner.OpenFile(StartingFolder(request));
  Keep(request, chosen);
  return chosen;
}

std::optional<std::string> TFolderRememberingDialogService::SaveFile(const TFileDialogRequest& request) {
  const std::optional<std::string> chosen = Inner.SaveFile(StartingFolder(request));
  Keep(request, chosen);
  return chosen;
}

}  // namespace kestrilo

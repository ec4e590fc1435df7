#include "editor/LevelFileChoice.h"

#include <QFileInfo>

#include "platform/BinaryIO.h"
#include "platform/Translated.h"

namespace kestrilo {

TFileDialogRequest LevelSaveRequest(const std::string& InitialDir, const std::string& LevelFile) {
  TFileDialogRequest request;
  request.InitialDir = InitialDir;
  request.Filter = Translated("TEditor", "Файлы матрицы (*.mtf)|*.mtf");
  request.DefaultExt = "*.mtf";
  if (!LevelFile.empty()) {
    request.ProposedFile = LevelFile;
    request.InitialDir = QFileInfo(QString::fromStdString(LevelFile)).absolutePath().toStdString();
  }
  return request;
}

std::optional<std::string> AskLevelFileToWrite(TDialogService& Dialogs, TFileDialogRequest Request) {
  for (;;) {
    const std::optional<std::string> file = Dialogs.SaveFile(Request);
    if (!file || !FileExists(*file)) return file;
    // The question defaults to Нет, which keeps the file and asks again.
    const TModalResult answer =
        Dialogs.MessageBox(Translated("TEditor", "Файл существует! Перезаписать ?"),
                           Translated("TEditor", "Перезапись"), TMsgButtons::YesNoCancel, TModalResult::mrNo);
    if (answer == TModalResult::mrYes) return file;
    if (answer != TModalResult::mrNo) return std::nullopt;
    Request.ProposedFile = *file;
    Request.InitialDir = QFileInfo(QString::fromStdString(*file)).absolutePath().toStdString();
  }
}

}  // namespace kestrilo

#include "editor/RecordingCommands.h"

#include <filesystem>

#include "editor/Editor.h"
#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"
#include "platform/Translated.h"
#include "world/GameContext.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

TRecordingCommands::TRecordingCommands(TGameContext& Context, TDialogService& Dialogs, TEditor& Editor)
    : Context(Context), Dialogs(Dialogs), Editor(Editor) {
  Editor.Attachments.Recorder = &Recorder;
}

TRecordingCommands::~TRecordingCommands() {
  if (Editor.Attachments.Recorder == &Recorder) Editor.Attachments.Recorder = nullptr;
}

std::string TRecordingCommands::ReplayPathFor(const std::string& LevelFile) {
  return std::filesystem::path(LevelFile).replace_extension(".replay").string();
}

void TRecordingCommands::StartRecording() {
  Recorder.Start();
  Context.Random.RandSeed = kReplaySeed;
  gravityAtStart_ = Context.PlayerSprite ? Context.PlayerSprite->GravityOn : 0;
  if (Editor.Play().PlayTest().Active()) {
    Editor.Play().RestartTest();  // seeds the generator again and keeps the start cell
    gravityAtStart_ = 1;
  }
}

void TRecordingCommands::StopRecording() { Recorder.Stop(); }

void TRecordingCommands::SaveRecording() {
  Editor.Guarded([&] { Save(); });
}

void TRecordingCommands::Save() {
  if (Recorder.Ticks() == 0) {
    Dialogs.ShowMessage(
        Translated("TRecordingCommands",
                   "Запись пуста: начните запись и сыграйте уровень с включённым предварительным просмотром."));
    return;
  }
  std::string path;
  if (!Editor.LevelFile.empty()) {
    path = ReplayPathFor(Editor.LevelFile);
    if (FileExists(path) &&
        Dialogs.MessageBox(QCoreApplication::translate("TRecordingCommands", "Файл записи %1 уже существует. Заменить?")
                               .arg(QString::fromStdString(ShownFileName(path)))
                               .toStdString(),
                           Translated("TRecordingCommands", "Подтвердите запись"),
                           TMsgButtons::YesNo) != TModalResult::mrYes)
      return;
  } else {
    TFileDialogRequest request;
    request.InitialDir = Context.ExecutableDir;
    request.Filter = Translated("TRecordingCommands", "Записи прохождения (*.replay)|*.replay");
    request.DefaultExt = "*.replay";
    const auto chosen = Dialogs.SaveFile(request);
    if (!chosen) return;
    path = *chosen;
  }
  const std::string level =
      Editor.LevelFile.empty() ? std::string("-") : std::filesystem::path(Editor.LevelFile).filename().string();
  std::vector<std::string> comments = {
      "Kestrilo replay of " + level + ", recorded in the editor with the preview on",
      "ticks: " + std::to_string(Recorder.Ticks()) + ", seed: " + std::to_string(kReplaySeed),
  };
  std::string command = "kestrilo-tool play " + level + " --data DIR --input THIS-FILE --ticks " +
                        std::to_string(Recorder.Ticks()) + " --seed " + std::to_string(kReplaySeed);
  if (const std::optional<TStartCell> cell = Recorder.StartCell) {
    // Test from here puts gravity on; the headless player's --start does the same.
    const std::string where = std::to_string(cell->Column) + " " + std::to_string(cell->Row);
    comments.push_back("play began with test from here at column " + std::to_string(cell->Column) + ", row " +
                       std::to_string(cell->Row));
    command += " --gravity 1 --start " + where;
  } else {
    command += std::string(" --gravity ") + (gravityAtStart_ == 1 ? "1" : "0");
  }
  comments.push_back(command);
  WriteFileAtomic(path, Recorder.Script().Format(comments));
  Dialogs.ShowMessage(Translated("TRecordingCommands", "Запись сохранена: ") + ShownFileName(path));
}

}  // namespace kestrilo

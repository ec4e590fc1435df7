// The commands of the "Запись" menu: a designer records the keys of a preview
// session and saves them as a replay beside the level, to be played headless
// afterwards (kestrilo-tool play ... --input LEVEL.replay).
#pragma once

#include <cstdint>
#include <string>

#include "editor/Recorder.h"

namespace kestrilo {

struct TGameContext;
class TDialogService;
class TEditor;

class TRecordingCommands {
 public:
  // Hands the recorder to the editor's frame step for as long as this lives.
  TRecordingCommands(TGameContext& Context, TDialogService& Dialogs, TEditor& Editor);
  ~TRecordingCommands();
  TRecordingCommands(const TRecordingCommands&) = delete;
  TRecordingCommands& operator=(const TRecordingCommands&) = delete;

  // "Начать запись": a new recording from the next preview tick on. The
  // generator is seeded as the headless player seeds it by default, so that
  // what monsters draw from now on is drawn alike in the replay. During a
  // test from here, play starts again from its cell, so that the recording
  // holds the whole route from there.
  void StartRecording();
  // "Остановить запись".
  void StopRecording();
  // "Сохранить запись": writes the replay beside the level last loaded (its
  // name with the extension ".replay"), asking before replacing a file; with
  // no level loaded, asks where to save.
  void SaveRecording();

  // Where the replay of a level goes.
  static std::string ReplayPathFor(const std::string& LevelFile);
  // The seed the recording starts with (the headless player's default).
  static constexpr uint32_t kReplaySeed = TInputRecorder::kSeed;

  TInputRecorder Recorder;

 private:
  void Save();
  uint8_t gravityAtStart_ = 0;  // the player's gravity when the recording began
  TGameContext& Context;
  TDialogService& Dialogs;
  TEditor& Editor;
};

}  // namespace kestrilo

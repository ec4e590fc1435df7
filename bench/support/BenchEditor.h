// The editor as the main window drives it, without a window: the command
// layer over its own game context, a drawing area that is initialised but
// never shown and a scripted dialog service. The benchmarks open the stress
// data, load levels and run the frame step through it.
#pragma once

#include <QImage>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ScriptedDialogService.h"
#include "shell/Editor.h"
#include "world/GameContext.h"

namespace kestrilo {
class TDXDraw;
class TSpriteEngine;
}  // namespace kestrilo

namespace kestrilo::bench {

class TBenchEditor {
 public:
  // DataFolder holds test.obj, test.dxg and 1.mon. The generator is seeded
  // with Seed after start-up, so two editors with one seed play alike.
  TBenchEditor(const std::string& DataFolder, uint32_t Seed);
  ~TBenchEditor();
  TBenchEditor(const TBenchEditor&) = delete;
  TBenchEditor& operator=(const TBenchEditor&) = delete;

  // The open-objects and load-matrix commands; throw with the message a command showed.
  void OpenObjects();
  void LoadLevel(const std::string& MatrixPath);
  // Preview on, the player visible and with gravity (menu commands).
  void StartPreview();
  // One frame step, as the frame timer runs it.
  void Tick();

  TSpriteEngine& Root();
  // What the drawing area showed after the last tick.
  QImage Frame() const;
  TGameContext& Context() { return context_; }
  TEditor& Editor() { return editor_; }

 private:
  void ThrowIfReported(size_t before);

  TScriptedDialogService dialogs_;
  TGameContext context_;
  std::unique_ptr<TDXDraw> draw_;
  TEditor editor_;
};

}  // namespace kestrilo::bench

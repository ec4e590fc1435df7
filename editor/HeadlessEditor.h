// The editor without a window: the same command layer and frame step the main
// window drives, over its own game context, a drawing surface that no window
// shows and a scripted dialog service. The command-line tool plays and
// renders levels with it. A QGuiApplication must exist (the status lines are
// drawn with the system's fonts); the offscreen platform is enough.
#pragma once

#include <QImage>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/Editor.h"
#include "editor/ReplayScript.h"
#include "platform/ScriptedDialogService.h"
#include "world/GameContext.h"

namespace kestrilo {

class TDrawingSurface;
class TSurface;

class THeadlessEditor {
 public:
  // DataFolder holds test.obj with its graphics file, 1.mon and, optionally,
  // DinObj.dxg. The generator is seeded with Seed right after start-up, before
  // anything that draws from it is made.
  THeadlessEditor(const std::string& DataFolder, uint32_t Seed);
  ~THeadlessEditor();
  THeadlessEditor(const THeadlessEditor&) = delete;
  THeadlessEditor& operator=(const THeadlessEditor&) = delete;

  // The open-objects command. Throws EKestriloError "DATA FOLDER: messages"
  // with the messages the command showed (a missing file, a missing player
  // picture...).
  void OpenObjects();
  // The load-matrix command, answering its file dialog with Path. Throws
  // "PATH: messages" as OpenObjects does.
  void LoadLevel(const std::string& Path);

  // Settings through their menu commands: the preview, the player's gravity
  // and visibility, and the grid.
  void SetPreview(bool On);
  void SetGravity(bool On);
  void SetPlayerVisible(bool On);
  void SetGrid(bool On);

  // Test from here at a level cell, as F5 over it starts it in the window:
  // the generator is seeded again with the run's seed first, as a recording
  // seeds it when play begins at a cell. Throws "start COLUMN ROW: messages"
  // when the editor refused (no room for the player, for instance).
  void StartAt(int32_t Column, int32_t Row);

  // One tick of the frame timer with exactly Keys held. A key that was not
  // held in the previous tick is pressed first, reaching the editor's key
  // handler as the window would deliver it (Space switches gravity on, the
  // arrows scroll the view).
  void Tick(const THeldKeys& Keys);
  int32_t TickCount() const { return tickCount_; }

  // What the drawing area shows after the last tick (grid and status lines included).
  QImage Frame() const;
  // Draws the world as it stands onto Surface, with no grid and no status
  // lines: the background colour, then the sprite tree with the camera where
  // the view stands. The drawing area is bound again afterwards.
  void DrawWorld(TSurface& Surface);

  // Messages shown since the last call (errors a tick ran into, for instance).
  std::vector<std::string> TakeMessages();

  TGameContext& Context() { return context_; }
  TEditor& Editor() { return editor_; }

 private:
  void ThrowIfReported(size_t messagesBefore, const std::string& subject);

  TScriptedDialogService dialogs_;
  TGameContext context_;
  std::unique_ptr<TDrawingSurface> draw_;
  TEditor editor_;
  THeldKeys held_;
  int32_t tickCount_ = 0;
  size_t messagesTaken_ = 0;
  uint32_t seed_ = 0;
};

}  // namespace kestrilo

// Support for the sample-data tests: runs the generator into scratch folders
// and drives a headless editor (the editor's own commands and frame step, no
// window) over a generated Data folder.
#pragma once

#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/Editor.h"
#include "platform/DXTimer.h"
#include "platform/DrawingSurface.h"
#include "platform/ScriptedDialogService.h"
#include "world/GameContext.h"

namespace kestrilo {
class TSprite;
class TSpriteEngine;
class TPlayerSprite;
}  // namespace kestrilo

namespace kestrilo::sampletest {

// Window-system key codes of the player's keys.
constexpr uint32_t vkShift = 16, vkSpace = 32, vkA = 65, vkD = 68, vkW = 87;

// Runs kestrilo-sample-data DIR; returns its exit code (-1 when it crashed).
int RunGenerator(const std::string& dataDir, std::string* errorOutput = nullptr);
std::string JoinPath(const std::string& dir, const std::string& name);

// A headless editor whose executable folder holds a freshly generated Data folder.
class TSampleEditor {
 public:
  TSampleEditor();
  ~TSampleEditor();

  std::string DataDir() const { return JoinPath(ExecutableDir(), "Data"); }
  std::string ExecutableDir() const { return Dir.path().toStdString() + "/"; }

  // The first steps of the help screen: open the objects file, load the demo
  // level, switch the grid off and the preview on.
  void OpenObjects() { Editor.Files().OpenObjectsFile(); }
  void LoadDemoLevel();
  void StartPreview();

  void Tick() { Editor.Frames().Step(); }
  // Holds or releases a key the way the main window does (the key press also
  // reaches the editor's key handler).
  void Hold(uint32_t key, bool down);

  TSpriteEngine& Root() const;
  TPlayerSprite* Player() const { return Context.PlayerSprite; }
  // Living children of the root of a class.
  std::vector<TSprite*> SpritesOf(std::string_view className) const;

  QTemporaryDir Dir;
  uint32_t Now = 0;
  TScriptedDialogService Dialogs;
  TGameContext Context;
  TDrawingSurface Draw;
  TDXTimer Timer;
  TEditor Editor;
  bool GeneratorFailed = false;
};

}  // namespace kestrilo::sampletest

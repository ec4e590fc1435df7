// The game context: the state that the specification keeps in globals and in
// the main window, in one object. The main window owns one; a test or the
// command-line tool builds its own. Every sprite reaches it through its
// engine (TSpriteEngine::Context). Members keep the specification's names.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/DXInput.h"
#include "platform/Random.h"

namespace kestrilo {

class TMatrix;
class TPlayerSprite;
class TObjectDataBase;
class TMonstersDataBase;
class TDXImageList;
class TDXSpriteEngine;

struct TGameContext {
  TGameContext();
  ~TGameContext();
  TGameContext(const TGameContext&) = delete;
  TGameContext& operator=(const TGameContext&) = delete;

  // Owned components (created by the shell's start-up, or by a test).
  std::unique_ptr<TDXImageList> DXImageList1;        // object pictures
  std::unique_ptr<TDXImageList> DXImageList2;        // dynamic-object pictures
  std::unique_ptr<TDXSpriteEngine> DXSpriteEngine1;  // the sprite tree
  std::unique_ptr<TObjectDataBase> ObjectDataBase;
  std::unique_ptr<TMonstersDataBase> MonstersDataBase;
  std::unique_ptr<TMatrix> Matrix;
  TDXInput DXInput1;

  // Not owned: lives in the sprite tree. Cleared when that sprite is freed.
  TPlayerSprite* PlayerSprite = nullptr;

  // Main-window state.
  uint16_t GridSize = 32;
  uint8_t GridVisible = 1;
  uint8_t ObjectsLoaded = 0;
  uint8_t EditMode = 1;  // 1 while the preview is off
  int32_t CurrentPlane = 0;

  TRandom Random;

  // The main window's caption; the player writes its status line into it every tick.
  std::string Caption = "Form1";  // UTF-8
  std::function<void(const std::string&)> OnCaptionChanged;
  void SetCaption(const std::string& caption) {
    Caption = caption;
    if (OnCaptionChanged) OnCaptionChanged(caption);
  }

  // Redraws the overview map for CurrentPlane (doors call it after opening).
  std::function<void()> RedrawOverview;

  // Folder of the executable, with its trailing separator; Data/ lies below it.
  std::string ExecutableDir;
};

}  // namespace kestrilo

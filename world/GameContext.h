// The game context: the state that the editor keeps in globals and in the
// main window, in one object. The main window owns one; a test or the
// command-line tool builds its own. Every sprite reaches it through its
// engine (TSpriteEngine::Context).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "matrix/Matrix.h"
#include "platform/DXInput.h"
#include "platform/Random.h"
#include "world/PlacedSprites.h"

namespace kestrilo {

class TPlayerSprite;
class TObjectDataBase;
class TMonstersDataBase;
class TDXImageList;
class TDXSpriteEngine;
class TSpriteEngine;
class TSprite;
class TPictureCollection;

// Whether the level is being edited or played in the preview.
enum class TEditMode : uint8_t { Previewing, Editing };

struct TGameContext {
  TGameContext();
  ~TGameContext();
  TGameContext(const TGameContext&) = delete;
  TGameContext& operator=(const TGameContext&) = delete;

  // Owned components (created by the shell's start-up, or by a test).
  std::unique_ptr<TDXImageList> ObjectPictureList;  // the library's object pictures
  std::unique_ptr<TDXImageList> PortalPictureList;  // the pictures portals release (DinObj.dxg)
  std::unique_ptr<TDXSpriteEngine> SpriteEngine;    // the sprite tree
  std::unique_ptr<TObjectDataBase> ObjectDataBase;
  std::unique_ptr<TMonstersDataBase> MonstersDataBase;
  // The level as the world plays it: collision queries ask it, opened doors
  // and taken pick-ups empty their cells in it.
  std::unique_ptr<TMatrix> PlayedLevel;
  // The editor's own copy of the design, kept apart from the played level so
  // that play never changes it. A context built for the world alone has none.
  std::unique_ptr<TMatrix> SeparateDesign;
  // The level as the designer made it: what edits change and saves write.
  TMatrix& DesignedLevel() { return SeparateDesign ? *SeparateDesign : *PlayedLevel; }
  const TMatrix& DesignedLevel() const { return SeparateDesign ? *SeparateDesign : *PlayedLevel; }
  // The sprites made for each placed object (world/PlacedSprites.h).
  TPlacedSprites PlacedSprites;
  TDXInput Keyboard;  // held keys and the input states made from them

  // Not owned: the newest player lives in the sprite tree. Its destructor sets
  // this back to none, so a freed player is never reached through here.
  TPlayerSprite* PlayerSprite = nullptr;

  // Main-window state.
  uint16_t GridSize = 32;
  bool GridVisible = true;  // the grid is drawn over the view
  bool ObjectsLoaded = false;
  TEditMode EditMode = TEditMode::Editing;  // Previewing while the preview plays
  int32_t CurrentPlane = TMatrix::kMainPlane;

  bool IsEditing() const { return EditMode == TEditMode::Editing; }
  bool IsPreviewing() const { return EditMode == TEditMode::Previewing; }

  TRandom Random;

  // The main window's caption; the player writes its status line into it every tick.
  std::string Caption = "Form1";  // UTF-8
  std::function<void(const std::string&)> OnCaptionChanged;
  void SetCaption(const std::string& caption) {
    Caption = caption;
    if (OnCaptionChanged) OnCaptionChanged(caption);
  }

  // Redraws the overview map of the main plane (an opened door calls it once its
  // cells are cleared, whatever plane the designer is looking at).
  std::function<void()> RedrawOverview;

  // Folder of the executable, with its trailing separator; Data/ lies below it.
  std::string ExecutableDir;

  // The root of the sprite tree, or none while there is no engine.
  TSpriteEngine* Root() const;
  // The picture collections of ObjectPictureList and PortalPictureList. They throw
  // ESpriteError "Picture list is missing" while the list does not exist.
  TPictureCollection& ObjectPictures() const;
  TPictureCollection& PortalPictures() const;
};

// The context a sprite lives in (through its engine), or none for a sprite
// outside a tree or an engine without a context.
TGameContext* ContextOf(const TSprite* sprite);

// The player that game objects watch: the context's PlayerSprite, read anew
// at every call. None when there is no context or no (living) player.
TPlayerSprite* CurrentPlayer(const TSprite* sprite);

}  // namespace kestrilo

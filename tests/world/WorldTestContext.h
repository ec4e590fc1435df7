// A game context for world tests: a sprite engine whose root knows the
// context, two picture lists filled with pictures generated here, an empty
// level matrix, and helpers to hold keys, block cells and run ticks the way
// the frame loop does (move with 16, then free the dead).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "library/DXImageList.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/SpriteEngine.h"
#include "support/BitmapFile.h"
#include "world/GameContext.h"

namespace kestrilo {
class TPlayerSprite;
}

namespace kestrilo::testing {

using testsupport::SolidBitmap;

class TWorldTestContext {
 public:
  TWorldTestContext();

  TGameContext Context;

  TSpriteEngine& Root() { return *Context.SpriteEngine->Engine(); }
  TMatrix& PlayedLevel() { return *Context.PlayedLevel; }

  // Adds a picture named `utf8Name` (stored as Windows-1251) of frames
  // frameWidth x frameHeight, `frames` of them side by side.
  TPictureCollectionItem& AddPicture(TPictureCollection& pictures, std::string_view utf8Name, int32_t frameWidth,
                                     int32_t frameHeight, int32_t frames = 1);
  TPictureCollectionItem& AddObjectPicture(std::string_view utf8Name, int32_t frameWidth, int32_t frameHeight,
                                           int32_t frames = 1) {
    return AddPicture(Context.ObjectPictureList->Items, utf8Name, frameWidth, frameHeight, frames);
  }

  // Adds the player's picture ("Игрок", 8 frames of 32 x 40, so a box of
  // 32 x 34), then makes the player from it as the level builder does, current
  // in the context and standing at (x, y).
  TPlayerSprite* AddPicturedPlayer(double x, double y);

  void Hold(TInputState state, bool held = true) { Context.Keyboard.InputStates.set(state, held); }
  void ReleaseAll() { Context.Keyboard.InputStates.reset(); }

  // Makes cell (column, row) of the main plane solid (a wall) or empty again.
  void SetSolid(int32_t column, int32_t row, bool solid = true) {
    PlayedLevel().Cells[column][row].Kind = solid ? 0 : -1;
  }
  // Makes a whole row of cells solid: a floor.
  void SetFloor(int32_t row) {
    for (int32_t column = 0; column < TMatrix::kColumns; ++column) SetSolid(column, row);
  }

  // One frame-loop tick: the move pass with 16, then the dead are freed.
  void Tick() {
    Context.SpriteEngine->Move(16);
    Context.SpriteEngine->RemoveDead();
  }
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) Tick();
  }

  // The root's children whose class is `className`, in attachment order.
  int32_t CountOf(std::string_view className);
  TSprite* FirstOf(std::string_view className);
  TSprite* LastOf(std::string_view className);
};

}  // namespace kestrilo::testing

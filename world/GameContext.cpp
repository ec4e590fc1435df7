#include "world/GameContext.h"

// Complete types for the owned components' destructors.
#include "library/DXImageList.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "matrix/Matrix.h"
#include "sprites/DXSpriteEngine.h"

namespace kestrilo {

TGameContext::TGameContext() = default;

TGameContext::~TGameContext() {
  // The sprite tree goes first: sprites refer to pictures and the matrix.
  DXSpriteEngine1.reset();
  PlayerSprite = nullptr;
}

}  // namespace kestrilo

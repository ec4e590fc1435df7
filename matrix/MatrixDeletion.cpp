// Deleting the object under the mouse (the right mouse button of the editor).
#include <algorithm>
#include <string>

#include "matrix/Matrix.h"
#include "platform/DialogService.h"
#include "platform/Rounding.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {

namespace {
// The level's background picture lies behind every plane at this depth.
constexpr int32_t kBackgroundZ = -200;
constexpr int32_t kBackgroundPlane = 4;
constexpr int32_t kBackgroundCell = 0;  // column and row of its entry
const char* const kNothingOnPlane = "В матрице нет объекта на данном плане. Смените ось Z!";
}  // namespace

void TMatrix::DeleteAt(TSpriteEngine& Engine, int32_t X, int32_t Y, int32_t Plane, TDialogService& Dialogs) {
  const int32_t cx = X / kCellSize;
  const int32_t cy = Y / kCellSize;
  TSprite* sprite = Engine.SpriteAt(X, Y);
  if (!sprite) return;
  // The world cell of the sprite's top-left corner (halves to even).
  const int64_t sx = Round(sprite->X / kCellSize);
  const int64_t sy = Round(sprite->Y / kCellSize);
  const bool inside = IsInside(sx, sy);

  if (sprite->Z() == kBackgroundZ) {
    // The level's background covers the whole view, so a click into empty
    // space finds it. It is always the plane-4 entry of cell (0, 0): its
    // sprite's position follows the camera with a parallax and names no cell,
    // and on any other plane the cell under it belongs to another object,
    // which must not be wiped with the background's screen-sized footprint.
    if (Plane != kBackgroundPlane) {
      Dialogs.ShowMessage(kNothingOnPlane);
      return;
    }
    Dialogs.ShowMessage("TX = " + std::to_string(cx));
    // Only a click into the view's top-left cell removes it, so that it is
    // not deleted by accident.
    if (cx <= 0 && cy <= 0) {
      BackPlanes[kBackgroundCell][kBackgroundCell][kBackgroundPlane - 1] = -1;
      delete sprite;  // the owner's list forgets it as it goes
    }
    return;
  }

  if (Plane == 0) {
    if (!inside || Cells[sx][sy].ObjectNumber < 0) {
      Dialogs.ShowMessage(kNothingOnPlane);
      return;
    }
    FillFootprint(sx, sy, sprite->Width, sprite->Height, EmptyMatrixCell());
  } else if (Plane > 0) {
    if (!inside || !IsBackPlane(Plane) || BackPlanes[sx][sy][Plane - 1] < 1) {
      Dialogs.ShowMessage(kNothingOnPlane);
      return;
    }
    BackPlanes[sx][sy][Plane - 1] = -1;
  }
  sprite->MarkDead();
}

}  // namespace kestrilo

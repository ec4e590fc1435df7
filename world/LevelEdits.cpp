#include "world/LevelEdits.h"

#include <string>

#include "library/ObjectDataBase.h"
#include "matrix/LevelBackground.h"
#include "matrix/Matrix.h"
#include "platform/DialogService.h"
#include "platform/Rounding.h"
#include "platform/Translated.h"
#include "sprites/SpriteEngine.h"
#include "world/PlacedObjectFactory.h"

namespace kestrilo {

namespace {
const char* const kNothingOnPlane = QT_TRANSLATE_NOOP("TLevelEdits", "В матрице нет объекта на данном плане. Смените ось Z!");
}  // namespace

TSprite* TLevelEdits::Place(const TObjectRecord& Record, int32_t ViewX, int32_t ViewY, int32_t Plane,
                            const TObjectDataBase& Library) {
  TMatrixCell cell;
  cell.Kind = static_cast<int8_t>(Record.ObjType);
  cell.ObjectNumber = Record.Number;
  cell.LiftHeight = Record.LiftHeight;
  cell.KeyCode = Record.KeyCode;
  if (Plane == 0) matrix_.PutObject(cell, ViewX, ViewY, Library);
  else matrix_.PutBackObject(static_cast<uint8_t>(Plane), Record.Number, ViewX, ViewY);

  // The origin counts whole cells whatever the grid size is.
  const double worldX = ViewX + matrix_.GetOriginX() * static_cast<double>(TMatrix::kCellSize);
  const double worldY = ViewY + matrix_.GetOriginY() * static_cast<double>(TMatrix::kCellSize);
  return TMyObject::CreateFromRecord(&root_, Record, worldX, worldY, Plane * TMatrix::kPlaneValueStep);
}

void TLevelEdits::EraseAt(int32_t ViewX, int32_t ViewY, int32_t Plane, TDialogService& Dialogs) {
  const int32_t cx = ViewX / TMatrix::kCellSize;
  const int32_t cy = ViewY / TMatrix::kCellSize;
  TSprite* sprite = root_.SpriteAt(ViewX, ViewY);
  if (!sprite) return;
  // The world cell of the sprite's top-left corner (halves to even).
  const int64_t sx = Round(sprite->X / TMatrix::kCellSize);
  const int64_t sy = Round(sprite->Y / TMatrix::kCellSize);
  const bool inside = TMatrix::IsInside(sx, sy);

  if (sprite->Z() == TBack::kDrawZ) {
    // The level's background covers the whole view, so a click into empty
    // space finds it. It is always the plane-4 entry of cell (0, 0): its
    // sprite's position follows the camera with a parallax and names no cell,
    // and on any other plane the cell under it belongs to another object,
    // which must not be wiped with the background's screen-sized footprint.
    if (Plane != TBack::kPlane) {
      Dialogs.ShowMessage(Translated("TLevelEdits", kNothingOnPlane));
      return;
    }
    Dialogs.ShowMessage("TX = " + std::to_string(cx));
    // Only a click into the view's top-left cell removes it, so that it is
    // not deleted by accident.
    if (cx <= 0 && cy <= 0) {
      matrix_.BackPlanes[TBack::kColumn][TBack::kRow][TBack::kPlane - 1] = -1;
      delete sprite;  // the owner's list forgets it as it goes
    }
    return;
  }

  if (Plane == 0) {
    if (!inside || matrix_.Cells[sx][sy].ObjectNumber < 0) {
      Dialogs.ShowMessage(Translated("TLevelEdits", kNothingOnPlane));
      return;
    }
    matrix_.EraseFootprint(sx, sy, sprite->Width, sprite->Height);
  } else if (Plane > 0) {
    if (!inside || !TMatrix::IsBackPlane(Plane) || matrix_.BackPlanes[sx][sy][Plane - 1] < 1) {
      Dialogs.ShowMessage(Translated("TLevelEdits", kNothingOnPlane));
      return;
    }
    matrix_.BackPlanes[sx][sy][Plane - 1] = -1;
  }
  sprite->MarkDead();
}

}  // namespace kestrilo

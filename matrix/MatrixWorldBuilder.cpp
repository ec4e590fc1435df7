// Turning the matrix into sprites after a level has been read.
#include "library/ObjectDataBase.h"
#include "matrix/Matrix.h"

namespace kestrilo {

void TMatrix::BuildMainPlane(TSprite& Root, const TObjectDataBase& ObjectDataBase,
                             const TObjectFactory& Factory) const {
  if (!Factory) return;
  for (int32_t x = 0; x < kColumns; ++x) {
    for (int32_t y = 0; y < kRows; ++y) {
      const TMatrixCell& cell = Cells[x][y];
      if (cell.ObjectNumber < 0) continue;  // only anchors carry a number
      TObjectRecord record = ObjectDataBase.FindByName(ObjectDataBase.NameOfNumber(cell.ObjectNumber));
      // The per-placement values live in the cell, not in the library.
      record.LiftHeight = cell.LiftHeight;
      record.KeyCode = cell.KeyCode;
      Factory(&Root, record, static_cast<double>(kCellSize * x), static_cast<double>(kCellSize * y), 0);
    }
  }
}

void TMatrix::BuildBackPlanes(TSprite& Root, const TObjectDataBase& ObjectDataBase,
                              const TObjectFactory& Factory) const {
  if (!Factory) return;
  for (int32_t x = 0; x < kColumns; ++x) {
    for (int32_t y = 0; y < kRows; ++y) {
      for (int32_t plane = 1; plane <= kBackPlaneCount; ++plane) {
        const int32_t number = BackPlanes[x][y][plane - 1];
        if (number <= 0) continue;
        const TObjectRecord record = ObjectDataBase.FindByName(ObjectDataBase.NameOfNumber(number));
        Factory(&Root, record, static_cast<double>(kCellSize * x), static_cast<double>(kCellSize * y),
                kPlaneValueStep * plane);
      }
    }
  }
}

}  // namespace kestrilo

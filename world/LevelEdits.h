// The one place that changes the level as designed: placing an object and
// erasing one write the level matrix and the sprite tree together, so that the
// two never disagree about what the designer has put where. Every edit of the
// editor goes through here.
#pragma once

#include <cstdint>

namespace kestrilo {

class TDialogService;
class TMatrix;
class TObjectDataBase;
struct TObjectRecord;
class TSprite;
class TSpriteEngine;

class TLevelEdits {
 public:
  TLevelEdits(TMatrix& Matrix, TSpriteEngine& Root) : matrix_(Matrix), root_(Root) {}

  // Places Record at view pixel (ViewX, ViewY), already snapped to the grid, on
  // Plane (0 the main plane with the footprint of its picture, 1..4 a back
  // plane), with the record's LiftHeight and KeyCode stored in its cells, and
  // makes its sprite at the matching world position. Returns the sprite the
  // factory made. A missing picture places nothing on the main plane and
  // throws EPictureCollectionError.
  TSprite* Place(const TObjectRecord& Record, int32_t ViewX, int32_t ViewY, int32_t Plane,
                 const TObjectDataBase& Library);

  // Erases the object under view pixel (ViewX, ViewY) from Plane of the matrix
  // and queues its sprite for removal. Nothing under the pixel does nothing;
  // an object that is not on Plane is refused with the system's message.
  void EraseAt(int32_t ViewX, int32_t ViewY, int32_t Plane, TDialogService& Dialogs);

 private:
  TMatrix& matrix_;
  TSpriteEngine& root_;
};

}  // namespace kestrilo

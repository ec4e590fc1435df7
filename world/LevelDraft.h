// A working copy of the designed level for edits that touch many cells at
// once (a paste, a move, a fill, a deletion of a selection): the edit is
// worked out on the copy, which remembers which cells of each plane it
// touched, and then written through the level edits as one change per plane,
// so that the sprites follow and the whole edit undoes in one step.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "matrix/Matrix.h"

namespace kestrilo {

class TLevelEdits;
struct TLevelChange;

class TLevelDraft {
 public:
  static constexpr int32_t kPlanes = TMatrix::kPlaneCount;

  explicit TLevelDraft(const TMatrix& Level);

  const TMatrix& Level() const { return *level_; }
  // Writes one main-plane cell or one back-plane entry; cells outside the
  // level are ignored.
  void SetCell(int64_t Column, int64_t Row, const TMatrixCell& Cell);
  void SetEntry(int32_t Plane, int64_t Column, int64_t Row, int32_t Entry);
  // The rectangle of cells written on a plane so far (empty when none).
  const TCellRegion& Touched(int32_t Plane) const { return touched_[Plane]; }

  // Writes the touched rectangles through the edits, main plane first; the
  // changes that did something, in the order written. The message of the
  // first sprite that could not be made goes to SpriteMessage.
  std::vector<TLevelChange> Commit(TLevelEdits& Edits, std::string* SpriteMessage = nullptr) const;

 private:
  void Touch(int32_t Plane, int32_t Column, int32_t Row);
  std::unique_ptr<TMatrix> level_;
  std::array<TCellRegion, kPlanes> touched_;
};

}  // namespace kestrilo

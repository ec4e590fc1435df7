// One cell of the level's main plane, laid out exactly as a record of the
// matrix file (12 bytes, little-endian).
#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrilo {

struct TMatrixCell {
  static constexpr int8_t kNoKind = -1;  // the kind of an empty cell

  int8_t Kind = kNoKind;      // object kind (a TObjectType code); kNoKind = empty
  uint8_t Padding1[3] = {};   // not significant
  int32_t ObjectNumber = -1;  // object number in the anchor cell, -1 elsewhere
  int8_t LiftHeight = 0;      // lift height given at placement
  uint8_t KeyCode = 0;        // key/door code given at placement
  uint8_t Padding2[2] = {};   // not significant

  // A cell blocks every collision query unless it is empty.
  bool IsFree() const { return Kind == kNoKind; }
  // The significant fields only; padding never takes part in comparisons.
  bool SameContent(const TMatrixCell& other) const {
    return Kind == other.Kind && ObjectNumber == other.ObjectNumber && LiftHeight == other.LiftHeight &&
           KeyCode == other.KeyCode;
  }
};

static_assert(sizeof(TMatrixCell) == 12, "a matrix cell is a 12-byte file record");
static_assert(offsetof(TMatrixCell, ObjectNumber) == 4);
static_assert(offsetof(TMatrixCell, LiftHeight) == 8);
static_assert(offsetof(TMatrixCell, KeyCode) == 9);

// The value every cell gets from Clear, ClearArea and deletion.
inline constexpr TMatrixCell EmptyMatrixCell() { return TMatrixCell{}; }

}  // namespace kestrilo

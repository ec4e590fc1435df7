// The selected rectangle of cells, the planes it covers, and the two
// gestures that work on it: Shift and the left button drawn across cells
// select, the left button pressed inside the selection drags it elsewhere.
#pragma once

#include <algorithm>
#include <cstdint>

#include "matrix/Matrix.h"

namespace kestrilo {

struct TCellPoint {
  int64_t Column = 0, Row = 0;
  bool operator==(const TCellPoint&) const = default;
};

class TSelection {
 public:
  enum class TGesture { None, Selecting, Moving };

  // Whether a selection covers every plane or only the current one ("Правка").
  bool AllPlanes = false;

  const TCellRegion& Region() const { return region_; }
  bool Empty() const { return region_.Empty(); }
  void Clear() {
    region_ = {};
    gesture_ = TGesture::None;
  }
  TGesture Gesture() const { return gesture_; }

  // Selecting: the rectangle between the cell pressed and the cell the pointer is over.
  void StartSelecting(TCellPoint At) {
    gesture_ = TGesture::Selecting;
    start_ = At;
    SelectBetween(At, At);
  }
  // Moving: the offset from the cell pressed to the cell the pointer is over.
  void StartMoving(TCellPoint At) {
    gesture_ = TGesture::Moving;
    start_ = At;
    current_ = At;
  }
  void PointerAt(TCellPoint At) {
    if (gesture_ == TGesture::Selecting) SelectBetween(start_, At);
    if (gesture_ == TGesture::Moving) current_ = At;
  }
  void EndGesture() { gesture_ = TGesture::None; }
  // The cells the selection is being dragged by.
  int64_t MoveColumns() const { return gesture_ == TGesture::Moving ? current_.Column - start_.Column : 0; }
  int64_t MoveRows() const { return gesture_ == TGesture::Moving ? current_.Row - start_.Row : 0; }
  // Shifts the rectangle (after a move), clipped to the level.
  void Shift(int64_t Columns, int64_t Rows) {
    SelectBetween({region_.FirstColumn + Columns, region_.FirstRow + Rows},
                  {region_.LastColumn + Columns, region_.LastRow + Rows});
  }
  void Select(const TCellRegion& Region) { region_ = Region; }

 private:
  void SelectBetween(TCellPoint a, TCellPoint b) {
    region_.FirstColumn =
        static_cast<int32_t>(std::clamp<int64_t>(std::min(a.Column, b.Column), 0, TMatrix::kColumns - 1));
    region_.LastColumn =
        static_cast<int32_t>(std::clamp<int64_t>(std::max(a.Column, b.Column), 0, TMatrix::kColumns - 1));
    region_.FirstRow = static_cast<int32_t>(std::clamp<int64_t>(std::min(a.Row, b.Row), 0, TMatrix::kRows - 1));
    region_.LastRow = static_cast<int32_t>(std::clamp<int64_t>(std::max(a.Row, b.Row), 0, TMatrix::kRows - 1));
  }

  TCellRegion region_;
  TGesture gesture_ = TGesture::None;
  TCellPoint start_, current_;
};

}  // namespace kestrilo

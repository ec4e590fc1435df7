// A stroke of the mouse over the drawing area: the left button held places
// the chosen object in every grid cell the pointer passes, the right button
// erases there. The stroke collects the changes it made, so that it is
// recorded as one undo step when the button is released, and remembers the
// cells its footprints cover, so that they never overlap within a stroke.
// A press and release in one cell is a plain click, left to the click handlers.
#pragma once

#include <cstdint>
#include <vector>

#include "matrix/Matrix.h"
#include "world/LevelEdits.h"

namespace kestrilo {

enum class TPointerButton { Left, Right };

// A grid cell of the drawing area (the pixel divided by the grid size).
struct TGridCell {
  int32_t Column = 0, Row = 0;
  bool operator==(const TGridCell&) const = default;
};

// The grid cells a straight pointer path from one cell to the next passes,
// the first one left out and the last one included.
std::vector<TGridCell> CellsPassed(TGridCell From, TGridCell To);

class TPaintStroke {
 public:
  bool Active() const { return active_; }
  bool Moved() const { return moved_; }
  TPointerButton Button() const { return button_; }
  TGridCell LastCell() const { return last_; }

  void Start(TPointerButton Button, TGridCell At) {
    active_ = true;
    moved_ = false;
    button_ = Button;
    last_ = At;
    changes_.clear();
    covered_.assign(static_cast<size_t>(TMatrix::kColumns) * TMatrix::kRows, 0);
  }
  // The pointer reached another cell: the cells passed since the last one.
  std::vector<TGridCell> MoveTo(TGridCell At) {
    std::vector<TGridCell> passed;
    if (!active_ || At == last_) return passed;
    if (!moved_) passed.push_back(last_);  // the pressed cell counts once the stroke moves
    moved_ = true;
    for (const TGridCell& cell : CellsPassed(last_, At)) passed.push_back(cell);
    last_ = At;
    return passed;
  }
  // Whether a footprint is free of the footprints this stroke placed; if so it is marked.
  bool Claim(const TCellRegion& Footprint) {
    for (int32_t x = Footprint.FirstColumn; x <= Footprint.LastColumn; ++x)
      for (int32_t y = Footprint.FirstRow; y <= Footprint.LastRow; ++y)
        if (covered_[Index(x, y)]) return false;
    for (int32_t x = Footprint.FirstColumn; x <= Footprint.LastColumn; ++x)
      for (int32_t y = Footprint.FirstRow; y <= Footprint.LastRow; ++y) covered_[Index(x, y)] = 1;
    return true;
  }
  void Add(TLevelChange Change) { changes_.push_back(std::move(Change)); }
  // Ends the stroke and hands over what it changed.
  std::vector<TLevelChange> Finish() {
    active_ = false;
    return std::move(changes_);
  }

 private:
  static size_t Index(int32_t x, int32_t y) { return static_cast<size_t>(x) * TMatrix::kRows + static_cast<size_t>(y); }
  bool active_ = false, moved_ = false;
  TPointerButton button_ = TPointerButton::Left;
  TGridCell last_;
  std::vector<TLevelChange> changes_;
  std::vector<char> covered_;
};

}  // namespace kestrilo

// How much of the level the edit view shows. The window tells the drawing
// area's size as it is resized; the edit view then draws the level 1:1 over
// all of it, keeping its top-left cell and showing more cells to the right
// and below. The preview keeps the game's own 640 by 480 view, which the
// drawing area scales up. The headless editor and the tool never set a size
// and keep 640 by 480.
#pragma once

#include <cstdint>
#include <optional>

#include "editor/Selection.h"
#include "matrix/Matrix.h"
#include "platform/ViewSize.h"

namespace kestrilo {

struct TBufferSize {
  int32_t Width = kViewWidth, Height = kViewHeight;
  bool operator==(const TBufferSize&) const = default;
};

// Where the overview map is drawn on its canvas and the colour round it.
struct TOverviewPlace {
  int32_t Left = TMatrix::kMiniMapLeft, Top = TMatrix::kMiniMapTop;
  int32_t Width = TMatrix::kViewColumns * TMatrix::kMiniMapSquare;
  int32_t Height = TMatrix::kViewRows * TMatrix::kMiniMapSquare;
  uint32_t Background = 0x00F0F0F0;  // the window's colour, 0x00BBGGRR
};

// What the overview map shows: the cells the view shows, from its top-left
// cell as far as the level goes, as squares of at most 6 pixels that fit the
// map's place (at least 1).
struct TOverviewFrame {
  int32_t Columns = TMatrix::kViewColumns, Rows = TMatrix::kViewRows, Square = TMatrix::kMiniMapSquare;
  int32_t Width() const { return Columns * Square; }
  int32_t Height() const { return Rows * Square; }
  static TOverviewFrame Fit(int32_t ColumnsShown, int32_t RowsShown, int64_t OriginX, int64_t OriginY,
                            const TOverviewPlace& Place);
  // The cell, counted from the view's top-left cell, under a point of the
  // map (from the map's top-left corner); none off the squares.
  std::optional<TCellPoint> SquareAt(int32_t X, int32_t Y) const;
  bool operator==(const TOverviewFrame&) const = default;
};

class TViewport {
 public:
  // The drawing area's size in back-buffer pixels, at least 1 by 1.
  void SetArea(int32_t Width, int32_t Height);
  std::optional<TBufferSize> Area() const { return area_; }
  // The back buffer a frame is drawn into: the whole area while editing, the
  // game's own view while previewing (the world plays in 640 by 480); none
  // while no area was given (the back buffer keeps the size it was made with).
  std::optional<TBufferSize> BufferSize(bool Editing) const {
    if (!area_) return std::nullopt;
    return Editing ? *area_ : TBufferSize{};
  }

  // Level cells across and down a back buffer shows at a zoom divisor, a
  // cell shown in part counted.
  static int32_t ColumnsShown(int32_t BufferWidth, int32_t Divisor);
  static int32_t RowsShown(int32_t BufferHeight, int32_t Divisor);
  // The view's top-left cell that puts a cell in the middle of a view of
  // Columns by Rows, as far as scrolling reaches.
  static TCellPoint CentredOrigin(int64_t Column, int64_t Row, int32_t Columns, int32_t Rows);

  // The overview map's place on its canvas (the window sets it) and the frame last drawn in it.
  TOverviewPlace OverviewPlace;
  TOverviewFrame OverviewShown;

 private:
  std::optional<TBufferSize> area_;
};

}  // namespace kestrilo

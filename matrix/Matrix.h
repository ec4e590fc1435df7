// The level matrix: 200 x 150 cells of 32 x 32 pixels with one main plane and
// four back planes, the view origin of the editor, the two level files, the
// collision queries of the preview, the overview map, deletion and the
// builders that turn the matrix into sprites.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "matrix/Footprint.h"
#include "matrix/MatrixCell.h"
#include "matrix/ObjectFactory.h"
#include "platform/FileSystem.h"
#include "platform/LoadOutcome.h"
#include "platform/ViewSize.h"

namespace kestrilo {

class TCanvas;
class TObjectDataBase;
class TProgressBar;
class TSprite;
class TSpriteEngine;

// A rectangle of cells, both corners included; empty when a last index lies
// before its first. Regions the matrix hands out are clipped to it.
struct TCellRegion {
  int32_t FirstColumn = 0;
  int32_t FirstRow = 0;
  int32_t LastColumn = -1;
  int32_t LastRow = -1;
  bool Empty() const { return LastColumn < FirstColumn || LastRow < FirstRow; }
  size_t CellCount() const {
    return Empty() ? 0
                   : static_cast<size_t>(LastColumn - FirstColumn + 1) * static_cast<size_t>(LastRow - FirstRow + 1);
  }
  bool Contains(int64_t Column, int64_t Row) const {
    return Column >= FirstColumn && Column <= LastColumn && Row >= FirstRow && Row <= LastRow;
  }
  bool operator==(const TCellRegion&) const = default;
};

// The directions the view scrolls in, as the scroll command takes them (a byte:
// any other value scrolls nowhere).
enum class TScrollDirection : uint8_t { Left = 0, Right = 1, Up = 2, Down = 3 };

class TMatrix {
 public:
  static constexpr int32_t kColumns = 200;
  static constexpr int32_t kRows = 150;
  static constexpr int32_t kCellCount = kColumns * kRows;
  static constexpr int32_t kMainPlane = 0;       // where objects block and are touched
  static constexpr int32_t kBackPlaneCount = 4;  // planes 1..4, drawn behind it
  static constexpr int32_t kPlaneCount = 1 + kBackPlaneCount;
  static constexpr int32_t kCellSize = 32;
  static constexpr int32_t kViewColumns = kViewWidth / kCellSize;  // 20
  static constexpr int32_t kViewRows = kViewHeight / kCellSize;    // 15
  // The plane value the world builders hand the factory for back plane p is
  // p times this (0 for the main plane); its sprites are drawn at Z = -value.
  static constexpr int32_t kPlaneValueStep = 10;

  using TColumnCells = std::array<TMatrixCell, kRows>;
  using TCellPlanes = std::array<int32_t, kBackPlaneCount>;

  // Create: a cleared matrix.
  TMatrix();

  // Main plane, column-major: Cells[x][y] for column x and row y.
  std::array<TColumnCells, kColumns> Cells;
  // Back planes: BackPlanes[x][y][plane - 1] for plane 1..4; <= 0 means nothing.
  std::array<std::array<TCellPlanes, kRows>, kColumns> BackPlanes;

  static bool IsInside(int64_t x, int64_t y) { return x >= 0 && x < kColumns && y >= 0 && y < kRows; }
  static bool IsMainPlane(int64_t plane) { return plane == kMainPlane; }
  static bool IsBackPlane(int64_t plane) { return plane >= 1 && plane <= kBackPlaneCount; }

  // Every cell empty, every back-plane entry -1, origin (0, 0).
  void Clear();

  // Places an object on the main plane at view pixel (X, Y) with its footprint
  // taken from the frame size of its picture (matrix/Footprint.h). The size is looked up before any
  // cell is written, so a missing picture places nothing.
  void PutObject(const TMatrixCell& Cell, double X, double Y, const TObjectDataBase& ObjectDataBase);
  // The same with the frame size already known (height first, as the
  // database reports it).
  void PutObjectSized(const TMatrixCell& Cell, double X, double Y, int32_t FrameHeight, int32_t FrameWidth);
  // Sets one back-plane entry at view pixel (X, Y); a plane outside 1..4 or a
  // cell outside the matrix is ignored.
  void PutBackObject(uint8_t Plane, int32_t ObjectNumber, double X, double Y);
  // Empties the main-plane cells of the footprint of a rectangle given in
  // world pixels.
  void ClearArea(int32_t X, int32_t Y, int32_t Width, int32_t Height);

  // Moves the view and the camera (the position of the sprite engine's root)
  // by one cell. At a limit nothing changes.
  void Scroll(TSprite& Root, TScrollDirection Direction);
  uint16_t GetOriginX() const { return OriginX; }
  uint16_t GetOriginY() const { return OriginY; }
  static constexpr uint16_t kMaxOriginX = kColumns - kViewColumns - 1;  // 179
  static constexpr uint16_t kMaxOriginY = kRows - kViewRows - 1;        // 134

  // Level files. SaveToFile writes the matrix file and its back-plane file as
  // a pair (platform/AtomicFileSet.h), replacing what is there: whether an
  // existing file may be replaced is the caller's question.
  void SaveToFile(const std::string& FileName, TFileSystem& Files = PosixFileSystem()) const;
  // Finishes or clears what an interrupted save of the pair left, then reads
  // both files after checking that both are there and long enough; a failure
  // leaves the matrix as it was. A missing matrix file is not read, with
  // "Нет файла с таким именем! <file>" as the outcome's message. Either bar
  // may be null.
  TLoadOutcome LoadFromFile(const std::string& FileName, TProgressBar* MainBar, TProgressBar* PlanesBar,
                            TFileSystem& Files = PosixFileSystem());

  // Collision queries over world pixels: true when every cell of the run along
  // the edge is empty. Cells outside the matrix answer false.
  bool IsLeftFree(int32_t Width, int32_t Height, double X, double Y) const;
  bool IsRightFree(int32_t Width, int32_t Height, double X, double Y) const;
  bool IsBelowFree(int32_t Width, int32_t Height, double X, double Y) const;
  bool IsTopFree(int32_t Width, double X, double Y) const;

  // The overview of the visible part for a plane, 6 x 6 pixels per cell with
  // its top-left corner at (Left, Top) of the canvas (the main window places it
  // at (662, 422)). Starts from the canvas's brush colour and leaves the last
  // colour in it.
  static constexpr int32_t kMiniMapLeft = 662;
  static constexpr int32_t kMiniMapTop = 422;
  static constexpr int32_t kMiniMapSquare = 6;
  // A larger view gives more Columns and Rows (cells past the level's edge
  // are left out) and may take smaller squares; squares under 4 pixels are
  // filled without their outline, which would cover them.
  void DrawMiniMap(TCanvas& Canvas, uint8_t Plane, int32_t Left = kMiniMapLeft, int32_t Top = kMiniMapTop,
                   int32_t Columns = kViewColumns, int32_t Rows = kViewRows, int32_t Square = kMiniMapSquare) const;

  // The matrix cell of a view pixel: truncated toward zero plus the view
  // origin; it may lie outside the matrix.
  int64_t ViewColumn(double X) const;
  int64_t ViewRow(double Y) const;
  // The cells a footprint with its top-left cell at (Column, Row) covers,
  // clipped to the matrix, as placing and erasing write them.
  static TCellRegion FootprintRegion(int64_t Column, int64_t Row, TFootprintSize Footprint);
  // A region's main-plane cells (all twelve bytes, padding included) or one
  // back plane's entries, column by column; and the same written back.
  std::vector<TMatrixCell> CopyCells(const TCellRegion& Region) const;
  void PasteCells(const TCellRegion& Region, const std::vector<TMatrixCell>& Source);
  std::vector<int32_t> CopyBackEntries(int32_t Plane, const TCellRegion& Region) const;
  void PasteBackEntries(int32_t Plane, const TCellRegion& Region, const std::vector<int32_t>& Source);

  // Empties the main-plane cells of a footprint whose top-left cell is
  // (Column, Row), clipped to the matrix. Erasing a placed object goes
  // through the level edits (world/LevelEdits.h), which also free its sprite.
  void EraseFootprint(int64_t Column, int64_t Row, TFootprintSize Footprint);

  // Turn the matrix into sprites under the engine's root through the factory:
  // the main plane (with each cell's lift height and key code), then the back
  // planes, column by column, top to bottom, plane 1 before plane 4.
  void BuildMainPlane(TSprite& Root, const TObjectDataBase& ObjectDataBase, const TObjectFactory& Factory) const;
  void BuildBackPlanes(TSprite& Root, const TObjectDataBase& ObjectDataBase, const TObjectFactory& Factory) const;

  // Puts the view at a given origin, limited to the range scrolling can reach.
  // The camera is not touched; callers that have sprites use Scroll.
  void SetOrigin(uint16_t X, uint16_t Y);

 private:
  // Writes `cell` over the cells of a footprint, clipped to the matrix.
  void FillFootprint(int64_t x0, int64_t y0, TFootprintSize footprint, const TMatrixCell& cell);

  uint16_t OriginX = 0;
  uint16_t OriginY = 0;
};

}  // namespace kestrilo

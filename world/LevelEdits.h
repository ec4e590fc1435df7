// The one place that changes the level as designed. Placing an object,
// erasing one, undoing and redoing either, and building the world anew from
// the design write the designed level, the played level and the sprite tree
// together, so that they never disagree about what the designer has put where.
//
// The designed level is what the designer edits and saves; the played level
// is what the world asks and changes while it plays (an opened door, a taken
// med kit empty their cells there only). An edit writes both.
#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "matrix/Matrix.h"

namespace kestrilo {

class TObjectDataBase;
class TPlacedSprites;
class TSprite;
class TSpriteEngine;
struct TGameContext;
struct TObjectRecord;

// What one edit did to one plane: the cells of a region before and after.
struct TLevelChange {
  int32_t Plane = TMatrix::kMainPlane;  // or a back plane, 1..4
  TCellRegion Region;
  std::vector<TMatrixCell> CellsBefore, CellsAfter;  // the main plane
  std::vector<int32_t> EntriesBefore, EntriesAfter;  // a back plane
  // A placement whose cells were written but whose sprite could not be made
  // (its picture is missing) keeps the error here, to be raised once the
  // change has been recorded.
  std::exception_ptr SpriteError;
  bool Empty() const { return Region.Empty(); }
};

// What a click to erase came to.
enum class TEraseOutcome {
  Erased,            // an object of the plane went
  NothingThere,      // no sprite under the pixel: nothing to tell
  NotOnPlane,        // what is under the pixel is not on the plane
  BackgroundErased,  // the level's background went (a click into the view's top-left cell)
  BackgroundKept,    // the background was clicked on its plane outside the view's top-left cell
};

struct TErasure {
  TEraseOutcome Outcome = TEraseOutcome::NothingThere;
  TLevelChange Change;     // what went; empty when nothing did
  int32_t ViewColumn = 0;  // the view column clicked
  // The plane of the object under the pixel when it is not the plane asked
  // for (NotOnPlane), -1 when that is not known.
  int32_t HeldOnPlane = -1;
  // What the designer is told of it: "В матрице нет объекта на данном плане.
  // Смените ось Z!" when nothing of the plane is there, "TX = <view column>"
  // when the background was clicked on its plane.
  std::vector<std::string> Notices() const;
};

class TLevelEdits {
 public:
  TLevelEdits(TMatrix& Designed, TMatrix& Played, TSpriteEngine& Root, TPlacedSprites& Placed,
              const TObjectDataBase* Library = nullptr);
  // The edits of a context: its designed level (its played level when it keeps
  // no separate design), played level, sprite tree, placed sprites and library.
  static TLevelEdits Of(TGameContext& Context);

  // Places Record at view pixel (ViewX, ViewY), already snapped to the grid, on
  // Plane (0 the main plane with the footprint of its picture, 1..4 a back
  // plane), with the record's LiftHeight and KeyCode stored in its cells, and
  // makes its sprite at the matching world position. The sprites of an object
  // whose anchor the placement overwrites go. A missing picture places nothing
  // on the main plane and throws EPictureCollectionError.
  TLevelChange Place(const TObjectRecord& Record, int32_t ViewX, int32_t ViewY, int32_t Plane,
                     const TObjectDataBase& Library);

  // Erases the object under view pixel (ViewX, ViewY) from Plane and queues its
  // sprites for removal. Nothing under the pixel does nothing; an object that
  // is not on Plane is refused, and the outcome says why.
  TErasure EraseAt(int32_t ViewX, int32_t ViewY, int32_t Plane);

  // Puts a change's cells back as they were (Undo) or as it left them (Redo),
  // and makes the sprites of the objects whose anchors changed match. Returns
  // the message of the first sprite that could not be made, empty when all were.
  std::string Undo(const TLevelChange& Change) { return Write(Change, false); }
  // Writes the given cells (the main plane) or entries (a back plane) over a
  // region of both levels, with the sprites of the anchors that change, as
  // undoing and redoing do. Region edits (strokes, pastes, moves, fills) are
  // built on it. The message of the first sprite that could not be made goes
  // to SpriteMessage when given.
  TLevelChange WriteCells(const TCellRegion& Region, std::vector<TMatrixCell> Cells,
                          std::string* SpriteMessage = nullptr);
  TLevelChange WriteEntries(int32_t Plane, const TCellRegion& Region, std::vector<int32_t> Entries,
                            std::string* SpriteMessage = nullptr);
  std::string Redo(const TLevelChange& Change) { return Write(Change, true); }

  // The world built anew from the level as designed: every sprite but the
  // root's first child and the players is queued for removal, the played level
  // becomes the designed one again (the view stays where it is) and the
  // objects' sprites are made as a load makes them.
  void RebuildWorld();

 private:
  std::string Write(const TLevelChange& Change, bool After);
  // Makes and files the sprite of the object anchored at a cell of the
  // designed level, if one is.
  void BuildAnchor(int32_t Plane, int32_t Column, int32_t Row);
  TSprite* MakeSprite(const TObjectRecord& Record, int32_t Plane, int32_t Column, int32_t Row, double X, double Y);

  TMatrix& designed_;
  TMatrix& played_;
  TSpriteEngine& root_;
  TPlacedSprites& placed_;
  const TObjectDataBase* library_;
};

}  // namespace kestrilo

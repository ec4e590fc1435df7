// A spatial index over the root's children, so that drawing and collision
// checks look only at the sprites near a rectangle instead of walking the
// whole tree. It gives candidates only: every candidate is then tested
// exactly as the full walk would test it, so the results do not change. A
// grid child that does not overlap the rectangle is left out, which changes
// nothing either: the full walk would pass over it.
//
// A child sits in a grid cell while its bounds are known: it has no children,
// its bounds follow from its own fields, it is small and within the grid.
// A placed child (never seen moving) is filed under its bounds as first seen
// and stays there while they stay within a small tolerance (the tolerance
// absorbs the pixel that truncation adds or takes as a fractional camera
// moves; queries are widened to match). A child seen moving once is filed
// under its bounds as they are at every check from then on. Every other child
// (large, far away, or with children of its own) is kept in the "always" list
// and is a candidate for every query.
//
// Placed children are packed: once many have been filed, they are moved out
// of their cells' own lists into one array ordered by cell, so that a query
// reads each row of cells it covers as one stretch of memory. A packed child
// that leaves its cell leaves a hole there and goes to the cells' own lists.
//
// A grid child's bounds are trusted until one of its X, Y, Width, Height is
// written: the write marks it (WatchedField.h), and the engine checks every
// marked child before the index answers the next query. A new child is marked
// the same way, so it is filed before any query sees it. A child in the always
// list is checked again after its own step, in case it has become small or
// come near. Bounds relative to the camera do not change when the camera moves
// by whole pixels, and by at most a pixel when it moves by fractions, which
// the queries' margin absorbs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Rect.h"

namespace kestrilo {

class TSprite;
class TSpriteEngine;

// A candidate of a query with its order among the root's children, kept in the
// index so that ordering the candidates reads no sprite.
struct TIndexHit {
  TSprite* Sprite;
  uint64_t AttachSeq;
};

class TSpriteIndex {
 public:
  explicit TSpriteIndex(TSpriteEngine& Root) : root_(Root) {}

  // A new child of the root, filed nowhere until it is validated: the engine
  // validates every new child before the next query (or, while it walks the
  // whole tree, every child once it stops).
  void Added(TSprite* Sprite);
  void Removed(TSprite* Sprite);
  // A child that gained children is walked whole by every query.
  void MakeAlways(TSprite* Sprite);
  void Validate(TSprite* Sprite);
  // Packs the placed children when enough have been filed or left since the
  // last packing, else files the few new ones in their cells' lists; not
  // from inside Gather.
  void PackIfWorthIt();
  // Room for Count new placed children waiting to be packed, so that a
  // level's worth is filed without regrowing.
  void ReserveForNew(size_t Count) {
    pending_.reserve(Count);
    pendingCells_.reserve(Count);
  }

  // The grid children whose bounds overlap Rect (view coordinates), with every
  // always-list child. The always-list children come first, in Children order.
  void Gather(const TRect& Rect, std::vector<TIndexHit>& Out) const;
  // Increases whenever a child leaves, so that walks know their lists went stale.
  uint64_t Removals() const { return removals_; }

  // Children in the grid, and among them those never seen moving.
  int32_t GridCount() const { return gridCount_; }
  int32_t PlacedCount() const { return placedCount_; }
  int32_t AlwaysCount() const { return static_cast<int32_t>(always_.size() - alwaysHoles_); }
  // Children in the packed array.
  int32_t PackedCount() const { return static_cast<int32_t>(packedSprites_.size() - packedHoles_); }
  // How far the packed sprites reach beyond their cells, right and down.
  int64_t PackedOverhangX() const { return packedOver_.X; }
  int64_t PackedOverhangY() const { return packedOver_.Y; }

  // Cells of 32 pixels hold sprites up to two cells wide and high, filed by
  // their top-left corner; the grid reaches well beyond the largest level.
  static constexpr int32_t kCell = 32;
  static constexpr int32_t kMaxSize = 2 * kCell;
  static constexpr int32_t kOrigin = -4096;
  static constexpr int32_t kColumns = 512;
  static constexpr int32_t kRows = 384;

 private:
  TRect LocalBounds(TSprite* Sprite) const;
  static int32_t CellOf(const TRect& Local);
  void Unlink(TSprite* Sprite);
  void PutAlways(TSprite* Sprite);
  void PutInCell(TSprite* Sprite, int32_t Cell);

  TSpriteEngine& root_;
  // Kept in Children order (attachment numbers ascending), so that a check
  // need not sort the movers again; leavers leave holes (nullptr) until the
  // next Gather tidies the list.
  void TidyAlways() const;
  mutable std::vector<TSprite*> always_;
  mutable size_t alwaysHoles_ = 0;
  mutable bool alwaysSorted_ = true;
  uint64_t lastAlwaysSeq_ = 0;
  // A grid sprite with a copy of the fields its bounds follow from, kept up to
  // date by the writes the engine hears of, so that a query tests it exactly
  // without reading the sprite.
  struct TCellEntry {
    double X, Y;
    int32_t Width, Height;
    TSprite* Sprite;
    uint64_t AttachSeq;
  };
  static TCellEntry EntryOf(TSprite* Sprite);
  static bool InGrid(const TSprite* Sprite);  // in a cell's list, packed or pending
  // Files a sprite whose cell is set in its cell's own list.
  void AppendToCellList(TSprite* Sprite);
  // Brings a filed sprite's copy of its fields up to date where it is filed.
  void Refresh(TSprite* Sprite);
  void Pack();
  void ScanLoose(int64_t Row, int64_t FirstColumn, int64_t LastColumn, const TRect& Rect,
                 std::vector<TIndexHit>& Out) const;

  // The cells' own lists, made on first use, with a bit per cell that says
  // whether its list holds anything (queries skip empty lists unread).
  std::vector<std::vector<TCellEntry>> cells_;
  std::vector<uint64_t> occupied_;
  int32_t loosePlaced_ = 0;  // children never seen moving in the cells' own lists
  // The packed children: cell k's are at packedStart_[k] .. packedStart_[k + 1]
  // of two arrays, the fields a query tests for every candidate and, apart,
  // the sprite (none for a hole) that only candidates that overlap need.
  struct TPackedBounds {
    double X, Y;
    int32_t Width, Height;
  };
  struct TPackedSprite {
    TSprite* Sprite;
    uint64_t AttachSeq;
  };
  std::vector<uint32_t> packedStart_;
  // Placed children filed since the index last settled, in no cell's list
  // yet: a level's worth of them is packed at once, without each cell's list
  // growing first, and a few go to their cells' lists. Their fields are read
  // from them then (a write to them files them again first), so that a
  // level's worth is listed in little memory.
  std::vector<TSprite*> pending_;
  std::vector<int32_t> pendingCells_;  // their cells, so that packing reads no sprite to count them
  std::vector<TPackedBounds> packedBounds_;
  std::vector<TPackedSprite> packedSprites_;
  size_t packedHoles_ = 0;
  // How far beyond the right and bottom edges of its cell any sprite filed so
  // far reaches, for the cells' own lists and for the packed array apart: a
  // query looks back into the cells before its corner only that far. Placed
  // sprites aligned to the cells reach no further than their cell.
  struct TOverhang {
    int64_t X = 0, Y = 0;
    void Grow(const TRect& Snapshot, int32_t Cell);
    void Grow(const TOverhang& Other);
  };
  TOverhang looseOver_, packedOver_, pendingOver_;
  int32_t gridCount_ = 0;
  int32_t placedCount_ = 0;
  uint64_t removals_ = 0;
};

}  // namespace kestrilo

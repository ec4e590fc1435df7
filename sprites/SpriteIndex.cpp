#include "sprites/SpriteIndex.h"

#include <algorithm>
#include <bit>

#include "sprites/SpriteEngine.h"

namespace kestrilo {

namespace {

// Bounds relative to the camera are trunc(x + camera) - trunc(camera), which
// wobbles by up to two pixels as a fractional camera moves although the sprite
// stays put. A sprite within this of its snapshot counts as unmoved.
constexpr int64_t kTolerance = 2;
// A grid sprite's bounds now may differ from its snapshot by the tolerance at its
// last validation plus the wobble since: queries widen by this.
constexpr int32_t kMargin = 2 * kTolerance + 1;

bool Near(const TRect& a, const TRect& b) {
  auto near = [](int32_t p, int32_t q) {
    const int64_t d = static_cast<int64_t>(p) - q;
    return -kTolerance <= d && d <= kTolerance;
  };
  return near(a.Left, b.Left) && near(a.Top, b.Top) && near(a.Right, b.Right) && near(a.Bottom, b.Bottom);
}

TRect Shift(const TRect& r, int64_t dx, int64_t dy) {
  return {ClampToInt32(r.Left + dx), ClampToInt32(r.Top + dy), ClampToInt32(r.Right + dx), ClampToInt32(r.Bottom + dy)};
}

}  // namespace

TRect TSpriteIndex::LocalBounds(TSprite* Sprite) const {
  return Shift(Sprite->GetBounds(), -static_cast<int64_t>(TruncToInt32(root_.X)),
               -static_cast<int64_t>(TruncToInt32(root_.Y)));
}

TSpriteIndex::TCellEntry TSpriteIndex::EntryOf(TSprite* Sprite) {
  return {Sprite->X, Sprite->Y, Sprite->Width, Sprite->Height, Sprite, Sprite->index_.AttachSeq};
}

// The cell of a small rectangle's corner, or -1 when it does not belong in the grid.
int32_t TSpriteIndex::CellOf(const TRect& Local) {
  const int64_t w = static_cast<int64_t>(Local.Right) - Local.Left;
  const int64_t h = static_cast<int64_t>(Local.Bottom) - Local.Top;
  if (w < 0 || h < 0 || w > kMaxSize || h > kMaxSize) return -1;
  const int64_t cx = (static_cast<int64_t>(Local.Left) - kOrigin) / kCell;
  const int64_t cy = (static_cast<int64_t>(Local.Top) - kOrigin) / kCell;
  if (Local.Left < kOrigin || Local.Top < kOrigin || cx >= kColumns || cy >= kRows) return -1;
  return static_cast<int32_t>(cy * kColumns + cx);
}

void TSpriteIndex::Unlink(TSprite* Sprite) {
  auto& e = Sprite->index_;
  if (e.Where == TSprite::TIndexEntry::kAlways) {
    always_[static_cast<size_t>(e.Slot)] = nullptr;
    ++alwaysHoles_;
  } else if (e.Where == TSprite::TIndexEntry::kGrid) {
    auto& cell = cells_[static_cast<size_t>(e.Cell)];
    const TCellEntry last = cell.back();
    cell[static_cast<size_t>(e.Slot)] = last;
    last.Sprite->index_.Slot = e.Slot;
    cell.pop_back();
    if (cell.empty()) occupied_[static_cast<size_t>(e.Cell) >> 6] &= ~(uint64_t{1} << (e.Cell & 63));
    --gridCount_;
    if (!e.EverMoved) {
      --placedCount_;
      --loosePlaced_;
    }
  } else if (e.Where == TSprite::TIndexEntry::kPending) {
    TSprite* last = pending_.back();
    pending_[static_cast<size_t>(e.Slot)] = last;
    pendingCells_[static_cast<size_t>(e.Slot)] = pendingCells_.back();
    last->index_.Slot = e.Slot;
    pending_.pop_back();
    pendingCells_.pop_back();
    --gridCount_;
    if (!e.EverMoved) --placedCount_;
  } else if (e.Where == TSprite::TIndexEntry::kPacked) {
    packedSprites_[static_cast<size_t>(e.Slot)].Sprite = nullptr;
    ++packedHoles_;
    --gridCount_;
    if (!e.EverMoved) --placedCount_;
  }
  e.Where = TSprite::TIndexEntry::kNowhere;
  e.Cell = e.Slot = -1;
  Sprite->watch_ &= static_cast<uint8_t>(~TSprite::kWatchInGrid);
}

void TSpriteIndex::Refresh(TSprite* Sprite) {
  const auto& e = Sprite->index_;
  if (e.Where == TSprite::TIndexEntry::kPacked)
    packedBounds_[static_cast<size_t>(e.Slot)] = {Sprite->X, Sprite->Y, Sprite->Width, Sprite->Height};
  else if (e.Where == TSprite::TIndexEntry::kPending)
    return;  // its fields are read when it is packed
  else
    cells_[static_cast<size_t>(e.Cell)][static_cast<size_t>(e.Slot)] = EntryOf(Sprite);
}

void TSpriteIndex::PutAlways(TSprite* Sprite) {
  auto& e = Sprite->index_;
  if (e.Where == TSprite::TIndexEntry::kAlways) return;
  Unlink(Sprite);
  e.Where = TSprite::TIndexEntry::kAlways;
  e.Slot = static_cast<int32_t>(always_.size());
  // New children come last; a placed child that starts moving needs a re-sort.
  if (!always_.empty() && e.AttachSeq < lastAlwaysSeq_) alwaysSorted_ = false;
  lastAlwaysSeq_ = std::max(lastAlwaysSeq_, e.AttachSeq);
  always_.push_back(Sprite);
}

void TSpriteIndex::TidyAlways() const {
  if (alwaysHoles_ == 0 && alwaysSorted_) return;
  // Only the entries behind the first change get new slots.
  size_t first = 0;
  if (alwaysSorted_) {
    first = static_cast<size_t>(std::find(always_.begin(), always_.end(), nullptr) - always_.begin());
    always_.erase(std::remove(always_.begin() + static_cast<std::ptrdiff_t>(first), always_.end(), nullptr),
                  always_.end());
  } else {
    std::erase(always_, nullptr);
    std::sort(always_.begin(), always_.end(),
              [](const TSprite* a, const TSprite* b) { return a->index_.AttachSeq < b->index_.AttachSeq; });
  }
  for (size_t i = first; i < always_.size(); ++i) always_[i]->index_.Slot = static_cast<int32_t>(i);
  alwaysHoles_ = 0;
  alwaysSorted_ = true;
}

void TSpriteIndex::TOverhang::Grow(const TRect& Snapshot, int32_t Cell) {
  const int64_t cellRight = kOrigin + static_cast<int64_t>(Cell % kColumns + 1) * kCell;
  const int64_t cellBottom = kOrigin + static_cast<int64_t>(Cell / kColumns + 1) * kCell;
  X = std::max(X, Snapshot.Right - cellRight);
  Y = std::max(Y, Snapshot.Bottom - cellBottom);
}

void TSpriteIndex::TOverhang::Grow(const TOverhang& Other) {
  X = std::max(X, Other.X);
  Y = std::max(Y, Other.Y);
}

bool TSpriteIndex::InGrid(const TSprite* Sprite) {
  const auto where = Sprite->index_.Where;
  return where == TSprite::TIndexEntry::kGrid || where == TSprite::TIndexEntry::kPacked ||
         where == TSprite::TIndexEntry::kPending;
}

void TSpriteIndex::PutInCell(TSprite* Sprite, int32_t Cell) {
  auto& e = Sprite->index_;
  if (InGrid(Sprite) && e.Cell == Cell) {
    Refresh(Sprite);
    if (e.Where != TSprite::TIndexEntry::kPending)
      (e.Where == TSprite::TIndexEntry::kPacked ? packedOver_ : looseOver_).Grow(e.Snapshot, Cell);
    return;
  }
  Unlink(Sprite);
  ++gridCount_;
  Sprite->watch_ |= TSprite::kWatchInGrid;  // from now on a write to its bounds is heard
  e.Cell = Cell;
  if (!e.EverMoved) {
    ++placedCount_;
    e.Where = TSprite::TIndexEntry::kPending;
    e.Slot = static_cast<int32_t>(pending_.size());
    pending_.push_back(Sprite);
    pendingCells_.push_back(Cell);
    pendingOver_.Grow(e.Snapshot, Cell);
    return;
  }
  AppendToCellList(Sprite);
}

void TSpriteIndex::AppendToCellList(TSprite* Sprite) {
  auto& e = Sprite->index_;
  if (cells_.empty()) {
    cells_.resize(static_cast<size_t>(kColumns) * kRows);
    occupied_.assign(cells_.size() / 64, 0);
  }
  auto& cell = cells_[static_cast<size_t>(e.Cell)];
  occupied_[static_cast<size_t>(e.Cell) >> 6] |= uint64_t{1} << (e.Cell & 63);
  e.Where = TSprite::TIndexEntry::kGrid;
  e.Slot = static_cast<int32_t>(cell.size());
  cell.push_back(EntryOf(Sprite));
  looseOver_.Grow(e.Snapshot, e.Cell);
  if (!e.EverMoved) ++loosePlaced_;
}

void TSpriteIndex::Added(TSprite* Sprite) {
  Unlink(Sprite);
  Sprite->index_.HasSnapshot = false;
  Sprite->index_.EverMoved = false;
}

void TSpriteIndex::Removed(TSprite* Sprite) {
  Unlink(Sprite);
  ++removals_;
}

void TSpriteIndex::MakeAlways(TSprite* Sprite) { PutAlways(Sprite); }

void TSpriteIndex::Validate(TSprite* Sprite) {
  auto& e = Sprite->index_;
  // Bounds that follow more than the sprite's own fields are never trusted.
  if (Sprite->ChildCount() > 0 || !Sprite->boundsFromFields_) {
    PutAlways(Sprite);
    return;
  }
  const TRect local = LocalBounds(Sprite);
  if (!e.HasSnapshot) {
    // New: placed where it is first seen. Should it move later, the write
    // brings it here again.
    e.HasSnapshot = true;
    e.Snapshot = local;
    const int32_t cell = CellOf(local);
    if (cell < 0)
      PutAlways(Sprite);
    else
      PutInCell(Sprite, cell);
    return;
  }
  if (!e.EverMoved && Near(local, e.Snapshot)) {
    // A placed object that stays where it is. The snapshot stays as first
    // taken, so that small steps add up to a move.
    if (InGrid(Sprite)) {
      Refresh(Sprite);
      return;
    }
    const int32_t cell = CellOf(e.Snapshot);
    if (cell < 0)
      PutAlways(Sprite);
    else
      PutInCell(Sprite, cell);
    return;
  }
  // A moving sprite is filed under where it is now; every write to its bounds
  // files it again before the next query.
  if (!e.EverMoved && (e.Where == TSprite::TIndexEntry::kPacked || e.Where == TSprite::TIndexEntry::kPending)) {
    // Leaves the packed array, whose look-back stays that of still sprites.
    Unlink(Sprite);
  } else if (!e.EverMoved && e.Where == TSprite::TIndexEntry::kGrid) {
    --placedCount_;
    --loosePlaced_;
  }
  e.EverMoved = true;
  e.Snapshot = local;
  const int32_t cell = CellOf(local);
  if (cell < 0)
    PutAlways(Sprite);
  else
    PutInCell(Sprite, cell);
}

void TSpriteIndex::Gather(const TRect& Rect, std::vector<TIndexHit>& Out) const {
  TidyAlways();
  for (TSprite* s : always_) Out.push_back({s, s->index_.AttachSeq});
  if (gridCount_ == 0) return;
  const TRect q = Shift(Rect, -static_cast<int64_t>(TruncToInt32(root_.X)) - kMargin,
                        -static_cast<int64_t>(TruncToInt32(root_.Y)) - kMargin);
  const TRect query{q.Left, q.Top, ClampToInt32(static_cast<int64_t>(q.Right) + 2 * kMargin),
                    ClampToInt32(static_cast<int64_t>(q.Bottom) + 2 * kMargin)};
  if (query.Right <= query.Left || query.Bottom <= query.Top) return;
  // A cell holds the sprites whose corner lies in it; a sprite in an earlier
  // column reaches the query only if its cell's right edge plus the overhang
  // lies beyond the query's left edge (rows alike).
  const double cameraX = root_.X, cameraY = root_.Y;
  auto column = [](int64_t x) { return FloorDiv(x - kOrigin, kCell); };
  auto firstReaching = [&](int64_t edge, int64_t over) {
    return std::max<int64_t>(0, column(edge - kCell - over) + 1);
  };
  const int64_t c1 = std::min<int64_t>(kColumns - 1, column(static_cast<int64_t>(query.Right) - 1));
  const int64_t r1 = std::min<int64_t>(kRows - 1, column(static_cast<int64_t>(query.Bottom) - 1));
  const int64_t pc0 = firstReaching(query.Left, packedOver_.X), pr0 = firstReaching(query.Top, packedOver_.Y);
  const int64_t lc0 = firstReaching(query.Left, looseOver_.X), lr0 = firstReaching(query.Top, looseOver_.Y);
  const int64_t r0 = std::min(pr0, lr0);
  // The rows' stretches of packed entries lie far apart: ask for all of them
  // before reading any, so that their fetches overlap.
  constexpr int64_t kPrefetchRows = 8;
  const bool packed = !packedSprites_.empty() && pc0 <= c1;
  if (packed && r1 - pr0 < kPrefetchRows) {
    for (int64_t r = pr0; r <= r1; ++r) __builtin_prefetch(&packedStart_[static_cast<size_t>(r * kColumns + pc0)]);
    for (int64_t r = pr0; r <= r1; ++r) {
      const uint32_t first = packedStart_[static_cast<size_t>(r * kColumns + pc0)];
      if (first < packedBounds_.size()) __builtin_prefetch(&packedBounds_[first]);
    }
  }
  // Settled before every query; should one come first, its few are tested one by one.
  for (TSprite* sprite : pending_)
    if (OverlapRect(TSprite::BoundsAt(sprite->X + cameraX, sprite->Y + cameraY, sprite->Width, sprite->Height), Rect))
      Out.push_back({sprite, sprite->index_.AttachSeq});
  for (int64_t r = r0; r <= r1; ++r) {
    // The sprite's bounds exactly as it would give them now: one that does
    // not overlap would be passed over by the full walk anyway.
    if (packed && r >= pr0) {
      const size_t rowStart = static_cast<size_t>(r * kColumns);
      const uint32_t end = packedStart_[rowStart + static_cast<size_t>(c1) + 1];
      for (uint32_t i = packedStart_[rowStart + static_cast<size_t>(pc0)]; i < end; ++i) {
        const TPackedBounds& b = packedBounds_[i];
        if (OverlapRect(TSprite::BoundsAt(b.X + cameraX, b.Y + cameraY, b.Width, b.Height), Rect)) {
          const TPackedSprite& packedSprite = packedSprites_[i];
          if (packedSprite.Sprite) Out.push_back({packedSprite.Sprite, packedSprite.AttachSeq});
        }
      }
    }
    if (!cells_.empty() && r >= lr0) ScanLoose(r, lc0, c1, Rect, Out);
  }
}

void TSpriteIndex::ScanLoose(int64_t Row, int64_t FirstColumn, int64_t LastColumn, const TRect& Rect,
                             std::vector<TIndexHit>& Out) const {
  const double cameraX = root_.X, cameraY = root_.Y;
  for (int64_t c = FirstColumn; c <= LastColumn; ++c) {
    const auto k = static_cast<size_t>(Row * kColumns + c);
    if (!(occupied_[k >> 6] & (uint64_t{1} << (k & 63)))) continue;
    for (const TCellEntry& entry : cells_[k]) {
      if (OverlapRect(TSprite::BoundsAt(entry.X + cameraX, entry.Y + cameraY, entry.Width, entry.Height), Rect))
        Out.push_back({entry.Sprite, entry.AttachSeq});
    }
  }
}

void TSpriteIndex::PackIfWorthIt() {
  // Packing costs a pass over every grid child and cell: worth it after a
  // level's worth of placements or removals, not after one edit.
  constexpr size_t kFew = 64;
  const size_t fresh = static_cast<size_t>(loosePlaced_) + pending_.size();
  const size_t live = packedSprites_.size() - packedHoles_;
  if ((fresh >= kFew && fresh * 8 >= live) || (packedHoles_ >= kFew && packedHoles_ * 4 >= packedSprites_.size())) {
    Pack();
    return;
  }
  for (TSprite* sprite : pending_) AppendToCellList(sprite);
  pending_.clear();
  pendingCells_.clear();
  pendingOver_ = {};
}

void TSpriteIndex::Pack() {
  const size_t cellCount = static_cast<size_t>(kColumns) * kRows;
  // Counted by cell, then placed: the packed children already there, then
  // those never seen moving from the cells' own lists.
  std::vector<uint32_t> start(cellCount + 1, 0);
  // The cells of the packed children follow from their places in the array.
  auto forEachPacked = [&](auto&& visit) {
    if (packedSprites_.empty()) return;
    for (size_t k = 0; k < cellCount; ++k)
      for (uint32_t i = packedStart_[k]; i < packedStart_[k + 1]; ++i)
        if (packedSprites_[i].Sprite) visit(i, k);
  };
  forEachPacked([&](uint32_t, size_t k) { ++start[k + 1]; });
  for (const int32_t cell : pendingCells_) ++start[static_cast<size_t>(cell) + 1];
  auto forEachLooseCell = [&](auto&& visit) {
    for (size_t word = 0; word < occupied_.size(); ++word)
      for (uint64_t bits = occupied_[word]; bits != 0; bits &= bits - 1)
        visit(word * 64 + static_cast<size_t>(std::countr_zero(bits)));
  };
  forEachLooseCell([&](size_t k) {
    for (const TCellEntry& entry : cells_[k])
      if (!entry.Sprite->index_.EverMoved) ++start[k + 1];
  });
  for (size_t k = 0; k < cellCount; ++k) start[k + 1] += start[k];

  std::vector<TPackedBounds> bounds(start[cellCount]);
  std::vector<TPackedSprite> sprites(start[cellCount]);
  std::vector<uint32_t> next(start.begin(), start.end() - 1);
  auto place = [&](const TPackedBounds& b, const TPackedSprite& sprite, size_t k) {
    const uint32_t slot = next[k]++;
    bounds[slot] = b;
    sprites[slot] = sprite;
    auto& e = sprite.Sprite->index_;
    e.Where = TSprite::TIndexEntry::kPacked;
    e.Slot = static_cast<int32_t>(slot);
  };
  forEachPacked([&](uint32_t i, size_t k) { place(packedBounds_[i], packedSprites_[i], k); });
  // In the order they were filed, which for a level's worth is the order
  // they were made in, so that their fields are read one after another.
  for (size_t i = 0; i < pending_.size(); ++i) {
    TSprite* sprite = pending_[i];
    place({sprite->X, sprite->Y, sprite->Width, sprite->Height}, {sprite, sprite->index_.AttachSeq},
          static_cast<size_t>(pendingCells_[i]));
  }
  packedOver_.Grow(pendingOver_);
  pending_.clear();
  pendingCells_.clear();
  pendingOver_ = {};
  forEachLooseCell([&](size_t k) {
    auto& cell = cells_[k];
    size_t kept = 0;
    for (const TCellEntry& entry : cell) {
      if (!entry.Sprite->index_.EverMoved) {
        place({entry.X, entry.Y, entry.Width, entry.Height}, {entry.Sprite, entry.AttachSeq}, k);
        packedOver_.Grow(entry.Sprite->index_.Snapshot, static_cast<int32_t>(k));
      } else {
        entry.Sprite->index_.Slot = static_cast<int32_t>(kept);
        cell[kept++] = entry;
      }
    }
    cell.resize(kept);
    if (kept == 0) {
      std::vector<TCellEntry>().swap(cell);
      occupied_[k >> 6] &= ~(uint64_t{1} << (k & 63));
    }
  });
  packedBounds_.swap(bounds);
  packedSprites_.swap(sprites);
  packedStart_.swap(start);
  packedHoles_ = 0;
  loosePlaced_ = 0;
}

}  // namespace kestrilo

#include "sprites/SpriteEngine.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "platform/Surface.h"
#include "sprites/ImageSprite.h"

namespace kestrilo {

TSpriteEngine::TSpriteEngine(TSprite* Parent) : TSprite(Parent) {
  asEngine_ = this;
  isEngine_ = true;
}

TSpriteEngine::~TSpriteEngine() {
  // The sprites reach back into the engine while they are freed, so they go
  // while the engine is still whole.
  ClearChildren();
  DeadSprites.clear();
}

void TSpriteEngine::SetSurface(TSurface* Value) {
  Surface = Value;
  if (Surface) {
    ViewRect = Surface->ClientRect();
    Width = Surface->Width();
    Height = Surface->Height();
  }
}

void TSpriteEngine::RemoveDead() {
  while (!DeadSprites.empty()) {
    const size_t before = DeadSprites.size();
    delete DeadSprites.back();
    // The destructor takes the sprite out of the queue; should its dead mark have
    // been cleared by hand, drop the entry here so the loop still ends.
    if (DeadSprites.size() == before) DeadSprites.pop_back();
  }
}

void TSpriteEngine::DrawAll() {
  if (!Parent && IndexReady())
    DrawIndexed();
  else
    Draw();
}

namespace {

// A candidate with its place in the order a query visits, read from the sprite
// once, so that sorting does not go back to the sprites.
struct TOrdered {
  int64_t Major;
  uint64_t Minor;
  TSprite* Sprite;
  bool operator<(const TOrdered& other) const {
    return Major != other.Major ? Major < other.Major : Minor < other.Minor;
  }
  bool operator==(const TOrdered&) const = default;
};

}  // namespace

// The lists of one query, kept from one query to the next so that queries
// allocate nothing; a reaction inside a query may start another, which gets its own.
struct TSpriteEngine::TQueryScratch {
  std::vector<TIndexHit> Found;
  std::vector<TOrdered> Ordered;
  std::vector<TOrdered> Merged;
  // The drawing query's candidates as last gathered, before and after sorting:
  // the same candidates with the same keys sort the same, so a frame whose
  // view shows what the last one showed takes the order over.
  std::vector<TOrdered> DrawnUnsorted, DrawnSorted;
};

namespace {

class TBorrowedScratch {
 public:
  TBorrowedScratch(std::vector<std::unique_ptr<TSpriteEngine::TQueryScratch>>& Pool, size_t& Depth) : depth_(Depth) {
    if (Pool.size() <= Depth) Pool.push_back(std::make_unique<TSpriteEngine::TQueryScratch>());
    scratch_ = Pool[Depth++].get();
  }
  ~TBorrowedScratch() { --depth_; }
  TBorrowedScratch(const TBorrowedScratch&) = delete;
  TBorrowedScratch& operator=(const TBorrowedScratch&) = delete;
  TSpriteEngine::TQueryScratch& operator*() const { return *scratch_; }

 private:
  size_t& depth_;
  TSpriteEngine::TQueryScratch* scratch_;
};

}  // namespace

void TSpriteEngine::MoveChildren(int32_t MoveCount) {
  if (UseReferenceAlgorithms) {
    StopSkipping();
    indexValidated_ = false;
    MoveEveryChild(MoveCount);
    return;
  }
  if (!skipping_) StartSkipping();
  indexValidated_ = true;
  MoveAwakeChildren(MoveCount);
}

void TSpriteEngine::MoveEveryChild(int32_t MoveCount) {
  // Sprites attached during the pass lie beyond the counted range and step next tick.
  const int32_t n = ChildCount();
  for (int32_t i = 0; i < n && i < ChildCount(); ++i) children_[static_cast<size_t>(i)]->Move(MoveCount);
}

void TSpriteEngine::MoveAwakeChildren(int32_t MoveCount) {
  // Sprites attached during the pass lie beyond the counted range and step next tick.
  // The shared animations step first; their followers show the step only
  // once the pass reaches their place.
  clocks_.Step(MoveCount);
  steppedBelow_ = 0;
  awake_.BeginPass(nextSeq_);
  while (TSprite* child = awake_.Next()) {
    const uint64_t removals = index_.Removals();
    const uint64_t seq = child->index_.AttachSeq;
    if (child->ChildCount() == 0 && child->StepIsIdle()) {
      // A step that would change nothing is left out (a level's worth of
      // new placed objects, for one): the child rests at once.
      steppedBelow_ = seq + 1;
      AfterStep(child);
      continue;
    }
    steppedBelow_ = seq;
    child->Move(MoveCount);
    steppedBelow_ = seq + 1;
    // A child freed in its own step (which only MarkDead should do) is gone.
    if (index_.Removals() != removals && !awake_.CurrentPresent()) continue;
    AfterStep(child);
  }
  awake_.EndPass();
  steppedBelow_ = UINT64_MAX;
  // The index is settled between ticks too, so that it never holds stale bounds for long.
  ValidateDirty();
}

void TSpriteEngine::AfterStep(TSprite* Child) {
  if (!(Child->watch_ & TSprite::kWatchInGrid)) index_.Validate(Child);
  if (Child->ChildCount() != 0) return;
  if (Child->StepIsIdle()) {
    awake_.RestCurrent();
    Child->watch_ |= TSprite::kWatchResting;
  } else if (TImageSprite* picture = Child->LoopingPicture(); picture && Child->CanMove) {
    Follow(*picture);
    awake_.RestCurrent();
    Child->watch_ |= TSprite::kWatchResting;
  }
}

void TSpriteEngine::Follow(TImageSprite& Child) {
  NoteDrawnChange();
  Child.clock_ = clocks_.Join({Child.FramePos, Child.FrameSpeed, Child.FrameCount, Child.Looping});
  Child.watch_ |= TSprite::kWatchFollowing;
  ++followers_;
}

void TSpriteEngine::StopFollowing(TImageSprite& Child, bool SettlePosition) {
  NoteDrawnChange();
  if (SettlePosition) Child.FramePos.Settle(FollowedPosition(Child));
  clocks_.Leave(Child.clock_);
  Child.clock_ = nullptr;
  Child.watch_ &= static_cast<uint8_t>(~TSprite::kWatchFollowing);
  --followers_;
}

double TSpriteEngine::FollowedPosition(const TImageSprite& Child) const {
  const TSprite& sprite = Child;
  return sprite.index_.AttachSeq < steppedBelow_ ? Child.clock_->Position() : Child.clock_->PreviousPosition();
}

void TSpriteEngine::StartSkipping() {
  awake_.Clear();
  awake_.Reserve(children_.size());
  index_.ReserveForNew(children_.size());
  for (TSprite* child : children_) {
    child->watch_ &= static_cast<uint8_t>(~TSprite::kWatchResting);
    index_.Validate(child);
    // What its first step would leave it doing, it does from the start.
    if (!RestsWithoutStepping(child)) awake_.Append(child, child->index_.AttachSeq);
  }
  ValidateDirty();
  skipping_ = true;
}

bool TSpriteEngine::RestsWithoutStepping(TSprite* Child) {
  if (Child->ChildCount() != 0) return false;
  if (Child->StepIsIdle()) {
    // Its step would change nothing.
    Child->watch_ |= TSprite::kWatchResting;
    return true;
  }
  if (TImageSprite* picture = Child->LoopingPicture(); picture && Child->CanMove) {
    // Its animation runs on the shared clock of its state from this pass on,
    // which steps it exactly as its own step would.
    Follow(*picture);
    Child->watch_ |= TSprite::kWatchResting;
    return true;
  }
  return false;
}

void TSpriteEngine::StopSkipping() {
  if (!skipping_) return;
  // Every child is stepped from now on; the rest marks are cleared as they are met.
  for (TSprite* child : children_)
    if (child->watch_ & TSprite::kWatchFollowing) StopFollowing(static_cast<TImageSprite&>(*child), true);
  awake_.Clear();
  skipping_ = false;
}

void TSpriteEngine::ChildAdded(TSprite* Child) {
  index_.Added(Child);
  // While the full walks run, the next switch back files every child anyway.
  if (!skipping_) return;
  // Filed before the next query, by when its maker has set it up.
  BoundsDirty(Child);
  awake_.Append(Child, Child->index_.AttachSeq);
}

void TSpriteEngine::ChildRemoved(TSprite* Child) {
  index_.Removed(Child);
  if (Child->watch_ & TSprite::kWatchDirty) std::erase(dirty_, Child);
  if (skipping_ && !(Child->watch_ & TSprite::kWatchResting)) awake_.Remove(Child->index_.AttachSeq);
  Child->watch_ = 0;
}

void TSpriteEngine::WakeChild(TSprite* Child) {
  NoteDrawnChange();
  if (Child->watch_ & TSprite::kWatchFollowing) StopFollowing(static_cast<TImageSprite&>(*Child), true);
  Child->watch_ &= static_cast<uint8_t>(~TSprite::kWatchResting);
  if (skipping_) awake_.Insert(Child, Child->index_.AttachSeq);
}

void TSpriteEngine::BoundsDirty(TSprite* Child) {
  Child->watch_ |= TSprite::kWatchDirty;
  dirty_.push_back(Child);
}

void TSpriteEngine::ValidateDirty() {
  while (!dirty_.empty()) {
    TSprite* child = dirty_.back();
    dirty_.pop_back();
    child->watch_ &= static_cast<uint8_t>(~TSprite::kWatchDirty);
    index_.Validate(child);
  }
  index_.PackIfWorthIt();
}

void TSpriteEngine::HashViewAndClocks(TDrawnStateHash& Hash, const TRect& View) const {
  Hash.Add(drawnChanges_);
  Hash.Add(Visible);
  Hash.Add(View);
  // The camera: a resting child's drawn place moves with it.
  Hash.Add(static_cast<double>(X));
  Hash.Add(static_cast<double>(Y));
  // A follower shows its clock's frame; which followers are in view does not
  // change without a note.
  clocks_.ForEach([&](const TAnimationClock& Clock) {
    Hash.Add(static_cast<const void*>(&Clock));
    Hash.Add(TruncToInt32(Clock.Position()));
  });
}

uint64_t TSpriteEngine::DrawnStateKey(const TRect& View) {
  if (!skipping_ || UseReferenceAlgorithms || Parent) return ++drawnChanges_;
  TDrawnStateHash hash;
  HashViewAndClocks(hash, View);
  awake_.ForEach([&](TSprite* Child) { Child->HashDrawnState(hash, View); });
  return hash.Value();
}

void TSpriteEngine::DrawIndexed() {
  if (!Visible) return;
  DrawGathered(nullptr);
}

TSpriteEngine::TDrawOrder TSpriteEngine::DrawOrderOf(const TSprite& Child) {
  return {Child.Z(), ~Child.index_.PlaceSeq};
}

void TSpriteEngine::DrawGathered(TRestingDrawing* Resting) {
  TBorrowedScratch borrowed(queryScratch_, queryDepth_);
  TQueryScratch& scratch = *borrowed;
  auto gather = [&] {
    ValidateDirty();
    scratch.Found.clear();
    index_.Gather(ViewRect, scratch.Found);
    scratch.Ordered.clear();
    // DrawList order: Z ascending, and among equal Z the sprite placed last first.
    for (const TIndexHit& hit : scratch.Found)
      scratch.Ordered.push_back({hit.Sprite->Z(), ~hit.Sprite->index_.PlaceSeq, hit.Sprite});
    if (scratch.Ordered == scratch.DrawnUnsorted) {
      scratch.Ordered = scratch.DrawnSorted;
      return;
    }
    scratch.DrawnUnsorted = scratch.Ordered;
    std::sort(scratch.Ordered.begin(), scratch.Ordered.end());
    scratch.DrawnSorted = scratch.Ordered;
  };
  gather();
  // Drawing the resting children alone, those from the split on are
  // measured as they are drawn.
  bool split = false;
  TRect reach;
  auto reachSplit = [&] {
    split = true;
    Resting->Reached();
    if (Surface) Surface->SetReach(&reach);
  };
  uint64_t removals = index_.Removals();
  for (size_t k = 0; k < scratch.Ordered.size();) {
    const TOrdered drawn = scratch.Ordered[k++];
    TSprite& sprite = *drawn.Sprite;
    if (!Resting) {
      sprite.Draw();
    } else if (sprite.watch_ & (TSprite::kWatchResting | TSprite::kWatchDrawnWithResting)) {
      const TDrawOrder order{drawn.Major, drawn.Minor};
      if (!split && !(order < Resting->Split)) reachSplit();
      reach = {};
      sprite.Draw();
      if (split && !reach.IsEmpty()) Resting->Above.push_back({&sprite, reach, order});
    }
    if (index_.Removals() != removals || !dirty_.empty()) {
      // A sprite was freed (which only MarkDead should do) or moved while
      // drawing: go on from a fresh list, after the last sprite drawn.
      removals = index_.Removals();
      gather();
      std::erase_if(scratch.Ordered, [&](const TOrdered& o) { return !(drawn < o); });
      k = 0;
    }
  }
  if (!Resting) return;
  if (!split) reachSplit();
  if (Surface) Surface->SetReach(nullptr);
}

uint64_t TSpriteEngine::RestingStateKey(const TRect& View, std::span<TSprite* const> AlsoDrawn) {
  if (!DrawsInParts()) return ++drawnChanges_;
  TDrawnStateHash hash;
  HashViewAndClocks(hash, View);
  hash.Add(static_cast<uint64_t>(DrawnLayers));
  // The other awake children are left out: which they are decides the
  // picture, what they show does not.
  awake_.ForEach([&](TSprite* Child) { hash.Add(Child->index_.AttachSeq); });
  for (TSprite* child : AlsoDrawn) child->HashDrawnState(hash, View);
  return hash.Value();
}

void TSpriteEngine::DrawResting(TRestingDrawing& Drawing) {
  Drawing.Above.clear();
  if (!Visible || !DrawsInParts()) {
    Drawing.Reached();
    return;
  }
  for (TSprite* child : Drawing.AlsoDrawn) child->watch_ |= TSprite::kWatchDrawnWithResting;
  struct TUnmark {
    std::span<TSprite* const> children;
    ~TUnmark() {
      for (TSprite* child : children) child->watch_ &= static_cast<uint8_t>(~TSprite::kWatchDrawnWithResting);
    }
  } unmark{Drawing.AlsoDrawn};
  DrawGathered(&Drawing);
}

void TSpriteEngine::AwakeReach(TSurface& Probe, std::vector<TDrawnChild>& Out) {
  Out.clear();
  if (!Visible || !DrawsInParts()) return;
  TSurface* drawnOn = Surface;
  Surface = &Probe;
  TRect reach;
  Probe.SetReach(&reach);
  awake_.ForEach([&](TSprite* Child) {
    reach = {};
    Child->Draw();
    Out.push_back({Child, reach, DrawOrderOf(*Child)});
  });
  Probe.SetReach(nullptr);
  Surface = drawnOn;
}

void TSpriteEngine::CheckCollisionsIndexed() {
  // Children attached from here on lie beyond the counted range.
  const uint64_t limit = nextSeq_;
  TBorrowedScratch borrowed(queryScratch_, queryDepth_);
  TQueryScratch& scratch = *borrowed;
  // Candidates from firstSeq on, in Children order.
  auto gather = [&](uint64_t firstSeq) {
    ValidateDirty();
    scratch.Found.clear();
    index_.Gather(HitRect, scratch.Found);
    // The always-list part comes in Children order already: only the grid
    // candidates behind it are sorted, then the two are merged.
    scratch.Ordered.clear();
    const size_t alwaysFound = static_cast<size_t>(index_.AlwaysCount());
    size_t always = 0;
    for (size_t i = 0; i < scratch.Found.size(); ++i) {
      const auto [s, seq] = scratch.Found[i];
      if (firstSeq <= seq && seq < limit) scratch.Ordered.push_back({static_cast<int64_t>(seq), 0, s});
      if (i + 1 == alwaysFound) always = scratch.Ordered.size();
    }
    const auto grid = scratch.Ordered.begin() + static_cast<std::ptrdiff_t>(always);
    std::sort(grid, scratch.Ordered.end());
    if (always > 0 && grid != scratch.Ordered.end()) {
      scratch.Merged.clear();
      std::merge(scratch.Ordered.begin(), grid, grid, scratch.Ordered.end(), std::back_inserter(scratch.Merged));
      scratch.Ordered.swap(scratch.Merged);
    }
  };
  gather(0);
  uint64_t removals = index_.Removals();
  for (size_t k = 0; k < scratch.Ordered.size();) {
    const TOrdered target = scratch.Ordered[k++];
    target.Sprite->VisitForCollision(*this);
    if (HitDone) return;
    if (index_.Removals() != removals || !dirty_.empty()) {
      // A reaction freed a sprite (which only MarkDead should do) or moved
      // one, which may now lie in the rectangle or out of it: go on from a
      // fresh list, after the last sprite visited.
      removals = index_.Removals();
      gather(static_cast<uint64_t>(target.Major) + 1);
      k = 0;
    }
  }
}

}  // namespace kestrilo

#include "sprites/SpriteEngine.h"

#include <algorithm>

#include "platform/Surface.h"

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

// A place in DrawList order: Z ascending, and among equal Z the sprite placed last first.
struct TDrawKey {
  int32_t Z;
  uint64_t PlaceSeq;
  bool operator<(const TDrawKey& other) const {
    return Z != other.Z ? Z < other.Z : PlaceSeq > other.PlaceSeq;
  }
};

}  // namespace

void TSpriteEngine::BeginMovePass() {
  indexValidated_ = !UseReferenceAlgorithms;
  inMovePass_ = indexValidated_;
  validatedUpTo_ = 0;
}

void TSpriteEngine::ValidateBeforeStep(int32_t ChildIndex) {
  if (!inMovePass_ || ChildIndex < validatedUpTo_) return;
  index_.Validate(children_[static_cast<size_t>(ChildIndex)]);
  validatedUpTo_ = ChildIndex + 1;
}

void TSpriteEngine::CatchUpValidation() {
  if (!inMovePass_) return;
  for (int32_t i = validatedUpTo_; i < ChildCount(); ++i) index_.Validate(children_[static_cast<size_t>(i)]);
  validatedUpTo_ = ChildCount();
}

void TSpriteEngine::EndMovePass() {
  CatchUpValidation();
  inMovePass_ = false;
}

void TSpriteEngine::DrawIndexed() {
  if (!Visible) return;
  CatchUpValidation();
  auto keyOf = [](const TSprite* s) { return TDrawKey{s->Z(), s->index_.PlaceSeq}; };
  auto gather = [&](std::vector<TSprite*>& list) {
    list.clear();
    index_.Gather(ViewRect, list);
    std::sort(list.begin(), list.end(), [&](const TSprite* a, const TSprite* b) { return keyOf(a) < keyOf(b); });
  };
  std::vector<TSprite*> list;
  gather(list);
  uint64_t removals = index_.Removals();
  for (size_t k = 0; k < list.size();) {
    TSprite* sprite = list[k++];
    const TDrawKey drawn = keyOf(sprite);
    sprite->Draw();
    if (index_.Removals() != removals) {
      // A sprite was freed while drawing (which only MarkDead should do): go on
      // from a fresh list, after the last sprite drawn.
      removals = index_.Removals();
      gather(list);
      std::erase_if(list, [&](const TSprite* s) { return !(drawn < keyOf(s)); });
      k = 0;
    }
  }
}

void TSpriteEngine::CheckCollisionsIndexed() {
  CatchUpValidation();
  // Children attached from here on lie beyond the counted range.
  const uint64_t limit = nextSeq_;
  // Candidates from firstSeq on, in Children order.
  auto gather = [&](std::vector<TSprite*>& list, uint64_t firstSeq) {
    list.clear();
    index_.Gather(HitRect, list);
    // The always-list part comes in Children order already: only the few grid
    // candidates behind it are sorted and merged in.
    auto bySeq = [](const TSprite* a, const TSprite* b) { return a->index_.AttachSeq < b->index_.AttachSeq; };
    const auto always = list.begin() + index_.AlwaysCount();
    std::sort(always, list.end(), bySeq);
    std::inplace_merge(list.begin(), always, list.end(), bySeq);
    std::erase_if(list, [&](const TSprite* s) {
      return s->index_.AttachSeq < firstSeq || s->index_.AttachSeq >= limit;
    });
  };
  std::vector<TSprite*> list;
  gather(list, 0);
  uint64_t removals = index_.Removals();
  for (size_t k = 0; k < list.size();) {
    TSprite* target = list[k++];
    const uint64_t visited = target->index_.AttachSeq;
    target->VisitForCollision(*this);
    if (HitDone) return;
    if (index_.Removals() != removals) {
      // A sprite was freed during the check (which only MarkDead should do):
      // go on from a fresh list, after the last sprite visited.
      removals = index_.Removals();
      gather(list, visited + 1);
      k = 0;
    }
  }
}

}  // namespace kestrilo

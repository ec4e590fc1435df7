#include "sprites/Sprite.h"

#include <algorithm>
#include <limits>
#include <string>

#include "platform/Errors.h"
#include "platform/Rounding.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {

TSprite::TSprite(TSprite* Parent) : Parent(Parent) {
  if (Parent) {
    Engine = Parent->asEngine_ ? Parent->asEngine_ : Parent->Engine;
    Parent->AttachChild(this);
    if (Engine) Engine->SpriteCount += 1;
  }
}

TSprite::~TSprite() {
  if (lifeToken_) *lifeToken_ = nullptr;
  ClearChildren();
  if (Parent) {
    if (Engine) {
      Engine->SpriteCount -= 1;
      if (Engine->HitSubject == this) Engine->HitSubject = nullptr;
    }
    Parent->DetachChild(this);
    if (Engine) {
      // Searched whatever IsDead says now: the flag is public and may have been
      // cleared after MarkDead, and a freed sprite must never stay queued.
      // RemoveDead frees the last entry, so the search from the back ends at once there.
      auto& dead = Engine->DeadSprites;
      for (auto i = dead.size(); i-- > 0;) {
        if (dead[i] == this) {
          dead.erase(dead.begin() + static_cast<std::ptrdiff_t>(i));
          break;
        }
      }
    }
  }
}

TSpriteEngine* TSprite::IndexingRoot() const {
  return (Parent && Parent->asEngine_ && !Parent->Parent) ? Parent->asEngine_ : nullptr;
}

void TSprite::InsertInDrawList(TSprite* Sprite) {
  Sprite->index_.PlaceSeq = nextSeq_++;
  if (!drawList_) drawList_ = std::make_unique<TDrawList>();
  drawList_->InsertByZ(Sprite, Sprite->index_.PlaceSeq);
}

void TSprite::AttachChild(TSprite* Sprite) {
  Sprite->index_.AttachSeq = nextSeq_++;
  children_.push_back(Sprite);
  InsertInDrawList(Sprite);
  DrawnStructureChanged();
  if (asEngine_ && !Parent) {
    asEngine_->ChildAdded(Sprite);
  } else if (TSpriteEngine* root = IndexingRoot()) {
    root->index_.MakeAlways(this);  // its subtree is walked whole from now on
    if (watch_ & kWatchResting) root->WakeChild(this);
  }
}

void TSprite::DetachChild(TSprite* Sprite) {
  DrawnStructureChanged();
  if (asEngine_ && !Parent) asEngine_->ChildRemoved(Sprite);
  // Children freed by ClearChildren or RemoveDead are usually near the end.
  for (auto i = children_.size(); i-- > 0;) {
    if (children_[i] == Sprite) {
      children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  if (drawList_) drawList_->Remove(Sprite, Sprite->index_.PlaceSeq);
  if (children_.empty()) {
    std::vector<TSprite*>().swap(children_);
    drawList_.reset();
  }
}

void TSprite::RestingMoved() {
  if (TSpriteEngine* root = IndexingRoot()) root->NoteDrawnChange();
}

void TSprite::DrawnStructureChanged() {
  if (TSpriteEngine* root = asEngine_ && !Parent ? asEngine_ : Engine) root->NoteDrawnChange();
}

void TSprite::MarkBoundsDirty() {
  if (TSpriteEngine* root = IndexingRoot()) root->BoundsDirty(this);
}

void TSprite::Wake() {
  if (TSpriteEngine* root = IndexingRoot()) root->WakeChild(this);
}

void TSprite::SetZ(int32_t Value) {
  if (Value == z_) return;
  DrawnStructureChanged();
  if (Parent) {
    if (Parent->drawList_) Parent->drawList_->Remove(this, index_.PlaceSeq);
    z_ = Value;
    Parent->InsertInDrawList(this);
  } else {
    z_ = Value;
  }
}

TSprite* TSprite::Child(int32_t Index) const {
  if (children_.empty()) throw ESpriteError("Index of the list exceeds the range. (" + std::to_string(Index) + ")");
  if (Index < 0 || Index >= ChildCount()) throw EListError(ListIndexMessage(Index));
  return children_[static_cast<size_t>(Index)];
}

double TSprite::AbsoluteX() const {
  double x = X;
  for (const TSprite* p = Parent; p; p = p->Parent) x += p->X;
  return x;
}

double TSprite::AbsoluteY() const {
  double y = Y;
  for (const TSprite* p = Parent; p; p = p->Parent) y += p->Y;
  return y;
}

TRect TSprite::GetBounds() { return BoundsAt(AbsoluteX(), AbsoluteY(), Width, Height); }

void TSprite::Move(int32_t MoveCount) {
  if (!CanMove) return;
  OnMove(MoveCount);
  if (isEngine_ && !Parent) {
    asEngine_->MoveChildren(MoveCount);
    return;
  }
  // Sprites attached during the pass lie beyond the counted range and step next tick.
  const int32_t n = ChildCount();
  for (int32_t i = 0; i < n && i < ChildCount(); ++i) children_[static_cast<size_t>(i)]->Move(MoveCount);
}

void TSprite::Draw() {
  if (!Visible || (Engine && !Engine->DrawsLayer(ViewLayer))) return;
  if (Engine && OverlapRect(GetBounds(), Engine->ViewRect)) OnDraw();
  const int32_t n = DrawCount();
  for (int32_t i = 0; i < n && i < DrawCount(); ++i) drawList_->At(i)->Draw();
}

void TSprite::HashDrawnState(TDrawnStateHash& Hash, const TRect& View) {
  // The same walk as Draw: a hidden sprite hides its subtree, and a sprite
  // out of view adds nothing of its own.
  if (!Visible) return;
  if (Engine && OverlapRect(GetBounds(), View)) {
    Hash.Add(static_cast<const void*>(this));
    Hash.Add(GetBounds());
    AddDrawnState(Hash);
  }
  const int32_t n = DrawCount();
  for (int32_t i = 0; i < n; ++i) drawList_->At(i)->HashDrawnState(Hash, View);
}

int32_t TSprite::CheckCollisions() {
  if (!Engine || IsDead || !CanCollide) return 0;
  TSpriteEngine& e = *Engine;
  e.HitCount = 0;
  e.HitDone = false;
  e.HitRect = GetBounds();
  e.HitSubject = this;
  if (!e.Parent && e.IndexReady()) {
    e.CheckCollisionsIndexed();
    return e.HitCount;
  }
  const int32_t n = e.ChildCount();
  for (int32_t i = 0; i < n && i < e.ChildCount(); ++i) {
    e.children_[static_cast<size_t>(i)]->VisitForCollision(e);
    if (e.HitDone) break;
  }
  return e.HitCount;
}

void TSprite::VisitForCollision(TSpriteEngine& E) {
  if (!CanCollide) return;
  TSprite* subject = E.HitSubject;
  if (!subject) {
    // The subject was freed inside its own reaction: nothing is left to report to.
    E.HitDone = true;
    return;
  }
  if (this != subject && OverlapRect(GetBounds(), E.HitRect) && subject->HitTest(this) && HitTest(subject)) {
    E.HitCount += 1;
    subject->OnCollision(this, E.HitDone);
    if (!E.HitSubject || !subject->CanCollide || subject->IsDead) E.HitDone = true;
  }
  if (E.HitDone) return;
  const int32_t n = ChildCount();
  for (int32_t i = 0; i < n && i < ChildCount(); ++i) {
    children_[static_cast<size_t>(i)]->VisitForCollision(E);
    if (E.HitDone) return;
  }
}

TSpriteHandle TSprite::Handle() {
  if (!lifeToken_) lifeToken_ = std::make_shared<TSprite*>(this);
  return TSpriteHandle(lifeToken_);
}

void TSprite::MarkDead() {
  if (!Engine || IsDead) return;
  IsDead = true;
  Engine->DeadSprites.push_back(this);
}

TSprite* TSprite::SpriteAt(int32_t PointX, int32_t PointY) {
  TSprite* result = nullptr;
  const double px = PointX - X;
  const double py = PointY - Y;
  for (TSprite* child : children_) child->SearchAt(px, py, result);
  return result;
}

void TSprite::SearchAt(double PointX, double PointY, TSprite*& Result) {
  if (Visible) {
    const int64_t x = Round(PointX);
    const int64_t y = Round(PointY);
    const int64_t left = Round(X);
    const int64_t top = Round(Y);
    if (left <= x && x <= left + Width && top <= y && y <= top + Height) {
      if (!Result || Result->Z() < Z()) Result = this;
    }
  }
  for (TSprite* child : children_) child->SearchAt(PointX - X, PointY - Y, Result);
}

void TSprite::ClearChildren() {
  while (!children_.empty()) delete children_.back();
}

}  // namespace kestrilo

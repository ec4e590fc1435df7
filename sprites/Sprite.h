// The base of everything that moves or is drawn: a node of the sprite tree.
// A sprite is owned by its parent; freeing a sprite frees its subtree. During
// a tick sprites never free each other: they queue themselves with MarkDead
// and the frame loop frees the queue once per tick (TSpriteEngine::RemoveDead).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Rect.h"
#include "sprites/DrawList.h"
#include "sprites/DrawnState.h"
#include "sprites/WatchedField.h"

namespace kestrilo {

class TSpriteEngine;
class TSprite;
class TImageSprite;

// A reference to a sprite that reads as none once the sprite has been freed,
// for those that must find a sprite again later (the level edits undoing a
// placement) while the frame loop may free it at any tick.
class TSpriteHandle {
 public:
  TSpriteHandle() = default;
  TSprite* Get() const { return token_ ? *token_ : nullptr; }

 private:
  friend class TSprite;
  explicit TSpriteHandle(std::shared_ptr<TSprite*> token) : token_(std::move(token)) {}
  std::shared_ptr<TSprite*> token_;
};

// The fields of a sprite that decide where it is; the engine's index hears of
// every write to them (see WatchedField.h).
enum class TSpriteField { X, Y, Width, Height };
template <TSpriteField Which>
struct TSpriteFieldWrite {
  static void Written(void* Field);
};

class TSprite {
 public:
  // Attaches the sprite to Parent (which then owns it). Only the root has none.
  explicit TSprite(TSprite* Parent);
  virtual ~TSprite();
  TSprite(const TSprite&) = delete;
  TSprite& operator=(const TSprite&) = delete;

  virtual const char* ClassName() const { return "TSprite"; }

  // Per-sprite reactions, in the order subclasses are expected to extend them.
  // Only the subject of a collision check is told about a hit.
  virtual void OnCollision(TSprite* /*Other*/, bool& /*Done*/) {}
  virtual void OnDraw() {}
  virtual void OnMove(int32_t /*MoveCount*/) {}
  // View-coordinate rectangle; right and bottom are exclusive. A subclass
  // that overrides it clears boundsFromFields_.
  virtual TRect GetBounds();
  // The bounds GetBounds gives for a sprite of this size at this view position.
  static inline TRect BoundsAt(double AbsoluteX, double AbsoluteY, int32_t Width, int32_t Height);
  // Fine test made after the rectangles overlap.
  virtual bool HitTest(TSprite* /*Other*/) { return true; }
  // The state OnDraw reads, for HashDrawnState: a class that draws overrides
  // it with everything its OnDraw depends on besides its bounds.
  virtual void AddDrawnState(TDrawnStateHash& /*Hash*/) {}

  // Steps this sprite and then its subtree (unless CanMove is false).
  void Move(int32_t MoveCount);
  // Draws this sprite and then its children in drawing order (unless hidden).
  void Draw();
  // Adds to Hash what Draw would draw over View (view coordinates): the state
  // its drawing reads, of this sprite and of its children in drawing order.
  void HashDrawnState(TDrawnStateHash& Hash, const TRect& View);
  // Walks the whole tree for sprites overlapping this one; returns the hit count.
  int32_t CheckCollisions();
  // Queues the sprite for the next RemoveDead; once only; never the root.
  void MarkDead();
  // A handle that reads as none once this sprite is freed.
  TSpriteHandle Handle();

  int32_t Z() const { return z_; }
  // Re-places the sprite among its siblings' drawing order when Z changes.
  void SetZ(int32_t Value);

  int32_t ChildCount() const { return static_cast<int32_t>(children_.size()); }
  // ESpriteError without children, EListError for a bad index with children.
  TSprite* Child(int32_t Index) const;
  // The children sorted by Z ascending; among equal Z the last placed comes first.
  int32_t DrawCount() const { return drawList_ ? drawList_->Count() : 0; }
  TSprite* DrawItem(int32_t Index) const { return drawList_->At(Index); }

  // Position in view coordinates: own position plus every ancestor's (root included).
  double AbsoluteX() const;
  double AbsoluteY() const;
  // The topmost visible sprite of the subtree under a view point, or nullptr.
  TSprite* SpriteAt(int32_t PointX, int32_t PointY);
  // Frees every child, the last one first.
  void ClearChildren();

  // Whether this sprite's step (OnMove) can change nothing while its fields
  // stay as they are, so that the engine may skip it until one of them is
  // written. Only a class whose OnMove is fully known may say yes: the
  // default is no, and a subclass that overrides OnMove must not inherit a yes.
  virtual bool StepIsIdle() const { return false; }
  // The image sprite to run on a shared animation clock (AnimationClock.h):
  // this sprite, when its whole step is the image sprite's animation and that
  // animation loops. The same care as for StepIsIdle: the default is none.
  virtual TImageSprite* LoopingPicture() { return nullptr; }

  // The fields the move pass reads for every sprite come first, so that they
  // share the sprite's first cache line.
  bool IsDead = false;
  bool CanCollide = true;
  bool CanMove = true;
  bool Visible = true;
  // The plane of the level a placed object's sprite stands for, so that the
  // edit view can hide or dim a plane; -1 for every other sprite.
  int8_t ViewLayer = -1;

 protected:
  // A subclass that overrides GetBounds clears this, so that the engine's
  // index always asks it instead of working its bounds out from X, Y, Width,
  // Height and the camera as BoundsAt does.
  bool boundsFromFields_ = true;

 private:
  bool isEngine_ = false;
  // What the root engine must hear of when a watched field is written.
  // A following sprite rests too: its animation runs on a shared clock.
  // An awake child drawn with the resting ones, only while they are drawn (RetainedDrawing.h).
  enum : uint8_t {
    kWatchInGrid = 1,
    kWatchDirty = 2,
    kWatchResting = 4,
    kWatchFollowing = 8,
    kWatchDrawnWithResting = 16
  };
  uint8_t watch_ = 0;

 public:
  TWatchedField<double, TSpriteFieldWrite<TSpriteField::X>> X;
  TWatchedField<double, TSpriteFieldWrite<TSpriteField::Y>> Y;
  TWatchedField<int32_t, TSpriteFieldWrite<TSpriteField::Width>> Width;
  TWatchedField<int32_t, TSpriteFieldWrite<TSpriteField::Height>> Height;

 private:
  // Children in attachment order (owned).
  std::vector<TSprite*> children_;

 public:
  TSpriteEngine* Engine = nullptr;  // root of the tree; nullptr for the root itself
  TSprite* Parent = nullptr;        // owner; nullptr for the root

 protected:
  // For the fields of subclasses that decide whether the step is idle: a
  // resting sprite whose such field is written is stepped again.
  void StepStateWritten() {
    if (watch_ & kWatchResting) Wake();
  }

 private:
  friend class TSpriteEngine;
  friend class TSpriteIndex;
  template <TSpriteField>
  friend struct TSpriteFieldWrite;

  void BoundsWritten() {
    if ((watch_ & (kWatchInGrid | kWatchDirty)) == kWatchInGrid) MarkBoundsDirty();
    if (watch_ & kWatchResting) RestingMoved();
  }
  void MarkBoundsDirty();
  // A resting child was moved: the root's drawn state changed where the move pass does not look.
  void RestingMoved();
  // Something the drawn state follows changed outside the move pass's children.
  void DrawnStructureChanged();
  void Wake();

  // Where the root's spatial index keeps this sprite, and its order keys.
  struct TIndexEntry {
    enum TWhere : uint8_t { kNowhere, kAlways, kGrid, kPacked, kPending };
    TWhere Where = kNowhere;
    uint64_t AttachSeq = 0;  // order in the parent's Children
    uint64_t PlaceSeq = 0;   // among equal Z in DrawList, a higher value comes first
    TRect Snapshot;          // bounds relative to the camera when last validated
    bool HasSnapshot = false;
    bool EverMoved = false;
    int32_t Cell = -1;
    int32_t Slot = -1;
  };

  void AttachChild(TSprite* Sprite);
  void DetachChild(TSprite* Sprite);
  void VisitForCollision(TSpriteEngine& E);
  void SearchAt(double PointX, double PointY, TSprite*& Result);

  // The root engine this sprite is a direct child of, or nullptr.
  TSpriteEngine* IndexingRoot() const;
  void InsertInDrawList(TSprite* Sprite);

  int32_t z_ = 0;
  TIndexEntry index_;
  uint64_t nextSeq_ = 0;               // hands out the children's order keys
  TSpriteEngine* asEngine_ = nullptr;  // this sprite, when it is an engine
  // The children in drawing order, only while there are children: a placed
  // object is thus small.
  std::unique_ptr<TDrawList> drawList_;
  // Made when a handle is first asked for; emptied when the sprite is freed.
  std::shared_ptr<TSprite*> lifeToken_;
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
template <TSpriteField Which>
inline void TSpriteFieldWrite<Which>::Written(void* Field) {
  constexpr size_t offset = Which == TSpriteField::X       ? offsetof(TSprite, X)
                            : Which == TSpriteField::Y     ? offsetof(TSprite, Y)
                            : Which == TSpriteField::Width ? offsetof(TSprite, Width)
                                                           : offsetof(TSprite, Height);
  OwnerOfField<TSprite>(Field, offset)->BoundsWritten();
}
#pragma GCC diagnostic pop

// A 64-bit sum or difference of pixel positions brought back into the 32-bit range.
inline int32_t ClampToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// Truncates toward zero into the 32-bit range (NaN gives 0), as pixel rectangles need.
inline int32_t TruncToInt32(double value) {
  // The comparisons are false for NaN, which falls through to 0.
  if (value > -2147483649.0 && value < 2147483648.0) return static_cast<int32_t>(value);
  if (value >= 2147483648.0) return INT32_MAX;
  if (value <= -2147483649.0) return INT32_MIN;
  return 0;
}

// Inline: the index tests every candidate of every query with it.
inline TRect TSprite::BoundsAt(double AbsoluteX, double AbsoluteY, int32_t Width, int32_t Height) {
  const int32_t left = TruncToInt32(AbsoluteX);
  const int32_t top = TruncToInt32(AbsoluteY);
  return {left, top, ClampToInt32(static_cast<int64_t>(left) + Width),
          ClampToInt32(static_cast<int64_t>(top) + Height)};
}

}  // namespace kestrilo

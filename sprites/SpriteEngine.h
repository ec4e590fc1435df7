// The root of the sprite tree. Its position is the camera: it is added to the
// position of every sprite below it. It counts the sprites, keeps the queue of
// sprites marked dead, holds the state of the running collision check and
// knows the surface that sprites draw on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "platform/Rect.h"
#include "sprites/AnimationClock.h"
#include "sprites/AwakeList.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteIndex.h"

namespace kestrilo {

class TSurface;
class TImageSprite;
struct TGameContext;

class TSpriteEngine : public TSprite {
 public:
  explicit TSpriteEngine(TSprite* Parent = nullptr);
  ~TSpriteEngine() override;

  const char* ClassName() const override { return "TSpriteEngine"; }

  // Binds the drawing surface (nullptr unbinds and keeps the last ViewRect).
  void SetSurface(TSurface* Surface);
  // Frees the queued sprites, the most recently queued first.
  void RemoveDead();
  // Draws the whole tree; the root itself draws nothing.
  void DrawAll();

  int32_t SpriteCount = 0;            // sprites below the root
  std::vector<TSprite*> DeadSprites;  // queued by MarkDead, oldest first; not owning
  TSprite* HitSubject = nullptr;      // subject of the running collision check
  TRect HitRect;                      // its bounds when the check started
  int32_t HitCount = 0;
  bool HitDone = false;
  TSurface* Surface = nullptr;  // where OnDraw implementations draw
  // The layers drawn (TSprite::ViewLayer): bit L + 1 for layer L, bit 0 for
  // the sprites of no layer. Every layer unless the edit view says otherwise.
  static constexpr uint32_t kEveryLayer = ~0u;
  static constexpr uint32_t LayerBit(int32_t Layer) { return 1u << (Layer + 1); }
  uint32_t DrawnLayers = kEveryLayer;
  bool DrawsLayer(int32_t Layer) const { return (DrawnLayers & LayerBit(Layer)) != 0; }
  TRect ViewRect;  // the surface's own rectangle

  // The program state game objects read; not owned.
  TGameContext* Context = nullptr;

  // Draw and collision checks walk the whole tree, as written, instead of
  // asking the spatial index for the sprites near the rectangle.
  bool UseReferenceAlgorithms = false;

  // A key of what drawing the tree over View (view coordinates) with the
  // camera where it is would show: while the key stays the same, so do the pixels
  // drawn. Between ticks only the children the move pass steps, the shared
  // animation clocks and writes the engine hears of can change a frame, so
  // the key hashes the first two (those in view) and counts the last: a child
  // attached, freed, woken, re-ordered, or a resting one moved. Writes to a
  // resting child's unwatched fields (Visible, Picture) are not seen: the
  // editor's own changes to placed objects must be told apart by the caller.
  // Before the move pass first runs, and while the reference algorithms are
  // on, every key differs from the last.
  uint64_t DrawnStateKey(const TRect& View);
  // Counts a change of the drawn state the key cannot read from the stepped
  // children and the clocks.
  void NoteDrawnChange() { ++drawnChanges_; }
  // Changes counted so far; it never goes down.
  uint64_t DrawnChanges() const { return drawnChanges_; }

  // Drawing in parts, for a caller that keeps the picture of what the
  // resting children draw from one frame to the next (RetainedDrawing.h):
  // only for the root, while the index is trusted and the move pass leaves
  // resting children alone.
  bool DrawsInParts() const { return !Parent && skipping_ && IndexReady(); }
  // A child's place in the drawing order: Z ascending, and among equal Z the
  // one placed last first.
  struct TDrawOrder {
    int64_t Major = 0;
    uint64_t Minor = 0;
    auto operator<=>(const TDrawOrder&) const = default;
  };
  static TDrawOrder DrawOrderOf(const TSprite& Child);
  // A child drawn: where its drawing reached (view coordinates, before any
  // clipping; empty when it drew nothing) and its place in the order.
  struct TDrawnChild {
    TSprite* Child = nullptr;
    TRect Reach;
    TDrawOrder Order;
  };
  // A key of what the resting children's drawing over View shows, with the
  // awake children AlsoDrawn: as DrawnStateKey, with the drawn layers, and
  // with the other awake children counted by who they are (they are left
  // out), not by what they show.
  uint64_t RestingStateKey(const TRect& View, std::span<TSprite* const> AlsoDrawn);
  struct TRestingDrawing {
    std::span<TSprite* const> AlsoDrawn;  // awake children drawn with the resting ones
    TDrawOrder Split;                     // where Reached is called
    std::function<void()> Reached;
    std::vector<TDrawnChild> Above;  // every child drawn from Split on, in order
  };
  // Draws the resting children and the awake ones AlsoDrawn, in drawing
  // order. Before the first of them at or after Split (or at the end) it
  // calls Reached, once; every one drawn from there on goes to Above.
  void DrawResting(TRestingDrawing& Drawing);
  // Every awake child, with where its drawing reaches, measured by drawing
  // it onto Probe, a surface that keeps no pixels.
  void AwakeReach(TSurface& Probe, std::vector<TDrawnChild>& Out);

  const TSpriteIndex& Index() const { return index_; }
  struct TQueryScratch;  // the reusable lists of one running query
  // Children the move pass steps (all of them while the reference algorithms are on).
  int32_t AwakeCount() const { return skipping_ ? static_cast<int32_t>(awake_.Count()) : ChildCount(); }
  // Children whose looping animation runs on a shared clock, and the clocks.
  int32_t FollowerCount() const { return followers_; }
  size_t ClockCount() const { return clocks_.Count(); }

 private:
  friend class TSprite;
  friend class TImageSprite;
  // The index is trusted only after a move pass validated it and while the
  // reference algorithms stay off.
  bool IndexReady() const { return indexValidated_ && !UseReferenceAlgorithms; }
  void DrawIndexed();
  // What both drawn-state keys start from: the count of changes, the view,
  // the camera and every clock's frame.
  void HashViewAndClocks(TDrawnStateHash& Hash, const TRect& View) const;
  // Draws the children the index gathers over the view in drawing order:
  // all of them, or the resting ones alone as Resting asks.
  void DrawGathered(TRestingDrawing* Resting);
  void CheckCollisionsIndexed();

  // The root's move pass: every child in Children order, or, while the
  // reference algorithms are off, only the children that are awake.
  void MoveChildren(int32_t MoveCount);
  void MoveEveryChild(int32_t MoveCount);
  void MoveAwakeChildren(int32_t MoveCount);
  // Every child checked against the index and awake, as after a full walk,
  // except those that rest or follow a clock from the start.
  void StartSkipping();
  // A child with no children whose step would change nothing rests, and one
  // whose whole step is a looping animation follows its clock, without being
  // stepped first; false for any other.
  bool RestsWithoutStepping(TSprite* Child);
  void StopSkipping();
  // After a child's step: a child not in the grid is checked again (it may
  // settle there), and a child whose step is idle goes to rest.
  void AfterStep(TSprite* Child);

  // A child that has just stepped follows the clock of its animation's state.
  void Follow(TImageSprite& Child);
  // Ends following: the position the sprite would show now is settled into
  // it (unless a new one was just written over it).
  void StopFollowing(TImageSprite& Child, bool SettlePosition);
  // A follower's frame position: after this tick's step once the move pass has
  // passed the follower's place in Children order, before it until then.
  double FollowedPosition(const TImageSprite& Child) const;

  // Bookkeeping of the root's children, called by TSprite.
  void ChildAdded(TSprite* Child);
  void ChildRemoved(TSprite* Child);
  void WakeChild(TSprite* Child);
  void BoundsDirty(TSprite* Child);
  // Children whose bounds were written since they were last checked are
  // checked before the index answers.
  void ValidateDirty();

  TSpriteIndex index_{*this};
  TAwakeList awake_;
  std::vector<TSprite*> dirty_;
  std::vector<std::unique_ptr<TQueryScratch>> queryScratch_;
  size_t queryDepth_ = 0;  // queries running now (a reaction may start one inside another)
  bool indexValidated_ = false;
  bool skipping_ = false;  // awake_ and the children's rest marks are kept
  TAnimationClocks clocks_;
  int32_t followers_ = 0;
  uint64_t drawnChanges_ = 0;
  // During a move pass, the children attached before this number have been
  // stepped; outside a pass, every one has.
  uint64_t steppedBelow_ = UINT64_MAX;
};

}  // namespace kestrilo

// One tick of the tree: moving, queueing for removal, freeing the queue,
// drawing; and finding the sprite under a point.
#include <gtest/gtest.h>

#include "platform/Surface.h"
#include "sprites/SpriteEngine.h"
#include "sprites/SpriteProbe.h"

namespace kestrilo {
namespace {

using test::Only;
using test::TJournal;
using test::TProbeSprite;

// A root bound to a 640 by 480 surface, as the drawing area gives it.
struct TBoundEngine {
  TBoundEngine() { Root.SetSurface(&Buffer); }
  TSurface Buffer{640, 480};
  TJournal Journal;  // outlives the sprites, which log as they are freed
  TSpriteEngine Root;

  TProbeSprite* Add(TSprite* parent, const std::string& name, double x = 0, double y = 0, int32_t w = 32,
                    int32_t h = 32) {
    auto* s = new TProbeSprite(parent, name, &Journal);
    s->X = x;
    s->Y = y;
    s->Width = w;
    s->Height = h;
    return s;
  }
  // The frame loop's order.
  void Tick() {
    Root.Move(16);
    Root.RemoveDead();
    Root.DrawAll();
  }
};

TEST(MoveTest, StepsDepthFirstParentsBeforeChildrenInAttachmentOrder) {
  TBoundEngine w;
  auto* a = w.Add(&w.Root, "a");
  w.Add(a, "a1");
  w.Add(a, "a2");
  auto* b = w.Add(&w.Root, "b");
  b->SetZ(-5);  // drawing order plays no part in moving
  w.Root.Move(16);
  EXPECT_EQ(Only(w.Journal, "move:"), (std::vector<std::string>{"a", "a1", "a2", "b"}));
  EXPECT_EQ(a->LastMoveCount, 16);
}

TEST(MoveTest, ASpriteThatCannotMoveFreezesItsSubtree) {
  TBoundEngine w;
  auto* a = w.Add(&w.Root, "a");
  w.Add(a, "a1");
  w.Add(&w.Root, "b");
  a->CanMove = false;
  w.Root.Move(16);
  EXPECT_EQ(Only(w.Journal, "move:"), (std::vector<std::string>{"b"}));
}

TEST(MoveTest, ASpriteCreatedDuringMoveStepsFromTheNextTick) {
  TBoundEngine w;
  auto* gun = w.Add(&w.Root, "gun");
  int shots = 0;
  gun->MoveAction = [&](TProbeSprite&) {
    if (shots++ == 0) w.Add(&w.Root, "shot");
  };
  w.Root.Move(16);
  EXPECT_EQ(Only(w.Journal, "move:"), (std::vector<std::string>{"gun"}));
  w.Journal.clear();
  w.Root.Move(16);
  EXPECT_EQ(Only(w.Journal, "move:"), (std::vector<std::string>{"gun", "shot"}));
}

TEST(MoveTest, ASpriteMarkedDeadDuringMoveIsFreedBeforeTheDrawing) {
  TBoundEngine w;
  auto* a = w.Add(&w.Root, "a", 10, 10);
  w.Add(&w.Root, "b", 50, 10);
  a->MoveAction = [](TProbeSprite& self) { self.MarkDead(); };
  w.Tick();
  EXPECT_EQ(Only(w.Journal, "draw:"), (std::vector<std::string>{"b"}));
  EXPECT_EQ(Only(w.Journal, "free:"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(w.Root.SpriteCount, 1);
}

TEST(MarkDeadTest, QueuesOnceAndNeverTheRoot) {
  TBoundEngine w;
  auto* a = w.Add(&w.Root, "a");
  a->MarkDead();
  a->MarkDead();
  EXPECT_TRUE(a->IsDead);
  ASSERT_EQ(w.Root.DeadSprites.size(), 1u);
  w.Root.MarkDead();
  EXPECT_FALSE(w.Root.IsDead);
  EXPECT_EQ(w.Root.DeadSprites.size(), 1u);
}

TEST(MarkDeadTest, RemoveDeadFreesTheLatestQueuedFirst) {
  TBoundEngine w;
  w.Add(&w.Root, "a")->MarkDead();
  w.Add(&w.Root, "b");
  w.Add(&w.Root, "c")->MarkDead();
  w.Root.RemoveDead();
  EXPECT_EQ(Only(w.Journal, "free:"), (std::vector<std::string>{"c", "a"}));
  EXPECT_TRUE(w.Root.DeadSprites.empty());
  EXPECT_EQ(w.Root.SpriteCount, 1);
}

TEST(MarkDeadTest, QueuedDescendantsLeaveTheQueueWithTheirParent) {
  TBoundEngine w;
  auto* p = w.Add(&w.Root, "p");
  auto* child = w.Add(p, "child");
  auto* other = w.Add(&w.Root, "other");
  child->MarkDead();
  p->MarkDead();
  other->MarkDead();
  // Freed out of the queue's order: the parent takes its queued child along.
  delete p;
  ASSERT_EQ(w.Root.DeadSprites.size(), 1u);
  EXPECT_EQ(w.Root.DeadSprites[0], other);
  w.Root.RemoveDead();
  EXPECT_EQ(Only(w.Journal, "free:"), (std::vector<std::string>{"p", "child", "other"}));
  EXPECT_EQ(w.Root.SpriteCount, 0);
}

TEST(MarkDeadTest, RemoveDeadEndsEvenWhenADeadMarkWasClearedByHand) {
  TBoundEngine w;
  auto* a = w.Add(&w.Root, "a");
  a->MarkDead();
  a->IsDead = false;
  w.Root.RemoveDead();
  EXPECT_TRUE(w.Root.DeadSprites.empty());
  EXPECT_EQ(w.Root.SpriteCount, 0);
}

TEST(MarkDeadTest, AFreedSpriteLeavesTheQueueEvenWhenItsDeadMarkWasClearedByHand) {
  TBoundEngine w;
  auto* p = w.Add(&w.Root, "p");
  auto* child = w.Add(p, "child");
  auto* other = w.Add(&w.Root, "other");
  child->MarkDead();
  other->MarkDead();
  child->IsDead = false;
  // Freeing the parent takes the child along; the queue must not keep it.
  delete p;
  ASSERT_EQ(w.Root.DeadSprites.size(), 1u);
  EXPECT_EQ(w.Root.DeadSprites[0], other);
  w.Root.RemoveDead();
  EXPECT_TRUE(w.Root.DeadSprites.empty());
  EXPECT_EQ(w.Root.SpriteCount, 0);
}

TEST(DrawTest, DrawsInDrawingOrderAndTheRootDrawsNothing) {
  TBoundEngine w;
  auto* a = w.Add(&w.Root, "a");
  w.Add(a, "a1");
  (w.Add(a, "a2"))->SetZ(-1);
  w.Add(&w.Root, "b")->SetZ(-3);
  w.Root.DrawAll();
  EXPECT_EQ(Only(w.Journal, "draw:"), (std::vector<std::string>{"b", "a", "a2", "a1"}));
}

TEST(DrawTest, AHiddenSpriteHidesItsChildren) {
  TBoundEngine w;
  auto* a = w.Add(&w.Root, "a");
  w.Add(a, "a1");
  w.Add(&w.Root, "b");
  a->Visible = false;
  w.Root.DrawAll();
  EXPECT_EQ(Only(w.Journal, "draw:"), (std::vector<std::string>{"b"}));
}

TEST(DrawTest, OnlySpritesOverlappingTheViewAreDrawnButTheirChildrenAreStillVisited) {
  TBoundEngine w;
  auto* off = w.Add(&w.Root, "off", 700, 0);
  w.Add(off, "back", -690, 0);     // at x = 10, inside
  w.Add(&w.Root, "edge", 640, 0);  // touches the right edge only
  w.Add(&w.Root, "left", -32, 0);  // touches the left edge only
  w.Add(&w.Root, "corner", -31, -31);
  w.Add(&w.Root, "dot", 639, 479, 0, 0);  // 0 by 0, corner strictly inside
  w.Add(&w.Root, "dotOut", 640, 0, 0, 0);
  w.Root.DrawAll();
  auto drawn = Only(w.Journal, "draw:");
  std::sort(drawn.begin(), drawn.end());
  EXPECT_EQ(drawn, (std::vector<std::string>{"back", "corner", "dot"}));
}

TEST(DrawTest, TheCameraDecidesWhatIsInView) {
  TBoundEngine w;
  w.Add(&w.Root, "far", 1000, 0);
  w.Root.DrawAll();
  EXPECT_TRUE(Only(w.Journal, "draw:").empty());
  w.Root.X = -640;
  w.Root.DrawAll();
  EXPECT_EQ(Only(w.Journal, "draw:"), (std::vector<std::string>{"far"}));
}

TEST(SpriteAtTest, FindsSpritesIncludingTheirRightAndBottomEdges) {
  TBoundEngine w;
  auto* s = w.Add(&w.Root, "s", 64, 32);
  EXPECT_EQ(w.Root.SpriteAt(64, 32), s);
  EXPECT_EQ(w.Root.SpriteAt(96, 64), s);
  EXPECT_EQ(w.Root.SpriteAt(97, 64), nullptr);
  EXPECT_EQ(w.Root.SpriteAt(96, 65), nullptr);
  EXPECT_EQ(w.Root.SpriteAt(63, 40), nullptr);
}

TEST(SpriteAtTest, AZeroSizedSpriteIsFoundOnlyAtItsCorner) {
  TBoundEngine w;
  auto* dot = w.Add(&w.Root, "dot", 10, 20, 0, 0);
  EXPECT_EQ(w.Root.SpriteAt(10, 20), dot);
  EXPECT_EQ(w.Root.SpriteAt(11, 20), nullptr);
  EXPECT_EQ(w.Root.SpriteAt(10, 21), nullptr);
  EXPECT_EQ(w.Root.SpriteAt(9, 20), nullptr);
}

TEST(SpriteAtTest, HigherZWinsAndAmongEqualZTheFirstFoundWins) {
  TBoundEngine w;
  auto* first = w.Add(&w.Root, "first", 0, 0);
  auto* second = w.Add(&w.Root, "second", 0, 0);
  EXPECT_EQ(w.Root.SpriteAt(5, 5), first);
  auto* back = w.Add(&w.Root, "back", 0, 0);
  back->SetZ(-10);
  EXPECT_EQ(w.Root.SpriteAt(5, 5), first);
  second->SetZ(1);
  EXPECT_EQ(w.Root.SpriteAt(5, 5), second);
}

TEST(SpriteAtTest, HiddenSpritesAreSkippedButTheirChildrenSearched) {
  TBoundEngine w;
  auto* hidden = w.Add(&w.Root, "hidden", 100, 100);
  auto* child = w.Add(hidden, "child", 10, 0);
  hidden->Visible = false;
  EXPECT_EQ(w.Root.SpriteAt(105, 105), nullptr);
  EXPECT_EQ(w.Root.SpriteAt(115, 105), child);
}

TEST(SpriteAtTest, ThePointIsTakenRelativeToTheCameraAndRounded) {
  TBoundEngine w;
  w.Root.X = -320;
  w.Root.Y = -32;
  auto* s = w.Add(&w.Root, "s", 320.5, 32, 10, 10);  // 320.5 rounds to 320 (halves to even)
  EXPECT_EQ(w.Root.SpriteAt(0, 0), s);
  EXPECT_EQ(w.Root.SpriteAt(10, 10), s);
  EXPECT_EQ(w.Root.SpriteAt(11, 0), nullptr);
  s->X = 321.5;  // rounds to 322
  EXPECT_EQ(w.Root.SpriteAt(1, 0), nullptr);
  EXPECT_EQ(w.Root.SpriteAt(2, 0), s);
}

}  // namespace
}  // namespace kestrilo

// Collision checks: what is visited, what counts as a hit and what stops a check.
#include <gtest/gtest.h>

#include "sprites/SpriteEngine.h"
#include "sprites/SpriteProbe.h"

namespace kestrilo {
namespace {

using test::Only;
using test::TJournal;
using test::TProbeSprite;

struct TArena {
  TJournal Journal;  // outlives the sprites, which log as they are freed
  TSpriteEngine Root;
  TProbeSprite* Add(TSprite* parent, const std::string& name, double x, double y, int32_t w = 32, int32_t h = 32) {
    auto* s = new TProbeSprite(parent, name, &Journal);
    s->X = x;
    s->Y = y;
    s->Width = w;
    s->Height = h;
    return s;
  }
};

TEST(CheckCollisionsTest, ReportsEveryOverlappingSpriteInTreeOrderToTheSubjectOnly) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 100, 100);
  auto* t1 = a.Add(&a.Root, "t1", 120, 120);
  a.Add(t1, "t1child", -40, -40);  // at (80, 80): overlaps too
  a.Add(&a.Root, "far", 300, 300);
  a.Add(&a.Root, "t2", 90, 90);
  EXPECT_EQ(subject->CheckCollisions(), 3);
  EXPECT_EQ(Only(a.Journal, "hit:"), (std::vector<std::string>{"me>t1", "me>t1child", "me>t2"}));
  EXPECT_EQ(a.Root.HitSubject, subject);
  EXPECT_EQ(a.Root.HitRect, (TRect{100, 100, 132, 132}));
  EXPECT_EQ(a.Root.HitCount, 3);
}

TEST(CheckCollisionsTest, TouchingEdgesAreNoHit) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 100, 100);
  a.Add(&a.Root, "right", 132, 100);
  a.Add(&a.Root, "below", 100, 132);
  a.Add(&a.Root, "diagonal", 68, 68);
  EXPECT_EQ(subject->CheckCollisions(), 0);
  a.Add(&a.Root, "justIn", 131, 131);
  EXPECT_EQ(subject->CheckCollisions(), 1);
}

TEST(CheckCollisionsTest, ChildrenAreVisitedEvenWhenTheirParentMisses) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 0, 0);
  auto* far = a.Add(&a.Root, "far", 500, 500);
  a.Add(far, "near", -495, -495);
  EXPECT_EQ(subject->CheckCollisions(), 1);
  EXPECT_EQ(Only(a.Journal, "hit:"), (std::vector<std::string>{"me>near"}));
}

TEST(CheckCollisionsTest, ANonCollidingSpriteShieldsItsWholeSubtree) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 0, 0);
  auto* shield = a.Add(&a.Root, "shield", 0, 0);
  a.Add(shield, "inside", 0, 0);
  shield->CanCollide = false;
  EXPECT_EQ(subject->CheckCollisions(), 0);
  EXPECT_TRUE(Only(a.Journal, "hit:").empty());
}

TEST(CheckCollisionsTest, TheSubjectsOwnChildrenCanBeHit) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 0, 0);
  a.Add(subject, "mine", 5, 5);
  EXPECT_EQ(subject->CheckCollisions(), 1);
  EXPECT_EQ(Only(a.Journal, "hit:"), (std::vector<std::string>{"me>mine"}));
}

TEST(CheckCollisionsTest, ADeadOrNonCollidingSubjectChecksNothing) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 0, 0);
  a.Add(&a.Root, "other", 0, 0);
  a.Root.HitCount = 77;
  subject->CanCollide = false;
  EXPECT_EQ(subject->CheckCollisions(), 0);
  subject->CanCollide = true;
  subject->MarkDead();
  EXPECT_EQ(subject->CheckCollisions(), 0);
  EXPECT_TRUE(Only(a.Journal, "hit:").empty());
  EXPECT_EQ(a.Root.HitSubject, nullptr);  // no check was started
  EXPECT_EQ(a.Root.HitCount, 77);
  EXPECT_EQ(a.Root.CheckCollisions(), 0);  // the root has no engine above it
}

TEST(CheckCollisionsTest, TargetsAlreadyQueuedForRemovalAreStillTested) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 0, 0);
  a.Add(&a.Root, "dying", 0, 0)->MarkDead();
  EXPECT_EQ(subject->CheckCollisions(), 1);
}

TEST(CheckCollisionsTest, BothFineTestsMustAgree) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 0, 0);
  auto* other = a.Add(&a.Root, "other", 0, 0);
  other->HitTestAnswer = false;
  EXPECT_EQ(subject->CheckCollisions(), 0);
  other->HitTestAnswer = true;
  subject->HitTestAnswer = false;
  EXPECT_EQ(subject->CheckCollisions(), 0);
  subject->HitTestAnswer = true;
  EXPECT_EQ(subject->CheckCollisions(), 1);
}

TEST(CheckCollisionsTest, DoneStopsTheCheckAfterThatHit) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 0, 0);
  auto* first = a.Add(&a.Root, "first", 0, 0);
  a.Add(first, "firstChild", 0, 0);
  a.Add(&a.Root, "second", 0, 0);
  subject->CollisionAction = [](TProbeSprite&, TSprite*, bool& done) { done = true; };
  EXPECT_EQ(subject->CheckCollisions(), 1);
  EXPECT_EQ(Only(a.Journal, "hit:"), (std::vector<std::string>{"me>first"}));
  EXPECT_TRUE(a.Root.HitDone);
}

TEST(CheckCollisionsTest, DoneDeepInTheTreeAlsoStopsTheRemainingSiblingsAbove) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 0, 0);
  auto* group = a.Add(&a.Root, "group", 500, 500);
  a.Add(group, "deep", -500, -500);
  a.Add(group, "deep2", -500, -500);
  a.Add(&a.Root, "later", 0, 0);
  subject->CollisionAction = [](TProbeSprite&, TSprite*, bool& done) { done = true; };
  EXPECT_EQ(subject->CheckCollisions(), 1);
  EXPECT_EQ(Only(a.Journal, "hit:"), (std::vector<std::string>{"me>deep"}));
}

TEST(CheckCollisionsTest, ASubjectThatKillsItselfStopsItsCheck) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 0, 0);
  a.Add(&a.Root, "a", 0, 0);
  a.Add(&a.Root, "b", 0, 0);
  subject->CollisionAction = [](TProbeSprite& self, TSprite*, bool&) { self.MarkDead(); };
  EXPECT_EQ(subject->CheckCollisions(), 1);
  EXPECT_EQ(Only(a.Journal, "hit:"), (std::vector<std::string>{"me>a"}));
}

TEST(CheckCollisionsTest, ASubjectThatStopsCollidingStopsItsCheck) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 0, 0);
  a.Add(&a.Root, "a", 0, 0);
  a.Add(&a.Root, "b", 0, 0);
  subject->CollisionAction = [](TProbeSprite& self, TSprite*, bool&) { self.CanCollide = false; };
  EXPECT_EQ(subject->CheckCollisions(), 1);
}

TEST(CheckCollisionsTest, TheSubjectsRectangleIsTakenOnceAtTheStart) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 0, 0);
  a.Add(&a.Root, "a", 0, 0);
  a.Add(&a.Root, "b", 10, 10);
  a.Add(&a.Root, "whereItGoes", 400, 400);
  subject->CollisionAction = [](TProbeSprite& self, TSprite*, bool&) {
    self.X = 400;
    self.Y = 400;
  };
  EXPECT_EQ(subject->CheckCollisions(), 2);
  EXPECT_EQ(Only(a.Journal, "hit:"), (std::vector<std::string>{"me>a", "me>b"}));
}

TEST(CheckCollisionsTest, SpritesSpawnedDuringTheCheckAreOutsideTheCountedRange) {
  TArena a;
  auto* subject = a.Add(&a.Root, "me", 0, 0);
  a.Add(&a.Root, "a", 0, 0);
  int spawned = 0;
  subject->CollisionAction = [&](TProbeSprite&, TSprite*, bool&) {
    if (spawned++ < 5) a.Add(&a.Root, "blast", 0, 0);
  };
  EXPECT_EQ(subject->CheckCollisions(), 1);
  EXPECT_EQ(a.Root.ChildCount(), 3);
  // The next check sees the blast.
  EXPECT_EQ(subject->CheckCollisions(), 2);
}

}  // namespace
}  // namespace kestrilo

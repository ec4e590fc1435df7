// The tree itself: construction, ownership, drawing order by Z, the child
// list errors, positions and freeing.
#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "sprites/BackgroundSprite.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/ImageSprite.h"
#include "sprites/SpriteEngine.h"
#include "sprites/SpriteProbe.h"

namespace kestrilo {
namespace {

using test::DrawOrder;
using test::Only;
using test::TJournal;
using test::TProbeSprite;

TEST(SpriteTree, NewSpriteHangsBelowItsParentWithTheDefaults) {
  TSpriteEngine root;
  auto* a = new TProbeSprite(&root, "a");
  auto* b = new TProbeSprite(a, "b");

  EXPECT_EQ(root.Engine, nullptr);
  EXPECT_EQ(root.Parent, nullptr);
  EXPECT_EQ(a->Engine, &root);
  EXPECT_EQ(b->Engine, &root);
  EXPECT_EQ(b->Parent, a);
  EXPECT_EQ(root.SpriteCount, 2);
  ASSERT_EQ(root.ChildCount(), 1);
  EXPECT_EQ(root.Child(0), a);
  EXPECT_EQ(a->Child(0), b);

  EXPECT_FALSE(b->IsDead);
  EXPECT_TRUE(b->CanCollide);
  EXPECT_TRUE(b->CanMove);
  EXPECT_TRUE(b->Visible);
  EXPECT_EQ(b->X, 0.0);
  EXPECT_EQ(b->Y, 0.0);
  EXPECT_EQ(b->Z(), 0);
  EXPECT_EQ(b->Width, 0);
  EXPECT_EQ(b->Height, 0);
  EXPECT_EQ(b->ChildCount(), 0);
  EXPECT_EQ(root.Context, nullptr);
  EXPECT_EQ(root.Surface, nullptr);
}

TEST(SpriteTree, EveryClassNamesItself) {
  TSpriteEngine root;
  TSprite plain(nullptr);
  EXPECT_STREQ(plain.ClassName(), "TSprite");
  EXPECT_STREQ(root.ClassName(), "TSpriteEngine");
  EXPECT_STREQ((new TImageSprite(&root))->ClassName(), "TImageSprite");
  EXPECT_STREQ((new TBackgroundSprite(&root))->ClassName(), "TBackgroundSprite");
  TDXSpriteEngine component;
  EXPECT_STREQ(component.ClassName(), "TDXSpriteEngine");
  EXPECT_STREQ(static_cast<TCustomDXSpriteEngine&>(component).ClassName(), "TDXSpriteEngine");
}

TEST(SpriteTree, ASpriteWithoutEngineAboveItIsNotCounted) {
  TSprite loose(nullptr);
  auto* child = new TProbeSprite(&loose, "c");
  EXPECT_EQ(child->Engine, nullptr);
  child->MarkDead();  // nothing to queue it in
  EXPECT_FALSE(child->IsDead);
  EXPECT_EQ(child->CheckCollisions(), 0);
}

TEST(DrawOrder, AmongEqualZTheSpriteAttachedLaterComesFirst) {
  TSpriteEngine root;
  new TProbeSprite(&root, "a");
  new TProbeSprite(&root, "b");
  new TProbeSprite(&root, "c");
  EXPECT_EQ(DrawOrder(root), (std::vector<std::string>{"c", "b", "a"}));
}

TEST(DrawOrder, LowerZIsDrawnFirstWhateverTheAttachmentOrder) {
  TSpriteEngine root;
  (new TProbeSprite(&root, "front"))->SetZ(5);
  (new TProbeSprite(&root, "back"))->SetZ(-10);
  new TProbeSprite(&root, "main");
  (new TProbeSprite(&root, "far"))->SetZ(-200);
  EXPECT_EQ(DrawOrder(root), (std::vector<std::string>{"far", "back", "main", "front"}));
  // The attachment order is untouched by Z.
  EXPECT_EQ(static_cast<TProbeSprite*>(root.Child(0))->Name, "front");
  EXPECT_EQ(static_cast<TProbeSprite*>(root.Child(3))->Name, "far");
}

TEST(DrawOrder, SetZToTheSameValueDoesNotReorder) {
  TSpriteEngine root;
  auto* a = new TProbeSprite(&root, "a");
  new TProbeSprite(&root, "b");
  a->SetZ(0);
  EXPECT_EQ(DrawOrder(root), (std::vector<std::string>{"b", "a"}));
}

TEST(DrawOrder, SetZAwayAndBackPlacesTheSpriteUnderTheOlderOnes) {
  TSpriteEngine root;
  new TProbeSprite(&root, "a");
  auto* b = new TProbeSprite(&root, "b");
  new TProbeSprite(&root, "c");
  ASSERT_EQ(DrawOrder(root), (std::vector<std::string>{"c", "b", "a"}));
  b->SetZ(7);
  EXPECT_EQ(DrawOrder(root), (std::vector<std::string>{"c", "a", "b"}));
  b->SetZ(0);
  EXPECT_EQ(b->Z(), 0);
  EXPECT_EQ(DrawOrder(root), (std::vector<std::string>{"b", "c", "a"}));
}

TEST(DrawOrder, ExtremeZValuesStillSort) {
  TSpriteEngine root;
  (new TProbeSprite(&root, "max"))->SetZ(INT32_MAX);
  (new TProbeSprite(&root, "min"))->SetZ(INT32_MIN);
  new TProbeSprite(&root, "zero");
  EXPECT_EQ(DrawOrder(root), (std::vector<std::string>{"min", "zero", "max"}));
}

TEST(DrawOrder, SetZOnTheRootOnlyStoresTheValue) {
  TSpriteEngine root;
  root.SetZ(3);
  EXPECT_EQ(root.Z(), 3);
}

TEST(ChildAccess, WithoutChildrenTheSpriteErrorNamesTheIndex) {
  TSpriteEngine root;
  EXPECT_EQ(root.ChildCount(), 0);
  try {
    root.Child(3);
    FAIL() << "no error";
  } catch (const ESpriteError& e) {
    EXPECT_STREQ(e.what(), "Index of the list exceeds the range. (3)");
  }
}

TEST(ChildAccess, WithChildrenABadIndexIsAListRangeError) {
  TSpriteEngine root;
  new TProbeSprite(&root, "a");
  new TProbeSprite(&root, "b");
  for (int32_t bad : {-1, 2, 100}) {
    try {
      root.Child(bad);
      FAIL() << "no error for " << bad;
    } catch (const EListError& e) {
      EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_NO_THROW(root.Child(1));
}

TEST(ChildAccess, TheLastChildLeavingMakesTheSpriteChildlessAgain) {
  TSpriteEngine root;
  auto* a = new TProbeSprite(&root, "a");
  delete a;
  EXPECT_EQ(root.ChildCount(), 0);
  EXPECT_EQ(root.DrawCount(), 0);
  EXPECT_THROW(root.Child(0), ESpriteError);
  EXPECT_EQ(root.SpriteCount, 0);
}

TEST(Freeing, AParentFreesItsChildrenLastFirstAndTheCountDropsByTheSubtree) {
  TJournal journal;
  TSpriteEngine root;
  new TProbeSprite(&root, "keep", &journal);
  auto* p = new TProbeSprite(&root, "p", &journal);
  auto* c1 = new TProbeSprite(p, "c1", &journal);
  new TProbeSprite(c1, "g", &journal);
  new TProbeSprite(p, "c2", &journal);
  new TProbeSprite(p, "c3", &journal);
  ASSERT_EQ(root.SpriteCount, 6);

  delete p;
  // Each sprite logs as its own destructor starts; its children follow, last first.
  EXPECT_EQ(Only(journal, "free:"), (std::vector<std::string>{"p", "c3", "c2", "c1", "g"}));
  EXPECT_EQ(root.SpriteCount, 1);
  EXPECT_EQ(root.ChildCount(), 1);
  EXPECT_EQ(DrawOrder(root), (std::vector<std::string>{"keep"}));
}

TEST(Freeing, ClearChildrenFreesEveryChildLastFirst) {
  TJournal journal;
  TSpriteEngine root;
  new TProbeSprite(&root, "a", &journal);
  new TProbeSprite(&root, "b", &journal);
  new TProbeSprite(&root, "c", &journal);
  root.ClearChildren();
  EXPECT_EQ(Only(journal, "free:"), (std::vector<std::string>{"c", "b", "a"}));
  EXPECT_EQ(root.SpriteCount, 0);
  EXPECT_EQ(root.ChildCount(), 0);
}

TEST(Freeing, DestroyingTheEngineFreesTheWholeTree) {
  TJournal journal;
  {
    TSpriteEngine root;
    auto* a = new TProbeSprite(&root, "a", &journal);
    new TProbeSprite(a, "a1", &journal);
    new TProbeSprite(&root, "b", &journal);
    a->MarkDead();
  }
  EXPECT_EQ(Only(journal, "free:"), (std::vector<std::string>{"b", "a", "a1"}));
}

TEST(Position, AbsolutePositionAddsEveryAncestorAndTheCamera) {
  TSpriteEngine root;
  root.X = -64;
  root.Y = -32;
  auto* a = new TProbeSprite(&root, "a");
  a->X = 100.5;
  a->Y = 10;
  auto* b = new TProbeSprite(a, "b");
  b->X = 1.25;
  b->Y = -3;
  EXPECT_DOUBLE_EQ(b->AbsoluteX(), -64 + 100.5 + 1.25);
  EXPECT_DOUBLE_EQ(b->AbsoluteY(), -32 + 10 - 3);
  EXPECT_DOUBLE_EQ(root.AbsoluteX(), -64);
}

TEST(Position, BoundsTruncateTowardZero) {
  TSpriteEngine root;
  auto* s = new TProbeSprite(&root, "s");
  s->Width = 32;
  s->Height = 16;
  s->X = 10.9;
  s->Y = -0.7;
  EXPECT_EQ(s->GetBounds(), (TRect{10, 0, 42, 16}));
  s->X = -5.5;
  s->Y = -31.99;
  EXPECT_EQ(s->GetBounds(), (TRect{-5, -31, 27, -15}));
}

TEST(Position, BoundsOfAbsurdPositionsStayInRange) {
  TSpriteEngine root;
  auto* s = new TProbeSprite(&root, "s");
  s->Width = 100;
  s->X = 1e300;
  s->Y = std::numeric_limits<double>::quiet_NaN();
  const TRect r = s->GetBounds();
  EXPECT_EQ(r.Left, INT32_MAX);
  EXPECT_EQ(r.Right, INT32_MAX);
  EXPECT_EQ(r.Top, 0);
  EXPECT_EQ(TruncToInt32(-1e12), INT32_MIN);
  EXPECT_EQ(TruncToInt32(-2.9), -2);
}

TEST(Surface, SetSurfaceTakesTheViewAndUnbindingKeepsIt) {
  TSpriteEngine root;
  TSurface surface(640, 480);
  root.SetSurface(&surface);
  EXPECT_EQ(root.Surface, &surface);
  EXPECT_EQ(root.ViewRect, (TRect{0, 0, 640, 480}));
  EXPECT_EQ(root.Width, 640);
  EXPECT_EQ(root.Height, 480);
  root.SetSurface(nullptr);
  EXPECT_EQ(root.Surface, nullptr);
  EXPECT_EQ(root.ViewRect, (TRect{0, 0, 640, 480}));
}

}  // namespace
}  // namespace kestrilo

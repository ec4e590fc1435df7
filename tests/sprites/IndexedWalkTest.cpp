// The engine's indexed drawing and collision checks against the full walks:
// the same seeded world is run twice, once each way, and every tick must call
// the same reactions in the same order with the same results.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/Surface.h"
#include "sprites/ImageSprite.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {
namespace {

class TRandomSprite;
class TPlacedImage;

// One world: its tree, its own random numbers and what happened in it.
struct TWorld {
  explicit TWorld(uint32_t seed, bool reference) : Rng(seed) {
    Root.UseReferenceAlgorithms = reference;
    Root.SetSurface(&Buffer);
  }
  int Pick(int n) { return static_cast<int>(Rng() % static_cast<uint32_t>(n)); }
  double Coordinate() { return Pick(1400) - 300 + (Pick(4) == 0 ? 0.5 : 0.0); }

  TSurface Buffer{640, 480};
  std::mt19937 Rng;
  std::vector<std::string> Journal;
  int NextId = 0;
  std::vector<TRandomSprite*> Sprites;  // every sprite made, for picking one; freed ones are nulled
  std::vector<TPlacedImage*> Images;    // the same for the placed pictures
  TSpriteEngine Root;                   // last, so it frees the sprites while the rest still lives
};

enum class TKind { Wall, Walker, Spawner, Group };

std::string Bits(double v) {
  char text[20];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(std::bit_cast<uint64_t>(v)));
  return text;
}

// A placed picture whose step is the image sprite's animation alone, as the
// game's plain objects: the engine lets it rest while the animation is idle.
class TPlacedImage final : public TImageSprite {
 public:
  TPlacedImage(TSprite* parent, TWorld& world) : TImageSprite(parent), World(world) {
    Id = world.NextId++;
    Slot = world.Images.size();
    world.Images.push_back(this);
    X = world.Pick(1400) - 300;
    Y = (world.Pick(1400) - 300) * 0.6;
    Width = Height = 32;
    FrameCount = world.Pick(5);
    Looping = world.Pick(2) == 0;
    FramePos = world.Pick(4) == 0 ? world.Pick(6) - 1 + 0.25 : 0;
    FrameSpeed = world.Pick(3) == 0 ? Speed(world) : 0;
  }
  // Speeds whose sums are exact and speeds whose sums round.
  static double Speed(TWorld& world) { return world.Pick(2) ? (world.Pick(9) - 4) / 64.0 : (world.Pick(9) - 4) * 0.1; }
  ~TPlacedImage() override { World.Images[Slot] = nullptr; }
  bool StepIsIdle() const override { return AnimationIsIdle(); }
  TImageSprite* LoopingPicture() override { return IfLooping(); }
  void OnDraw() override {
    World.Journal.push_back("draw " + std::to_string(Id) + " frame " + std::to_string(FrameIndex()) + " pos " +
                            Bits(FramePos));
  }
  std::string State() const {
    return std::to_string(Id) + " " + Bits(X) + " " + Bits(Y) + " " + std::to_string(Width) + " " + Bits(FramePos) +
           " " + Bits(FrameSpeed);
  }

  // What other code may do to a placed picture: start or stop its animation, move it.
  void Disturb() {
    switch (World.Pick(6)) {
      case 0: FrameSpeed = Speed(World); break;
      case 1: FramePos = World.Pick(7) - 1; break;
      case 2: Looping = !Looping; break;
      case 3: FrameCount = World.Pick(5); break;
      case 4: X += World.Pick(400) - 200; break;
      default: Width = World.Pick(80); break;
    }
  }

  TWorld& World;
  int Id = 0;
  size_t Slot = 0;
};

int IdOf(TSprite* sprite);

class TRandomSprite : public TSprite {
 public:
  TRandomSprite(TSprite* parent, TWorld& world, TKind kind) : TSprite(parent), World(world), Kind(kind) {
    Id = world.NextId++;
    Slot = world.Sprites.size();
    world.Sprites.push_back(this);
    X = world.Coordinate();
    Y = world.Coordinate() * 0.6;
    const int size = world.Pick(10);
    Width = size == 0 ? 0 : (size == 1 ? 150 : 8 + world.Pick(57));
    Height = size == 0 ? 0 : (size == 2 ? 130 : 8 + world.Pick(57));
    if (world.Pick(5) == 0) SetZ(world.Pick(5) * 10 - 30);
    if (world.Pick(20) == 0) Visible = false;
    if (world.Pick(20) == 0) CanCollide = false;
  }
  ~TRandomSprite() override { World.Sprites[Slot] = nullptr; }

  void OnMove(int32_t) override {
    if (Kind == TKind::Walker || Kind == TKind::Group) {
      X += World.Pick(9) - 4;
      Y += (World.Pick(9) - 4) * 0.5;
      const int32_t hits = CheckCollisions();
      World.Journal.push_back("check " + std::to_string(Id) + " = " + std::to_string(hits));
    }
    if (Kind == TKind::Spawner && World.Pick(4) == 0) new TRandomSprite(Engine, World, TKind::Walker);
    if (Kind == TKind::Spawner && World.Pick(3) == 0) {
      // Nudges or widens another sprite, which may be a placed one that never moved by itself.
      TRandomSprite* other = World.Sprites[static_cast<size_t>(World.Pick(static_cast<int>(World.Sprites.size())))];
      if (other) {
        other->Y += World.Pick(3) - 1;
        other->Width += World.Pick(2);
        if (World.Pick(4) == 0) other->X += World.Pick(300) - 150;  // far, between its own steps
      }
    }
    if (!World.Images.empty() && World.Pick(3) == 0) {
      // Reads a placed picture's frame, before or after its place in the pass.
      TPlacedImage* image = World.Images[static_cast<size_t>(World.Pick(static_cast<int>(World.Images.size())))];
      if (image) World.Journal.push_back("peek " + std::to_string(image->Id) + " " + Bits(image->FramePos));
    }
    if (Kind == TKind::Spawner && !World.Images.empty() && World.Pick(2) == 0) {
      // Wakes or moves a placed picture, before or after its place in the pass.
      TPlacedImage* image = World.Images[static_cast<size_t>(World.Pick(static_cast<int>(World.Images.size())))];
      if (image) image->Disturb();
    }
    if (World.Pick(200) == 0) MarkDead();
    if (World.Pick(300) == 0) SetZ(Z() + 10);
  }
  void OnDraw() override { World.Journal.push_back("draw " + std::to_string(Id)); }
  void OnCollision(TSprite* Other, bool& Done) override {
    World.Journal.push_back("hit " + std::to_string(Id) + ">" + std::to_string(IdOf(Other)));
    switch (World.Pick(12)) {
      case 0: Done = true; break;
      case 1: MarkDead(); break;
      case 2: X += 40; break;  // jumps away in its reaction
      case 3: Other->MarkDead(); break;
      case 4: new TRandomSprite(Engine, World, TKind::Wall); break;
      case 5: Other->X += World.Pick(3) - 1; break;  // nudges what it hit
      case 6: Other->SetZ(Other->Z() - 10); break;
      case 7:
        if (auto* image = dynamic_cast<TPlacedImage*>(Other)) {
          World.Journal.push_back("frame " + Bits(image->FramePos));
          image->Disturb();
        }
        break;
      case 8: {
        // Moves some sprite, perhaps one still to be visited, far: into this check's rectangle or out of it.
        TRandomSprite* some = World.Sprites[static_cast<size_t>(World.Pick(static_cast<int>(World.Sprites.size())))];
        if (some) some->X = World.Pick(2) ? World.Coordinate() : X + World.Pick(20) - 10;
        break;
      }
      default: break;
    }
  }

  TWorld& World;
  TKind Kind;
  int Id = 0;
  size_t Slot = 0;
};

int IdOf(TSprite* sprite) {
  if (auto* image = dynamic_cast<TPlacedImage*>(sprite)) return image->Id;
  return static_cast<TRandomSprite*>(sprite)->Id;
}

void Populate(TWorld& w, int count) {
  for (int i = 0; i < count; ++i) {
    const int roll = w.Pick(100);
    const TKind kind = roll < 80 ? TKind::Wall : roll < 92 ? TKind::Walker : roll < 96 ? TKind::Spawner : TKind::Group;
    if (w.Pick(3) == 0) {
      auto* image = new TPlacedImage(&w.Root, w);
      // Many pictures share an animation, as a level's decorations do.
      if (w.Pick(2) == 0) {
        image->FrameCount = 4;
        image->Looping = true;
        image->FramePos = 0;
        image->FrameSpeed = w.Pick(2) ? 0.1 : 0.25;
      }
      continue;
    }
    auto* s = new TRandomSprite(&w.Root, w, kind);
    if (kind == TKind::Group)
      for (int c = w.Pick(3) + 1; c > 0; --c) {
        auto* child = new TRandomSprite(s, w, w.Pick(2) ? TKind::Wall : TKind::Walker);
        child->X = w.Pick(80) - 40;
        child->Y = w.Pick(80) - 40;
      }
  }
}

// What the editor does between ticks: scroll, move or delete a placed sprite, place a new one.
void Commands(TWorld& w) {
  switch (w.Pick(7)) {
    case 0: w.Root.X -= 32; break;
    case 1: w.Root.Y += 32 * (w.Pick(3) - 1); break;
    case 2: w.Root.X += 0.5; break;
    case 3: {
      TRandomSprite* s = w.Sprites[static_cast<size_t>(w.Pick(static_cast<int>(w.Sprites.size())))];
      if (s) {
        s->X = w.Coordinate();
        s->Width = 8 + w.Pick(57);
      }
      break;
    }
    case 4: new TRandomSprite(&w.Root, w, TKind::Wall); break;
    case 5:
      if (!w.Images.empty()) {
        TPlacedImage* image = w.Images[static_cast<size_t>(w.Pick(static_cast<int>(w.Images.size())))];
        if (image) image->Disturb();
      }
      break;
    default: {
      TRandomSprite* s = w.Sprites[static_cast<size_t>(w.Pick(static_cast<int>(w.Sprites.size())))];
      if (s) {
        s->CanCollide = !s->CanCollide;
        if (w.Pick(2)) s->Visible = !s->Visible;
      }
      break;
    }
  }
}

std::vector<std::string> Tick(TWorld& w) {
  w.Journal.clear();
  w.Root.Move(16);
  w.Root.RemoveDead();
  w.Root.DrawAll();
  w.Journal.push_back("count " + std::to_string(w.Root.SpriteCount));
  // Pictures out of view are compared too: a skipped step must have changed nothing.
  for (const TPlacedImage* image : w.Images)
    if (image) w.Journal.push_back("state " + image->State());
  return w.Journal;
}

class IndexedWalkTest : public ::testing::TestWithParam<uint32_t> {};

TEST_P(IndexedWalkTest, EveryTickMatchesTheFullWalk) {
  TWorld reference(GetParam(), true);
  TWorld indexed(GetParam(), false);
  Populate(reference, 400);
  Populate(indexed, 400);
  for (int tick = 0; tick < 50; ++tick) {
    const auto expected = Tick(reference);
    const auto actual = Tick(indexed);
    ASSERT_EQ(actual, expected) << "tick " << tick;
    Commands(reference);
    Commands(indexed);
  }
  // The index was really used: most walls ended up in the grid, and most
  // placed pictures rested out of the move pass.
  EXPECT_GT(indexed.Root.Index().PlacedCount(), 60);
  EXPECT_GT(indexed.Root.Index().PackedCount(), 60);
  const auto liveImages = std::count_if(indexed.Images.begin(), indexed.Images.end(), [](auto* i) { return i; });
  EXPECT_GT(indexed.Root.ChildCount() - indexed.Root.AwakeCount(), liveImages / 3);
  // The looping ones ran on shared clocks, far fewer than their followers.
  EXPECT_GT(indexed.Root.FollowerCount(), liveImages / 4);
  EXPECT_LT(indexed.Root.ClockCount() + 10, static_cast<size_t>(indexed.Root.FollowerCount()));
  EXPECT_EQ(reference.Root.SpriteCount, indexed.Root.SpriteCount);
}

INSTANTIATE_TEST_SUITE_P(Seeds, IndexedWalkTest, ::testing::Values(1u, 2u, 3u, 42u, 2024u));

TEST(IndexedWalk, SwitchingToTheFullWalksAndBackKeepsResultsRight) {
  TWorld reference(7, true);
  TWorld mixed(7, false);
  Populate(reference, 300);
  Populate(mixed, 300);
  for (int tick = 0; tick < 30; ++tick) {
    mixed.Root.UseReferenceAlgorithms = (tick / 5) % 2 == 1;
    ASSERT_EQ(Tick(mixed), Tick(reference)) << "tick " << tick;
    Commands(reference);
    Commands(mixed);
  }
}

TEST(IndexedWalk, ASpriteMovedBetweenTicksIsFoundAtItsNewPlace) {
  TWorld w(9, false);
  auto* wall = new TRandomSprite(&w.Root, w, TKind::Wall);
  wall->X = 100;
  wall->Y = 100;
  wall->Width = wall->Height = 32;
  wall->CanCollide = true;
  wall->Visible = true;
  Tick(w);
  Tick(w);
  ASSERT_EQ(w.Root.Index().GridCount(), 1);
  wall->X = 500;  // moved by a command
  auto* probe = new TRandomSprite(&w.Root, w, TKind::Wall);
  probe->X = 510;
  probe->Y = 110;
  probe->Width = probe->Height = 4;
  probe->CanCollide = true;
  Tick(w);  // the move pass notices the wall's new place
  EXPECT_EQ(probe->CheckCollisions(), 1);
  EXPECT_EQ(w.Root.Index().GridCount(), 2);  // the probe as placed, the wall as seen moving
  EXPECT_EQ(w.Root.Index().PlacedCount(), 1);
}

}  // namespace
}  // namespace kestrilo

namespace kestrilo {
namespace {

// A sprite that notes when it is drawn.
class TJournalSprite : public TSprite {
 public:
  using Journal = std::vector<int>;
  TJournalSprite(TSprite* parent, Journal& journal, double x, double y) : TSprite(parent), journal_(journal) {
    X = x;
    Y = y;
    Width = Height = 32;
    id_ = static_cast<int>(x);
  }
  void OnDraw() override { journal_.push_back(id_); }

 private:
  Journal& journal_;
  int id_;
};

// A still sprite for the index's bookkeeping.
class TStill : public TSprite {
 public:
  TStill(TSprite* parent, double x, double y, int32_t w, int32_t h) : TSprite(parent) {
    X = x;
    Y = y;
    Width = w;
    Height = h;
  }
};

TEST(SpriteIndexTest, StillSmallChildrenGoIntoTheGridAfterOneTick) {
  TSpriteEngine root;
  auto* wall = new TStill(&root, 64, 64, 32, 32);
  // New: filed nowhere until the tick validates it.
  EXPECT_EQ(root.Index().AlwaysCount() + root.Index().GridCount(), 0);
  root.Move(16);
  EXPECT_EQ(root.Index().GridCount(), 1);
  EXPECT_EQ(root.Index().AlwaysCount(), 0);
  wall->Y += 1;  // within the truncation wobble: still counts as in place
  root.Move(16);
  EXPECT_EQ(root.Index().GridCount(), 1);
  EXPECT_EQ(root.Index().PlacedCount(), 1);
  wall->Y += 2;  // small steps add up to a move
  root.Move(16);
  EXPECT_EQ(root.Index().GridCount(), 1);
  EXPECT_EQ(root.Index().PlacedCount(), 0);
  wall->Y -= 3;  // back where it was, but a sprite seen moving is filed where it is from now on
  root.Move(16);
  root.Move(16);
  EXPECT_EQ(root.Index().PlacedCount(), 0);
  EXPECT_EQ(root.Index().AlwaysCount(), 0);
  wall->Y = 100000;  // out of the grid's reach: a candidate everywhere
  root.Move(16);
  EXPECT_EQ(root.Index().GridCount(), 0);
  EXPECT_EQ(root.Index().AlwaysCount(), 1);
}

TEST(SpriteIndexTest, ChildrenMadeBetweenTicksAreFiledBeforeTheFirstQuery) {
  // A level loaded while the preview runs: the first tick's checks must not
  // take every new sprite as a candidate of every check.
  TSpriteEngine root;
  root.Move(16);
  for (int i = 0; i < 500; ++i) new TStill(&root, (i % 50) * 32, (i / 50) * 32, 32, 32);
  auto* probe = new TStill(&root, 40, 40, 4, 4);
  EXPECT_EQ(root.Index().AlwaysCount() + root.Index().GridCount(), 0);
  EXPECT_EQ(probe->CheckCollisions(), 1);
  EXPECT_EQ(root.Index().AlwaysCount(), 0);
  EXPECT_EQ(root.Index().PlacedCount(), 501);
}

TEST(SpriteIndexTest, PlacedChildrenArePackedAndLeaversAreFoundWhereTheyGo) {
  TSpriteEngine root;
  std::vector<TStill*> walls;
  for (int i = 0; i < 300; ++i) walls.push_back(new TStill(&root, (i % 30) * 32, (i / 30) * 32, 32, 32));
  root.Move(16);
  EXPECT_EQ(root.Index().PackedCount(), 300);
  auto* probe = new TStill(&root, 5000, 10, 4, 4);
  walls[0]->X = 5000;  // leaves its packed cell
  walls[1]->Y += 1;    // stays, within the wobble
  EXPECT_EQ(probe->CheckCollisions(), 1);
  EXPECT_EQ(root.Index().PackedCount(), 299);
  probe->X = 33;
  probe->Y = 1;
  EXPECT_EQ(probe->CheckCollisions(), 1);  // walls[1], still packed where it was
  for (int i = 2; i < 102; ++i) walls[static_cast<size_t>(i)]->MarkDead();
  root.RemoveDead();
  root.Move(16);  // the holes are many: packed again without them
  EXPECT_EQ(root.Index().PackedCount(), 199);
  EXPECT_EQ(root.Index().GridCount(), 201);  // and the moved wall and the probe in their cells' lists
  probe->X = 32 * 10 + 8;
  probe->Y = 32 * 5 + 8;
  EXPECT_EQ(probe->CheckCollisions(), 1);
}

TEST(SpriteIndexTest, PackingKeepsTheMoversOfACellFindable) {
  TSpriteEngine root;
  for (int i = 0; i < 10; ++i) new TStill(&root, 32, 0, 32, 32);  // too few to pack
  auto* mover = new TStill(&root, 300, 0, 8, 8);
  root.Move(16);
  mover->X = 40;  // seen moving: behind the walls in their cell's list
  root.Move(16);
  std::vector<TStill*> block;
  for (int i = 0; i < 100; ++i) block.push_back(new TStill(&root, 32 * (i % 10), 320 + 32 * (i / 10), 32, 32));
  root.Move(16);  // packs the walls of both places; the mover stays in the list
  EXPECT_EQ(root.Index().PackedCount(), 110);
  mover->X = 600;  // leaves the cell: found by the place it now has there
  auto* probe = new TStill(&root, 40, 8, 4, 4);
  EXPECT_EQ(probe->CheckCollisions(), 10);
  probe->X = 604;
  probe->Y = 4;
  EXPECT_EQ(probe->CheckCollisions(), 1);
  // Walls aligned to the cells reach no further than their cell; one that
  // starts moving leaves the packed array, which keeps its short look-back,
  // and is found across the cell edge it now crosses.
  EXPECT_EQ(root.Index().PackedOverhangX(), 0);
  block[99]->X = 288 + 20;  // still cornered in its cell, now reaching 20 pixels into the next
  probe->X = 330;
  probe->Y = 320 + 9 * 32 + 8;
  EXPECT_EQ(probe->CheckCollisions(), 1);
  EXPECT_EQ(root.Index().PackedCount(), 109);
  EXPECT_EQ(root.Index().PackedOverhangX(), 0);
}

TEST(SpriteIndexTest, LargeFarAwayAndParentSpritesStayCandidatesEverywhere) {
  TSpriteEngine root;
  new TStill(&root, 0, 0, 65, 10);        // wider than a cell
  new TStill(&root, -100000, 0, 10, 10);  // outside the grid
  auto* parent = new TStill(&root, 10, 10, 10, 10);
  new TStill(parent, 0, 0, 5, 5);   // not indexed itself: its parent is walked whole
  new TStill(&root, 10, 10, 0, 0);  // a 0 by 0 sprite fits a cell
  root.Move(16);
  root.Move(16);
  EXPECT_EQ(root.Index().GridCount(), 1);
  EXPECT_EQ(root.Index().AlwaysCount(), 3);
  parent->ClearChildren();
  root.Move(16);
  EXPECT_EQ(root.Index().GridCount(), 2);
}

TEST(SpriteIndexTest, FreedChildrenLeaveTheIndex) {
  TSpriteEngine root;
  auto* a = new TStill(&root, 0, 0, 10, 10);
  new TStill(&root, 0, 0, 10, 10);
  root.Move(16);
  ASSERT_EQ(root.Index().GridCount(), 2);
  const uint64_t before = root.Index().Removals();
  a->MarkDead();
  root.RemoveDead();
  EXPECT_EQ(root.Index().GridCount(), 1);
  EXPECT_EQ(root.Index().Removals(), before + 1);
  root.ClearChildren();
  EXPECT_EQ(root.Index().GridCount(), 0);
  EXPECT_EQ(root.Index().AlwaysCount(), 0);
}

TEST(SpriteIndexTest, TheIndexedDrawSkipsOnlyWhatIsOutOfView) {
  TSurface buffer(640, 480);
  TJournalSprite::Journal journal;
  TSpriteEngine root;
  root.SetSurface(&buffer);
  for (int i = 0; i < 40; ++i) new TJournalSprite(&root, journal, i * 40 - 200, 100);
  root.Move(16);
  root.DrawAll();
  const auto indexed = journal;
  journal.clear();
  root.UseReferenceAlgorithms = true;
  root.DrawAll();
  EXPECT_EQ(indexed, journal);
  EXPECT_EQ(indexed.size(), 16u);  // x = 0, 40, ..., 600 overlap the view; -40 and 640 only touch or miss it
}

}  // namespace
}  // namespace kestrilo

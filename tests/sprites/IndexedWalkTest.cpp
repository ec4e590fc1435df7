// The engine's indexed drawing and collision checks against the full walks:
// the same seeded world is run twice, once each way, and every tick must call
// the same reactions in the same order with the same results.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/Surface.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {
namespace {

class TRandomSprite;

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
  TSpriteEngine Root;                    // last, so it frees the sprites while the rest still lives
};

enum class TKind { Wall, Walker, Spawner, Group };

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
    if (World.Pick(200) == 0) MarkDead();
    if (World.Pick(300) == 0) SetZ(Z() + 10);
  }
  void OnDraw() override { World.Journal.push_back("draw " + std::to_string(Id)); }
  void OnCollision(TSprite* Other, bool& Done) override {
    World.Journal.push_back("hit " + std::to_string(Id) + ">" + std::to_string(static_cast<TRandomSprite*>(Other)->Id));
    switch (World.Pick(12)) {
      case 0: Done = true; break;
      case 1: MarkDead(); break;
      case 2: X += 40; break;  // jumps away in its reaction
      case 3: Other->MarkDead(); break;
      case 4: new TRandomSprite(Engine, World, TKind::Wall); break;
      default: break;
    }
  }

  TWorld& World;
  TKind Kind;
  int Id = 0;
  size_t Slot = 0;
};

void Populate(TWorld& w, int count) {
  for (int i = 0; i < count; ++i) {
    const int roll = w.Pick(100);
    const TKind kind = roll < 80 ? TKind::Wall : roll < 92 ? TKind::Walker : roll < 96 ? TKind::Spawner : TKind::Group;
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
  switch (w.Pick(6)) {
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
  // The index was really used: most walls ended up in the grid.
  EXPECT_GT(indexed.Root.Index().GridCount(), 60);
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
  EXPECT_EQ(w.Root.Index().GridCount(), 1);  // the probe went in; the wall, seen moving, did not
}

}  // namespace
}  // namespace kestrilo

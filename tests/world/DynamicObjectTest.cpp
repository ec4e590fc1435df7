#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "WorldTestContext.h"
#include "platform/Errors.h"
#include "world/DynamicObject.h"
#include "world/DynamicObjectPortal.h"

namespace kestrilo {
namespace {

using testing::TWorldTestContext;

// The generator's sequence written out independently: state * 134775813 + 1.
class TRawDraws {
 public:
  explicit TRawDraws(uint32_t seed) : state_(seed) {}
  double Fraction() { return Next() / 4294967296.0; }
  int32_t Whole(int32_t n) { return static_cast<int32_t>((uint64_t(uint32_t(n)) * Next()) >> 32); }

 private:
  uint32_t Next() { return state_ = state_ * 134775813u + 1u; }
  uint32_t state_;
};

// The fields a spawn must give for a seed, in the order the draws are made.
struct TExpectedSpawn {
  uint8_t Kind;
  int32_t PictureIndex;
  int32_t DriftScale;
  double Drift;
  double Rise;
  double BaseX;
  double Y;
};

TExpectedSpawn ExpectedSpawn(uint32_t seed, int32_t pictures) {
  TRawDraws draws(seed);
  TExpectedSpawn e{};
  const double kindFraction = draws.Fraction();
  e.Kind = kindFraction > 0.5 ? 1 : 0;
  e.PictureIndex = draws.Whole(pictures);
  e.DriftScale = draws.Whole(4);
  const double f1 = draws.Fraction();
  const double f2 = draws.Fraction();
  e.Drift = e.DriftScale * (f2 - f1);
  if (std::abs(e.Drift * 1000) <= 0.5) e.Drift = draws.Fraction() * 0.4 * 10;
  e.Rise = draws.Fraction() / 5;
  e.BaseX = draws.Fraction() * 640;
  e.Y = e.Kind == 0 ? 300 : draws.Whole(100);
  return e;
}

class PortalTest : public ::testing::Test {
 protected:
  PortalTest() {
    auto& pictures = world.Context.PortalPictures();
    world.AddPicture(pictures, "Облако", 64, 32, 4);
    world.AddPicture(pictures, "Птица", 16, 16, 2);
    world.AddPicture(pictures, "Дым", 40, 50, 1);
    portal = new TDinamicPortal(&world.Root());
    portal->Visible = false;
    portal->X = 350;
    portal->Y = 200;
  }

  // Runs the portal alone to the tick of its first spawn, with the given seed.
  TDinamicObject* SpawnWithSeed(uint32_t seed) {
    portal->SpawnTimer = TDinamicPortal::kSpawnInterval;
    world.Context.Random.RandSeed = seed;
    world.Context.SpriteEngine->Move(16);
    return dynamic_cast<TDinamicObject*>(world.LastOf("TDinamicObject"));
  }

  void ExpectSpawnFromSeed(uint32_t seed) {
    const TExpectedSpawn e = ExpectedSpawn(seed, 3);
    TDinamicObject* object = SpawnWithSeed(seed);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Kind, e.Kind);
    EXPECT_EQ(object->Picture, world.Context.PortalPictures().Items(e.PictureIndex));
    EXPECT_EQ(object->Width, object->Picture->Width());
    EXPECT_EQ(object->Height, object->Picture->Height());
    EXPECT_EQ(object->FrameCount, object->Picture->PatternCount());
    EXPECT_DOUBLE_EQ(object->FrameSpeed, 1.0 / 150.0);
    EXPECT_TRUE(object->Looping);
    EXPECT_EQ(object->Offset, 0.5);
    EXPECT_DOUBLE_EQ(object->Drift, e.Drift);
    EXPECT_DOUBLE_EQ(object->Rise, e.Rise);
    EXPECT_DOUBLE_EQ(object->BaseX, e.BaseX);
    EXPECT_EQ(object->BaseY, 260);
    EXPECT_EQ(object->X, 350);
    EXPECT_EQ(object->Y, e.Y);
    EXPECT_EQ(object->Z(), -80);
  }

  TWorldTestContext world;
  TDinamicPortal* portal = nullptr;
};

TEST_F(PortalTest, ReleasesTheFirstObjectInItsTick1201AndThenEvery1201) {
  world.Ticks(1200);
  EXPECT_EQ(world.CountOf("TDinamicObject"), 0);
  EXPECT_EQ(portal->SpawnTimer, 1200);
  world.Tick();
  ASSERT_EQ(world.CountOf("TDinamicObject"), 1);
  EXPECT_EQ(portal->SpawnTimer, 0);
  TSprite* first = world.LastOf("TDinamicObject");
  // Created during the move pass: it has not stepped yet and stands at its spawn place.
  EXPECT_EQ(first->X, 350);

  world.Ticks(1200);
  EXPECT_EQ(portal->SpawnTimer, 1200);
  world.Tick();
  TSprite* second = world.LastOf("TDinamicObject");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->X, 350);
  EXPECT_EQ(portal->SpawnTimer, 0);
  EXPECT_STREQ(portal->ClassName(), "TDinamicPortal");
  EXPECT_EQ(portal->FramePos, 0.0);  // the portal does not animate
}

TEST_F(PortalTest, DrawsTheRandomNumbersInTheirOrder) {
  for (uint32_t seed : {0u, 1u, 77u, 12345u, 0xDEADBEEFu, 4000000000u}) {
    SCOPED_TRACE(seed);
    ExpectSpawnFromSeed(seed);
  }
}

TEST_F(PortalTest, BothKindsOccur) {
  // Seeds whose first fraction lies below and above one half.
  uint32_t rising = 0, floating = 0;
  bool haveRising = false, haveFloating = false;
  for (uint32_t seed = 0; seed < 1000 && !(haveRising && haveFloating); ++seed) {
    const bool above = ExpectedSpawn(seed, 3).Kind == 1;
    if (above && !haveFloating) floating = seed, haveFloating = true;
    if (!above && !haveRising) rising = seed, haveRising = true;
  }
  ASSERT_TRUE(haveRising && haveFloating);
  ExpectSpawnFromSeed(rising);
  EXPECT_EQ(dynamic_cast<TDinamicObject*>(world.LastOf("TDinamicObject"))->Y, 300);
  ExpectSpawnFromSeed(floating);
  EXPECT_LT(dynamic_cast<TDinamicObject*>(world.LastOf("TDinamicObject"))->Y, 100);
}

TEST_F(PortalTest, ZeroDriftScaleIsReplacedByADriftUpToFour) {
  uint32_t seed = 0;
  while (ExpectedSpawn(seed, 3).DriftScale != 0) ++seed;
  TDinamicObject* object = SpawnWithSeed(seed);
  ASSERT_NE(object, nullptr);
  EXPECT_GT(object->Drift, 0.0);
  EXPECT_LT(object->Drift, 4.0);
  EXPECT_DOUBLE_EQ(object->Drift, ExpectedSpawn(seed, 3).Drift);
}

TEST_F(PortalTest, ReplacementDriftIsTheFractionTimesPointFourTimesTen) {
  // Seed 1 draws scale 0 and then a fraction for which (f * 0.4) * 10 and f * 4
  // differ in the last bit; a replay must see the former exactly.
  TRawDraws draws(1);
  for (int i = 0; i < 2; ++i) draws.Fraction();  // kind, picture index
  ASSERT_EQ(draws.Whole(4), 0);
  draws.Fraction();
  draws.Fraction();
  const double f = draws.Fraction();
  ASSERT_NE(f * 0.4 * 10, f * 4.0);
  TDinamicObject* object = SpawnWithSeed(1);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->Drift, f * 0.4 * 10);
}

TEST_F(PortalTest, ObjectIsDrawnBetweenTheBackgroundAndTheBackPlanes) {
  auto* background = new TImageSprite(&world.Root());
  background->SetZ(-200);
  auto* plane4 = new TImageSprite(&world.Root());
  plane4->SetZ(-40);
  auto* mainPlane = new TImageSprite(&world.Root());
  TDinamicObject* object = SpawnWithSeed(5);
  ASSERT_NE(object, nullptr);
  std::vector<TSprite*> order;
  for (int32_t i = 0; i < world.Root().DrawCount(); ++i) order.push_back(world.Root().DrawItem(i));
  auto at = [&order](TSprite* s) { return std::find(order.begin(), order.end(), s) - order.begin(); };
  EXPECT_LT(at(background), at(object));
  EXPECT_LT(at(object), at(plane4));
  EXPECT_LT(at(plane4), at(mainPlane));
}

TEST_F(PortalTest, EmptyPictureListFailsEachSpawnWithTheRangeError) {
  world.Context.PortalPictures().Clear();
  portal->SpawnTimer = TDinamicPortal::kSpawnInterval;
  try {
    world.Context.SpriteEngine->Move(16);
    FAIL() << "an empty list must fail";
  } catch (const EListError& error) {
    EXPECT_STREQ(error.what(), "List index out of bounds (0)");
  }
  ASSERT_EQ(world.CountOf("TDinamicObject"), 1);
  EXPECT_EQ(static_cast<TImageSprite*>(world.LastOf("TDinamicObject"))->Picture, nullptr);
  EXPECT_EQ(portal->SpawnTimer, 0);
  world.Ticks(1200);
  EXPECT_THROW(world.Tick(), EListError);
}

TEST_F(PortalTest, SameSeedAndTicksGiveTheSameWorld) {
  auto run = [](uint32_t seed) {
    TWorldTestContext other;
    other.AddPicture(other.Context.PortalPictures(), "Облако", 64, 32, 4);
    other.AddPicture(other.Context.PortalPictures(), "Птица", 16, 16, 2);
    new TDinamicPortal(&other.Root());
    other.Context.Random.RandSeed = seed;
    std::vector<double> trace;
    for (int tick = 0; tick < 4000; ++tick) {
      other.Tick();
      if (tick % 97 == 0) {
        for (int32_t i = 0; i < other.Root().ChildCount(); ++i) {
          trace.push_back(other.Root().Child(i)->X);
          trace.push_back(other.Root().Child(i)->Y);
        }
      }
    }
    return trace;
  };
  const auto first = run(99);
  EXPECT_EQ(first, run(99));
  EXPECT_NE(first, run(100));
}

class DynamicObjectTest : public ::testing::Test {
 protected:
  TDinamicObject* Rising(double rise) {
    auto* object = new TDinamicObject(&world.Root());
    object->Kind = 0;
    object->Offset = 0.5;
    object->Drift = 0.001;
    object->Rise = rise;
    object->BaseX = 300;
    object->BaseY = 260;
    object->X = 350;
    object->Y = 300;
    return object;
  }

  // Steps until the object is freed; the number of steps it took.
  int StepsUntilGone(int limit = 5000) {
    for (int step = 1; step <= limit; ++step) {
      world.Tick();
      if (world.CountOf("TDinamicObject") == 0) return step;
    }
    return -1;
  }

  TWorldTestContext world;
};

TEST_F(DynamicObjectTest, RisingObjectLeavesTheTopAfter520Steps) {
  Rising(0.1);
  EXPECT_EQ(StepsUntilGone(), 520);
}

TEST_F(DynamicObjectTest, WithTheViewScrolledDownItRisesOnFor1160Steps) {
  world.Root().Y = -320;
  Rising(0.1);
  EXPECT_EQ(StepsUntilGone(), 1160);
}

TEST_F(DynamicObjectTest, RisingObjectKeepsItsScreenPlaceWhateverTheScrolling) {
  TDinamicObject* object = Rising(0.0);
  world.Root().X = -96;
  world.Root().Y = -64;
  world.Ticks(10);
  EXPECT_DOUBLE_EQ(object->AbsoluteX(), 300 + 0.5 + 10 * 0.001);
  EXPECT_DOUBLE_EQ(object->AbsoluteY(), 260 - 5.0);
  EXPECT_DOUBLE_EQ(object->X, 300 + 96 + 0.5 + 10 * 0.001);
}

TEST_F(DynamicObjectTest, FloatingObjectDriftsAcrossAndKeepsItsHeight) {
  auto* object = new TDinamicObject(&world.Root());
  object->Kind = 1;
  object->Offset = 0.5;
  object->Drift = 3;
  object->BaseX = 6300;
  object->Y = 42;
  world.Tick();
  EXPECT_EQ(object->Y, 42);
  EXPECT_EQ(object->X, 6303.5);
  // 6300.5 + 3k passes 6368 at k = 23.
  EXPECT_EQ(StepsUntilGone(), 22);
}

TEST_F(DynamicObjectTest, LeavingTheLevelOnTheLeftRemovesIt) {
  auto* object = new TDinamicObject(&world.Root());
  object->Kind = 1;
  object->Offset = 0.5;
  object->Drift = -2;
  object->BaseX = 3;
  object->Y = 10;
  // 3.5 - 2k drops below 0 at k = 2.
  EXPECT_STREQ(object->ClassName(), "TDinamicObject");
  EXPECT_EQ(StepsUntilGone(), 2);
}

TEST_F(DynamicObjectTest, AnimatesWithItsOwnFrameSpeed) {
  TDinamicObject* object = Rising(0.0);
  object->FrameCount = 4;
  object->FrameSpeed = 1.0 / 150.0;
  object->Looping = true;
  world.Ticks(10);
  EXPECT_NEAR(object->FramePos, 160.0 / 150.0, 1e-12);
}

}  // namespace
}  // namespace kestrilo

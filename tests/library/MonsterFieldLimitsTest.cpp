// What each field of a monster record may hold: every check at both sides of
// its boundary, and the messages that name the field and its range.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "library/MonsterFieldLimits.h"

namespace kestrilo {
namespace {

TMonsterRecord Valid() { return NewMonsterRecord("Monster"); }

// The one problem of a record, or a failure when there are none or several.
TMonsterFieldProblem OnlyProblem(const TMonsterRecord& record, int32_t frameCount = 0) {
  const std::vector<TMonsterFieldProblem> problems = CheckMonsterRecord(record, frameCount);
  EXPECT_EQ(problems.size(), 1u);
  return problems.empty() ? TMonsterFieldProblem{} : problems.front();
}

TEST(MonsterFieldLimitsTest, ANewMonsterHasNoProblem) {
  EXPECT_TRUE(CheckMonsterRecord(Valid()).empty());
  EXPECT_TRUE(CheckMonsterRecord(Valid(), 1).empty());  // every state on frame 0
}

TEST(MonsterFieldLimitsTest, EachNumberIsCheckedAtBothSidesOfItsUpperBound) {
  struct TCase {
    const char* Field;
    void (*Set)(TMonsterRecord&, uint32_t);
    uint32_t Max;
    const char* Range;
  };
  const TCase cases[] = {
      {"moveMode", [](TMonsterRecord& r, uint32_t v) { r.MoveMode = static_cast<uint8_t>(v); }, 2, "from 0 to 2"},
      {"wakeDistance", [](TMonsterRecord& r, uint32_t v) { r.WakeDistance = static_cast<uint16_t>(v); }, 200,
       "from 0 to 200"},
      {"damageMax", [](TMonsterRecord& r, uint32_t v) { r.DamageMax = static_cast<uint16_t>(v); }, 32767,
       "from 0 to 32767"},
      {"walkSpeed", [](TMonsterRecord& r, uint32_t v) { r.WalkSpeed = static_cast<uint16_t>(v); }, 100,
       "from 0 to 100"},
  };
  for (const TCase& c : cases) {
    TMonsterRecord atLimit = Valid();
    c.Set(atLimit, c.Max);
    EXPECT_TRUE(CheckMonsterRecord(atLimit).empty()) << c.Field;
    TMonsterRecord beyond = Valid();
    c.Set(beyond, c.Max + 1);
    const TMonsterFieldProblem problem = OnlyProblem(beyond);
    EXPECT_EQ(problem.Fields, std::vector<std::string>{c.Field});
    EXPECT_NE(problem.Message.find(c.Field), std::string::npos) << problem.Message;
    EXPECT_NE(problem.Message.find(c.Range), std::string::npos) << problem.Message;
    EXPECT_NE(problem.Message.find(std::to_string(c.Max + 1)), std::string::npos) << problem.Message;
  }
}

TEST(MonsterFieldLimitsTest, ALowerBoundAboveItsUpperBoundIsRefusedEqualBoundsAreNot) {
  TMonsterRecord equal = Valid();
  equal.HealthMin = equal.HealthMax = 10;
  equal.DamageMin = equal.DamageMax = 4;
  EXPECT_TRUE(CheckMonsterRecord(equal).empty());

  TMonsterRecord health = Valid();
  health.HealthMin = 11;
  health.HealthMax = 10;
  const TMonsterFieldProblem h = OnlyProblem(health);
  EXPECT_EQ(h.Fields, (std::vector<std::string>{"healthMin", "healthMax"}));
  EXPECT_EQ(h.Message, "healthMin must not be above healthMax (11 > 10)");

  TMonsterRecord damage = Valid();
  damage.DamageMin = 7;
  damage.DamageMax = 6;
  EXPECT_EQ(OnlyProblem(damage).Message, "damageMin must not be above damageMax (7 > 6)");
}

TEST(MonsterFieldLimitsTest, NamesMustFitTheirFieldsAndAMonsterNeedsOne) {
  TMonsterRecord r = Valid();
  r.Name = std::string(20, 'n');
  r.ShotPicture = std::string(32, 's');
  EXPECT_TRUE(CheckMonsterRecord(r).empty());

  r.Name = std::string(21, 'n');
  EXPECT_EQ(OnlyProblem(r).Message, "name must be 1 to 20 characters long (got 21)");
  r.Name.clear();
  EXPECT_EQ(OnlyProblem(r).Fields, std::vector<std::string>{"name"});
  r.Name = "n";
  r.ShotPicture = std::string(33, 's');
  EXPECT_EQ(OnlyProblem(r).Message, "shotPicture must be 0 to 32 characters long (got 33)");
}

TEST(MonsterFieldLimitsTest, TheAnimationSpeedIsAFiniteNumberInItsRange) {
  TMonsterRecord r = Valid();
  for (double ok : {0.0, 0.5, 1000.0}) {
    r.AnimSpeed = ok;
    EXPECT_TRUE(CheckMonsterRecord(r).empty()) << ok;
  }
  for (double bad :
       {-0.001, 1000.001, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
    r.AnimSpeed = bad;
    const TMonsterFieldProblem problem = OnlyProblem(r);
    EXPECT_EQ(problem.Fields, std::vector<std::string>{"animSpeed"}) << bad;
    EXPECT_NE(problem.Message.find("from 0 to 1000"), std::string::npos) << problem.Message;
  }
}

TEST(MonsterFieldLimitsTest, FramesStayWithinThePicturesFrames) {
  TMonsterRecord r = Valid();
  r.FrameRanges[6] = {17, 0};
  EXPECT_TRUE(CheckMonsterRecord(r, 18).empty());
  // A dying range of the last frames may end one past them: it stops before its end.
  r.FrameRanges[7] = {16, 18};
  EXPECT_TRUE(CheckMonsterRecord(r, 18).empty());
  r.FrameRanges[7] = {16, 19};
  EXPECT_EQ(OnlyProblem(r, 18).Message, "frameRanges: state 8 last frame 19 is outside 0 to 18");
  r.FrameRanges[7] = {0, 0};
  r.FrameRanges[6] = {18, 0};
  EXPECT_EQ(OnlyProblem(r, 18).Message, "frameRanges: state 7 first frame 18 is outside 0 to 17");
  // Without a picture any stored frame number will do.
  r.FrameRanges[6] = {65535, 65535};
  EXPECT_TRUE(CheckMonsterRecord(r).empty());
}

TEST(MonsterFieldLimitsTest, SpeedsReadAsTheGameMovesThem) {
  EXPECT_DOUBLE_EQ(WalkPixelsPerTick(5), 1.6);                             // 16 x 0.02 x 5
  EXPECT_DOUBLE_EQ(WalkPixelsPerTick(monster_limits::kWalkSpeedMax), 32);  // one cell
  EXPECT_DOUBLE_EQ(AnimFramesPerTick(9), 0.144);
}

TEST(MonsterFieldLimitsTest, TheRangeTableNamesTheFieldsAsTheToolPrintsThem) {
  for (const char* field : {"canJump", "moveMode", "wakeByDistance", "wakeDistance", "hunter", "healthMin", "healthMax",
                            "damageMin", "damageMax", "shotDelay", "walkSpeed", "animSpeed"})
    EXPECT_TRUE(FindMonsterFieldRange(field).has_value()) << field;
  EXPECT_FALSE(FindMonsterFieldRange("name").has_value());
  EXPECT_FALSE(FindMonsterFieldRange("speed").has_value());
  EXPECT_FALSE(FindMonsterFieldRange("animSpeed")->Whole);
}

}  // namespace
}  // namespace kestrilo

// kestrilo-tool monsters add / set, run as a designer runs them and read back
// through monsters list --json; and a level played headless with a monster
// changed through set.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

#include "PlayTestSupport.h"
#include "ToolRunSupport.h"
#include "library/MonsterFieldLimits.h"
#include "library/MonsterRecord.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "tests/library/LibraryDbTestSupport.h"

namespace kestrilo {
namespace {

using tooltest::RunTool;
using tooltest::TToolRun;

QJsonArray ListJson(const std::string& path) {
  const TToolRun run = RunTool({"monsters", "list", path, "--json"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  return QJsonDocument::fromJson(QByteArray::fromStdString(run.Out)).array();
}

class MonstersEditToolTest : public ::testing::Test {
 protected:
  std::string Path() const { return folder.Path("1.mon"); }
  testing::TScratchFolder folder;
};

TEST_F(MonstersEditToolTest, AddMakesTheFileAndSetsTheFieldsGiven) {
  TToolRun run = RunTool({"monsters", "add", Path(), "--name", "Жук"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  run = RunTool({"monsters",
                 "add",
                 Path(),
                 "--name",
                 "Оса",
                 "--moveMode",
                 "2",
                 "--canJump",
                 "true",
                 "--hunter",
                 "1",
                 "--wakeByDistance",
                 "true",
                 "--wakeDistance",
                 "7",
                 "--healthMin",
                 "3",
                 "--healthMax",
                 "3",
                 "--damageMin",
                 "4",
                 "--damageMax",
                 "9",
                 "--walkSpeed",
                 "5",
                 "--shotPicture",
                 "Пуля",
                 "--animSpeed",
                 "12.5",
                 "--shotDelay",
                 "44",
                 "--frameRanges",
                 "[[0,3],[3,0],[4,4],[5,5],[6,7],[7,6],[8,9],[9,8]]"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("record 1"), std::string::npos) << run.Out;

  const QJsonArray records = ListJson(Path());
  ASSERT_EQ(records.size(), 2);
  // A new monster starts from the editor's defaults.
  const TMonsterRecord defaults = NewMonsterRecord("");
  const QJsonObject first = records[0].toObject();
  EXPECT_EQ(first["name"].toString(), QString::fromUtf8("Жук"));
  EXPECT_EQ(first["walkSpeed"].toInt(), defaults.WalkSpeed);
  EXPECT_EQ(first["healthMax"].toInt(), defaults.HealthMax);

  const QJsonObject m = records[1].toObject();
  EXPECT_EQ(m["name"].toString(), QString::fromUtf8("Оса"));
  EXPECT_EQ(m["moveMode"].toInt(), 2);
  EXPECT_TRUE(m["canJump"].toBool());
  EXPECT_TRUE(m["hunter"].toBool());
  EXPECT_TRUE(m["wakeByDistance"].toBool());
  EXPECT_EQ(m["wakeDistance"].toInt(), 7);
  EXPECT_EQ(m["healthMin"].toInt(), 3);
  EXPECT_EQ(m["healthMax"].toInt(), 3);
  EXPECT_EQ(m["damageMin"].toInt(), 4);
  EXPECT_EQ(m["damageMax"].toInt(), 9);
  EXPECT_EQ(m["walkSpeed"].toInt(), 5);
  EXPECT_EQ(m["shotPicture"].toString(), QString::fromUtf8("Пуля"));
  EXPECT_EQ(m["animSpeed"].toDouble(), 12.5);
  EXPECT_EQ(m["shotDelay"].toInt(), 44);
  EXPECT_EQ(m["frameRanges"].toArray()[1].toArray(), (QJsonArray{3, 0}));
  EXPECT_EQ(m["frameRanges"].toArray()[7].toArray(), (QJsonArray{9, 8}));

  // A name already there is refused: the first record would hide the new one.
  run = RunTool({"monsters", "add", Path(), "--name", "Оса"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Err.find("already"), std::string::npos) << run.Err;
  EXPECT_EQ(ListJson(Path()).size(), 2);
}

TEST_F(MonstersEditToolTest, SetChangesOnlyTheFieldsGivenAndKeepsEveryOtherByte) {
  TMonsterRecord bug;
  bug.Name = W1251("Жук");
  bug.HealthMin = 10;
  bug.HealthMax = 20;
  bug.WalkSpeed = 1;
  TMonsterRecord wasp = bug;
  wasp.Name = W1251("Оса");
  std::string bytes = bug.ToBytes() + wasp.ToBytes();
  bytes[1] = '\x5A';  // bytes without meaning
  bytes[TMonsterRecord::kSize + 180] = '\x77';
  bytes[TMonsterRecord::kSize + 3] = 2;  // can jump, stored as 2
  testing::WriteBytes(Path(), bytes);

  const TToolRun run = RunTool({"monsters", "set", Path(), "Оса", "--walkSpeed", "6", "--healthMax", "30"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  std::string expected = bytes;
  expected[TMonsterRecord::kSize + 56] = 6;
  expected[TMonsterRecord::kSize + 44] = 30;
  EXPECT_EQ(ReadWholeFile(Path()), expected);
  const QJsonArray records = ListJson(Path());
  EXPECT_EQ(records[1].toObject()["walkSpeed"].toInt(), 6);
  EXPECT_EQ(records[1].toObject()["healthMax"].toInt(), 30);
  EXPECT_EQ(records[0].toObject()["walkSpeed"].toInt(), 1);

  // A rename, found under the new name afterwards.
  ASSERT_EQ(RunTool({"monsters", "set", Path(), "Оса", "--name", "Шершень"}).ExitCode, 0);
  EXPECT_EQ(ListJson(Path())[1].toObject()["name"].toString(), QString::fromUtf8("Шершень"));
  EXPECT_EQ(RunTool({"monsters", "set", Path(), "Шершень", "--hunter", "true"}).ExitCode, 0);
  // Not to a name another record has: the upper one would hide it.
  const std::string before = ReadWholeFile(Path());
  const TToolRun taken = RunTool({"monsters", "set", Path(), "Шершень", "--name", "Жук"});
  EXPECT_EQ(taken.ExitCode, 1);
  EXPECT_NE(taken.Err.find("already"), std::string::npos) << taken.Err;
  EXPECT_EQ(ReadWholeFile(Path()), before);
}

TEST_F(MonstersEditToolTest, BadValuesAreRefusedNamingTheFieldAndItsRangeAndTheFileStaysAsItWas) {
  TMonsterRecord bug = NewMonsterRecord(W1251("Жук"));
  testing::WriteBytes(Path(), bug.ToBytes());
  struct TCase {
    std::vector<std::string> Options;
    std::string Says;
    int Status = 1;
  };
  const TCase cases[] = {
      {{"--walkSpeed", "101"}, "walkSpeed must be from 0 to 100 (got '101')"},
      {{"--walkSpeed", "-1"}, "walkSpeed must be from 0 to 100"},
      {{"--walkSpeed", "fast"}, "walkSpeed must be from 0 to 100 (got 'fast')"},
      {{"--walkSpeed", "2.5"}, "walkSpeed must be from 0 to 100"},
      {{"--moveMode", "3"}, "moveMode must be from 0 to 2"},
      {{"--wakeDistance", "201"}, "wakeDistance must be from 0 to 200"},
      {{"--healthMax", "65536"}, "healthMax must be from 0 to 65535"},
      {{"--damageMin", "32768"}, "damageMin must be from 0 to 32767"},
      {{"--animSpeed", "nan"}, "animSpeed must be from 0 to 1000"},
      {{"--animSpeed", "1000.5"}, "animSpeed must be from 0 to 1000"},
      {{"--canJump", "yes"}, "canJump must be true or false"},
      {{"--healthMin", "25"}, "healthMin must not be above healthMax (25 > 20)"},
      {{"--damageMax", "4"}, "damageMin must not be above damageMax (5 > 4)"},
      {{"--name", "АбвгдеёжзийклмнопрстУ"}, "name must be 1 to 20 characters long (got 21)"},
      {{"--name", ""}, "name must be 1 to 20 characters long (got 0)"},
      {{"--frameRanges", "[[0,1]]"}, "frameRanges must be 8 pairs"},
      {{"--frameRanges", "[[0,1],[0,1],[0,1],[0,1],[0,1],[0,1],[0,1],[0,70000]]"}, "frameRanges must be 8 pairs"},
      {{"--speed", "3"}, "Unknown option --speed", 2},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> args{"monsters", "set", Path(), "Жук"};
    args.insert(args.end(), c.Options.begin(), c.Options.end());
    const TToolRun run = RunTool(args);
    EXPECT_EQ(run.ExitCode, c.Status) << c.Says;
    EXPECT_NE(run.Err.find(c.Says), std::string::npos) << run.Err;
    EXPECT_EQ(ReadWholeFile(Path()), bug.ToBytes()) << c.Says;
  }
  const TToolRun noMonster = RunTool({"monsters", "set", Path(), "Оса", "--walkSpeed", "2"});
  EXPECT_EQ(noMonster.ExitCode, 1);
  EXPECT_NE(noMonster.Err.find("No monster named 'Оса'"), std::string::npos) << noMonster.Err;
  const TToolRun nothing = RunTool({"monsters", "set", Path(), "Жук"});
  EXPECT_EQ(nothing.ExitCode, 2);
  const TToolRun badAdd = RunTool({"monsters", "add", folder.Path("new.mon"), "--name", "Оса", "--walkSpeed", "500"});
  EXPECT_EQ(badAdd.ExitCode, 1);
  EXPECT_FALSE(FileExists(folder.Path("new.mon")));
  const TToolRun noName = RunTool({"monsters", "add", folder.Path("new.mon")});
  EXPECT_NE(noName.Err.find("Missing option --name"), std::string::npos) << noName.Err;
}

// The walker's left edge after some ticks of a level whose only monster
// walks left along the floor from column 14.
double WalkerXAfter(playtest::TPlayLevel& level, int ticks) {
  const std::string state = level.Path("state.json");
  const TToolRun run = RunTool(
      {"play", level.Save(), "--data", level.DataFolder(), "--ticks", std::to_string(ticks), "--state", state}, 120000);
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(ReadWholeFile(state))).object();
  for (const QJsonValue& sprite : json["sprites"].toArray())
    if (sprite.toObject()["class"].toString() == "TEnemyWalker") return sprite.toObject()["x"].toDouble();
  ADD_FAILURE() << "no walker in the state";
  return 0;
}

TEST_F(MonstersEditToolTest, APlayedLevelsMonsterWalksAtTheSpeedSetForIt) {
  playtest::TPlayLevel level;
  level.Place(playtest::nMonster, 14, 9);
  const double start = 14 * 32;
  const int ticks = 20;
  // The sample walker "Ёж" has walking speed 1: 0.32 pixels in every tick it
  // walks (it turns at the first, where its own cell stands in its way).
  const double slow = std::abs(WalkerXAfter(level, ticks) - start);
  ASSERT_GT(slow, 0);
  const double slowTicks = slow / WalkPixelsPerTick(1);
  EXPECT_NEAR(slowTicks, std::round(slowTicks), 1e-6);

  const std::string monsters = level.DataFolder() + "/1.mon";
  const TToolRun set = RunTool({"monsters", "set", monsters, "Ёж", "--walkSpeed", "5"});
  ASSERT_EQ(set.ExitCode, 0) << set.Err;
  // The same path, five times as far: 1.6 pixels a tick.
  EXPECT_NEAR(std::abs(WalkerXAfter(level, ticks) - start), slowTicks * WalkPixelsPerTick(5), 1e-6);
}

}  // namespace
}  // namespace kestrilo

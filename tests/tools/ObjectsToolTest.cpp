// kestrilo-tool objects list / monsters list, run as the designer runs it.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>

#include "ToolRunSupport.h"
#include "library/MonsterRecord.h"
#include "library/ObjectRecord.h"
#include "platform/Cp1251.h"
#include "tests/library/LibraryDbTestSupport.h"

namespace kestrilo {
namespace {

using testing::TScratchFolder;
using testing::WriteBytes;
using tooltest::RunTool;
using tooltest::TToolRun;

QJsonArray ParseArray(const std::string& text) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
  EXPECT_TRUE(doc.isArray()) << text;
  return doc.array();
}

class ObjectsToolTest : public ::testing::Test {
 protected:
  TScratchFolder folder;
};

TEST_F(ObjectsToolTest, ObjectsListGivesEveryFieldOfEveryRecord) {
  TObjectRecord door;
  door.ObjType = otDoor;
  door.Number = 3;
  door.Name = W1251("Дверь");
  door.KeyCode = 7;
  door.Health = -128;
  door.ConstantEffect = true;
  door.WeaponValue = 61;
  door.Animated = true;
  door.AnimSpeed = 0.1;
  TObjectRecord lift;
  lift.ObjType = otLift;
  lift.Number = 4;
  lift.Name = W1251("Лифт");
  lift.LiftHeight = -3;
  const std::string path = folder.Path("test.obj");
  WriteBytes(path, door.ToBytes() + lift.ToBytes() + "tail");  // the short tail is no record

  const TToolRun run = RunTool({"objects", "list", path, "--json"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const QJsonArray records = ParseArray(run.Out);
  ASSERT_EQ(records.size(), 2);
  const QJsonObject first = records[0].toObject();
  EXPECT_EQ(first["index"].toInt(), 0);
  EXPECT_EQ(first["type"].toInt(), 3);
  EXPECT_EQ(first["number"].toInt(), 3);
  EXPECT_EQ(first["name"].toString(), QString::fromUtf8("Дверь"));
  EXPECT_EQ(first["liftHeight"].toInt(), 0);
  EXPECT_EQ(first["keyCode"].toInt(), 7);
  EXPECT_EQ(first["health"].toInt(), -128);
  EXPECT_EQ(first["constantEffect"].toBool(), true);
  EXPECT_EQ(first["weaponValue"].toInt(), 61);
  EXPECT_EQ(first["animated"].toBool(), true);
  EXPECT_EQ(first["animSpeed"].toDouble(), 0.1);
  const QJsonObject second = records[1].toObject();
  EXPECT_EQ(second["index"].toInt(), 1);
  EXPECT_EQ(second["liftHeight"].toInt(), -3);
  EXPECT_EQ(second["name"].toString(), QString::fromUtf8("Лифт"));

  const TToolRun text = RunTool({"objects", "list", path});
  ASSERT_EQ(text.ExitCode, 0) << text.Err;
  EXPECT_NE(text.Out.find("\"Дверь\""), std::string::npos) << text.Out;
  EXPECT_NE(text.Out.find("health -128"), std::string::npos) << text.Out;
  EXPECT_EQ(std::count(text.Out.begin(), text.Out.end(), '\n'), 2);
}

TEST_F(ObjectsToolTest, AnEmptyObjectsFileListsNothing) {
  const std::string path = folder.Path("empty.obj");
  WriteBytes(path, "");
  const TToolRun run = RunTool({"objects", "list", path, "--json"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(ParseArray(run.Out).size(), 0);
}

TEST_F(ObjectsToolTest, MonstersListGivesEveryFieldAndTheEightRanges) {
  TMonsterRecord bug;
  bug.CanJump = true;
  bug.MoveMode = 2;
  bug.WakeByDistance = true;
  bug.WakeDistance = 6;
  bug.Hunter = true;
  bug.HealthMin = 10;
  bug.HealthMax = 20;
  bug.DamageMin = 3;
  bug.DamageMax = 7;
  bug.ShotDelay = 30;
  bug.WalkSpeed = 40;
  bug.Name = W1251("Жук");
  bug.ShotPicture = W1251("Сопля");
  bug.AnimSpeed = 12.5;
  for (uint16_t i = 0; i < 8; ++i)
    bug.FrameRanges[i] = {static_cast<uint16_t>(i * 4), static_cast<uint16_t>(i * 4 + 3)};
  TMonsterRecord other;
  other.Name = "B";
  const std::string path = folder.Path("1.mon");
  WriteBytes(path, bug.ToBytes() + other.ToBytes() + std::string(32, '\0'));  // 400 bytes: two records

  const TToolRun run = RunTool({"monsters", "list", path, "--json"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const QJsonArray records = ParseArray(run.Out);
  ASSERT_EQ(records.size(), 2);
  const QJsonObject m = records[0].toObject();
  EXPECT_EQ(m["index"].toInt(), 0);
  EXPECT_EQ(m["name"].toString(), QString::fromUtf8("Жук"));
  EXPECT_EQ(m["canJump"].toBool(), true);
  EXPECT_EQ(m["moveMode"].toInt(), 2);
  EXPECT_EQ(m["wakeByDistance"].toBool(), true);
  EXPECT_EQ(m["wakeDistance"].toInt(), 6);
  EXPECT_EQ(m["hunter"].toBool(), true);
  EXPECT_EQ(m["healthMin"].toInt(), 10);
  EXPECT_EQ(m["healthMax"].toInt(), 20);
  EXPECT_EQ(m["damageMin"].toInt(), 3);
  EXPECT_EQ(m["damageMax"].toInt(), 7);
  EXPECT_EQ(m["shotDelay"].toInt(), 30);
  EXPECT_EQ(m["walkSpeed"].toInt(), 40);
  EXPECT_EQ(m["shotPicture"].toString(), QString::fromUtf8("Сопля"));
  EXPECT_EQ(m["animSpeed"].toDouble(), 12.5);
  const QJsonArray ranges = m["frameRanges"].toArray();
  ASSERT_EQ(ranges.size(), 8);
  for (int i = 0; i < 8; ++i) {
    ASSERT_EQ(ranges[i].toArray().size(), 2);
    EXPECT_EQ(ranges[i].toArray()[0].toInt(), i * 4);
    EXPECT_EQ(ranges[i].toArray()[1].toInt(), i * 4 + 3);
  }
  EXPECT_EQ(records[1].toObject()["name"].toString(), "B");
}

TEST_F(ObjectsToolTest, MissingFilesAndArgumentsAreReported) {
  const TToolRun noObjects = RunTool({"objects", "list", folder.Path("absent.obj")});
  EXPECT_EQ(noObjects.ExitCode, 1);
  EXPECT_EQ(noObjects.Err, "Cannot open file " + folder.Path("absent.obj") + ": No such file or directory\n");
  // The editor ignores a missing monster file; the tool was asked for one and says so.
  const TToolRun noMonsters = RunTool({"monsters", "list", folder.Path("absent.mon")});
  EXPECT_EQ(noMonsters.ExitCode, 1);
  EXPECT_EQ(noMonsters.Err, "Cannot open file " + folder.Path("absent.mon") + ": No such file or directory\n");
  const TToolRun noPath = RunTool({"objects", "list"});
  EXPECT_EQ(noPath.ExitCode, 2);
  EXPECT_TRUE(noPath.Out.empty());
}

}  // namespace
}  // namespace kestrilo

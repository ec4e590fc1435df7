// kestrilo-tool play and level render, run as a designer runs them.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <limits>

#include "PlayTestSupport.h"
#include "ToolRunSupport.h"
#include "library/MonsterRecord.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/Surface.h"

namespace kestrilo {
namespace {

using playtest::TPlayLevel;
using tooltest::TToolRun;

// Playing and rendering a level get twice the time of the file commands.
TToolRun RunTool(const std::vector<std::string>& args) { return tooltest::RunTool(args, 120000); }

QJsonObject ReadState(const std::string& path) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(ReadWholeFile(path)), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << path;
  return doc.object();
}

std::vector<QJsonObject> SpritesOf(const QJsonObject& state, const QString& className) {
  std::vector<QJsonObject> found;
  for (const QJsonValue& sprite : state["sprites"].toArray())
    if (sprite.toObject()["class"].toString() == className) found.push_back(sprite.toObject());
  return found;
}

class PlayToolTest : public ::testing::Test {
 protected:
  // play LEVEL --data DATA plus the options given.
  TToolRun Play(std::vector<std::string> options) {
    std::vector<std::string> args{"play", levelPath, "--data", level.DataFolder()};
    args.insert(args.end(), options.begin(), options.end());
    return RunTool(args);
  }

  TPlayLevel level;
  std::string levelPath;
};

TEST_F(PlayToolTest, TheStateTellsWhereThePlayerWentAndWhatTheWorldHolds) {
  level.Place(playtest::nKey, 3, 9, 0, 3);
  level.Place(playtest::nDoor, 12, 8, 0, 3);
  level.Place(playtest::nLift, 16, 9, 2);
  level.Place(playtest::nMonster, 14, 9);
  levelPath = level.Save();
  level.Write("walk.replay", "# walk right from the start\n1 D\n31 -\n");

  const TToolRun run = Play({"--ticks", "40", "--input", level.Path("walk.replay"), "--state", level.Path("s.json")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const QJsonObject state = ReadState(level.Path("s.json"));
  EXPECT_EQ(state["tick"].toInt(), 40);
  EXPECT_EQ(state["caption"].toString(), QString::fromUtf8("Жизнь игрока 100 Тип оружия: 0 Осталось патронов: 15"));

  const QJsonObject player = state["player"].toObject();
  // 30 ticks of D, one pixel each, but the first is blocked by the key's own
  // cell, which empties once the player has taken the key.
  EXPECT_EQ(player["x"].toDouble(), 64 + 29);
  EXPECT_GT(player["y"].toDouble(), 256);  // gravity is on by default
  EXPECT_EQ(player["width"].toInt(), 32);
  EXPECT_EQ(player["height"].toInt(), 32);  // the picture's 38 less 6
  EXPECT_EQ(player["health"].toInt(), 100);
  EXPECT_EQ(player["weaponType"].toInt(), 0);
  EXPECT_EQ(player["ammo"].toArray(), (QJsonArray{15, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(player["keys"].toArray(), (QJsonArray{3}));  // the key at column 3 was on the way
  EXPECT_TRUE(player["alive"].toBool());

  // 20 floor walls and the door's two cells (the key's cell was emptied when it was taken).
  EXPECT_EQ(state["solidCells"].toInt(), 20 + 2 + 2 + 1);
  const auto doors = SpritesOf(state, "TDoor");
  ASSERT_EQ(doors.size(), 1u);
  EXPECT_EQ(doors[0]["locked"].toInt(), 1);
  EXPECT_EQ(doors[0]["x"].toDouble(), 12 * 32);
  const auto lifts = SpritesOf(state, "TLift");
  ASSERT_EQ(lifts.size(), 1u);
  EXPECT_EQ(lifts[0]["running"].toInt(), 0);
  EXPECT_TRUE(lifts[0].contains("leg"));
  const auto monsters = SpritesOf(state, "TEnemyWalker");
  ASSERT_EQ(monsters.size(), 1u);
  EXPECT_GE(monsters[0]["health"].toInt(), 10);
  EXPECT_LT(monsters[0]["health"].toInt(), 60);
  EXPECT_GE(monsters[0]["state"].toInt(), 1);
  EXPECT_TRUE(SpritesOf(state, "TKey").empty());
}

TEST_F(PlayToolTest, SpritesComeInTreeOrderWithEveryField) {
  levelPath = level.Save();
  ASSERT_EQ(Play({"--ticks", "1", "--state", level.Path("s.json")}).ExitCode, 0);
  const QJsonArray sprites = ReadState(level.Path("s.json"))["sprites"].toArray();
  // The portal and the player come first (made by opening the library), then
  // the main plane column by column, then the back planes.
  ASSERT_GE(sprites.size(), 4);
  EXPECT_EQ(sprites[0].toObject()["class"].toString(), "TDinamicPortal");
  EXPECT_EQ(sprites[1].toObject()["class"].toString(), "TPlayerSprite");
  EXPECT_TRUE(sprites[1].toObject()["visible"].toBool());  // shown for the frames
  const QJsonObject wall = sprites[2].toObject();
  EXPECT_EQ(wall["class"].toString(), "TMyObject");
  EXPECT_EQ(wall["x"].toDouble(), 0);
  EXPECT_EQ(wall["y"].toDouble(), 320);
  for (const char* field : {"depth", "z", "width", "height", "visible", "dead", "frame"})
    EXPECT_TRUE(wall.contains(field)) << field;
  const QJsonObject start = sprites[sprites.size() - 1].toObject();
  EXPECT_EQ(start["z"].toInt(), -40);  // the start marker on back plane 4
}

TEST_F(PlayToolTest, OptionsSwitchThePreviewGravityAndVisibility) {
  levelPath = level.Save();
  ASSERT_EQ(Play({"--ticks", "30", "--gravity", "0", "--visible", "0", "--state", level.Path("s.json")}).ExitCode, 0);
  const QJsonObject state = ReadState(level.Path("s.json"));
  EXPECT_EQ(state["player"].toObject()["y"].toDouble(), 256);  // no gravity: stays at the start
  EXPECT_FALSE(SpritesOf(state, "TPlayerSprite")[0]["visible"].toBool());
  EXPECT_EQ(Play({"--preview", "2"}).ExitCode, 1);
  EXPECT_EQ(Play({"--ticks", "-1"}).ExitCode, 1);
  EXPECT_EQ(Play({"--every", "5"}).ExitCode, 1);  // --every goes with --frames
}

TEST_F(PlayToolTest, TheSameRunTwiceGivesTheSameStateAndFrames) {
  level.Place(playtest::nMonster, 12, 9);
  levelPath = level.Save();
  level.Write("walk.replay", "1 D,Shift\n20 A\n35 Space\n");
  for (const char* name : {"a", "b"}) {
    const std::string n = name;
    const TToolRun run = Play({"--ticks", "50", "--seed", "99", "--input", level.Path("walk.replay"), "--state",
                               level.Path(n + ".json"), "--frames", level.Path(n), "--every", "20"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
  }
  EXPECT_EQ(ReadWholeFile(level.Path("a.json")), ReadWholeFile(level.Path("b.json")));
  for (const char* frame : {"20.png", "40.png"}) {
    const std::string a = ReadWholeFile(level.Path(std::string("a/") + frame));
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, ReadWholeFile(level.Path(std::string("b/") + frame))) << frame;
  }
  EXPECT_FALSE(FileExists(level.Path("a/50.png")));
  const QImage frame(QString::fromStdString(level.Path("a/40.png")));
  EXPECT_EQ(frame.size(), QSize(640, 480));
}

TEST_F(PlayToolTest, AMalformedReplayLineStopsThePlayWithItsLineNumber) {
  levelPath = level.Save();
  level.Write("bad.replay", "# ok so far\n1 D\n20 D,Jump\n");
  const TToolRun run = Play({"--input", level.Path("bad.replay"), "--state", level.Path("s.json")});
  EXPECT_EQ(run.ExitCode, 1);
  // Only the message: no other output clutters it.
  EXPECT_EQ(run.Err, level.Path("bad.replay") + " line 3: unknown key 'Jump'\n");
  EXPECT_FALSE(FileExists(level.Path("s.json")));
  EXPECT_EQ(Play({"--input", level.Path("none.replay")}).ExitCode, 1);
}

TEST_F(PlayToolTest, MissingDataOrLevelIsAnErrorNotAnEmptyRun) {
  levelPath = level.Path("nowhere.mtf");
  const TToolRun missingLevel = Play({"--state", level.Path("s.json")});
  EXPECT_EQ(missingLevel.ExitCode, 1);
  EXPECT_NE(missingLevel.Err.find("nowhere.mtf"), std::string::npos) << missingLevel.Err;
  EXPECT_FALSE(FileExists(level.Path("s.json")));
  levelPath = level.Save();
  const TToolRun missingData = RunTool({"play", levelPath, "--data", level.Path("NoData")});
  EXPECT_EQ(missingData.ExitCode, 1);
  EXPECT_EQ(RunTool({"play"}).ExitCode, 2);
  EXPECT_EQ(RunTool({"play", levelPath}).ExitCode, 2);  // --data is required
}

TEST_F(PlayToolTest, ThePlayerThatDiesIsReportedGoneWithItsLastState) {
  level.Place(playtest::nMine, 2, 5);
  levelPath = level.Save();
  // Without gravity W lifts the player into the mine hanging above the start.
  level.Write("walk.replay", "1 W\n");
  const TToolRun run =
      Play({"--ticks", "60", "--gravity", "0", "--input", level.Path("walk.replay"), "--state", level.Path("s.json")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const QJsonObject state = ReadState(level.Path("s.json"));
  const QJsonObject player = state["player"].toObject();
  EXPECT_FALSE(player["alive"].toBool());
  EXPECT_LT(player["health"].toInt(), 0);
  EXPECT_LT(player["y"].toDouble(), 256);
  EXPECT_TRUE(SpritesOf(state, "TPlayerSprite").empty());  // freed by the frame loop
  EXPECT_TRUE(state["messages"].toArray().isEmpty());
}

TEST_F(PlayToolTest, NumbersJsonCannotSpellAreWrittenAsNull) {
  // A damaged monster file: the hedgehog's animation speed is no number, and
  // its frame position becomes none at its first step.
  TMonsterRecord monster;
  monster.Name = W1251("Ёж");
  monster.HealthMin = 10;
  monster.HealthMax = 60;
  monster.WalkSpeed = 1;
  monster.AnimSpeed = std::numeric_limits<double>::quiet_NaN();
  level.Write("Data/1.mon", monster.ToBytes());
  level.Place(playtest::nMonster, 12, 9);
  levelPath = level.Save();
  const TToolRun run = Play({"--ticks", "5", "--state", level.Path("s.json")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;

  const std::string text = ReadWholeFile(level.Path("s.json"));
  for (const char* bare : {":nan", ":-nan", ":inf", ":-inf"}) EXPECT_EQ(text.find(bare), std::string::npos) << bare;
  const QJsonObject state = ReadState(level.Path("s.json"));  // a strict reader takes it whole
  std::vector<QJsonObject> monsters;
  for (const QJsonValue& sprite : state["sprites"].toArray())
    if (sprite.toObject().contains("state")) monsters.push_back(sprite.toObject());
  ASSERT_EQ(monsters.size(), 1u);
  EXPECT_TRUE(monsters[0]["frame"].isNull());
  // Its other numbers are still numbers, and so are everyone else's frames.
  EXPECT_TRUE(monsters[0]["x"].isDouble());
  EXPECT_TRUE(monsters[0]["health"].isDouble());
  EXPECT_TRUE(SpritesOf(state, "TPlayerSprite")[0]["frame"].isDouble());
}

TEST_F(PlayToolTest, RenderDrawsTheWholeLevelOrOneView) {
  level.Place(playtest::nWall, 150, 100);
  levelPath = level.Save();
  const TToolRun whole =
      RunTool({"level", "render", levelPath, "--data", level.DataFolder(), "--out", level.Path("whole.png")});
  ASSERT_EQ(whole.ExitCode, 0) << whole.Err;
  const QImage level6400(QString::fromStdString(level.Path("whole.png")));
  ASSERT_EQ(level6400.size(), QSize(6400, 4800));
  const QColor wall = level6400.pixelColor(150 * 32 + 16, 100 * 32 + 16);
  EXPECT_EQ(Rgb565(wall.red(), wall.green(), wall.blue()), ColorToRgb565(playtest::kWallColor));
  const QColor empty = level6400.pixelColor(100, 100);
  EXPECT_EQ(Rgb565(empty.red(), empty.green(), empty.blue()), 128);

  const TToolRun view = RunTool({"level", "render", levelPath, "--data", level.DataFolder(), "--out",
                                 level.Path("view.png"), "--view", "140", "95", "--ticks", "3"});
  ASSERT_EQ(view.ExitCode, 0) << view.Err;
  const QImage frame(QString::fromStdString(level.Path("view.png")));
  ASSERT_EQ(frame.size(), QSize(640, 480));
  // Column 150, row 100 lies 10 columns and 5 rows into the view; no grid is drawn.
  const QColor seen = frame.pixelColor(10 * 32, 5 * 32);
  EXPECT_EQ(Rgb565(seen.red(), seen.green(), seen.blue()), ColorToRgb565(playtest::kWallColor));
}

TEST_F(PlayToolTest, RenderRefusesAViewOutsideTheLevelAndKeepsTheOldPicture) {
  levelPath = level.Save();
  level.Write("view.png", "old");
  const TToolRun run = RunTool({"level", "render", levelPath, "--data", level.DataFolder(), "--out",
                                level.Path("view.png"), "--view", "180", "0"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Err.find("outside"), std::string::npos) << run.Err;
  EXPECT_EQ(ReadWholeFile(level.Path("view.png")), "old");
  EXPECT_EQ(RunTool({"level", "render", levelPath, "--data", level.DataFolder(), "--out", level.Path("v.png"), "--view",
                     "0", "135"})
                .ExitCode,
            1);
  EXPECT_EQ(RunTool({"level", "render", levelPath, "--data", level.DataFolder()}).ExitCode, 2);  // no --out
}

}  // namespace
}  // namespace kestrilo

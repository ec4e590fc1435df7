// The demo level's own replay (tests/data/replays/demo.replay), played by the
// tool on freshly generated sample data: it still gets through, and it plays
// out the same every time.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "ToolRunSupport.h"
#include "platform/BinaryIO.h"

namespace kestrilo {
namespace {

// The sample-data generator; the build puts it in the build folder's root,
// one level above the tool's folder.
QString GeneratorPath() {
#ifdef KESTRILO_SAMPLE_DATA_PATH
  return QStringLiteral(KESTRILO_SAMPLE_DATA_PATH);
#else
  return QFileInfo(QStringLiteral(KESTRILO_TOOL_PATH)).dir().filePath("../kestrilo-sample-data");
#endif
}

// The whole demo takes minutes on a slow machine.
int RunProgram(const QString& program, const QStringList& arguments, std::string* errors = nullptr) {
  const tooltest::TToolRun run = tooltest::RunProgram(program, arguments, 300000);
  if (errors) *errors = run.Err;
  return run.ExitCode;
}

class PlayDemoReplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!QFileInfo(GeneratorPath()).isExecutable()) GTEST_SKIP() << "the sample-data generator is not built";
    ASSERT_EQ(RunProgram(GeneratorPath(), {Data()}), 0);
  }
  QString Data() const { return QDir(dir.path()).filePath("Data"); }
  QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }

  // Plays the demo replay to its end and returns the state document's bytes.
  std::string PlayDemo(const QString& name) {
    std::string errors;
    const int status = RunProgram(QStringLiteral(KESTRILO_TOOL_PATH),
                                  {"play", QDir(Data()).filePath("matrix1.mtf"), "--data", Data(), "--input",
                                   QStringLiteral(KESTRILO_TEST_DATA "/replays/demo.replay"), "--ticks", "1242",
                                   "--state", Path(name), "--frames", Path(name + "-frames"), "--every", "400"},
                                  &errors);
    EXPECT_EQ(status, 0) << errors;
    return ReadWholeFile(Path(name).toStdString());
  }

  QTemporaryDir dir;
};

TEST_F(PlayDemoReplayTest, TheReplayTakesTheRedKeyOpensTheRedDoorAndPlaysOutTheSameTwice) {
  const std::string bytes = PlayDemo("a.json");
  const QJsonObject state = QJsonDocument::fromJson(QByteArray::fromStdString(bytes)).object();
  EXPECT_EQ(state["tick"].toInt(), 1242);
  const QJsonObject player = state["player"].toObject();
  EXPECT_TRUE(player["alive"].toBool());
  EXPECT_GT(player["health"].toInt(), 0);
  EXPECT_EQ(player["keys"].toArray(), (QJsonArray{1}));  // the red key
  EXPECT_EQ(player["y"].toDouble(), 228);                // on the upper floor, having ridden the lift
  EXPECT_LT(player["x"].toDouble(), 128);                // past the red door's column
  EXPECT_GE(player["ammo"].toArray()[0].toInt(), 1);
  int doors = 0;
  for (const QJsonValue& sprite : state["sprites"].toArray()) {
    const QJsonObject s = sprite.toObject();
    if (s["class"].toString() != "TDoor") continue;
    ++doors;
    EXPECT_EQ(s["y"].toDouble(), 384) << "only the blue door on the ground floor is left";
  }
  EXPECT_EQ(doors, 1);
  EXPECT_TRUE(state["messages"].toArray().isEmpty());
  EXPECT_TRUE(state["caption"].toString().startsWith(QString::fromUtf8("Жизнь игрока ")));

  // A second run of the same replay with the same seed writes the same state file and frames.
  EXPECT_EQ(PlayDemo("b.json"), bytes);
  for (const char* frame : {"400.png", "800.png", "1200.png"}) {
    const std::string a = ReadWholeFile(Path(QString("a.json-frames/") + frame).toStdString());
    EXPECT_FALSE(a.empty()) << frame;
    EXPECT_EQ(a, ReadWholeFile(Path(QString("b.json-frames/") + frame).toStdString())) << frame;
  }
}

}  // namespace
}  // namespace kestrilo

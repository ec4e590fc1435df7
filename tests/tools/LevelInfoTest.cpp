// kestrilo-tool level info, run as the designers run it.
#include <gtest/gtest.h>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>
#include <string>

#include "ToolRunSupport.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/AtomicFileSet.h"

namespace kestrilo {
namespace {

using tooltest::TToolRun;

TToolRun RunTool(const QStringList& args) {
  return tooltest::RunProgram(QString::fromUtf8(KESTRILO_TOOL_PATH), args, 60000);
}

class LevelInfo : public ::testing::Test {
 protected:
  LevelInfo() {
    auto m = std::make_unique<TMatrix>();
    TMatrixCell lift;
    lift.Kind = 1;
    lift.ObjectNumber = 9;
    lift.LiftHeight = -3;
    lift.KeyCode = 200;
    m->SetOrigin(10, 5);
    m->PutObjectSized(lift, 64, 0, 32, 64);  // anchor (12, 5), part (13, 5)
    m->Cells[0][0].Kind = 10;                // solid, no anchor
    m->BackPlanes[1][2][3] = 7;              // plane 4
    m->BackPlanes[1][2][0] = 0;              // not above 0: not listed
    m->SaveToFile(PathText());
  }
  QString Path() const { return dir.filePath("level.mtf"); }
  std::string PathText() const { return Path().toStdString(); }

  QTemporaryDir dir;
};

TEST_F(LevelInfo, PrintsAnchorsSolidCellsAndBackPlaneEntriesAsJson) {
  const TToolRun run = RunTool({"level", "info", Path(), "--json"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "{\"anchors\":[{\"x\":12,\"y\":5,\"kind\":1,\"objectNumber\":9,\"liftHeight\":-3,\"keyCode\":200}],"
            "\"solidCells\":3,\"backPlanes\":[{\"x\":1,\"y\":2,\"plane\":4,\"objectNumber\":7}]}\n");
}

TEST_F(LevelInfo, PrintsText) {
  const TToolRun run = RunTool({"level", "info", Path()});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "anchor\tx 12\ty 5\tkind 1\tobjectNumber 9\tliftHeight -3\tkeyCode 200\n"
            "solidCells 3\n"
            "backPlane\tx 1\ty 2\tplane 4\tobjectNumber 7\n");
}

TEST_F(LevelInfo, MissingFilesAreReported) {
  const TToolRun none = RunTool({"level", "info", dir.filePath("none.mtf")});
  EXPECT_EQ(none.ExitCode, 1);
  EXPECT_EQ(none.Err, "Нет файла с таким именем! " + dir.filePath("none.mtf").toStdString() + "\n");
  EXPECT_TRUE(none.Out.empty());

  std::filesystem::remove(dir.filePath("levelmtb").toStdString());
  const TToolRun half = RunTool({"level", "info", Path()});
  EXPECT_EQ(half.ExitCode, 1);
  EXPECT_EQ(half.Err, "Cannot open file " + dir.filePath("levelmtb").toStdString() + ": No such file or directory\n");
  EXPECT_TRUE(half.Out.empty());
}

TEST_F(LevelInfo, ShortFileIsAReadError) {
  std::filesystem::resize_file(PathText(), 1000);
  const TToolRun run = RunTool({"level", "info", Path()});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err, "Stream read error: " + PathText() + ": truncated: 1000 of 360000 bytes\n");
}

TEST_F(LevelInfo, WrongArgumentsFail) {
  EXPECT_EQ(RunTool({"level", "info"}).ExitCode, 2);
  EXPECT_EQ(RunTool({"level", "info", Path(), "--xml"}).ExitCode, 2);
}

}  // namespace
}  // namespace kestrilo

namespace kestrilo {
namespace {

// kestrilo-tool level check: the level above against a library that knows the
// lift (number 9) only, with no picture for it and no start marker.
TEST_F(LevelInfo, CheckListsWhatTheLibraryLacksAndFailsForScripts) {
  ASSERT_TRUE(QDir(dir.path()).mkdir("Data"));
  TObjectRecord lift;
  lift.ObjType = otLift;
  lift.Number = 9;
  lift.Name = "Lift";
  const std::string data = dir.filePath("Data").toStdString();
  WriteFileAtomic(data + "/test.obj", TObjectDataBase::RecordsToBytes({lift}));
  TPictureCollection().SaveToFile(data + "/test.dxg");

  const TToolRun run = RunTool({"level", "check", Path(), "--data", QString::fromStdString(data), "--json"});
  EXPECT_EQ(run.ExitCode, 1) << run.Err;
  const QJsonArray findings = QJsonDocument::fromJson(QByteArray::fromStdString(run.Out)).array();
  QStringList kinds;
  for (const QJsonValue& f : findings) kinds << f.toObject()["kind"].toString();
  EXPECT_EQ(kinds, QStringList({"unknownObject", "noStartMarker", "missingPicture"}));
  const QJsonObject unknown = findings[0].toObject();
  EXPECT_EQ(unknown["cellCount"].toInt(), 1);
  EXPECT_EQ(unknown["cells"].toArray()[0].toObject()["plane"].toInt(), 4);
  EXPECT_EQ(unknown["cells"].toArray()[0].toObject()["column"].toInt(), 1);
  EXPECT_EQ(unknown["cells"].toArray()[0].toObject()["row"].toInt(), 2);

  const TToolRun missingData = RunTool({"level", "check", Path(), "--data", dir.filePath("none")});
  EXPECT_EQ(missingData.ExitCode, 1);
  EXPECT_FALSE(missingData.Err.empty());
}

}  // namespace
}  // namespace kestrilo

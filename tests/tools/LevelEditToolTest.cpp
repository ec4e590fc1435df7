// kestrilo-tool level find / replace / set, run as a designer runs them: what
// each refusal says and that it leaves both level files as they were, and
// changes read back through the level's own files.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

#include "PlayTestSupport.h"
#include "ToolRunSupport.h"
#include "library/ObjectRecord.h"
#include "matrix/Matrix.h"
#include "matrix/MatrixFile.h"
#include "tests/matrix/MatrixTestSupport.h"

namespace kestrilo {
namespace {

using playtest::TPlayLevel;
using tooltest::RunTool;
using tooltest::TToolRun;

class LevelEditTool : public ::testing::Test {
 protected:
  LevelEditTool() {
    level.Place(playtest::nLift, 5, 5, 3);
    level.Place(playtest::nDoor, 8, 4, 0, 7);
    level.PlaceBack(2, playtest::nWall, 30, 3);
    path = level.Save();
  }
  std::string BackPath() const { return TMatrixFile::BackPlaneFileName(path); }
  std::unique_ptr<TMatrix> ReadBack(const std::string& file) const {
    auto read = std::make_unique<TMatrix>();
    EXPECT_TRUE(read->LoadFromFile(file, nullptr, nullptr));
    return read;
  }
  TToolRun Run(std::vector<std::string> args) const {
    args.insert(args.begin() + 2, path);
    args.insert(args.begin() + 3, {"--data", level.DataFolder()});
    return RunTool(args);
  }

  TPlayLevel level;
  std::string path;
};

TEST_F(LevelEditTool, EveryRefusalLeavesBothFilesAsTheyWere) {
  struct TCase {
    std::vector<std::string> Args;  // the level and --data are put after the command's words
    int Status;
    const char* Says;
  };
  const TCase cases[] = {
      {{"level", "set", "--cell", "6", "6", "--lift-height", "1"}, 1, "В клетке (6, 6) на плане 0 нет объекта"},
      {{"level", "set", "--cell", "6", "5", "--lift-height", "1"}, 1, "В клетке (6, 5) на плане 0 нет объекта"},
      {{"level", "set", "--cell", "0", "10", "--lift-height", "1"}, 1, "Высота лифта есть только у лифтов"},
      {{"level", "set", "--cell", "5", "5", "--key-code", "1"}, 1, "Код ключа есть только у ключей и дверей"},
      {{"level", "set", "--cell", "30", "3", "--plane", "2", "--key-code", "1"}, 1, "Объекты задних планов"},
      {{"level", "set", "--cell", "5", "5", "--lift-height", "128"}, 1, "Высота лифта должна быть от -128 до 127"},
      {{"level", "set", "--cell", "5", "5", "--lift-height", "-129"}, 1, "от -128 до 127"},
      {{"level", "set", "--cell", "8", "4", "--key-code", "256"}, 1, "Код ключа должен быть от 0 до 255"},
      {{"level", "set", "--cell", "8", "4", "--key-code", "-1"}, 1, "от 0 до 255"},
      {{"level", "set", "--cell", "300", "4", "--key-code", "1"}, 1, "В клетке (300, 4)"},
      {{"level", "set", "--cell", "8", "4", "--key-code", "x"}, 1, "'x' is not a valid integer value"},
      {{"level", "set", "--cell", "8", "4"}, 2, "Give one of --lift-height and --key-code"},
      {{"level", "set", "--cell", "8", "4", "--key-code", "1", "--lift-height", "1"}, 2, "Give one of"},
      {{"level", "set", "--cell", "8", "4", "--plane", "5", "--key-code", "1"}, 2, "--plane must be 0"},
      {{"level", "replace", "--from", "Нет", "--to", "Стена"}, 1, "В библиотеке нет объекта «Нет»"},
      {{"level", "replace", "--from", "Стена", "--to", "Нет"}, 1, "В библиотеке нет объекта «Нет»"},
      {{"level", "replace", "--from", "Стена", "--to", "Дверь", "--region", "1", "2"}, 2, "needs 4 value(s)"},
      {{"level", "replace", "--to", "Дверь"}, 2, "Missing option --from"},
      {{"level", "find", "--name", "Нет"}, 1, "В библиотеке нет объекта «Нет»"},
  };
  const std::string matrixBytes = testing::ReadFile(path), backBytes = testing::ReadFile(BackPath());
  ASSERT_EQ(matrixBytes.size(), 360000u);
  for (const TCase& c : cases) {
    const TToolRun run = Run(c.Args);
    SCOPED_TRACE(c.Says);
    EXPECT_EQ(run.ExitCode, c.Status);
    EXPECT_NE(run.Err.find(c.Says), std::string::npos) << run.Err;
    EXPECT_TRUE(testing::ReadFile(path) == matrixBytes);
    EXPECT_TRUE(testing::ReadFile(BackPath()) == backBytes);
  }
}

TEST_F(LevelEditTool, SetWritesTheWholeFootprintAndReplaceWritesTheOutputPair) {
  TToolRun run = Run({"level", "set", "--cell", "5", "5", "--lift-height", "-128"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  run = Run({"level", "set", "--cell", "8", "4", "--key-code", "255"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  std::unique_ptr<TMatrix> after = ReadBack(path);
  EXPECT_EQ(after->Cells[5][5].LiftHeight, -128);
  EXPECT_EQ(after->Cells[6][5].LiftHeight, -128);
  EXPECT_EQ(after->Cells[8][5].KeyCode, 255);
  // Nothing else changed: the level as first saved, with the two values written.
  level.Place(playtest::nLift, 5, 5, -128);
  level.Place(playtest::nDoor, 8, 4, 0, 255);
  EXPECT_TRUE(testing::SameLevel(*after, level.Matrix));

  // The floor's walls in columns 0..9 become doors two cells high.
  const std::string out = level.Path("out.mtf");
  run = Run({"level", "replace", "--from", "Стена", "--to", "Дверь", "--region", "9", "10", "0", "12", "--out", out});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "Заменено объектов: 10\n");
  EXPECT_TRUE(testing::SameLevel(*ReadBack(path), *after));  // in place only without --out
  std::unique_ptr<TMatrix> replaced = ReadBack(out);
  EXPECT_EQ(replaced->Cells[0][10].ObjectNumber, playtest::nDoor);
  EXPECT_EQ(replaced->Cells[0][11].Kind, otDoor);
  EXPECT_EQ(replaced->Cells[10][10].ObjectNumber, playtest::nWall);

  run = Run({"level", "find", "--name", "Дверь", "--json"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const QJsonArray found = QJsonDocument::fromJson(QByteArray::fromStdString(run.Out)).array();
  ASSERT_EQ(found.size(), 1);
  EXPECT_EQ(found[0].toObject(), (QJsonObject{{"plane", 0}, {"column", 8}, {"row", 4}}));
  run = Run({"level", "replace", "--from", "Стена", "--to", "Ключ", "--plane", "2"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  run = Run({"level", "find", "--name", "Ключ"});
  EXPECT_EQ(run.Out, "plane 2\tcolumn 30\trow 3\n");
}

}  // namespace
}  // namespace kestrilo

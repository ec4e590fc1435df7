#include "LevelCommands.h"

#include <memory>

#include "ToolSupport.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "matrix/MatrixFile.h"
#include "platform/Errors.h"
#include "world/LevelCheck.h"

namespace kestrilo::tool {
namespace {

struct TAnchor {
  int32_t X, Y;
  TMatrixCell Cell;
};

struct TBackPlaneEntry {
  int32_t X, Y, Plane, ObjectNumber;
};

// What the command reports, gathered in file order (column by column).
struct TLevelSummary {
  std::vector<TAnchor> Anchors;
  int32_t SolidCells = 0;
  std::vector<TBackPlaneEntry> BackPlanes;
};

TLevelSummary Summarize(const TMatrix& matrix) {
  TLevelSummary summary;
  for (int32_t x = 0; x < TMatrix::kColumns; ++x) {
    for (int32_t y = 0; y < TMatrix::kRows; ++y) {
      const TMatrixCell& cell = matrix.Cells[x][y];
      if (!cell.IsFree()) ++summary.SolidCells;
      if (cell.ObjectNumber >= 0) summary.Anchors.push_back({x, y, cell});
      for (int32_t plane = 1; plane <= TMatrix::kBackPlaneCount; ++plane) {
        const int32_t number = matrix.BackPlanes[x][y][plane - 1];
        if (number > 0) summary.BackPlanes.push_back({x, y, plane, number});
      }
    }
  }
  return summary;
}

void PrintAsJson(const TLevelSummary& summary, std::ostream& out) {
  TJsonWriter json;
  json.BeginObject();
  json.Key("anchors").BeginArray();
  for (const TAnchor& a : summary.Anchors) {
    json.BeginObject();
    json.Key("x").Number(a.X);
    json.Key("y").Number(a.Y);
    json.Key("kind").Number(a.Cell.Kind);
    json.Key("objectNumber").Number(a.Cell.ObjectNumber);
    json.Key("liftHeight").Number(a.Cell.LiftHeight);
    json.Key("keyCode").Number(a.Cell.KeyCode);
    json.EndObject();
  }
  json.EndArray();
  json.Key("solidCells").Number(summary.SolidCells);
  json.Key("backPlanes").BeginArray();
  for (const TBackPlaneEntry& e : summary.BackPlanes) {
    json.BeginObject();
    json.Key("x").Number(e.X);
    json.Key("y").Number(e.Y);
    json.Key("plane").Number(e.Plane);
    json.Key("objectNumber").Number(e.ObjectNumber);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  out << json.Text() << "\n";
}

void PrintAsText(const TLevelSummary& summary, std::ostream& out) {
  for (const TAnchor& a : summary.Anchors) {
    out << "anchor\tx " << a.X << "\ty " << a.Y << "\tkind " << int(a.Cell.Kind) << "\tobjectNumber "
        << a.Cell.ObjectNumber << "\tliftHeight " << int(a.Cell.LiftHeight) << "\tkeyCode " << int(a.Cell.KeyCode)
        << "\n";
  }
  out << "solidCells " << summary.SolidCells << "\n";
  for (const TBackPlaneEntry& e : summary.BackPlanes) {
    out << "backPlane\tx " << e.X << "\ty " << e.Y << "\tplane " << e.Plane << "\tobjectNumber " << e.ObjectNumber
        << "\n";
  }
}

std::unique_ptr<TMatrix> ReadLevel(const std::string& path) {
  // The level is read exactly as the editor reads it, both files checked first.
  auto matrix = std::make_unique<TMatrix>();
  if (const TLoadOutcome read = matrix->LoadFromFile(path, nullptr, nullptr); !read) throw EFOpenError(read.Message);
  return matrix;
}

}  // namespace

int LevelInfo(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(args, {{"json", 0}});
  arguments.ExpectPositional(1);
  const std::string& path = arguments.Positional(0, "FILE.mtf");
  const std::unique_ptr<TMatrix> matrix = ReadLevel(path);
  const TLevelSummary summary = Summarize(*matrix);
  if (arguments.Has("json"))
    PrintAsJson(summary, out);
  else
    PrintAsText(summary, out);
  return 0;
}

int LevelCheck(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(args, {{"data", 1}, {"json", 0}});
  arguments.ExpectPositional(1);
  const std::string& path = arguments.Positional(0, "LEVEL.mtf");
  const std::string data = arguments.Value("data");
  const std::unique_ptr<TMatrix> level = ReadLevel(path);
  TPictureCollection pictures;
  TObjectDataBase library(&pictures);
  if (const TLoadOutcome read = library.LoadFromFile(data + "/test.obj"); !read) throw EFOpenError(read.Message);
  TMonstersDataBase monsters;
  monsters.LoadFromFile(data + "/1.mon");
  const std::vector<TLevelFinding> findings = CheckLevel(*level, library, &monsters);
  if (arguments.Has("json")) {
    TJsonWriter json;
    json.BeginArray();
    for (const TLevelFinding& f : findings) {
      json.BeginObject();
      json.Key("kind").String(f.Kind);
      json.Key("text").String(f.Text);
      json.Key("cellCount").Number(f.CellCount);
      json.Key("cells").BeginArray();
      for (const TLevelFinding::TCell& c : f.Cells) {
        json.BeginObject();
        json.Key("plane").Number(c.Plane);
        json.Key("column").Number(c.Column);
        json.Key("row").Number(c.Row);
        json.EndObject();
      }
      json.EndArray();
      json.EndObject();
    }
    json.EndArray();
    out << json.Text() << "\n";
  } else {
    for (const TLevelFinding& f : findings) {
      out << f.Kind << "\t" << f.Text;
      for (const TLevelFinding::TCell& c : f.Cells) out << "\t" << c.Plane << ":" << c.Column << "," << c.Row;
      if (f.CellCount > static_cast<int32_t>(f.Cells.size())) out << "\t(+" << f.CellCount - f.Cells.size() << ")";
      out << "\n";
    }
  }
  // Nothing found: 0, for designers' scripts.
  return findings.empty() ? 0 : 1;
}

}  // namespace kestrilo::tool

#include "LevelEditCommands.h"

#include <algorithm>
#include <optional>

#include "LevelFiles.h"
#include "ToolSupport.h"
#include "platform/Errors.h"
#include "world/LevelDraft.h"
#include "world/PlacedObjectEdits.h"
#include "world/PlacedObjects.h"

namespace kestrilo::tool {
namespace {

// --plane P: a plane of the level, 0 the main plane.
int32_t PlaneOption(const TArguments& arguments) {
  if (!arguments.Has("plane")) return TMatrix::kMainPlane;
  const int32_t plane = arguments.Integer("plane");
  if (!TMatrix::IsMainPlane(plane) && !TMatrix::IsBackPlane(plane))
    throw EUsageError("--plane must be 0 (the main plane) to " + std::to_string(TMatrix::kBackPlaneCount));
  return plane;
}

// A name the library must hold.
std::string LibraryName(const TObjectDataBase& library, const std::string& utf8) {
  const std::string stored = ToStoredName(utf8);
  if (NumbersNamed(library, stored).empty()) throw EKestriloError(NoObjectNamed(stored));
  return stored;
}

}  // namespace

int LevelFind(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(args, {{"data", 1}, {"name", 1}, {"json", 0}});
  arguments.ExpectPositional(1);
  const std::string& path = arguments.Positional(0, "LEVEL.mtf");
  const TDataLibrary data(arguments.Value("data"));
  const std::string name = LibraryName(data.Library, arguments.Value("name"));
  const std::unique_ptr<TMatrix> level = ReadLevel(path);
  const std::vector<TPlacedAnchor> anchors = FindAnchors(*level, data.Library, name);
  if (arguments.Has("json")) {
    TJsonWriter json;
    json.BeginArray();
    for (const TPlacedAnchor& at : anchors) WritePlace(json, at.Plane, at.Column, at.Row);
    json.EndArray();
    out << json.Text() << "\n";
  } else {
    for (const TPlacedAnchor& at : anchors)
      out << "plane " << at.Plane << "\tcolumn " << at.Column << "\trow " << at.Row << "\n";
  }
  return 0;
}

int LevelReplace(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(args, {{"data", 1}, {"from", 1}, {"to", 1}, {"plane", 1}, {"region", 4}, {"out", 1}});
  arguments.ExpectPositional(1);
  const std::string& path = arguments.Positional(0, "LEVEL.mtf");
  const TPlaneMask planes = arguments.Has("plane") ? PlaneBit(PlaneOption(arguments)) : kAllPlanes;
  TCellRegion region = kWholeLevel;
  if (arguments.Has("region")) {
    const int32_t c0 = arguments.Integer("region", 0), r0 = arguments.Integer("region", 1);
    const int32_t c1 = arguments.Integer("region", 2), r1 = arguments.Integer("region", 3);
    region = {std::min(c0, c1), std::min(r0, r1), std::max(c0, c1), std::max(r0, r1)};
  }
  const TDataLibrary data(arguments.Value("data"));
  const std::string from = ToStoredName(arguments.Value("from"));
  const std::string to = ToStoredName(arguments.Value("to"));
  const std::unique_ptr<TMatrix> level = ReadLevel(path);
  TLevelDraft draft(*level);
  const TReplacement replacement = ReplaceObjects(draft, data.Library, from, to, planes, region);
  if (!replacement.Refusal.empty()) throw EKestriloError(replacement.Refusal);
  // In place, a level nothing changed in is not written again.
  bool changed = false;
  for (int32_t plane = 0; plane < TMatrix::kPlaneCount; ++plane) changed |= !draft.Touched(plane).Empty();
  if (arguments.Has("out"))
    draft.Level().SaveToFile(arguments.Value("out"));
  else if (changed)
    draft.Level().SaveToFile(path);
  out << replacement.Summary() << "\n";
  return 0;
}

int LevelSet(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(args, {{"data", 1}, {"cell", 2}, {"plane", 1}, {"lift-height", 1}, {"key-code", 1}});
  arguments.ExpectPositional(1);
  const std::string& path = arguments.Positional(0, "LEVEL.mtf");
  const bool lift = arguments.Has("lift-height");
  if (lift == arguments.Has("key-code")) throw EUsageError("Give one of --lift-height and --key-code");
  const TPlacedAnchor at{PlaneOption(arguments), arguments.Integer("cell", 0), arguments.Integer("cell", 1)};
  const int32_t value = arguments.Integer(lift ? "lift-height" : "key-code");
  const TDataLibrary data(arguments.Value("data"));
  const std::unique_ptr<TMatrix> level = ReadLevel(path);
  TLevelDraft draft(*level);
  const TObjectEditResult result =
      lift ? SetLiftHeight(draft, data.Library, at, value) : SetKeyCode(draft, data.Library, at, value);
  if (!result.Done()) throw EKestriloError(result.Refusal);
  draft.Level().SaveToFile(path);
  out << (lift ? "lift height " : "key code ") << value << "\tplane " << at.Plane << "\tcolumn " << at.Column
      << "\trow " << at.Row << "\n";
  return 0;
}

}  // namespace kestrilo::tool

#include "MonstersEditCommands.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <map>

#include "ToolSupport.h"
#include "library/MonsterFieldLimits.h"
#include "library/MonsterFile.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"

namespace kestrilo::tool {
namespace {

constexpr const char* kFrameRanges = "frameRanges";

// Every field the commands take, each with one value.
std::map<std::string, int> FieldOptions() {
  std::map<std::string, int> options{{"name", 1}, {"shotPicture", 1}, {kFrameRanges, 1}};
  for (const TMonsterFieldRange& range : MonsterFieldRanges()) options[std::string(range.Field)] = 1;
  return options;
}

[[noreturn]] void Refuse(const std::string& message) { throw EConvertError(message); }

double ParseNumber(const TMonsterFieldRange& range, const std::string& text) {
  const std::string_view field = range.Field;
  if (range.Min == 0 && range.Max == 1) {
    // The flags: as the JSON prints them, or as 1 and 0.
    if (text == "true" || text == "1") return 1;
    if (text == "false" || text == "0") return 0;
    Refuse(std::string(field) + " must be true or false (got '" + text + "')");
  }
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  const bool read = !text.empty() && *end == '\0' && errno == 0 && std::isfinite(value);
  if (!read || (range.Whole && value != std::floor(value)) || value < range.Min || value > range.Max)
    Refuse(FieldRangeMessage(field, range.Min, range.Max, "'" + text + "'"));
  return value;
}

std::array<TMonsterFrameRange, TMonsterRecord::kStateCount> ParseFrameRanges(const std::string& text) {
  const std::string wanted = std::string(kFrameRanges) + " must be " + std::to_string(TMonsterRecord::kStateCount) +
                             " pairs [first,last] of frames from 0 to " + std::to_string(monster_limits::kFrameMax) +
                             ", as monsters list --json prints them";
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  const QJsonArray pairs = doc.array();
  if (error.error != QJsonParseError::NoError || !doc.isArray() ||
      pairs.size() != static_cast<qsizetype>(TMonsterRecord::kStateCount))
    Refuse(wanted + " (got '" + text + "')");
  std::array<TMonsterFrameRange, TMonsterRecord::kStateCount> ranges{};
  for (size_t s = 0; s < ranges.size(); ++s) {
    const QJsonArray pair = pairs[static_cast<qsizetype>(s)].toArray();
    std::array<uint16_t, 2> frames{};
    for (qsizetype i = 0; i < 2 && pair.size() == 2; ++i) {
      const double frame = pair[i].toDouble(-1);
      if (frame < 0 || frame > monster_limits::kFrameMax || frame != std::floor(frame))
        Refuse(wanted + " (got '" + text + "')");
      frames[static_cast<size_t>(i)] = static_cast<uint16_t>(frame);
    }
    if (pair.size() != 2) Refuse(wanted + " (got '" + text + "')");
    ranges[s] = {frames[0], frames[1]};
  }
  return ranges;
}

void SetField(TMonsterRecord& r, const std::string& field, const std::string& text) {
  if (field == "name") {
    r.Name = ToStoredName(text);
  } else if (field == "shotPicture") {
    r.ShotPicture = ToStoredName(text);
  } else if (field == kFrameRanges) {
    r.FrameRanges = ParseFrameRanges(text);
  } else {
    const std::optional<TMonsterFieldRange> range = FindMonsterFieldRange(field);
    if (!range) throw EUsageError("Unknown option --" + field);
    const double value = ParseNumber(*range, text);
    const auto whole = static_cast<uint16_t>(value);
    if (field == "canJump")
      r.CanJump = value != 0;
    else if (field == "moveMode")
      r.MoveMode = static_cast<uint8_t>(whole);
    else if (field == "wakeByDistance")
      r.WakeByDistance = value != 0;
    else if (field == "wakeDistance")
      r.WakeDistance = whole;
    else if (field == "hunter")
      r.Hunter = value != 0;
    else if (field == "healthMin")
      r.HealthMin = whole;
    else if (field == "healthMax")
      r.HealthMax = whole;
    else if (field == "damageMin")
      r.DamageMin = whole;
    else if (field == "damageMax")
      r.DamageMax = whole;
    else if (field == "shotDelay")
      r.ShotDelay = whole;
    else if (field == "walkSpeed")
      r.WalkSpeed = whole;
    else if (field == "animSpeed")
      r.AnimSpeed = value;
  }
}

// Applies the given fields and refuses the record when any of them is out of
// its range; problems of fields not given were in the file already and stay.
std::vector<std::string> ApplyFields(const TArguments& arguments, TMonsterRecord& record, bool checkAll) {
  std::vector<std::string> given;
  for (const auto& [field, arity] : FieldOptions()) {
    if (!arguments.Has(field)) continue;
    SetField(record, field, arguments.Value(field));
    given.push_back(field);
  }
  for (const TMonsterFieldProblem& problem : CheckMonsterRecord(record)) {
    const bool concernsGiven = std::any_of(problem.Fields.begin(), problem.Fields.end(), [&](const std::string& f) {
      return std::find(given.begin(), given.end(), f) != given.end();
    });
    if (checkAll || concernsGiven) Refuse(problem.Message);
  }
  return given;
}

}  // namespace

int MonstersAdd(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(args, FieldOptions());
  arguments.ExpectPositional(1);
  const std::string& path = arguments.Positional(0, "FILE.mon");
  TMonsterRecord record = NewMonsterRecord(ToStoredName(arguments.Value("name")));
  ApplyFields(arguments, record, true);
  // A missing file is made; an unreadable one is reported.
  TMonsterFile file = FileExists(path) ? TMonsterFile::FromBytes(ReadWholeFile(path)) : TMonsterFile();
  if (file.FindName(record.Name) >= 0)
    throw EKestriloError("A monster named '" + cp1251::EscapeControls(arguments.Value("name")) + "' is already in " +
                         ShownFileName(path) + " (change it with monsters set)");
  const int32_t index = file.Add(record);
  file.Save(path);
  out << "Added '" << arguments.Value("name") << "' as record " << index << "\n";
  return 0;
}

int MonstersSet(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(args, FieldOptions());
  arguments.ExpectPositional(2);
  const std::string& path = arguments.Positional(0, "FILE.mon");
  const std::string& shownName = arguments.Positional(1, "NAME");
  TMonsterFile file = TMonsterFile::FromBytes(ReadWholeFile(path));
  const int32_t index = file.FindName(ToStoredName(shownName));
  if (index < 0)
    throw EKestriloError("No monster named '" + cp1251::EscapeControls(shownName) + "' in " + ShownFileName(path));
  TMonsterRecord record = file.Record(index);
  const std::vector<std::string> given = ApplyFields(arguments, record, false);
  if (given.empty()) throw EUsageError("Give at least one --FIELD VALUE to change");
  const int32_t sameName = file.FindName(record.Name);
  if (sameName >= 0 && sameName != index)
    throw EKestriloError("A monster named '" + cp1251::EscapeControls(arguments.Value("name")) + "' is already in " +
                         ShownFileName(path));
  file.SetRecord(index, record);
  file.Save(path);
  out << "Changed record " << index << " '" << shownName << "':";
  for (const std::string& field : given) out << " " << field;
  out << "\n";
  return 0;
}

}  // namespace kestrilo::tool

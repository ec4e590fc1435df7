#include "library/MonsterFieldLimits.h"

#include <cmath>
#include <sstream>

namespace kestrilo {

namespace {

// The game loop moves every sprite with a count of 16 per tick.
constexpr double kMoveCount = 16;

std::string FormatNumber(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

void CheckRange(std::vector<TMonsterFieldProblem>& problems, std::string_view field, double value) {
  const std::optional<TMonsterFieldRange> range = FindMonsterFieldRange(field);
  if (!range || (value >= range->Min && value <= range->Max)) return;
  problems.push_back({{std::string(field)}, FieldRangeMessage(field, range->Min, range->Max, FormatNumber(value))});
}

void CheckOrder(std::vector<TMonsterFieldProblem>& problems, std::string_view lowField, uint16_t low,
                std::string_view highField, uint16_t high) {
  if (low <= high) return;
  problems.push_back({{std::string(lowField), std::string(highField)},
                      std::string(lowField) + " must not be above " + std::string(highField) + " (" +
                          std::to_string(low) + " > " + std::to_string(high) + ")"});
}

void CheckLength(std::vector<TMonsterFieldProblem>& problems, std::string_view field, const std::string& text,
                 size_t min, size_t max) {
  if (text.size() >= min && text.size() <= max) return;
  problems.push_back({{std::string(field)},
                      std::string(field) + " must be " + std::to_string(min) + " to " + std::to_string(max) +
                          " characters long (got " + std::to_string(text.size()) + ")"});
}

}  // namespace

const std::vector<TMonsterFieldRange>& MonsterFieldRanges() {
  using namespace monster_limits;
  static const std::vector<TMonsterFieldRange> ranges = {
      {"canJump", 0, 1},
      {"moveMode", TMonsterRecord::mmWalksAndFalls, TMonsterRecord::mmFliesAndBombs},
      {"wakeByDistance", 0, 1},
      {"wakeDistance", 0, kWakeDistanceMax},
      {"hunter", 0, 1},
      {"healthMin", 0, 65535},
      {"healthMax", 0, 65535},
      {"damageMin", 0, kDamageMax},
      {"damageMax", 0, kDamageMax},
      {"shotDelay", 0, 65535},
      {"walkSpeed", 0, kWalkSpeedMax},
      {"animSpeed", 0, kAnimSpeedMax, false},
  };
  return ranges;
}

std::optional<TMonsterFieldRange> FindMonsterFieldRange(std::string_view field) {
  for (const TMonsterFieldRange& range : MonsterFieldRanges())
    if (range.Field == field) return range;
  return std::nullopt;
}

double WalkPixelsPerTick(uint16_t walkSpeed) { return kMoveCount * 0.02 * walkSpeed; }
double AnimFramesPerTick(double animSpeed) { return kMoveCount * animSpeed / 1000; }

std::string FieldRangeMessage(std::string_view field, double min, double max, std::string_view got) {
  return std::string(field) + " must be from " + FormatNumber(min) + " to " + FormatNumber(max) + " (got " +
         std::string(got) + ")";
}

std::vector<TMonsterFieldProblem> CheckMonsterRecord(const TMonsterRecord& r, int32_t frameCount) {
  std::vector<TMonsterFieldProblem> problems;
  CheckLength(problems, "name", r.Name, 1, TMonsterRecord::kMaxNameLength);
  CheckRange(problems, "moveMode", r.MoveMode);
  CheckRange(problems, "wakeDistance", r.WakeDistance);
  CheckRange(problems, "healthMin", r.HealthMin);
  CheckRange(problems, "healthMax", r.HealthMax);
  CheckOrder(problems, "healthMin", r.HealthMin, "healthMax", r.HealthMax);
  CheckRange(problems, "damageMin", r.DamageMin);
  CheckRange(problems, "damageMax", r.DamageMax);
  CheckOrder(problems, "damageMin", r.DamageMin, "damageMax", r.DamageMax);
  CheckRange(problems, "walkSpeed", r.WalkSpeed);
  CheckLength(problems, "shotPicture", r.ShotPicture, 0, TMonsterRecord::kMaxShotPictureLength);
  if (!std::isfinite(r.AnimSpeed)) {
    problems.push_back(
        {{"animSpeed"}, FieldRangeMessage("animSpeed", 0, monster_limits::kAnimSpeedMax, FormatNumber(r.AnimSpeed))});
  } else {
    CheckRange(problems, "animSpeed", r.AnimSpeed);
  }
  // A first frame is shown; a last one may also be the end of a range that
  // plays once, which stops just before it: one past the picture's frames.
  const int32_t lastShown = frameCount > 0 ? frameCount - 1 : monster_limits::kFrameMax;
  const int32_t lastEnd = frameCount > 0 ? frameCount : monster_limits::kFrameMax;
  for (size_t state = 0; state < r.FrameRanges.size(); ++state) {
    const TMonsterFrameRange range = r.FrameRanges[state];
    const bool firstOut = range.First > lastShown;
    if (!firstOut && range.Last <= lastEnd) continue;
    const std::string which = firstOut ? "first" : "last";
    problems.push_back({{"frameRanges"},
                        "frameRanges: state " + std::to_string(state + 1) + " " + which + " frame " +
                            std::to_string(firstOut ? range.First : range.Last) + " is outside 0 to " +
                            std::to_string(firstOut ? lastShown : lastEnd)});
  }
  return problems;
}

TMonsterRecord NewMonsterRecord(const std::string& name) {
  TMonsterRecord r;
  r.Name = name;
  r.MoveMode = TMonsterRecord::mmWalksAndFalls;
  r.HealthMin = 10;
  r.HealthMax = 20;
  r.DamageMin = 5;
  r.DamageMax = 10;
  r.ShotDelay = TMonsterRecord::kPlayedShotDelay;
  r.WalkSpeed = 3;
  // Past any usual picture's frames in the first tick, so the state ranges
  // take over at once.
  r.AnimSpeed = 9;
  return r;
}

}  // namespace kestrilo

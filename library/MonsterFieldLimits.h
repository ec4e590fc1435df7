// What each field of a monster record may hold, the checks that keep an
// edited record within it, and the record a new monster starts from. Fields
// are named as the command-line tool prints them ("walkSpeed", "healthMin").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/MonsterRecord.h"

namespace kestrilo {

// The allowed values of a numeric field, both ends included.
struct TMonsterFieldRange {
  std::string_view Field;
  double Min = 0;
  double Max = 0;
  bool Whole = true;  // false: any number in between (the animation speed)
};

namespace monster_limits {
// Cells: a monster that wakes from farther than the level is wide never sleeps.
inline constexpr int32_t kWakeDistanceMax = 200;
// The player's health is 16-bit signed; a larger blow would wrap into a heal.
inline constexpr int32_t kDamageMax = 32767;
// 0.32 pixels per tick per unit: at 100 a walker covers a whole 32-pixel cell
// in one tick; faster ones would step over walls they never touch.
inline constexpr int32_t kWalkSpeedMax = 100;
// 0.016 frames per tick per unit: 1000 plays 16 frames a tick.
inline constexpr double kAnimSpeedMax = 1000;
// Frame numbers when no picture tells how many frames there are.
inline constexpr int32_t kFrameMax = 65535;
}  // namespace monster_limits

// The numeric fields, in the order the tool prints them.
const std::vector<TMonsterFieldRange>& MonsterFieldRanges();
// The range of a numeric field; nothing for the name, the shot picture, the
// frame ranges and unknown names.
std::optional<TMonsterFieldRange> FindMonsterFieldRange(std::string_view field);

// Pixels a walker moves in one tick of the frame loop at this walking speed.
double WalkPixelsPerTick(uint16_t walkSpeed);
// Frames the state animation moves in one tick at this animation speed.
double AnimFramesPerTick(double animSpeed);

struct TMonsterFieldProblem {
  std::vector<std::string> Fields;  // the field, or both bounds of a range
  std::string Message;              // names the field and what it may hold
};

// Every problem of a record. `frameCount` above 0 limits the frame numbers to
// that many frames of the monster's picture: a first frame to the last of
// them, a last frame to one more (a range played once ends just before it).
std::vector<TMonsterFieldProblem> CheckMonsterRecord(const TMonsterRecord& record, int32_t frameCount = 0);

// "walkSpeed must be from 0 to 100 (got 150)".
std::string FieldRangeMessage(std::string_view field, double min, double max, std::string_view got);

// A new monster: sensible middling values, every state on frame 0.
TMonsterRecord NewMonsterRecord(const std::string& name);

}  // namespace kestrilo

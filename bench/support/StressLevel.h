// The stress workload: a data folder (objects file, graphics file, monster
// file) and a level that fills the matrix, made deterministically from a seed
// at run time, so nothing large is kept in the repository.
#pragma once

#include <cstdint>
#include <string>

namespace kestrilo::bench {

struct TStressLayout {
  int32_t Walls = 0;        // 32 x 32 walls on the main plane
  int32_t Decorations = 0;  // 32 x 32 back-plane decorations (the background entry not counted)
  int32_t Monsters = 0;     // awake hunting walkers on the main plane
  uint32_t Seed = 20261207;
};

// Half of the 30,000 main-plane cells walled, every back-plane entry filled,
// entry (0, 0, 4) the level background, 500 monsters.
TStressLayout StressLevelLayout();
// A level of about `Sprites` sprites with `Monsters` monsters: the back planes
// and the main plane filled in the stress level's proportion.
TStressLayout ScalingLayout(int32_t Sprites, int32_t Monsters);
// The sprites the editor makes for a layout: one per wall and decoration, two
// per monster (the bare placed object and the walker), two for the level
// background, one for the start marker and one for the player.
int32_t SpritesOf(const TStressLayout& Layout);

// Writes test.obj, test.dxg and 1.mon into Folder (which must exist).
void WriteStressData(const std::string& Folder);
// Writes the level (matrix file and its back-plane file) to MatrixPath.
void WriteStressLevel(const std::string& MatrixPath, const TStressLayout& Layout);

// The start marker's cell: the player stands there, in the first view.
inline constexpr int32_t kStartColumn = 10;
inline constexpr int32_t kStartRow = 7;

}  // namespace kestrilo::bench

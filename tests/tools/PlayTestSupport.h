// A small playable level for the headless-play tests: a data folder with an
// objects file, its graphics, a monster file and the dynamic-object graphics,
// and a level saved through the matrix, all in a scratch folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "matrix/Matrix.h"
#include "tests/library/LibraryDbTestSupport.h"

namespace kestrilo::playtest {

// Library numbers of the sample objects.
enum TSampleNumber : int32_t {
  nWall = 1,
  nPlayerPicture = 2,
  nStart = 3,
  nKey = 4,
  nDoor = 5,
  nLift = 6,
  nMonster = 7,
  nShot = 8,
  nMedKit = 9,
  nBlast = 10,
  nMine = 11,
};
// Colour of the wall picture (0x00BBGGRR) and its 5-6-5 pixel.
constexpr uint32_t kWallColor = 0x0000FF;

class TPlayLevel {
 public:
  // Writes the data folder. The level starts with a floor of walls on row 10
  // from column 0 to 19 and the start marker at column 2, row 8.
  TPlayLevel();

  // Places a library object on the main plane, or on a back plane, at a cell.
  void Place(int32_t Number, int32_t Column, int32_t Row, int32_t LiftHeight = 0, int32_t KeyCode = 0);
  void PlaceBack(int32_t Plane, int32_t Number, int32_t Column, int32_t Row);
  // Saves the level (matrix and back-plane file) and returns the matrix file's path.
  std::string Save(const std::string& name = "level.mtf");

  std::string DataFolder() const { return folder_.Path("Data"); }
  std::string Path(const std::string& name) const { return folder_.Path(name); }
  void Write(const std::string& name, std::string_view text) const;

  TMatrix Matrix;

 private:
  void WriteData();
  testing::TScratchFolder folder_;
};

}  // namespace kestrilo::playtest

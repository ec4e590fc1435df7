// The level checked against its library: each finding on a small level made for it.
#include <gtest/gtest.h>

#include <map>

#include "library/MonsterRecord.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "world/LevelCheck.h"

namespace kestrilo {
namespace {

class LevelCheck : public ::testing::Test {
 protected:
  LevelCheck() {
    Add(otWall, 1, "Стена");
    Add(otPlayer, 2, "Старт");
    Add(otDoor, 3, "Дверь");
    Add(otKey, 4, "Ключ");
    Add(otMonster, 5, "Бродяга");
    Add(otMonster, 6, "Летун");
    TMonsterRecord walker;
    walker.Name = W1251("Бродяга");
    monsters.Records.push_back(walker);
  }
  void Add(uint8_t type, int32_t number, const char* name, bool withPicture = true) {
    TObjectRecord record;
    record.ObjType = type;
    record.Number = number;
    record.Name = W1251(name);
    library.Records.push_back(record);
    if (withPicture) pictures.Add()->SetName(record.Name);
  }
  void Put(int32_t column, int32_t row, int32_t number, uint8_t keyCode = 0) {
    level->Cells[column][row].Kind = otWall;
    level->Cells[column][row].ObjectNumber = number;
    level->Cells[column][row].KeyCode = keyCode;
  }
  std::map<std::string, TLevelFinding> Found() {
    std::map<std::string, TLevelFinding> found;
    for (TLevelFinding& f : CheckLevel(*level, library, &monsters)) found.emplace(f.Kind, std::move(f));
    return found;
  }
  TPictureCollection pictures;
  TObjectDataBase library{&pictures};
  TMonstersDataBase monsters;
  std::unique_ptr<TMatrix> level = std::make_unique<TMatrix>();
};

TEST_F(LevelCheck, ACompleteLevelHasNothingToReport) {
  Put(0, 0, 2);
  Put(1, 0, 3, 7);
  Put(2, 0, 4, 7);
  level->BackPlanes[3][0][0] = 5;
  EXPECT_TRUE(CheckLevel(*level, library, &monsters).empty());
}

TEST_F(LevelCheck, EachProblemIsFoundWithItsPlaces) {
  Put(0, 0, 2);
  Put(5, 5, 2);                     // a second start marker
  Put(1, 0, 3, 7);                  // a door no key opens
  Put(2, 0, 4, 9);                  // a key for no door
  level->BackPlanes[3][4][1] = 6;   // a monster without a record
  level->BackPlanes[8][9][3] = 42;  // a number the library lacks
  Put(10, 11, 42);
  Add(otWall, 7, "Призрак", false);  // a record whose picture is gone
  auto found = Found();
  ASSERT_EQ(found.size(), 6u);
  EXPECT_EQ(found["severalStartMarkers"].CellCount, 2);
  EXPECT_EQ(found["doorWithoutKey"].Cells[0].Column, 1);
  EXPECT_EQ(found["keyWithoutDoor"].Cells[0].Column, 2);
  EXPECT_EQ(found["monsterWithoutRecord"].Cells[0].Plane, 2);
  EXPECT_EQ(found["unknownObject"].CellCount, 2);
  EXPECT_NE(found["unknownObject"].Text.find("42"), std::string::npos);
  EXPECT_NE(found["missingPicture"].Text.find("Призрак"), std::string::npos);
}

TEST_F(LevelCheck, NoStartMarkerAndManyPlacesAreCountedButListedShort) {
  for (int32_t x = 0; x < 100; ++x) Put(x, 1, 99);
  auto found = Found();
  EXPECT_EQ(found.count("noStartMarker"), 1u);
  EXPECT_EQ(found["unknownObject"].CellCount, 100);
  EXPECT_EQ(found["unknownObject"].Cells.size(), TLevelFinding::kMaxCells);
}

TEST_F(LevelCheck, UnsavedEntriesInUseAreThePlacedNumbersTheSavedFileDoesNotHoldAsTheyAre) {
  const std::vector<TObjectRecord> saved = library.Records;  // numbers 1..6 as the file holds them
  Add(otWall, 7, "Ящик");                                    // added since
  library.Records[2].Name = W1251("Ворота");                 // number 3 renamed since
  library.Records.erase(library.Records.begin() + 3);        // number 4 deleted since
  Put(0, 0, 1);
  Put(1, 0, 7);
  level->BackPlanes[5][5][3] = 3;  // back plane 4
  Put(2, 0, 4);
  EXPECT_EQ(UnsavedEntriesInUse(*level, library.Records, saved), (std::vector<int32_t>{3, 7}));
  // Nothing saved yet: every placed number the library has.
  EXPECT_EQ(UnsavedEntriesInUse(*level, library.Records, {}), (std::vector<int32_t>{1, 3, 7}));
  // Placed nowhere: nothing to warn about.
  level->Clear();
  EXPECT_TRUE(UnsavedEntriesInUse(*level, library.Records, {}).empty());
}

}  // namespace
}  // namespace kestrilo

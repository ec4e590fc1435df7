// Placed objects found, replaced and changed on a level draft: the level's
// edges, objects in the way, regions and planes, and every refusal.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "world/LevelDraft.h"
#include "world/PlacedObjectEdits.h"
#include "world/PlacedObjects.h"

namespace kestrilo {
namespace {

class PlacedObjectEdits : public ::testing::Test {
 protected:
  PlacedObjectEdits() {
    Add(otWall, 1, "Стена", 32, 32);  // 1 x 1
    Add(otLift, 2, "Лифт", 64, 32);   // 2 x 1
    Add(otKey, 3, "Ключ", 32, 32);    // 1 x 1
    Add(otDoor, 4, "Дверь", 32, 64);  // 1 x 2
    Add(otWall, 5, "Блок", 64, 64);   // 2 x 2
    Add(otBackground, 6, "Фон", 96, 32);
  }
  void Add(uint8_t type, int32_t number, const char* name, int32_t width, int32_t height) {
    TObjectRecord record;
    record.ObjType = type;
    record.Number = number;
    record.Name = W1251(name);
    library.Records.push_back(record);
    TPictureCollectionItem* item = pictures.Add();
    item->SetName(record.Name);
    item->PatternWidth = width;
    item->PatternHeight = height;
  }
  // Places a library object on the main plane as a click does, with its footprint.
  void Put(const char* name, int32_t column, int32_t row, int8_t lift = 0, uint8_t key = 0) {
    const TObjectRecord record = library.FindByName(W1251(name));
    TMatrixCell cell;
    cell.Kind = static_cast<int8_t>(record.ObjType);
    cell.ObjectNumber = record.Number;
    cell.LiftHeight = lift;
    cell.KeyCode = key;
    level->PutObject(cell, column * 32.0, row * 32.0, library);
  }
  void PutBack(const char* name, int32_t plane, int32_t column, int32_t row) {
    level->BackPlanes[column][row][plane - 1] = library.FindByName(W1251(name)).Number;
  }
  std::string Name(const char* utf8) { return W1251(utf8); }

  TPictureCollection pictures;
  TObjectDataBase library{&pictures};
  std::unique_ptr<TMatrix> level = std::make_unique<TMatrix>();
};

TEST_F(PlacedObjectEdits, ReplaceAtEachEdgeOfTheLevelLeavesWhatWouldCrossIt) {
  struct TCase {
    int32_t Column, Row;
    int32_t Replaced, LeftAtEdge;
  };
  // A 1 x 1 wall replaced by a 2 x 2 block grows right and down.
  const TCase cases[] = {
      {0, 70, 1, 0},                                      // left edge
      {TMatrix::kColumns - 1, 70, 0, 1},                  // right edge
      {100, 0, 1, 0},                                     // top edge
      {100, TMatrix::kRows - 1, 0, 1},                    // bottom edge
      {TMatrix::kColumns - 2, TMatrix::kRows - 2, 1, 0},  // just fits into the corner
  };
  for (const TCase& c : cases) {
    level->Clear();
    Put("Стена", c.Column, c.Row);
    TLevelDraft draft(*level);
    const TReplacement result = ReplaceObjects(draft, library, Name("Стена"), Name("Блок"));
    SCOPED_TRACE(testing::Message() << c.Column << "," << c.Row);
    EXPECT_EQ(result.Refusal, "");
    EXPECT_EQ(result.Replaced, c.Replaced);
    EXPECT_EQ(result.LeftAtEdge, c.LeftAtEdge);
    const TMatrix& after = draft.Level();
    EXPECT_EQ(after.Cells[c.Column][c.Row].ObjectNumber, c.Replaced ? 5 : 1);
    if (c.Replaced) {
      EXPECT_EQ(after.Cells[c.Column + 1][c.Row + 1].Kind, otWall);
    }
  }
}

TEST_F(PlacedObjectEdits, ReplaceBlockedByAnotherObjectIsLeftAndCounted) {
  Put("Стена", 10, 10);
  Put("Ключ", 11, 11);  // in the way of a 2 x 2 block at (10, 10)
  Put("Стена", 20, 10);
  TLevelDraft draft(*level);
  const TReplacement result = ReplaceObjects(draft, library, Name("Стена"), Name("Блок"));
  EXPECT_EQ(result.Replaced, 1);
  EXPECT_EQ(result.LeftBlocked, 1);
  EXPECT_EQ(result.Summary(), "Заменено объектов: 1; оставлено, так как клетки заняты: 1");
  EXPECT_EQ(draft.Level().Cells[10][10].ObjectNumber, 1);
  EXPECT_EQ(draft.Level().Cells[11][11].ObjectNumber, 3);
  EXPECT_EQ(draft.Level().Cells[20][10].ObjectNumber, 5);
  EXPECT_EQ(draft.Level().Cells[21][11].Kind, otWall);
}

TEST_F(PlacedObjectEdits, ReplaceKeepsEachCellsValuesAndEmptiesWhatTheSmallerObjectLeaves) {
  Put("Лифт", 5, 5, -7, 9);
  level->Cells[6][5].Padding1[0] = 0x5A;
  Put("Блок", 30, 30);
  TLevelDraft draft(*level);
  EXPECT_EQ(ReplaceObjects(draft, library, Name("Лифт"), Name("Блок")).Replaced, 1);
  EXPECT_EQ(ReplaceObjects(draft, library, Name("Блок"), Name("Ключ"), kAllPlanes, {30, 30, 30, 30}).Replaced, 1);
  const TMatrix& after = draft.Level();
  for (const auto& [x, y] : {std::pair{5, 5}, {6, 5}, {5, 6}, {6, 6}}) {
    EXPECT_EQ(after.Cells[x][y].Kind, otWall);
    EXPECT_EQ(after.Cells[x][y].LiftHeight, -7);  // new cells take the anchor's values
    EXPECT_EQ(after.Cells[x][y].KeyCode, 9);
  }
  EXPECT_EQ(after.Cells[6][5].Padding1[0], 0x5A);
  EXPECT_EQ(after.Cells[30][30].ObjectNumber, 3);
  EXPECT_EQ(after.Cells[30][30].Kind, otKey);
  for (const auto& [x, y] : {std::pair{31, 30}, {30, 31}, {31, 31}}) EXPECT_TRUE(after.Cells[x][y].IsFree());
}

TEST_F(PlacedObjectEdits, ReplaceKeepsToItsPlanesAndRegionAndRefusesUnknownNames) {
  Put("Стена", 1, 1);
  Put("Стена", 20, 20);
  PutBack("Стена", 2, 1, 1);
  PutBack("Стена", 4, 3, 3);
  struct TCase {
    TPlaneMask Planes;
    TCellRegion Region;
    int32_t Replaced;
  };
  const TCase cases[] = {
      {kAllPlanes, kWholeLevel, 4},      {kAllPlanes, {0, 0, 5, 5}, 3},     {PlaneBit(0), {0, 0, 5, 5}, 1},
      {PlaneBit(2), kWholeLevel, 1},     {kAllPlanes, {-10, -10, 1, 1}, 2},  // clipped to the level
      {kAllPlanes, {50, 50, 40, 40}, 0},                                     // empty
  };
  for (const TCase& c : cases) {
    TLevelDraft draft(*level);
    EXPECT_EQ(ReplaceObjects(draft, library, Name("Стена"), Name("Ключ"), c.Planes, c.Region).Replaced, c.Replaced);
  }
  TLevelDraft draft(*level);
  ReplaceObjects(draft, library, Name("Стена"), Name("Ключ"), PlaneBit(2) | PlaneBit(4));
  EXPECT_EQ(draft.Level().BackPlanes[1][1][1], 3);
  EXPECT_EQ(draft.Level().BackPlanes[3][3][3], 3);
  EXPECT_TRUE(draft.Touched(0).Empty());

  for (const auto& [from, to] : {std::pair{"Нет", "Ключ"}, {"Стена", "Нет"}}) {
    TLevelDraft refused(*level);
    const TReplacement result = ReplaceObjects(refused, library, Name(from), Name(to));
    EXPECT_EQ(result.Refusal, std::string("В библиотеке нет объекта «") + "Нет»");
    EXPECT_TRUE(refused.Touched(0).Empty());
  }
}

TEST_F(PlacedObjectEdits, FindListsTheAnchorsOnEveryPlaneInOrder) {
  Put("Блок", 7, 3);
  PutBack("Блок", 3, 0, 0);
  PutBack("Блок", 1, 9, 9);
  PutBack("Стена", 1, 2, 2);
  const std::vector<TPlacedAnchor> found = FindAnchors(*level, library, Name("Блок"));
  EXPECT_EQ(found, (std::vector<TPlacedAnchor>{{0, 7, 3}, {1, 9, 9}, {3, 0, 0}}));
  EXPECT_TRUE(FindAnchors(*level, library, Name("Нет")).empty());
}

TEST_F(PlacedObjectEdits, SetLiftHeightAndKeyCodeWithEveryRefusal) {
  Put("Лифт", 4, 4, 3);
  Put("Дверь", 8, 4, 0, 5);
  Put("Стена", 12, 4);
  PutBack("Лифт", 1, 20, 20);
  struct TCase {
    bool Lift;
    TPlacedAnchor At;
    int32_t Value;
    const char* Refusal;
  };
  const TCase cases[] = {
      {true, {0, 5, 4}, 1, "В клетке (5, 4) на плане 0 нет объекта"},  // a footprint cell, not the anchor
      {true, {2, 4, 4}, 1, "В клетке (4, 4) на плане 2 нет объекта"},
      {true, {1, 20, 20}, 1, "Объекты задних планов не хранят высоту лифта и код ключа: их ставят на план 0"},
      {true, {0, 12, 4}, 1, "Высота лифта есть только у лифтов"},
      {false, {0, 4, 4}, 1, "Код ключа есть только у ключей и дверей"},
      {true, {0, 4, 4}, 128, "Высота лифта должна быть от -128 до 127"},
      {true, {0, 4, 4}, -129, "Высота лифта должна быть от -128 до 127"},
      {false, {0, 8, 4}, 256, "Код ключа должен быть от 0 до 255"},
      {false, {0, 8, 4}, -1, "Код ключа должен быть от 0 до 255"},
      {true, {0, 4, 4}, -128, ""},
      {true, {0, 4, 4}, 127, ""},
      {false, {0, 8, 4}, 0, ""},
      {false, {0, 8, 4}, 255, ""},
  };
  for (const TCase& c : cases) {
    TLevelDraft draft(*level);
    const TObjectEditResult result =
        c.Lift ? SetLiftHeight(draft, library, c.At, c.Value) : SetKeyCode(draft, library, c.At, c.Value);
    SCOPED_TRACE(c.Value);
    EXPECT_EQ(result.Refusal, c.Refusal);
    if (!result.Done()) {
      EXPECT_TRUE(draft.Touched(0).Empty());
      continue;
    }
    // Every cell of the footprint carries the value, as placing writes it.
    const TMatrix& after = draft.Level();
    if (c.Lift) {
      EXPECT_EQ(after.Cells[4][4].LiftHeight, c.Value);
      EXPECT_EQ(after.Cells[5][4].LiftHeight, c.Value);
    } else {
      EXPECT_EQ(after.Cells[8][4].KeyCode, c.Value);
      EXPECT_EQ(after.Cells[8][5].KeyCode, c.Value);
    }
  }
}

TEST_F(PlacedObjectEdits, MoveToAnotherPlaneOrRefuseWhereItIsTaken) {
  Put("Блок", 10, 10);
  Put("Стена", 41, 40);
  PutBack("Блок", 2, 40, 40);  // its 2 x 2 footprint on plane 0 would take (41, 40)
  PutBack("Стена", 3, 10, 10);
  PutBack("Блок", 1, TMatrix::kColumns - 1, 0);
  struct TCase {
    TPlacedAnchor At;
    int32_t Plane;
    const char* Refusal;
  };
  const TCase cases[] = {
      {{0, 10, 10}, 3, "На плане 3 место занято другим объектом"},
      {{2, 40, 40}, 0, "На плане 0 место занято другим объектом"},
      {{1, TMatrix::kColumns - 1, 0}, 0, "Объект «Блок» вышел бы за край уровня"},
      {{0, 10, 10}, 5, "План должен быть от 0 до 4"},
      {{0, 11, 11}, 1, "В клетке (11, 11) на плане 0 нет объекта"},
  };
  for (const TCase& c : cases) {
    TLevelDraft draft(*level);
    EXPECT_EQ(MoveToPlane(draft, library, c.At, c.Plane).Refusal, c.Refusal);
    for (int32_t plane = 0; plane < TMatrix::kPlaneCount; ++plane) EXPECT_TRUE(draft.Touched(plane).Empty());
  }

  TLevelDraft draft(*level);
  ASSERT_TRUE(MoveToPlane(draft, library, {0, 10, 10}, 4).Done());
  EXPECT_EQ(draft.Level().BackPlanes[10][10][3], 5);
  for (const auto& [x, y] : {std::pair{10, 10}, {11, 10}, {10, 11}, {11, 11}})
    EXPECT_TRUE(draft.Level().Cells[x][y].IsFree());
  ASSERT_TRUE(MoveToPlane(draft, library, {3, 10, 10}, 0).Done());
  EXPECT_EQ(draft.Level().Cells[10][10].ObjectNumber, 1);
  EXPECT_EQ(draft.Level().Cells[10][10].Kind, otWall);
  EXPECT_EQ(draft.Level().BackPlanes[10][10][2], -1);
  ASSERT_TRUE(MoveToPlane(draft, library, {4, 10, 10}, 1).Done());
  EXPECT_EQ(draft.Level().BackPlanes[10][10][0], 5);
  EXPECT_EQ(draft.Level().BackPlanes[10][10][3], -1);
}

TEST_F(PlacedObjectEdits, ChangeTheObjectAtAnAnchorWhereItsFootprintFits) {
  Put("Стена", 5, 5, 0, 4);
  Put("Стена", 6, 6);
  Put("Стена", 50, 5, 0, 4);
  PutBack("Стена", 2, 70, 70);
  struct TCase {
    TPlacedAnchor At;
    const char* Name;
    const char* Refusal;
  };
  const TCase cases[] = {
      {{0, 5, 5}, "Блок", "Объект «Блок» не помещается: его клетки заняты другими объектами"},
      {{0, 5, 5}, "Нет", "В библиотеке нет объекта «Нет»"},
      {{0, 9, 9}, "Блок", "В клетке (9, 9) на плане 0 нет объекта"},
      {{0, 50, 5}, "Дверь", ""},
      {{2, 70, 70}, "Блок", ""},
  };
  for (const TCase& c : cases) {
    TLevelDraft draft(*level);
    EXPECT_EQ(ChangeObject(draft, library, c.At, Name(c.Name)).Refusal, c.Refusal);
  }
  TLevelDraft draft(*level);
  ASSERT_TRUE(ChangeObject(draft, library, {0, 50, 5}, Name("Дверь")).Done());
  EXPECT_EQ(draft.Level().Cells[50][5].Kind, otDoor);
  EXPECT_EQ(draft.Level().Cells[50][6].Kind, otDoor);
  EXPECT_EQ(draft.Level().Cells[50][6].KeyCode, 4);  // the door keeps the cell's key code
}

TEST_F(PlacedObjectEdits, TheObjectUnderACellIsFoundOnThePlaneAskedFirst) {
  Put("Блок", 10, 10);
  PutBack("Фон", 2, 11, 11);
  const auto covering = [&](int32_t plane, int32_t x, int32_t y) {
    const std::optional<TPlacedObject> object = PlacedObjectCovering(*level, library, plane, x, y);
    return object ? object->At : TPlacedAnchor{-1, -1, -1};
  };
  EXPECT_EQ(covering(0, 11, 11), (TPlacedAnchor{0, 10, 10}));
  EXPECT_EQ(covering(2, 11, 11), (TPlacedAnchor{2, 11, 11}));
  EXPECT_EQ(covering(2, 13, 11), (TPlacedAnchor{2, 11, 11}));  // the picture reaches three cells
  EXPECT_EQ(covering(3, 10, 11), (TPlacedAnchor{0, 10, 10}));  // nothing on plane 3: the front goes first
  EXPECT_EQ(covering(0, 12, 12), (TPlacedAnchor{-1, -1, -1}));
  const std::optional<TPlacedObject> block = PlacedObjectAt(*level, library, {0, 10, 10});
  ASSERT_TRUE(block);
  EXPECT_EQ(block->Footprint, (TFootprintSize{2, 2}));
  EXPECT_EQ(block->Type, otWall);
  EXPECT_FALSE(block->HasLiftHeight());
}

}  // namespace
}  // namespace kestrilo

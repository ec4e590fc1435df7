// Building the sprites of a level: what each factory call receives, and in
// which order the calls come.
#include <gtest/gtest.h>

#include "library/ObjectDataBase.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"
#include "sprites/SpriteEngine.h"
#include "tests/matrix/MatrixTestSupport.h"

namespace kestrilo {
namespace {

using testing::MakeCell;
using testing::NewMatrix;

struct TFactoryCall {
  TSprite* Parent;
  TObjectRecord Record;
  double X, Y;
  int32_t Z;
};

class MatrixWorldBuilder : public ::testing::Test {
 protected:
  MatrixWorldBuilder() : database(nullptr) {
    database.Records.push_back(Record(otWall, 5, "Стена", 0, 0));
    database.Records.push_back(Record(otLift, 6, "Лифт", 7, 9));
    database.Records.push_back(Record(otBackground, 8, "Небо", 0, 0));
  }

  static TObjectRecord Record(uint8_t type, int32_t number, const char* name, int8_t lift, uint8_t key) {
    TObjectRecord r;
    r.ObjType = type;
    r.Number = number;
    r.Name = W1251(name);
    r.LiftHeight = lift;
    r.KeyCode = key;
    return r;
  }

  TObjectFactory Recorder() {
    return [this](TSprite* parent, const TObjectRecord& record, double x, double y, int32_t z) -> TSprite* {
      calls.push_back({parent, record, x, y, z});
      return nullptr;
    };
  }

  TSpriteEngine root;
  TObjectDataBase database;
  std::unique_ptr<TMatrix> m = NewMatrix();
  std::vector<TFactoryCall> calls;
};

TEST_F(MatrixWorldBuilder, AnchorMakesOneCallAtItsWorldCell) {
  m->SetOrigin(3, 4);  // the view origin plays no part
  m->Cells[3][7] = MakeCell(0, 5, -2, 33);
  m->Cells[4][7] = MakeCell(0, -1, -2, 33);  // the rest of the footprint
  m->BuildMainPlane(root, database, Recorder());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Parent, &root);
  EXPECT_EQ(calls[0].X, 96.0);
  EXPECT_EQ(calls[0].Y, 224.0);
  EXPECT_EQ(calls[0].Z, 0);
  EXPECT_EQ(calls[0].Record.Name, W1251("Стена"));
  EXPECT_EQ(calls[0].Record.ObjType, otWall);
  // The per-placement values come from the cell.
  EXPECT_EQ(calls[0].Record.LiftHeight, -2);
  EXPECT_EQ(calls[0].Record.KeyCode, 33);
}

TEST_F(MatrixWorldBuilder, MainPlaneOverridesLibraryValuesEvenWithZero) {
  m->Cells[0][0] = MakeCell(1, 6, 0, 0);
  m->BuildMainPlane(root, database, Recorder());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Record.LiftHeight, 0);
  EXPECT_EQ(calls[0].Record.KeyCode, 0);
  EXPECT_EQ(calls[0].Record.Number, 6);
}

TEST_F(MatrixWorldBuilder, UnknownNumberGivesTheEmptyRecord) {
  m->Cells[1][1] = MakeCell(0, 99, 4, 5);
  m->BuildMainPlane(root, database, Recorder());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Record.ObjType, otEmpty);
  EXPECT_EQ(calls[0].Record.Number, -1);
  EXPECT_EQ(calls[0].Record.Name, W1251("пустая"));
}

TEST_F(MatrixWorldBuilder, MainPlaneGoesColumnByColumnTopToBottom) {
  m->Cells[1][0] = MakeCell(0, 5);
  m->Cells[0][149] = MakeCell(0, 5);
  m->Cells[0][3] = MakeCell(0, 5);
  m->Cells[199][0] = MakeCell(0, 5);
  m->BuildMainPlane(root, database, Recorder());
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].Y, 96.0);
  EXPECT_EQ(calls[1].Y, 149 * 32.0);
  EXPECT_EQ(calls[2].X, 32.0);
  EXPECT_EQ(calls[3].X, 199 * 32.0);
}

TEST_F(MatrixWorldBuilder, BackPlaneEntryUsesTheLibraryRecordUnchanged) {
  m->Cells[3][7] = MakeCell(0, -1, 50, 50);
  m->BackPlanes[3][7][1] = 6;  // plane 2
  m->BackPlanes[3][8][1] = 0;  // nothing
  m->BackPlanes[3][9][1] = -1;
  m->BuildBackPlanes(root, database, Recorder());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].X, 96.0);
  EXPECT_EQ(calls[0].Y, 224.0);
  EXPECT_EQ(calls[0].Z, 20);
  EXPECT_EQ(calls[0].Record, database.Records[1]);
}

TEST_F(MatrixWorldBuilder, BackPlanesGoPlaneOneToFourWithinACell) {
  m->BackPlanes[0][1][3] = 8;
  m->BackPlanes[0][1][0] = 5;
  m->BackPlanes[0][0][2] = 6;
  m->BackPlanes[1][0][0] = 5;
  m->BuildBackPlanes(root, database, Recorder());
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].Z, 30);
  EXPECT_EQ(calls[0].Y, 0.0);
  EXPECT_EQ(calls[1].Z, 10);
  EXPECT_EQ(calls[1].Y, 32.0);
  EXPECT_EQ(calls[2].Z, 40);
  EXPECT_EQ(calls[3].X, 32.0);
}

TEST_F(MatrixWorldBuilder, MainPlaneBuilderIgnoresBackPlanesAndTheOtherWayRound) {
  m->Cells[0][0] = MakeCell(0, 5);
  m->BackPlanes[5][5][0] = 5;
  m->BuildMainPlane(root, database, Recorder());
  EXPECT_EQ(calls.size(), 1u);
  calls.clear();
  m->BuildBackPlanes(root, database, Recorder());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Z, 10);
}

TEST_F(MatrixWorldBuilder, FactoryFailureStopsTheBuildKeepingWhatWasMade) {
  m->Cells[0][0] = MakeCell(0, 5);
  m->Cells[0][1] = MakeCell(0, 6);
  m->Cells[0][2] = MakeCell(0, 5);
  TObjectFactory failing = [this](TSprite* parent, const TObjectRecord& record, double, double, int32_t) -> TSprite* {
    if (record.Number == 6) throw EKestriloError("Image 'Лифт' not found");
    calls.push_back({parent, record, 0, 0, 0});
    return new TSprite(parent);
  };
  EXPECT_THROW(m->BuildMainPlane(root, database, failing), EKestriloError);
  EXPECT_EQ(calls.size(), 1u);
  EXPECT_EQ(root.ChildCount(), 1);
}

TEST_F(MatrixWorldBuilder, NoFactoryBuildsNothing) {
  m->Cells[0][0] = MakeCell(0, 5);
  m->BuildMainPlane(root, database, TObjectFactory());
  m->BuildBackPlanes(root, database, TObjectFactory());
  EXPECT_EQ(root.ChildCount(), 0);
}

}  // namespace
}  // namespace kestrilo

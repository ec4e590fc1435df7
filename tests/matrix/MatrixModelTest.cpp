// The matrix model: clearing, placement with its footprint, back-plane
// entries, clearing areas and scrolling with the camera.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"
#include "sprites/SpriteEngine.h"
#include "tests/matrix/MatrixTestSupport.h"

namespace kestrilo {
namespace {

using testing::MakeCell;
using testing::NewMatrix;

int CountSolid(const TMatrix& m) {
  int solid = 0;
  for (const auto& column : m.Cells)
    for (const auto& cell : column) solid += cell.IsFree() ? 0 : 1;
  return solid;
}

TEST(MatrixModel, NewMatrixIsClearedWithOriginAtZero) {
  auto m = NewMatrix();
  EXPECT_EQ(m->GetOriginX(), 0);
  EXPECT_EQ(m->GetOriginY(), 0);
  for (int x = 0; x < TMatrix::kColumns; ++x) {
    for (int y = 0; y < TMatrix::kRows; ++y) {
      const TMatrixCell& c = m->Cells[x][y];
      ASSERT_EQ(c.Kind, -1);
      ASSERT_EQ(c.ObjectNumber, -1);
      ASSERT_EQ(c.LiftHeight, 0);
      ASSERT_EQ(c.KeyCode, 0);
      for (int p = 0; p < 4; ++p) ASSERT_EQ(m->BackPlanes[x][y][p], -1);
    }
  }
}

TEST(MatrixModel, ClearEmptiesCellsPlanesAndOrigin) {
  auto m = NewMatrix();
  m->SetOrigin(10, 5);
  m->PutObjectSized(MakeCell(0, 3, 4, 5), 0, 0, 32, 32);
  m->PutBackObject(2, 7, 32, 32);
  m->Clear();
  EXPECT_EQ(m->GetOriginX(), 0);
  EXPECT_EQ(m->GetOriginY(), 0);
  EXPECT_TRUE(m->Cells[10][5].SameContent(EmptyMatrixCell()));
  EXPECT_EQ(m->BackPlanes[11][6][1], -1);
  EXPECT_EQ(CountSolid(*m), 0);
}

TEST(MatrixModel, WideObjectFootprintWithOrigin) {
  auto m = NewMatrix();
  m->SetOrigin(10, 5);
  // A 64 x 32 picture at view pixel (64, 0): columns 12..13 of row 5.
  m->PutObjectSized(MakeCell(1, 9, -3, 200), 64, 0, 32, 64);
  const TMatrixCell& anchor = m->Cells[12][5];
  const TMatrixCell& part = m->Cells[13][5];
  EXPECT_EQ(anchor.Kind, 1);
  EXPECT_EQ(anchor.ObjectNumber, 9);
  EXPECT_EQ(part.Kind, 1);
  EXPECT_EQ(part.ObjectNumber, -1);
  for (const TMatrixCell* c : {&anchor, &part}) {
    EXPECT_EQ(c->LiftHeight, -3);
    EXPECT_EQ(c->KeyCode, 200);
  }
  EXPECT_EQ(CountSolid(*m), 2);
  EXPECT_TRUE(m->Cells[14][5].IsFree());
  EXPECT_TRUE(m->Cells[12][6].IsFree());
}

TEST(MatrixModel, FootprintDividesBy33) {
  struct TCase {
    int32_t height, width, columns, rows;
  };
  for (const TCase c : {TCase{32, 32, 1, 1}, TCase{65, 65, 2, 2}, TCase{32, 66, 3, 1}, TCase{98, 33, 2, 3},
                        TCase{99, 0, 1, 4}, TCase{0, 0, 1, 1}}) {
    auto m = NewMatrix();
    m->PutObjectSized(MakeCell(0, 1), 0, 0, c.height, c.width);
    EXPECT_EQ(CountSolid(*m), c.columns * c.rows) << c.width << " x " << c.height;
    EXPECT_FALSE(m->Cells[c.columns - 1][c.rows - 1].IsFree());
    EXPECT_TRUE(m->Cells[c.columns][0].IsFree());
    EXPECT_TRUE(m->Cells[0][c.rows].IsFree());
  }
}

class MatrixPlacementThroughTheLibrary : public ::testing::Test {
 protected:
  MatrixPlacementThroughTheLibrary() : database(&pictures) {
    TPictureCollectionItem* item = pictures.Add();
    item->SetName(W1251("Лифт"));
    item->PatternWidth = 64;
    item->PatternHeight = 32;
    database.Records.push_back(Record(6, "Лифт"));
    database.Records.push_back(Record(7, "Без картинки"));
  }
  static TObjectRecord Record(int32_t number, const char* name) {
    TObjectRecord r;
    r.ObjType = otLift;
    r.Number = number;
    r.Name = W1251(name);
    return r;
  }

  TPictureCollection pictures;
  TObjectDataBase database;
  std::unique_ptr<TMatrix> m = NewMatrix();
};

TEST_F(MatrixPlacementThroughTheLibrary, FootprintComesFromTheFrameSize) {
  m->PutObject(MakeCell(1, 6), 32, 32, database);
  EXPECT_EQ(m->Cells[1][1].ObjectNumber, 6);
  EXPECT_FALSE(m->Cells[2][1].IsFree());
  EXPECT_EQ(CountSolid(*m), 2);
}

// For every frame size up to 200 pixels each way, placing through the
// library, the region an edit records, the size the clipboard, the fill and
// the paste ghost ask for, and erasing all cover the same cells: one, and one
// more per 33 pixels, as placing has always counted them.
TEST_F(MatrixPlacementThroughTheLibrary, EveryFrameSizeHasOneFootprint) {
  TPictureCollectionItem& picture = *pictures.Find(W1251("Лифт"));
  constexpr int32_t kColumn = 2, kRow = 3, kWindow = 12;  // a 200-pixel frame reaches column 8
  for (int32_t width = 1; width <= 200; ++width) {
    const int32_t height = 201 - width;
    picture.PatternWidth = width;
    picture.PatternHeight = height;
    const TFootprintSize expected{width / 33 + 1, height / 33 + 1};
    const TFootprintSize asked = FootprintOfNumber(database, 6);
    EXPECT_EQ(asked, expected) << width << " x " << height;
    EXPECT_EQ(FootprintOfFrame(width, height), expected) << width << " x " << height;

    m->Clear();
    m->PutObject(MakeCell(1, 6), kColumn * 32, kRow * 32, database);
    const TCellRegion region = TMatrix::FootprintRegion(kColumn, kRow, asked);
    int32_t outside = 0, missing = 0;
    for (int32_t x = 0; x < kWindow; ++x)
      for (int32_t y = 0; y < kWindow; ++y) {
        if (!m->Cells[x][y].IsFree() && !region.Contains(x, y)) ++outside;
        if (m->Cells[x][y].IsFree() && region.Contains(x, y)) ++missing;
      }
    EXPECT_EQ(outside + missing, 0) << width << " x " << height;
    EXPECT_EQ(CountSolid(*m), expected.Columns * expected.Rows) << width << " x " << height;

    m->EraseFootprint(kColumn, kRow, asked);
    EXPECT_EQ(CountSolid(*m), 0) << width << " x " << height;
  }
}

TEST_F(MatrixPlacementThroughTheLibrary, UnknownNumberCoversOneCell) {
  m->PutObject(MakeCell(0, 99), 0, 0, database);
  EXPECT_EQ(m->Cells[0][0].ObjectNumber, 99);
  EXPECT_EQ(CountSolid(*m), 1);
}

TEST_F(MatrixPlacementThroughTheLibrary, MissingPicturePlacesNothing) {
  try {
    m->PutObject(MakeCell(1, 7), 0, 0, database);
    FAIL() << "expected the picture collection's error";
  } catch (const EPictureCollectionError& e) {
    EXPECT_EQ(std::string(e.what()), "Image 'Без картинки' not found");
  }
  EXPECT_EQ(CountSolid(*m), 0);
}

TEST(MatrixModel, PlacementOverwritesWithoutChecking) {
  auto m = NewMatrix();
  m->PutObjectSized(MakeCell(0, 4), 0, 0, 64, 64);    // 2 x 2 at (0, 0)
  m->PutObjectSized(MakeCell(3, 8), 32, 32, 32, 32);  // over its lower-right part
  EXPECT_EQ(m->Cells[0][0].ObjectNumber, 4);          // the older anchor stays
  EXPECT_EQ(m->Cells[1][1].Kind, 3);
  EXPECT_EQ(m->Cells[1][1].ObjectNumber, 8);
}

TEST(MatrixModel, PlacementKeepsPaddingBytes) {
  auto m = NewMatrix();
  m->Cells[0][0].Padding1[1] = 0x5A;
  m->Cells[0][0].Padding2[0] = 0xA5;
  m->PutObjectSized(MakeCell(0, 1), 0, 0, 32, 32);
  EXPECT_EQ(m->Cells[0][0].Padding1[1], 0x5A);
  EXPECT_EQ(m->Cells[0][0].Padding2[0], 0xA5);
}

TEST(MatrixModel, FootprintPastTheEdgeIsClipped) {
  auto m = NewMatrix();
  m->SetOrigin(TMatrix::kMaxOriginX, TMatrix::kMaxOriginY);
  // View cell (19, 14) is matrix cell (198, 148); a 128 x 128 picture covers
  // 4 x 4 cells, of which only 2 x 2 exist.
  m->PutObjectSized(MakeCell(0, 2), 19 * 32, 14 * 32, 128, 128);
  EXPECT_EQ(m->Cells[198][148].ObjectNumber, 2);
  EXPECT_FALSE(m->Cells[199][149].IsFree());
  EXPECT_EQ(CountSolid(*m), 4);
}

TEST(MatrixModel, PlacementOutsideTheMatrixWritesNothing) {
  auto m = NewMatrix();
  m->PutObjectSized(MakeCell(0, 2), -40, 0, 32, 32);
  m->PutObjectSized(MakeCell(0, 2), 1e300, 0, 32, 32);
  m->PutObjectSized(MakeCell(0, 2), std::nan(""), 0, 32, 32);
  EXPECT_EQ(CountSolid(*m), 0);
  // A footprint that starts left of the matrix still covers its cells inside.
  m->PutObjectSized(MakeCell(0, 2), -40, 0, 32, 66);
  EXPECT_EQ(CountSolid(*m), 2);
  EXPECT_EQ(m->Cells[0][0].ObjectNumber, -1);  // the anchor lies outside
}

TEST(MatrixModel, PutBackObjectSetsOneEntryWithOrigin) {
  auto m = NewMatrix();
  m->SetOrigin(3, 2);
  m->PutBackObject(4, 17, 63.9, 95.0);  // view cell (1, 2)
  EXPECT_EQ(m->BackPlanes[4][4][3], 17);
  EXPECT_EQ(m->BackPlanes[4][4][0], -1);
  m->PutBackObject(4, 0, 63.9, 95.0);  // no check of the old value
  EXPECT_EQ(m->BackPlanes[4][4][3], 0);
  EXPECT_EQ(CountSolid(*m), 0);
}

TEST(MatrixModel, PutBackObjectIgnoresBadPlanesAndCells) {
  auto m = NewMatrix();
  m->PutBackObject(0, 5, 0, 0);
  m->PutBackObject(5, 5, 0, 0);
  m->PutBackObject(1, 5, -33, 0);
  m->PutBackObject(1, 5, 0, 4800);
  auto fresh = NewMatrix();
  EXPECT_TRUE(testing::SameLevel(*m, *fresh));
}

TEST(MatrixModel, ClearAreaRoundsHalvesToEven) {
  auto m = NewMatrix();
  m->PutObjectSized(MakeCell(0, 1), 3 * 32, 1 * 32, 128, 128);  // cells 3..6 x 1..4
  // 144 / 32 = 4.5 -> 4 and 80 / 32 = 2.5 -> 2: only cell (4, 2).
  m->ClearArea(144, 80, 32, 32);
  EXPECT_TRUE(m->Cells[4][2].SameContent(EmptyMatrixCell()));
  EXPECT_EQ(CountSolid(*m), 15);
  // 176 / 32 = 5.5 -> 6 and 112 / 32 = 3.5 -> 4.
  m->ClearArea(176, 112, 0, 0);
  EXPECT_TRUE(m->Cells[6][4].IsFree());
  EXPECT_EQ(CountSolid(*m), 14);
}

TEST(MatrixModel, ClearAreaIgnoresOriginAndUsesFootprintDivisor) {
  auto m = NewMatrix();
  m->PutObjectSized(MakeCell(3, 1, 2, 9), 0, 0, 128, 128);
  m->SetOrigin(50, 50);
  m->ClearArea(0, 0, 66, 33);  // 3 columns, 2 rows
  EXPECT_EQ(CountSolid(*m), 16 - 6);
  EXPECT_TRUE(m->Cells[2][1].IsFree());
  EXPECT_FALSE(m->Cells[3][0].IsFree());
  EXPECT_FALSE(m->Cells[0][2].IsFree());
}

TEST(MatrixModel, ClearAreaPastTheEdgeIsClipped) {
  auto m = NewMatrix();
  m->SetOrigin(TMatrix::kMaxOriginX, TMatrix::kMaxOriginY);
  m->PutObjectSized(MakeCell(0, 1), 19 * 32, 14 * 32, 64, 64);  // (198..199, 148..149)
  m->ClearArea(198 * 32, 148 * 32, 500, 500);
  m->ClearArea(-100000, -5, 10, 10);
  m->ClearArea(std::numeric_limits<int32_t>::max(), 0, 32, 32);
  EXPECT_EQ(CountSolid(*m), 0);
}

class MatrixScroll : public ::testing::Test {
 protected:
  TSpriteEngine root;
  std::unique_ptr<TMatrix> m = NewMatrix();

  void Press(TScrollDirection direction, int times) {
    for (int i = 0; i < times; ++i) m->Scroll(root, direction);
  }
  void ExpectCameraFollowsOrigin() {
    EXPECT_DOUBLE_EQ(root.X, -32.0 * m->GetOriginX());
    EXPECT_DOUBLE_EQ(root.Y, -32.0 * m->GetOriginY());
  }
};

TEST_F(MatrixScroll, EachDirectionMovesViewAndCamera) {
  Press(TScrollDirection::Right, 2);
  Press(TScrollDirection::Down, 3);
  EXPECT_EQ(m->GetOriginX(), 2);
  EXPECT_EQ(m->GetOriginY(), 3);
  ExpectCameraFollowsOrigin();
  Press(TScrollDirection::Left, 1);
  Press(TScrollDirection::Up, 2);
  EXPECT_EQ(m->GetOriginX(), 1);
  EXPECT_EQ(m->GetOriginY(), 1);
  ExpectCameraFollowsOrigin();
}

TEST_F(MatrixScroll, StopsAtBothLimits) {
  Press(TScrollDirection::Left, 1);
  Press(TScrollDirection::Up, 1);
  EXPECT_EQ(m->GetOriginX(), 0);
  EXPECT_EQ(m->GetOriginY(), 0);
  EXPECT_EQ(root.X, 0.0);
  EXPECT_EQ(root.Y, 0.0);

  Press(TScrollDirection::Right, 400);
  Press(TScrollDirection::Down, 400);
  EXPECT_EQ(m->GetOriginX(), 179);
  EXPECT_EQ(m->GetOriginY(), 134);
  ExpectCameraFollowsOrigin();
  const double cameraX = root.X, cameraY = root.Y;
  m->Scroll(root, TScrollDirection::Right);  // right from 179: nothing
  m->Scroll(root, TScrollDirection::Down);   // down from 134: nothing
  EXPECT_EQ(m->GetOriginX(), 179);
  EXPECT_EQ(m->GetOriginY(), 134);
  EXPECT_EQ(root.X, cameraX);
  EXPECT_EQ(root.Y, cameraY);
}

TEST_F(MatrixScroll, OtherDirectionsChangeNothing) {
  Press(TScrollDirection::Right, 1);
  for (uint8_t d : {4, 5, 200, 255}) m->Scroll(root, static_cast<TScrollDirection>(d));
  EXPECT_EQ(m->GetOriginX(), 1);
  EXPECT_EQ(m->GetOriginY(), 0);
  ExpectCameraFollowsOrigin();
}

TEST(MatrixModel, SetOriginIsLimitedToTheScrollRange) {
  auto m = NewMatrix();
  m->SetOrigin(500, 500);
  EXPECT_EQ(m->GetOriginX(), 179);
  EXPECT_EQ(m->GetOriginY(), 134);
}

}  // namespace
}  // namespace kestrilo

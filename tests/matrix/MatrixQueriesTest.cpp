// The collision queries: which cells each examines, the guards, and cells
// past the edge of the matrix.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "matrix/Matrix.h"
#include "tests/matrix/MatrixTestSupport.h"

namespace kestrilo {
namespace {

using testing::NewMatrix;

class MatrixQueries : public ::testing::Test {
 protected:
  std::unique_ptr<TMatrix> m = NewMatrix();
  void Block(int x, int y, int8_t kind = 0) { m->Cells[x][y].Kind = kind; }
  void Free(int x, int y) { m->Cells[x][y].Kind = -1; }
};

TEST_F(MatrixQueries, LeftExaminesTheRunUnderTheLeftEdge) {
  // Height 26: one row, (2, 3) only.
  EXPECT_TRUE(m->IsLeftFree(32, 26, 64, 100));
  Block(2, 4);
  EXPECT_TRUE(m->IsLeftFree(32, 26, 64, 100));
  // Height 32: (2, 3) and (2, 4).
  EXPECT_FALSE(m->IsLeftFree(32, 32, 64, 100));
  Free(2, 4);
  Block(2, 3);
  EXPECT_FALSE(m->IsLeftFree(32, 26, 64, 100));
  // Neighbouring columns do not count; Width is not used.
  Free(2, 3);
  Block(1, 3);
  Block(3, 3);
  EXPECT_TRUE(m->IsLeftFree(500, 26, 64, 100));
}

TEST_F(MatrixQueries, LeftGuards) {
  EXPECT_FALSE(m->IsLeftFree(32, 32, -0.5, 0));
  EXPECT_TRUE(m->IsLeftFree(32, 32, 0, 0));
  EXPECT_TRUE(m->IsLeftFree(32, -40, 64, 0));  // a negative run answers true
  EXPECT_FALSE(m->IsLeftFree(32, 32, std::nan(""), 0));
}

TEST_F(MatrixQueries, LeftOutsideTheMatrixAnswersFalse) {
  EXPECT_TRUE(m->IsLeftFree(0, 0, 6399.9, 0));
  EXPECT_FALSE(m->IsLeftFree(0, 0, 6400, 0));
  EXPECT_FALSE(m->IsLeftFree(0, 0, 1e300, 0));
  EXPECT_TRUE(m->IsLeftFree(0, 0, 0, -31.9));  // truncates toward zero: row 0
  EXPECT_FALSE(m->IsLeftFree(0, 0, 0, -32));
  EXPECT_TRUE(m->IsLeftFree(0, 32, 0, 148 * 32));   // rows 148..149
  EXPECT_FALSE(m->IsLeftFree(0, 64, 0, 148 * 32));  // runs past row 149
  EXPECT_FALSE(m->IsLeftFree(0, 0, 0, 4800));
  EXPECT_FALSE(m->IsLeftFree(0, std::numeric_limits<int32_t>::max(), 0, 0));
}

TEST_F(MatrixQueries, RightExaminesTheColumnRightOfTheRightEdge) {
  Block(3, 0);
  EXPECT_FALSE(m->IsRightFree(32, 0, 64, 0));  // (64 + 32) / 32 = column 3
  EXPECT_TRUE(m->IsRightFree(31, 0, 64, 0));   // 95 / 32: column 2
  Block(199, 5);
  // X = 6368 with Width 0 examines column 199.
  EXPECT_FALSE(m->IsRightFree(0, 0, 6368, 5 * 32));
  EXPECT_TRUE(m->IsRightFree(0, 0, 6368, 4 * 32));
}

TEST_F(MatrixQueries, RightGuards) {
  EXPECT_FALSE(m->IsRightFree(0, 0, 6368.5, 0));  // on X itself, whatever the cells
  EXPECT_FALSE(m->IsRightFree(-1000, 0, 6368.5, 0));
  EXPECT_FALSE(m->IsRightFree(32, 0, 6368, 0));  // 6400 is past column 199
  EXPECT_FALSE(m->IsRightFree(0, 0, std::nan(""), 0));
  EXPECT_TRUE(m->IsRightFree(0, 0, -10, 0));  // (-10) / 32 truncates to column 0
  EXPECT_FALSE(m->IsRightFree(0, 0, -32, 0));
  EXPECT_FALSE(m->IsRightFree(0, 0, 0, -32));
  EXPECT_FALSE(m->IsRightFree(0, 32, 0, 149 * 32));  // runs past row 149
  EXPECT_FALSE(m->IsRightFree(0, -1, 10000, 0));
}

TEST_F(MatrixQueries, BelowExaminesTheRowBelowTheBottomEdge) {
  Block(4, 5);
  EXPECT_FALSE(m->IsBelowFree(0, 32, 4 * 32, 4 * 32 + 2));
  EXPECT_TRUE(m->IsBelowFree(0, 29, 4 * 32, 4 * 32 + 2));  // still row 4
  EXPECT_FALSE(m->IsBelowFree(32, 32, 3 * 32, 4 * 32));    // columns 3..4
  EXPECT_TRUE(m->IsBelowFree(31, 32, 3 * 32, 4 * 32));     // column 3 only
  Block(7, 149);
  EXPECT_FALSE(m->IsBelowFree(0, 0, 7 * 32, 4768));  // Height 0 at 4768: row 149
}

TEST_F(MatrixQueries, BelowGuards) {
  EXPECT_FALSE(m->IsBelowFree(0, 0, 0, 4768.5));
  EXPECT_FALSE(m->IsBelowFree(0, 0, 0, -0.1));
  EXPECT_FALSE(m->IsBelowFree(0, 0, -0.1, 0));
  EXPECT_FALSE(m->IsBelowFree(0, 32, 0, 4768));  // 4800 is past row 149
  EXPECT_FALSE(m->IsBelowFree(0, 0, 6400, 0));
  EXPECT_FALSE(m->IsBelowFree(64, 0, 198 * 32, 0));  // columns 198..200
  EXPECT_TRUE(m->IsBelowFree(32, 0, 198 * 32, 0));
  EXPECT_FALSE(m->IsBelowFree(0, 0, 0, std::nan("")));
}

TEST_F(MatrixQueries, TopExaminesTheRowUnderTheTopEdge) {
  Block(2, 1);
  EXPECT_FALSE(m->IsTopFree(32, 32, 32));  // columns 1..2 of row 1
  EXPECT_TRUE(m->IsTopFree(31, 32, 32));   // column 1 only
  EXPECT_TRUE(m->IsTopFree(32, 32, 64));
}

TEST_F(MatrixQueries, TopGuards) {
  EXPECT_FALSE(m->IsTopFree(0, 0, -1));
  EXPECT_TRUE(m->IsTopFree(0, 0, 0));
  EXPECT_TRUE(m->IsTopFree(0, -31, 0));  // column 0 by truncation
  EXPECT_FALSE(m->IsTopFree(0, -32, 0));
  EXPECT_FALSE(m->IsTopFree(0, 0, 4800));
  EXPECT_FALSE(m->IsTopFree(32, 199 * 32, 0));  // runs past column 199
  EXPECT_FALSE(m->IsTopFree(0, 0, std::numeric_limits<double>::infinity()));
}

TEST_F(MatrixQueries, EveryKindButEmptyBlocks) {
  for (int8_t kind : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 42, -2, -128}) {
    Block(10, 10, kind);
    EXPECT_FALSE(m->IsLeftFree(0, 0, 320, 320)) << int(kind);
    EXPECT_FALSE(m->IsRightFree(0, 0, 320, 320)) << int(kind);
    EXPECT_FALSE(m->IsBelowFree(0, 0, 320, 320)) << int(kind);
    EXPECT_FALSE(m->IsTopFree(0, 320, 320)) << int(kind);
  }
}

TEST_F(MatrixQueries, OnlyKindDecidesNotTheObjectNumber) {
  m->Cells[10][10].ObjectNumber = 5;  // a stale number with an empty kind
  EXPECT_TRUE(m->IsLeftFree(0, 0, 320, 320));
}

TEST_F(MatrixQueries, OpenedDoorFreesItsCellsFromTheNextQuery) {
  m->PutObjectSized(testing::MakeCell(3, 12), 5 * 32, 6 * 32, 64, 32);  // a door, 1 x 2
  EXPECT_FALSE(m->IsRightFree(32, 32, 4 * 32, 6 * 32));
  m->ClearArea(5 * 32, 6 * 32, 32, 64);
  EXPECT_TRUE(m->IsRightFree(32, 32, 4 * 32, 6 * 32));
}

}  // namespace
}  // namespace kestrilo

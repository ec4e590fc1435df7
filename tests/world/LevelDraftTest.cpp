// Region edits written through the level edits: a draft's touched rectangles,
// both levels written alike, planes left alone when nothing in them changed.
#include <gtest/gtest.h>

#include <cstring>

#include "matrix/Matrix.h"
#include "sprites/SpriteEngine.h"
#include "tests/matrix/MatrixTestSupport.h"
#include "world/LevelDraft.h"
#include "world/LevelEdits.h"
#include "world/PlacedSprites.h"

namespace kestrilo {
namespace {

using testing::MakeCell;
using testing::NewMatrix;

class LevelDraftCommit : public ::testing::Test {
 protected:
  TSpriteEngine root;
  std::unique_ptr<TMatrix> designed = NewMatrix();
  std::unique_ptr<TMatrix> played = NewMatrix();
  TPlacedSprites placed;
  TLevelEdits Edits() { return TLevelEdits(*designed, *played, root, placed); }
};

TEST_F(LevelDraftCommit, TouchedRectanglesGrowPerPlaneAndIgnoreCellsOutside) {
  TLevelDraft draft(*designed);
  draft.SetCell(5, 7, MakeCell(0, 1));
  draft.SetCell(2, 9, MakeCell(0, 1));
  draft.SetCell(200, 0, MakeCell(0, 1));
  draft.SetEntry(3, 10, 10, 4);
  draft.SetEntry(5, 1, 1, 4);  // no such plane
  EXPECT_EQ(draft.Touched(0), (TCellRegion{2, 7, 5, 9}));
  EXPECT_EQ(draft.Touched(3), (TCellRegion{10, 10, 10, 10}));
  EXPECT_TRUE(draft.Touched(1).Empty());
  EXPECT_EQ(designed->Cells[5][7].Kind, -1);  // the level itself is untouched until committed
}

TEST_F(LevelDraftCommit, BothLevelsGetTheCellsAndOneUndoPerChangeRestoresThem) {
  designed->Cells[4][4] = MakeCell(0, 8);
  *played = *designed;
  played->Cells[9][9] = MakeCell(3, -1);  // a difference only play made
  TLevelDraft draft(*designed);
  TMatrixCell keyed = MakeCell(2, 6, 0, 77);
  keyed.Padding1[0] = 0x5A;  // padding travels as it is
  draft.SetCell(3, 3, keyed);
  draft.SetCell(4, 4, EmptyMatrixCell());
  draft.SetEntry(2, 3, 3, 12);
  TLevelEdits edits = Edits();
  const std::vector<TLevelChange> changes = draft.Commit(edits);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].Plane, 0);
  EXPECT_EQ(changes[0].Region, (TCellRegion{3, 3, 4, 4}));
  EXPECT_EQ(changes[1].Plane, 2);
  for (TMatrix* level : {designed.get(), played.get()}) {
    EXPECT_EQ(std::memcmp(&level->Cells[3][3], &keyed, sizeof keyed), 0);
    EXPECT_EQ(level->Cells[4][4].Kind, -1);
    EXPECT_EQ(level->BackPlanes[3][3][1], 12);
  }
  for (auto change = changes.rbegin(); change != changes.rend(); ++change) EXPECT_EQ(edits.Undo(*change), "");
  EXPECT_EQ(designed->Cells[4][4].ObjectNumber, 8);
  EXPECT_EQ(designed->Cells[3][3].Kind, -1);
  EXPECT_EQ(designed->BackPlanes[3][3][1], -1);
  EXPECT_EQ(played->Cells[9][9].Kind, 3);  // outside the region nothing is written
}

TEST_F(LevelDraftCommit, APlaneWrittenWithWhatItHeldIsNoChange) {
  designed->Cells[1][1] = MakeCell(0, 2);
  *played = *designed;
  TLevelDraft draft(*designed);
  draft.SetCell(1, 1, MakeCell(0, 2));
  draft.SetEntry(1, 0, 0, -1);
  TLevelEdits edits = Edits();
  EXPECT_TRUE(draft.Commit(edits).empty());
}

TEST_F(LevelDraftCommit, WritesOfTheWrongSizeChangeNothing) {
  TLevelEdits edits = Edits();
  EXPECT_TRUE(edits.WriteCells({0, 0, 1, 1}, std::vector<TMatrixCell>(3)).Empty());
  EXPECT_TRUE(edits.WriteEntries(0, {0, 0, 0, 0}, {5}).Empty());  // the main plane has no entries
  EXPECT_TRUE(edits.WriteEntries(2, {0, 0, 0, 0}, {}).Empty());
  EXPECT_EQ(designed->BackPlanes[0][0][1], -1);
}

}  // namespace
}  // namespace kestrilo

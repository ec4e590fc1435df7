// Erasing the object under the mouse: the sprite found, the matrix entry of
// the current plane, the two messages and the level's background picture.
#include <gtest/gtest.h>

#include "matrix/LevelBackground.h"
#include "matrix/Matrix.h"
#include "sprites/SpriteEngine.h"
#include "tests/matrix/MatrixTestSupport.h"
#include "world/LevelEdits.h"
#include "world/PlacedSprites.h"

namespace kestrilo {
namespace {

using testing::MakeCell;
using testing::NewMatrix;

const char* const kNothing = "В матрице нет объекта на данном плане. Смените ось Z!";

class LevelEditsErase : public ::testing::Test {
 protected:
  TSpriteEngine root;
  std::unique_ptr<TMatrix> m = NewMatrix();
  TPlacedSprites placed;
  std::vector<std::string> told;  // the notices of every erase, in order

  TErasure Erase(int32_t viewX, int32_t viewY, int32_t plane) {
    TErasure erasure = TLevelEdits(*m, *m, root, placed).EraseAt(viewX, viewY, plane);
    for (const std::string& notice : erasure.Notices()) told.push_back(notice);
    return erasure;
  }

  TSprite* Sprite(double x, double y, int32_t width, int32_t height, int32_t z = 0) {
    auto* s = new TSprite(&root);
    s->X = x;
    s->Y = y;
    s->Width = width;
    s->Height = height;
    s->SetZ(z);
    return s;
  }
  TBack* Background(int32_t width, int32_t height) {
    auto* back = new TBack(&root);
    back->Width = width;
    back->Height = height;
    back->SetZ(TBack::kDrawZ);
    m->BackPlanes[0][0][3] = 9;
    return back;
  }
};

TEST_F(LevelEditsErase, MainPlaneObjectIsClearedAndQueued) {
  m->PutObjectSized(MakeCell(0, 5, 1, 2), 64, 32, 32, 64);  // (2..3, 1)
  TSprite* wall = Sprite(64, 32, 64, 32);
  Erase(100, 40, 0);
  EXPECT_TRUE(told.empty());
  EXPECT_TRUE(m->Cells[2][1].SameContent(EmptyMatrixCell()));
  EXPECT_TRUE(m->Cells[3][1].SameContent(EmptyMatrixCell()));
  EXPECT_TRUE(wall->IsDead);
  ASSERT_EQ(root.DeadSprites.size(), 1u);
  root.RemoveDead();
  EXPECT_EQ(root.ChildCount(), 0);
}

TEST_F(LevelEditsErase, NoSpriteUnderTheMouseDoesNothing) {
  m->PutObjectSized(MakeCell(0, 5), 0, 0, 32, 32);
  Sprite(0, 0, 32, 32);
  Erase(300, 300, 0);
  EXPECT_TRUE(told.empty());
  EXPECT_EQ(m->Cells[0][0].ObjectNumber, 5);
  EXPECT_TRUE(root.DeadSprites.empty());
}

TEST_F(LevelEditsErase, MainPlaneWithoutAnchorShowsTheMessage) {
  m->PutObjectSized(MakeCell(0, 5), 0, 0, 32, 64);  // anchor (0, 0), part (1, 0)
  TSprite* part = Sprite(32, 0, 32, 32);            // a sprite standing on the part cell
  Erase(40, 10, 0);
  EXPECT_EQ(told, std::vector<std::string>{kNothing});
  EXPECT_FALSE(part->IsDead);
  EXPECT_EQ(m->Cells[1][0].Kind, 0);
}

TEST_F(LevelEditsErase, BackPlaneWithoutEntryKeepsTheMainPlaneObject) {
  m->PutObjectSized(MakeCell(0, 5), 64, 64, 32, 32);
  TSprite* wall = Sprite(64, 64, 32, 32);
  Erase(70, 70, 2);
  EXPECT_EQ(told, std::vector<std::string>{kNothing});
  EXPECT_FALSE(wall->IsDead);
  EXPECT_EQ(m->Cells[2][2].ObjectNumber, 5);
}

TEST_F(LevelEditsErase, BackPlaneEntryIsClearedAndTheFoundSpriteQueued) {
  m->BackPlanes[2][2][1] = 6;
  m->BackPlanes[2][2][2] = 7;
  m->PutObjectSized(MakeCell(0, 5), 64, 64, 32, 32);
  TSprite* decoration = Sprite(64, 64, 32, 32, -20);
  Erase(70, 70, 2);
  EXPECT_TRUE(told.empty());
  EXPECT_EQ(m->BackPlanes[2][2][1], -1);
  EXPECT_EQ(m->BackPlanes[2][2][2], 7);
  EXPECT_EQ(m->Cells[2][2].ObjectNumber, 5);
  EXPECT_TRUE(decoration->IsDead);
}

TEST_F(LevelEditsErase, SpriteCellIsRoundedHalvesToEven) {
  m->PutObjectSized(MakeCell(0, 5), 64, 0, 32, 32);  // (2, 0)
  TSprite* s = Sprite(80, 0, 20, 20);                // 80 / 32 = 2.5 -> 2
  Erase(85, 5, 0);
  EXPECT_TRUE(s->IsDead);
  EXPECT_TRUE(m->Cells[2][0].IsFree());
}

TEST_F(LevelEditsErase, WorksThroughTheCamera) {
  m->SetOrigin(10, 0);
  root.X = -320;
  m->PutObjectSized(MakeCell(0, 5), 32, 0, 32, 32);  // view column 1 = cell 11
  TSprite* s = Sprite(352, 0, 32, 32);
  Erase(40, 5, 0);
  EXPECT_TRUE(s->IsDead);
  EXPECT_TRUE(m->Cells[11][0].IsFree());
}

TEST_F(LevelEditsErase, FootprintPastTheEdgeIsClipped) {
  m->Cells[199][149] = MakeCell(0, 3);
  root.X = -6300;
  root.Y = -4700;
  TSprite* s = Sprite(199 * 32, 149 * 32, 200, 200);
  Erase(6368 - 6300 + 5, 4768 - 4700 + 5, 0);
  EXPECT_TRUE(s->IsDead);
  EXPECT_TRUE(m->Cells[199][149].IsFree());
}

TEST_F(LevelEditsErase, SpriteOutsideTheMatrixHasNothingToDelete) {
  root.X = 500;
  TSprite* s = Sprite(-200, 0, 32, 32);
  Erase(310, 10, 0);
  EXPECT_EQ(told, std::vector<std::string>{kNothing});
  EXPECT_FALSE(s->IsDead);
  Erase(310, 10, 3);
  EXPECT_FALSE(s->IsDead);
}

TEST_F(LevelEditsErase, BackgroundOnPlaneFourInTheTopLeftCellIsFreedAtOnce) {
  Background(640, 480);
  const int32_t count = root.SpriteCount;
  Erase(10, 20, 4);
  EXPECT_EQ(told, std::vector<std::string>{"TX = 0"});
  EXPECT_EQ(m->BackPlanes[0][0][3], -1);
  EXPECT_EQ(root.ChildCount(), 0);  // not queued: gone already
  EXPECT_EQ(root.SpriteCount, count - 1);
  EXPECT_TRUE(root.DeadSprites.empty());
}

TEST_F(LevelEditsErase, BackgroundElsewhereOnlyTellsTheColumn) {
  TBack* back = Background(640, 480);
  Erase(100, 10, 4);  // fourth view column
  Erase(10, 40, 4);   // first column, second row
  EXPECT_EQ(told, (std::vector<std::string>{"TX = 3", "TX = 0"}));
  EXPECT_EQ(m->BackPlanes[0][0][3], 9);
  EXPECT_EQ(root.ChildCount(), 1);
  EXPECT_FALSE(back->IsDead);
}

TEST_F(LevelEditsErase, BackgroundOnAnotherPlaneIsAnOrdinarySprite) {
  TBack* back = Background(640, 480);
  Erase(100, 10, 3);
  EXPECT_EQ(told, std::vector<std::string>{kNothing});
  EXPECT_FALSE(back->IsDead);
}

TEST_F(LevelEditsErase, BackgroundFollowedTheCameraStillClearsItsOwnEntry) {
  TBack* back = Background(640, 480);
  m->BackPlanes[3][0][3] = 4;  // another plane-4 object where the parallax took the sprite
  m->BackPlanes[0][3][3] = 6;
  for (int i = 0; i < 3; ++i) {
    m->Scroll(root, TScrollDirection::Right);
    root.Move(16);
    m->Scroll(root, TScrollDirection::Down);
    root.Move(16);
  }
  ASSERT_NEAR(back->X, 89.6, 1e-9);  // rounds to column 3
  ASSERT_EQ(back->Y, 96.0);          // row 3
  Erase(10, 10, 4);
  EXPECT_EQ(told, std::vector<std::string>{"TX = 0"});
  EXPECT_EQ(m->BackPlanes[0][0][3], -1);
  EXPECT_EQ(m->BackPlanes[3][0][3], 4);
  EXPECT_EQ(m->BackPlanes[0][3][3], 6);
  EXPECT_EQ(root.ChildCount(), 0);
}

TEST_F(LevelEditsErase, BackgroundOnTheMainPlaneLeavesTheObjectsUnderItAlone) {
  TBack* back = Background(640, 480);
  m->PutObjectSized(MakeCell(0, 5), 0, 0, 32, 32);      // a wall anchored in cell (0, 0)
  m->PutObjectSized(MakeCell(0, 7), 320, 224, 32, 32);  // and one in the middle of the view
  Erase(300, 300, 0);                                   // empty space: the background is found
  EXPECT_EQ(told, std::vector<std::string>{kNothing});
  EXPECT_EQ(m->Cells[0][0].ObjectNumber, 5);
  EXPECT_EQ(m->Cells[10][7].ObjectNumber, 7);
  EXPECT_EQ(m->BackPlanes[0][0][3], 9);
  EXPECT_FALSE(back->IsDead);
}

TEST_F(LevelEditsErase, BackgroundOnAnotherBackPlaneLeavesThatPlanesEntry) {
  TBack* back = Background(640, 480);
  m->BackPlanes[0][0][1] = 3;  // a plane-2 object in cell (0, 0) with no sprite over the click
  Erase(200, 200, 2);
  EXPECT_EQ(told, std::vector<std::string>{kNothing});
  EXPECT_EQ(m->BackPlanes[0][0][1], 3);
  EXPECT_FALSE(back->IsDead);
}

TEST_F(LevelEditsErase, SpriteInFrontOfTheBackgroundIsFoundFirst) {
  Background(640, 480);
  m->BackPlanes[3][0][3] = 4;
  TSprite* piece = Sprite(96, 0, 32, 32, -40);
  Erase(100, 10, 4);
  EXPECT_TRUE(told.empty());
  EXPECT_TRUE(piece->IsDead);
  EXPECT_EQ(m->BackPlanes[3][0][3], -1);
  EXPECT_EQ(m->BackPlanes[0][0][3], 9);
}

}  // namespace
}  // namespace kestrilo

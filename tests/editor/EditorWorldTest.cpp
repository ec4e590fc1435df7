#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "library/DXImageList.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "sprites/DXSpriteEngine.h"
#include "world/DynamicObjectPortal.h"
#include "world/PlayerSprite.h"

using namespace kestrilo;
using namespace kestrilo::editortest;

namespace {
constexpr const char* kWrongPlane = "В матрице нет объекта на данном плане. Смените ось Z!";

TSpriteEngine& RootOf(TEditorFixture& f) { return *f.Context.SpriteEngine->Engine(); }
}  // namespace

TEST(EditorOpenObjects, MakesPlayerPortalAndWallList) {
  TEditorFixture f;
  f.WriteSampleData();
  TSidePanelUpdate update = f.OpenObjects();
  EXPECT_TRUE(f.Dialogs.Messages().empty());
  EXPECT_TRUE(f.Context.ObjectsLoaded);
  EXPECT_EQ(f.Context.ObjectDataBase->Records.size(), SampleObjects().size());
  ASSERT_TRUE(update.ObjectNames.has_value());
  EXPECT_EQ(*update.ObjectNames, (std::vector<std::string>{W1251("Стена"), W1251("Плита")}));
  EXPECT_EQ(update.ObjectIndex, 0);
  ASSERT_TRUE(update.Picture.has_value());
  EXPECT_EQ(update.Picture->size(), QSize(128, 128));

  ASSERT_EQ(f.CountOf("TDinamicPortal"), 1);
  auto* portal = static_cast<TDinamicPortal*>(RootOf(f).Child(0));
  EXPECT_EQ(portal->Picture, f.Context.PortalPictureList->Items.Items(0));
  EXPECT_EQ(portal->Width, 48);
  EXPECT_EQ(portal->Height, 24);
  EXPECT_FALSE(portal->Visible);
  EXPECT_EQ(portal->X, 350);
  EXPECT_EQ(portal->Y, 200);

  TPlayerSprite* player = f.Context.PlayerSprite;
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(player->Width, 32);
  EXPECT_EQ(player->Height, 38 - 6);
  EXPECT_EQ(player->Health, 100);
  EXPECT_FALSE(player->GravityOn);
  EXPECT_EQ(player->Ammo[0], 15);
  EXPECT_FALSE(player->Visible);
  // The overview shows plane 1 afterwards.
  EXPECT_EQ(f.OverviewSurface.Pixel(TMatrix::kMiniMapLeft + 3, TMatrix::kMiniMapTop + 3), ColorToRgb565(0x808080));
}

TEST(EditorOpenObjects, TwiceMakesTwoPlayersAndTwoPortals) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  TPlayerSprite* first = f.Context.PlayerSprite;
  f.OpenObjects();
  TPlayerSprite* second = f.Context.PlayerSprite;
  EXPECT_EQ(f.CountOf("TPlayerSprite"), 2);
  EXPECT_EQ(f.CountOf("TDinamicPortal"), 2);
  ASSERT_NE(first, second);
  // Visibility and gravity act on the newest player only.
  f.Editor.TogglePlayerVisible();
  f.Editor.TogglePlayerGravity();
  EXPECT_TRUE(second->Visible);
  EXPECT_TRUE(second->GravityOn);
  EXPECT_FALSE(first->Visible);
  EXPECT_FALSE(first->GravityOn);
  f.Editor.TogglePlayerGravity();
  EXPECT_FALSE(second->GravityOn);
  // Space switches gravity on without touching the tick.
  f.Editor.PressKey(32);
  EXPECT_TRUE(second->GravityOn);
  EXPECT_FALSE(f.Editor.Ticks.PlayerGravity);
}

TEST(EditorOpenObjects, WithoutDynamicGraphicsNoPortal) {
  TEditorFixture f;
  f.WriteSampleData(false);
  f.OpenObjects();
  EXPECT_EQ(f.CountOf("TDinamicPortal"), 0);
  EXPECT_EQ(f.CountOf("TPlayerSprite"), 1);
}

TEST(EditorOpenObjects, MissingObjectsFileIsReportedAndEndsForLackOfThePlayerPicture) {
  TEditorFixture f;
  f.OpenObjects();
  const auto messages = f.Dialogs.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Файл не существует! " + f.Path("Data/test.obj"));
  EXPECT_NE(messages[1].find("not found"), std::string::npos);
  EXPECT_TRUE(f.Context.ObjectsLoaded);  // the steps before the player ran
  EXPECT_EQ(f.Context.PlayerSprite, nullptr);
  EXPECT_EQ(f.CountOf("TPlayerSprite"), 0);
}

TEST(EditorPlacement, ClickSnapsToThe32Grid) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  const int32_t before = RootOf(f).SpriteCount;
  f.ClickAt(70, 40, "Стена", 5, 9);
  const TMatrixCell& cell = f.Context.PlayedLevel->Cells[2][1];
  EXPECT_EQ(cell.Kind, otWall);
  EXPECT_EQ(cell.ObjectNumber, 1);
  EXPECT_EQ(cell.LiftHeight, 5);
  EXPECT_EQ(cell.KeyCode, 9);
  EXPECT_EQ(f.Context.PlayedLevel->Cells[1][1].Kind, -1);
  EXPECT_GT(RootOf(f).SpriteCount, before);
  TSprite* made = RootOf(f).Child(RootOf(f).ChildCount() - 1);
  EXPECT_EQ(made->X, 64);
  EXPECT_EQ(made->Y, 32);
  EXPECT_EQ(made->Z(), 0);
  EXPECT_TRUE(f.Dialogs.Messages().empty());
}

TEST(EditorPlacement, WideObjectTakesItsFootprint) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  f.ClickAt(0, 0, "Плита");
  EXPECT_EQ(f.Context.PlayedLevel->Cells[0][0].ObjectNumber, 2);
  EXPECT_EQ(f.Context.PlayedLevel->Cells[1][0].Kind, otWall);
  EXPECT_EQ(f.Context.PlayedLevel->Cells[1][0].ObjectNumber, -1);
  EXPECT_EQ(f.Context.PlayedLevel->Cells[2][0].Kind, -1);
}

TEST(EditorPlacement, Grid64SnapsToEvenCells) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  f.Editor.SetGridSize(64);
  f.ClickAt(100, 70, "Стена");
  EXPECT_EQ(f.Context.PlayedLevel->Cells[2][2].ObjectNumber, 1);
  EXPECT_EQ(f.Context.PlayedLevel->Cells[3][2].Kind, -1);
  f.ClickAt(63, 127, "Стена");
  EXPECT_EQ(f.Context.PlayedLevel->Cells[0][2].ObjectNumber, 1);
  TSprite* made = RootOf(f).Child(RootOf(f).ChildCount() - 1);
  EXPECT_EQ(made->X, 0);
  EXPECT_EQ(made->Y, 64);
}

TEST(EditorPlacement, ScrolledViewAddsTheOriginInWholeCells) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  f.Editor.PressKey(39);  // right
  f.Editor.PressKey(39);
  f.Editor.PressKey(40);  // down
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginX(), 2);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginY(), 1);
  EXPECT_EQ(RootOf(f).X, -64);
  EXPECT_EQ(RootOf(f).Y, -32);
  f.Editor.SetGridSize(64);
  f.ClickAt(70, 40, "Стена");
  EXPECT_EQ(f.Context.PlayedLevel->Cells[4][1].ObjectNumber, 1);  // snapped view pixel (64, 0) + origin (2, 1)
  TSprite* made = RootOf(f).Child(RootOf(f).ChildCount() - 1);
  EXPECT_EQ(made->X, 64 + 64);
  EXPECT_EQ(made->Y, 0 + 32);
  f.Editor.PressKey(37);  // left
  f.Editor.PressKey(38);  // up
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginX(), 1);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginY(), 0);
}

TEST(EditorPlacement, BackPlaneTakesTheNumberAndTheDepth) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  f.Editor.ChangePlane(2);
  f.ClickAt(100, 40, "Облака");
  EXPECT_EQ(f.Context.PlayedLevel->BackPlanes[3][1][1], 4);
  EXPECT_EQ(f.Context.PlayedLevel->Cells[3][1].Kind, -1);  // the main plane is untouched
  TSprite* made = RootOf(f).Child(RootOf(f).ChildCount() - 1);
  EXPECT_EQ(made->Z(), -20);
  // Overview of plane 2: the placed square is yellow.
  EXPECT_EQ(f.OverviewSurface.Pixel(TMatrix::kMiniMapLeft + 3 * 6 + 3, TMatrix::kMiniMapTop + 6 + 3),
            ColorToRgb565(0x00FFFF));
}

TEST(EditorPlacement, NothingSelectedPassesTheEmptyRecord) {
  TEditorFixture f;
  const int32_t before = RootOf(f).SpriteCount;
  f.ClickAt(40, 40, "");
  EXPECT_EQ(f.Context.PlayedLevel->Cells[1][1].Kind, -1);  // the type 255 as a signed kind
  EXPECT_EQ(f.Context.PlayedLevel->Cells[1][1].ObjectNumber, -1);
  EXPECT_EQ(RootOf(f).SpriteCount, before + 1);  // a bare object, drawing nothing
  EXPECT_TRUE(f.Dialogs.Messages().empty());
  f.Editor.ChangePlane(3);
  f.ClickAt(40, 40, "");
  EXPECT_EQ(f.Context.PlayedLevel->BackPlanes[1][1][2], -1);
}

TEST(EditorPlacement, PlayerTypeGoesToPlaneFour) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  f.Editor.ChangeObjectType(otPlayer);
  f.ClickAt(40, 40, "Игрок");
  EXPECT_EQ(f.Context.PlayedLevel->BackPlanes[1][1][3], 3);
  EXPECT_EQ(f.Context.PlayedLevel->Cells[1][1].Kind, -1);
}

TEST(EditorDeletion, DeleteAtRemovesFromMatrixAndWorld) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  f.ClickAt(64, 32, "Стена");
  TSprite* wall = RootOf(f).Child(RootOf(f).ChildCount() - 1);
  f.Editor.DeleteAt(70, 40);
  EXPECT_TRUE(wall->IsDead);
  EXPECT_EQ(f.Context.PlayedLevel->Cells[2][1].Kind, -1);
  EXPECT_EQ(f.Context.PlayedLevel->Cells[2][1].ObjectNumber, -1);
  EXPECT_TRUE(f.Dialogs.Messages().empty());
  // The next frame frees it.
  f.Tick();
  EXPECT_EQ(f.CountOf("TMyObject") + f.CountOf("TImageSprite"), 0);
}

TEST(EditorDeletion, WrongPlaneShowsTheMessageAndKeepsTheObject) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  f.ClickAt(64, 32, "Стена");
  TSprite* wall = RootOf(f).Child(RootOf(f).ChildCount() - 1);
  f.Editor.ChangePlane(2);
  f.Editor.DeleteAt(70, 40);
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_EQ(f.Dialogs.Messages()[0], kWrongPlane);
  EXPECT_FALSE(wall->IsDead);
  EXPECT_EQ(f.Context.PlayedLevel->Cells[2][1].ObjectNumber, 1);
}

// The level's background goes only from its own plane, and a click on that
// plane tells the view column.
TEST(EditorDeletion, TheBackgroundGoesOnlyFromItsPlaneAndTellsTheColumn) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  f.Editor.ChangePlane(4);
  f.ClickAt(0, 0, "Облака");
  ASSERT_EQ(f.CountOf("TBack"), 1);
  const int32_t entry = f.Context.PlayedLevel->BackPlanes[0][0][3];
  ASSERT_GT(entry, 0);
  f.Editor.ChangePlane(3);
  f.Editor.DeleteAt(10, 10);
  EXPECT_EQ(f.Dialogs.Messages(), std::vector<std::string>{kWrongPlane});
  EXPECT_EQ(f.Context.PlayedLevel->BackPlanes[0][0][3], entry);
  f.Editor.ChangePlane(4);
  f.Editor.DeleteAt(10, 10);
  EXPECT_EQ(f.Dialogs.Messages(), (std::vector<std::string>{kWrongPlane, "TX = 0"}));
  EXPECT_EQ(f.Context.PlayedLevel->BackPlanes[0][0][3], -1);
  EXPECT_EQ(f.CountOf("TBack"), 0);
}

TEST(EditorKeys, ArrowsAtTheBorderOnlyRedrawTheOverview) {
  TEditorFixture f;
  const int redraws = f.OverviewRedraws;
  f.Editor.PressKey(37);
  f.Editor.PressKey(38);
  f.Editor.PressKey('Q');
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginX(), 0);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginY(), 0);
  EXPECT_EQ(RootOf(f).X, 0);
  EXPECT_EQ(f.OverviewRedraws, redraws + 3);
}

TEST(EditorKeys, WheelScrollsOneCellPerNotch) {
  TEditorFixture f;
  f.Editor.ScrollByWheel(-3);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginY(), 3);
  EXPECT_EQ(RootOf(f).Y, -96);
  f.Editor.ScrollByWheel(1);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginY(), 2);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginX(), 0);
}

TEST(EditorOpenObjects, EmptyDynamicGraphicsFileMakesNoHalfPortal) {
  TEditorFixture f;
  f.WriteSampleData(false);
  TPictureCollection none;
  none.SaveToFile(f.Path("Data/DinObj.dxg"));
  f.OpenObjects();
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_EQ(f.Dialogs.Messages()[0], "List index out of bounds (0)");
  EXPECT_EQ(f.CountOf("TDinamicPortal"), 0);
  // The command ended there: no player, the library stays closed.
  EXPECT_EQ(f.Context.PlayerSprite, nullptr);
  EXPECT_FALSE(f.Context.ObjectsLoaded);
}

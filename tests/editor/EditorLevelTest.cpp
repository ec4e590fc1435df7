#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "library/DXImageList.h"
#include "library/ObjectDataBase.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "sprites/DXSpriteEngine.h"
#include "world/PlayerSprite.h"

using namespace kestrilo;
using namespace kestrilo::editortest;

namespace {

constexpr const char* kNoObjectsFile = "Файл объектов загружен не был... Невозможно загрузить матрицу!";

TSpriteEngine& RootOf(TEditorFixture& f) { return *f.Context.SpriteEngine->Engine(); }

// A small level: two walls on the main plane, a background piece on plane 3.
void PlaceSampleLevel(TEditorFixture& f) {
  f.ClickAt(0, 448, "Стена", -3, 7);
  f.ClickAt(64, 448, "Плита");
  f.Editor.ChangePlane(3);
  f.ClickAt(96, 96, "Облака");
  f.Editor.ChangePlane(0);
}

void ExpectSampleLevel(const TMatrix& m) {
  EXPECT_EQ(m.Cells[0][14].ObjectNumber, 1);
  EXPECT_EQ(m.Cells[0][14].LiftHeight, -3);
  EXPECT_EQ(m.Cells[0][14].KeyCode, 7);
  EXPECT_EQ(m.Cells[2][14].ObjectNumber, 2);
  EXPECT_EQ(m.Cells[3][14].Kind, otWall);
  EXPECT_EQ(m.BackPlanes[3][3][2], 4);
  EXPECT_EQ(m.Cells[5][5].Kind, -1);
}

}  // namespace

TEST(EditorLevel, SaveAskedInTheProgramFolderWithTheMatrixFilter) {
  TEditorFixture f;
  f.Editor.Files().SaveLevel();  // cancelled: nothing written
  ASSERT_EQ(f.Dialogs.Asked.size(), 1u);
  EXPECT_EQ(f.Dialogs.Asked[0].Kind, "save");
  EXPECT_EQ(f.Dialogs.Asked[0].Request.InitialDir, f.Context.ExecutableDir);
  EXPECT_EQ(f.Dialogs.Asked[0].Request.Filter, "Файлы матрицы (*.mtf)|*.mtf");
  EXPECT_EQ(f.Dialogs.Asked[0].Request.DefaultExt, "*.mtf");
  EXPECT_FALSE(FileExists(f.Path("level.mtf")));
}

TEST(EditorLevel, SaveAndLoadRoundTrip) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  PlaceSampleLevel(f);
  const std::string level = f.Path("level.mtf");
  f.Dialogs.FileAnswers = {level};
  f.Editor.Files().SaveLevel();
  ASSERT_TRUE(FileExists(level));
  EXPECT_EQ(ReadWholeFile(level).size(), 360000u);
  EXPECT_EQ(ReadWholeFile(f.Path("levelmtb")).size(), 480000u);

  // Scroll away and place more, then load the saved level back.
  f.Editor.PressKey(39);
  f.ClickAt(320, 320, "Стена");
  TSprite* firstChild = RootOf(f).Child(0);
  TPlayerSprite* player = f.Context.PlayerSprite;
  f.Dialogs.MessageAnswers = {TModalResult::mrNo};  // the placement since the save may go
  f.Dialogs.FileAnswers = {level};
  f.Editor.Files().LoadLevel();
  EXPECT_TRUE(f.Dialogs.Messages().empty());
  const auto& asked = f.Dialogs.Asked.back();
  EXPECT_EQ(asked.Kind, "open");
  EXPECT_EQ(asked.Request.Filter, "Файлы матрицы Kestrilo (*.mtf)|*.mtf");
  EXPECT_EQ(asked.Request.InitialDir, f.Context.ExecutableDir);
  EXPECT_EQ(f.Loading.Shown, 1);
  EXPECT_EQ(f.Loading.Closed, 1);
  EXPECT_FALSE(f.Loading.Visible);
  ASSERT_FALSE(f.Loading.Main.Positions.empty());
  EXPECT_EQ(f.Loading.Main.Positions.back(), 100);

  const TMatrix& m = *f.Context.PlayedLevel;
  ExpectSampleLevel(m);
  EXPECT_EQ(m.Cells[11][10].Kind, -1);  // placed after saving: gone
  EXPECT_EQ(m.GetOriginX(), 0);
  EXPECT_EQ(RootOf(f).X, 0);
  EXPECT_EQ(RootOf(f).Y, 0);

  // The first sprite and the player stay; the rest is freed at the next frame
  // and the level's three objects are built anew.
  f.Tick();
  EXPECT_EQ(RootOf(f).Child(0), firstChild);
  EXPECT_EQ(f.Context.PlayerSprite, player);
  EXPECT_EQ(f.CountOf("TPlayerSprite"), 1);
  EXPECT_EQ(f.CountOf("TDinamicPortal"), 1);
  EXPECT_EQ(f.CountOf("TMyObject"), 3);
  EXPECT_EQ(RootOf(f).SpriteCount, 5);
}

TEST(EditorLevel, CancelledLoadLeavesTheLevelAsItWas) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  f.OpenObjects();
  PlaceSampleLevel(f);
  f.Editor.PressKey(40);
  const int32_t sprites = RootOf(f).SpriteCount;
  f.Dialogs.MessageAnswers = {TModalResult::mrNo};  // the unsaved level may go
  f.Editor.Files().LoadLevel();                     // no file chosen
  EXPECT_EQ(f.Loading.Shown, 0);
  EXPECT_EQ(f.Loading.Closed, 0);
  f.Tick();
  ExpectSampleLevel(*f.Context.PlayedLevel);
  ExpectSampleLevel(f.Context.DesignedLevel());
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginY(), 1);
  EXPECT_EQ(RootOf(f).Y, -32);
  EXPECT_EQ(RootOf(f).SpriteCount, sprites);
  EXPECT_EQ(f.CountOf("TPlayerSprite"), 2);
  EXPECT_EQ(f.CountOf("TDinamicPortal"), 2);
  EXPECT_EQ(f.CountOf("TMyObject"), 3);
  EXPECT_TRUE(f.Editor.Document.LevelModified());
}

TEST(EditorLevel, LoadWithoutObjectsFileChangesNothing) {
  TEditorFixture f;
  f.ClickAt(64, 64, "");
  f.Context.PlayedLevel->Cells[4][4].Kind = otWall;
  const int32_t sprites = RootOf(f).SpriteCount;
  f.Editor.Files().LoadLevel();
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_EQ(f.Dialogs.Messages()[0], kNoObjectsFile);
  EXPECT_EQ(f.Dialogs.Asked.size(), 1u);  // no file dialog
  EXPECT_EQ(f.Context.PlayedLevel->Cells[4][4].Kind, otWall);
  f.Tick();
  EXPECT_EQ(RootOf(f).SpriteCount, sprites);
}

TEST(EditorLevel, MissingMatrixFileIsReportedAndLeavesTheLevelAsItWas) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  PlaceSampleLevel(f);
  f.Dialogs.MessageAnswers = {TModalResult::mrNo};
  f.Dialogs.FileAnswers = {f.Path("none.mtf")};
  f.Editor.Files().LoadLevel();
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_EQ(f.Dialogs.Messages()[0], "Нет файла с таким именем! " + f.Path("none.mtf"));
  ExpectSampleLevel(*f.Context.PlayedLevel);
  ExpectSampleLevel(f.Context.DesignedLevel());
  EXPECT_FALSE(f.Loading.Visible);
}

TEST(EditorLevel, DamagedBackPlaneFileStopsTheLoadWithItsError) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  PlaceSampleLevel(f);
  const std::string level = f.Path("level.mtf");
  f.Dialogs.FileAnswers = {level};
  f.Editor.Files().SaveLevel();
  WriteFile(f.Path("levelmtb"), std::string(1000, '\xFF'));
  f.Dialogs.FileAnswers = {level};
  f.Editor.Files().LoadLevel();
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_EQ(f.Loading.Shown, 1);
  EXPECT_EQ(f.Loading.Closed, 1);
  EXPECT_FALSE(f.Loading.Visible);  // closed also after a failed read
  f.Tick();
  // Nothing changed: the level and its objects are as they were before the load.
  ExpectSampleLevel(*f.Context.PlayedLevel);
  EXPECT_EQ(f.CountOf("TMyObject"), 3);
  EXPECT_EQ(f.CountOf("TPlayerSprite"), 1);
}

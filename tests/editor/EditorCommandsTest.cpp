#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "library/DXImageList.h"
#include "library/ObjectDataBase.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"
#include "world/PlayerSprite.h"

using namespace kestrilo;
using namespace kestrilo::editortest;

TEST(EditorSettings, GridItemsSetSizeAndShowTheGrid) {
  TEditorFixture f;
  f.Editor.Settings().ToggleGrid();
  EXPECT_FALSE(f.Context.GridVisible);
  f.Editor.Settings().SetGridSize(64);
  EXPECT_EQ(f.Context.GridSize, 64);
  EXPECT_TRUE(f.Context.GridVisible);
  f.Editor.Settings().ToggleGrid();
  EXPECT_FALSE(f.Context.GridVisible);
  EXPECT_EQ(f.Context.GridSize, 64);  // on/off keeps the size
  f.Editor.Settings().SetGridSize(128);
  EXPECT_EQ(f.Context.GridSize, 128);
  EXPECT_TRUE(f.Context.GridVisible);
  f.Editor.Settings().SetGridSize(32);
  EXPECT_EQ(f.Context.GridSize, 32);
}

TEST(EditorSettings, PreviewAndAutoControlFlipTheirTicks) {
  TEditorFixture f;
  f.Editor.Play().TogglePreview();
  EXPECT_TRUE(f.Editor.Settings().Ticks.Preview);
  EXPECT_EQ(f.Context.EditMode, TEditMode::Previewing);
  f.Editor.Play().TogglePreview();
  EXPECT_EQ(f.Context.EditMode, TEditMode::Editing);
  f.Editor.Settings().ToggleAutoControl();
  EXPECT_FALSE(f.Editor.Settings().Ticks.AutoControl);
}

TEST(EditorSettings, PlayerItemsWithoutPlayerChangeOnlyTheTick) {
  TEditorFixture f;
  f.Editor.Settings().TogglePlayerVisible();
  f.Editor.Settings().TogglePlayerGravity();
  EXPECT_TRUE(f.Editor.Settings().Ticks.PlayerVisible);
  EXPECT_TRUE(f.Editor.Settings().Ticks.PlayerGravity);
  EXPECT_TRUE(f.Dialogs.Asked.empty());
  f.Editor.PressKey(32);  // Space with no player: nothing, no error
  EXPECT_TRUE(f.Dialogs.Messages().empty());
}

TEST(EditorTypeChange, AutoControlSetsFieldsAndPlane) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();

  TSidePanelUpdate wall = f.Editor.ChangeObjectType(otWall);
  ASSERT_TRUE(wall.ObjectNames.has_value());
  EXPECT_EQ(*wall.ObjectNames, (std::vector<std::string>{W1251("Стена"), W1251("Плита")}));
  EXPECT_EQ(wall.ObjectIndex, 0);
  ASSERT_TRUE(wall.Picture.has_value());
  EXPECT_EQ(wall.EnabledFields, (TFieldStates{false, false, false}));
  EXPECT_EQ(wall.ZPosition, 0);

  TSidePanelUpdate lift = f.Editor.ChangeObjectType(otLift);
  EXPECT_EQ(lift.EnabledFields, (TFieldStates{false, true, false}));
  EXPECT_EQ(lift.ZPosition, 0);

  TSidePanelUpdate background = f.Editor.ChangeObjectType(otBackground);
  EXPECT_EQ(background.EnabledFields, (TFieldStates{true, false, false}));
  EXPECT_EQ(background.ZPosition, 1);
  EXPECT_EQ(f.Context.CurrentPlane, 1);

  TSidePanelUpdate player = f.Editor.ChangeObjectType(otPlayer);
  EXPECT_EQ(player.ZPosition, 4);
  EXPECT_EQ(f.Context.CurrentPlane, 4);
  EXPECT_EQ(*player.ObjectNames, std::vector<std::string>{W1251("Игрок")});

  // A type without entries empties the list and keeps the picture.
  TSidePanelUpdate keys = f.Editor.ChangeObjectType(otKey);
  EXPECT_TRUE(keys.ObjectNames->empty());
  EXPECT_EQ(keys.ObjectIndex, -1);
  EXPECT_FALSE(keys.Picture.has_value());
  EXPECT_EQ(keys.EnabledFields, (TFieldStates{false, false, true}));
}

TEST(EditorTypeChange, TableOfPlanesAndFields) {
  const int32_t planes[] = {0, 0, 0, 0, 1, 1, 1, 1, 0, 4, 0};
  for (uint8_t type = 0; type <= 10; ++type) EXPECT_EQ(AutoPlaneOfType(type), planes[type]) << int(type);
  EXPECT_EQ(AutoFieldsOfType(otMonster), (TFieldStates{true, false, false}));
  EXPECT_EQ(AutoFieldsOfType(otDoor), (TFieldStates{false, false, true}));
  EXPECT_EQ(AutoFieldsOfType(otMedKit), (TFieldStates{false, false, false}));
  EXPECT_EQ(AutoFieldsOfType(otDynamic), (TFieldStates{false, false, false}));
}

TEST(EditorTypeChange, WithoutAutoControlFieldsAndPlaneStay) {
  TEditorFixture f;
  f.Editor.ChangePlane(3);
  f.Editor.Settings().ToggleAutoControl();
  const int redraws = f.OverviewRedraws;
  TSidePanelUpdate update = f.Editor.ChangeObjectType(otPlayer);
  EXPECT_TRUE(update.ObjectNames.has_value());
  EXPECT_FALSE(update.EnabledFields.has_value());
  EXPECT_FALSE(update.ZPosition.has_value());
  EXPECT_EQ(f.Context.CurrentPlane, 3);
  EXPECT_EQ(f.OverviewRedraws, redraws);
}

TEST(EditorTypeChange, PlaneSpinnerRedrawsTheOverview) {
  TEditorFixture f;
  const int redraws = f.OverviewRedraws;
  f.Editor.ChangePlane(2);
  EXPECT_EQ(f.Context.CurrentPlane, 2);
  EXPECT_EQ(f.OverviewRedraws, redraws + 1);
  // Planes 1..4 draw grey squares where nothing is placed.
  EXPECT_EQ(f.OverviewSurface.Pixel(TMatrix::kMiniMapLeft + 3, TMatrix::kMiniMapTop + 3), ColorToRgb565(0x808080));
}

TEST(EditorObjects, AddAsksUntilTheObjectsFileIsOpened) {
  TEditorFixture f;
  WriteFile(f.Path("new.bmp"), SolidBitmap(32, 32));
  f.NewObject.Entry.Record.Name = W1251("Новая");
  f.NewObject.Entry.PictureFileName = f.Path("new.bmp");

  f.Dialogs.MessageAnswers = {TModalResult::mrNo};
  f.Editor.AddObject();
  ASSERT_EQ(f.Dialogs.Asked.size(), 1u);
  EXPECT_EQ(f.Dialogs.Asked[0].Text, "База данных объектов не загружена! Желаете создать новую ?");
  EXPECT_EQ(f.Dialogs.Asked[0].Caption, "Внимание!");
  EXPECT_EQ(f.Dialogs.Asked[0].Buttons, TMsgButtons::YesNoCancel);
  EXPECT_TRUE(f.NewObject.ShownWith.empty());

  f.Dialogs.MessageAnswers = {TModalResult::mrCancel};
  f.Editor.AddObject();
  EXPECT_TRUE(f.NewObject.ShownWith.empty());

  f.Dialogs.MessageAnswers = {TModalResult::mrYes};
  f.Editor.AddObject();
  EXPECT_EQ(f.NewObject.ShownWith, std::vector<int32_t>{1});
  ASSERT_EQ(f.Context.ObjectDataBase->Records.size(), 1u);
  EXPECT_EQ(f.Context.ObjectDataBase->Records[0].Number, 1);
  EXPECT_EQ(f.Context.ObjectDataBase->Records[0].Name, W1251("Новая"));
  EXPECT_FALSE(f.Context.ObjectsLoaded);  // adding never opens the library

  // Asked again at the next add.
  f.Dialogs.MessageAnswers = {TModalResult::mrYes};
  f.Editor.AddObject();
  EXPECT_EQ(f.Dialogs.Asked.size(), 4u);
  EXPECT_EQ(f.NewObject.ShownWith, (std::vector<int32_t>{1, 2}));
}

TEST(EditorObjects, AddAfterOpeningAsksNothing) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  f.Dialogs.Asked.clear();
  f.Editor.AddObject();  // no picture chosen: the library adds nothing
  EXPECT_TRUE(f.Dialogs.Asked.empty());
  EXPECT_EQ(f.NewObject.ShownWith, std::vector<int32_t>{6});
  EXPECT_EQ(f.Context.ObjectDataBase->Records.size(), SampleObjects().size());
}

TEST(EditorObjects, DeleteAsksThenRefillsTheList) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  const size_t count = f.Context.ObjectDataBase->Records.size();

  f.Dialogs.MessageAnswers = {TModalResult::mrNo};
  TSidePanelUpdate kept = f.Editor.DeleteObject(W1251("Плита"), otWall);
  EXPECT_EQ(f.Context.ObjectDataBase->Records.size(), count);
  EXPECT_FALSE(kept.ObjectNames.has_value());
  EXPECT_EQ(f.Dialogs.Asked.back().Text, "Удалить текущий объект ?");
  EXPECT_EQ(f.Dialogs.Asked.back().Caption, "Подтвердите удаление");

  f.Dialogs.MessageAnswers = {TModalResult::mrYes};
  TSidePanelUpdate update = f.Editor.DeleteObject(W1251("Плита"), otWall);
  EXPECT_EQ(f.Context.ObjectDataBase->Records.size(), count - 1);
  ASSERT_TRUE(update.ObjectNames.has_value());
  EXPECT_EQ(*update.ObjectNames, std::vector<std::string>{W1251("Стена")});
  EXPECT_EQ(f.Dialogs.Messages().back(), "Запись удалена!");
}

TEST(EditorObjects, DeleteClosedWithoutAnswerKeepsTheEntry) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  f.Dialogs.MessageAnswers = {TModalResult::mrCancel};
  f.Editor.DeleteObject(W1251("Стена"), otWall);
  EXPECT_EQ(f.Context.ObjectDataBase->Records.size(), SampleObjects().size());
}

TEST(EditorObjects, SaveWritesANewLibraryBesideTheProgramButNeverAnEmptyOneNeverOpened) {
  TEditorFixture f;
  f.Editor.Files().SaveObjectsFile();  // nothing opened, nothing added: refused
  EXPECT_FALSE(FileExists(f.Path("Data/test.obj")));
  EXPECT_FALSE(FileExists(f.Path("Data/test.dxg")));
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);

  // A new library made in this run ("create a new one") is written.
  WriteFile(f.Path("new.bmp"), SolidBitmap(32, 32));
  f.NewObject.Entry.Record.Name = W1251("Стена");
  f.NewObject.Entry.PictureFileName = f.Path("new.bmp");
  f.Dialogs.MessageAnswers = {TModalResult::mrYes};
  f.Editor.AddObject();
  f.Editor.Files().SaveObjectsFile();
  EXPECT_EQ(ReadWholeFile(f.Path("Data/test.obj")).size(), TObjectRecord::kSize);
  EXPECT_TRUE(FileExists(f.Path("Data/test.dxg")));
  EXPECT_FALSE(f.Editor.Document.LibraryModified());
}

TEST(EditorExit, OnlyYesEndsTheProgram) {
  TEditorFixture f;
  f.Dialogs.MessageAnswers = {TModalResult::mrNo};
  EXPECT_FALSE(f.Editor.Files().RequestExit());
  EXPECT_EQ(f.Terminated, 0);
  EXPECT_EQ(f.Dialogs.Asked[0].Text, "Правда выйти ?");
  EXPECT_EQ(f.Dialogs.Asked[0].Caption, "Подтвердите выход!");
  EXPECT_EQ(f.Dialogs.Asked[0].Buttons, TMsgButtons::YesNo);
  f.Dialogs.MessageAnswers = {TModalResult::mrYes};
  EXPECT_TRUE(f.Editor.Files().RequestExit());
  EXPECT_EQ(f.Terminated, 1);
}

namespace {
// A dialog whose speed fields do not hold numbers.
class TBadSpeedSource : public TFakeNewObjectSource {
 public:
  TNewObject Build(int32_t) override { throw EConvertError("'abc' is not a valid floating point value"); }
};
}  // namespace

TEST(EditorObjects, BadAnimationSpeedAddsNothing) {
  TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  TBadSpeedSource bad;
  f.Editor.Attachments.NewObjectSource = &bad;
  f.Editor.AddObject();
  EXPECT_EQ(bad.ShownWith, std::vector<int32_t>{6});
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_EQ(f.Dialogs.Messages()[0], "'abc' is not a valid floating point value");
  EXPECT_EQ(f.Context.ObjectDataBase->Records.size(), SampleObjects().size());
}

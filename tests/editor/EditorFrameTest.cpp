#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "library/DXImageList.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "matrix/Matrix.h"
#include "platform/Errors.h"
#include "sprites/DXSpriteEngine.h"

using namespace kestrilo;
using namespace kestrilo::editortest;

TEST(EditorStartUp, InitialisedDrawingAreaCreatesTheEmptyWorld) {
  TEditorFixture f;
  ASSERT_NE(f.Context.ObjectDataBase, nullptr);
  EXPECT_TRUE(f.Context.ObjectDataBase->Records.empty());
  EXPECT_EQ(f.Context.ObjectDataBase->Images, &f.Context.ObjectPictureList->Items);
  ASSERT_NE(f.Context.MonstersDataBase, nullptr);
  EXPECT_EQ(f.Context.MonstersDataBase->Count(), 0);
  ASSERT_NE(f.Context.PlayedLevel, nullptr);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginX(), 0);
  EXPECT_EQ(f.Context.GridSize, 32);
  EXPECT_TRUE(f.Context.GridVisible);
  EXPECT_FALSE(f.Context.ObjectsLoaded);
  EXPECT_EQ(f.Context.EditMode, TEditMode::Editing);
  EXPECT_EQ(f.Context.CurrentPlane, 0);
  EXPECT_EQ(f.Context.PlayerSprite, nullptr);
  EXPECT_EQ(f.Timer.Interval(), 14);
  EXPECT_FALSE(f.Editor.Settings().Ticks.PlayerVisible);
  EXPECT_FALSE(f.Editor.Settings().Ticks.PlayerGravity);
  EXPECT_TRUE(f.Editor.Settings().Ticks.AutoControl);
  EXPECT_TRUE(f.Editor.Settings().Ticks.FrameDelay);
  EXPECT_FALSE(f.Editor.Settings().Ticks.Preview);
  // The sprite engine is bound to the back buffer and knows the context.
  EXPECT_EQ(f.Context.SpriteEngine->Engine()->Surface, &f.Draw.Surface());
  EXPECT_EQ(f.Context.SpriteEngine->Engine()->Context, &f.Context);
  EXPECT_TRUE(f.Dialogs.Asked.empty());  // no file is read at start-up
}

TEST(EditorFrame, TickFillsDrawsOverlayAndPresents) {
  TEditorFixture f;
  f.Tick();
  const TSurface& buffer = f.Draw.Surface();
  EXPECT_EQ(buffer.Pixel(16, 200), 128);  // cell interior: the background value
  EXPECT_EQ(buffer.Pixel(0, 200), 0);     // grid outline
  EXPECT_EQ(buffer.Pixel(31, 200), 0);
  EXPECT_EQ(buffer.Pixel(32, 200), 0);
  EXPECT_EQ(buffer.Pixel(33, 200), 128);
  EXPECT_FALSE(f.Draw.PresentedImage().isNull());
  EXPECT_EQ(f.Terminated, 0);
}

TEST(EditorFrame, GridSwitchedOffLeavesOnlyTheText) {
  TEditorFixture f;
  f.Editor.Settings().ToggleGrid();
  f.Tick();
  EXPECT_EQ(f.Draw.Surface().Pixel(0, 200), 128);
  EXPECT_EQ(f.Draw.Surface().Pixel(32, 300), 128);
}

TEST(EditorFrame, DrawingAreaNotReadyEndsTheProgramAndDrawsNothing) {
  TEditorFixture f;
  f.Draw.FillBackBuffer(7);
  f.Draw.SimulateSurfaceLoss(false);
  f.Tick();
  EXPECT_EQ(f.Terminated, 1);
  EXPECT_EQ(f.Draw.Surface().Pixel(16, 200), 7);
}

TEST(EditorFrame, LostButRestorableSurfacesKeepRunning) {
  TEditorFixture f;
  f.Draw.SimulateSurfaceLoss(true);
  f.Tick();
  EXPECT_EQ(f.Terminated, 0);
  EXPECT_EQ(f.Draw.Surface().Pixel(16, 200), 128);
}

TEST(EditorFrame, TickPollsTheKeyboard) {
  TEditorFixture f;
  f.Context.Keyboard.SetKeyDown('A', true);
  f.Tick();
  EXPECT_TRUE(f.Context.Keyboard.InputStates.test(isButton1));
  f.Context.Keyboard.SetKeyDown('A', false);
  f.Tick();
  EXPECT_FALSE(f.Context.Keyboard.InputStates.test(isButton1));
}

TEST(EditorFrame, FrameDelaySwitchesTheIntervalOnly) {
  TEditorFixture f;
  f.Editor.Settings().ToggleFrameDelay();
  EXPECT_FALSE(f.Editor.Settings().Ticks.FrameDelay);
  EXPECT_EQ(f.Timer.Interval(), 0);
  f.Editor.Settings().ToggleFrameDelay();
  EXPECT_TRUE(f.Editor.Settings().Ticks.FrameDelay);
  EXPECT_EQ(f.Timer.Interval(), 14);
}

TEST(EditorErrors, WrapperShowsTheMessageAndGoesOn) {
  TEditorFixture f;
  EXPECT_FALSE(f.Editor.Guarded([] { throw EFOpenError(CannotOpenMessage("x.obj")); }));
  EXPECT_TRUE(f.Editor.Guarded([] {}));
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_EQ(f.Dialogs.Messages()[0], "Cannot open file x.obj");
}

TEST(EditorErrors, AboutIsAPlainMessage) {
  TEditorFixture f;
  f.Editor.ShowAbout();
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_NE(f.Dialogs.Messages()[0].find("Kestrilo"), std::string::npos);
}

TEST(EditorErrors, CommandsBeforeTheDrawingAreaInitialisedReportInsteadOfCrashing) {
  TGameContext context;
  TScriptedDialogService dialogs;
  TEditor editor(context, dialogs);
  editor.Files().OpenObjectsFile();
  editor.PressKey(37);
  editor.PlaceAt(10, 10, {});
  editor.Files().LoadLevel();  // gated by the objects flag first
  const auto messages = dialogs.Messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0], "The object library is not ready yet");
  EXPECT_EQ(messages[1], "The matrix is not ready yet");
  EXPECT_EQ(messages[3], "Файл объектов загружен не был... Невозможно загрузить матрицу!");
  int terminated = 0;
  editor.Attachments.Terminate = [&] { ++terminated; };
  editor.Frames().Step();  // no drawing area: the program ends
  EXPECT_EQ(terminated, 1);
}

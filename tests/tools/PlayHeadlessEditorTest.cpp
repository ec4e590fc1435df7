// The headless editor: the editor's own commands and frame step without a window.
#include <gtest/gtest.h>

#include "PlayTestSupport.h"
#include "editor/HeadlessEditor.h"
#include "platform/Cp1251.h"
#include "platform/Surface.h"
#include "sprites/DXSpriteEngine.h"
#include "world/EnemyWalker.h"
#include "world/GameContext.h"
#include "world/PlayerSprite.h"

namespace kestrilo {
namespace {

using playtest::TPlayLevel;

constexpr uint32_t vkA = 65, vkD = 68, vkW = 87, vkSpace = 32, vkRight = 39;

class PlayHeadlessEditorTest : public ::testing::Test {
 protected:
  // A fresh editor with the library open and the level loaded.
  std::unique_ptr<THeadlessEditor> Start(uint32_t seed = 1) {
    auto editor = std::make_unique<THeadlessEditor>(level.DataFolder(), seed);
    editor->OpenObjects();
    editor->LoadLevel(levelPath);
    return editor;
  }
  TPlayerSprite& Player(THeadlessEditor& editor) {
    EXPECT_NE(editor.Context().PlayerSprite, nullptr);
    return *editor.Context().PlayerSprite;
  }

  TPlayLevel level;
  std::string levelPath = level.Save();
};

TEST_F(PlayHeadlessEditorTest, TheStartMarkerMovesThePlayerWhenTheLevelLoads) {
  auto editor = Start();
  EXPECT_EQ(Player(*editor).X, 64);
  EXPECT_EQ(Player(*editor).Y, 256);
  EXPECT_TRUE(editor->Context().ObjectsLoaded);
  EXPECT_EQ(editor->Editor().LevelFile, levelPath);
  EXPECT_EQ(editor->TickCount(), 0);
}

TEST_F(PlayHeadlessEditorTest, WithGravityThePlayerFallsOntoTheFloorAndStays) {
  auto editor = Start();
  editor->SetGravity(true);
  for (int i = 0; i < 100; ++i) editor->Tick({});
  const double landed = Player(*editor).Y;
  EXPECT_GT(landed, 256);
  EXPECT_LE(landed + Player(*editor).Height, 320);  // the floor's top edge is y = 320
  for (int i = 0; i < 20; ++i) editor->Tick({});
  EXPECT_EQ(Player(*editor).Y, landed);
  EXPECT_EQ(editor->TickCount(), 120);
}

TEST_F(PlayHeadlessEditorTest, HeldKeysSteerThePlayerOnePixelATick) {
  auto editor = Start();
  for (int i = 0; i < 10; ++i) editor->Tick({vkD});
  EXPECT_EQ(Player(*editor).X, 74);
  for (int i = 0; i < 4; ++i) editor->Tick({vkA});
  EXPECT_EQ(Player(*editor).X, 70);
  editor->Tick({vkA, vkD});  // both: a step left and a step right
  EXPECT_EQ(Player(*editor).X, 70);
  const double y = Player(*editor).Y;
  editor->Tick({vkW});  // no gravity: W lifts the player
  EXPECT_EQ(Player(*editor).Y, y - 4);
}

TEST_F(PlayHeadlessEditorTest, PressingSpaceSwitchesGravityOnAsTheWindowsKeyHandlerDoes) {
  auto editor = Start();
  editor->SetGravity(false);
  editor->Tick({});
  EXPECT_EQ(Player(*editor).GravityOn, 0);
  editor->Tick({vkSpace});
  EXPECT_EQ(Player(*editor).GravityOn, 1);
  EXPECT_FALSE(editor->Editor().Settings().Ticks.PlayerGravity);  // the menu tick is left as it was
}

TEST_F(PlayHeadlessEditorTest, AnArrowPressScrollsTheViewOnceWhileHeld) {
  auto editor = Start();
  editor->Tick({vkRight});
  editor->Tick({vkRight});  // still held: no second press
  EXPECT_EQ(editor->Context().PlayedLevel->GetOriginX(), 1);
  EXPECT_EQ(editor->Context().SpriteEngine->Engine()->X, -32);
  editor->Tick({});
  editor->Tick({vkRight});
  EXPECT_EQ(editor->Context().PlayedLevel->GetOriginX(), 2);
}

TEST_F(PlayHeadlessEditorTest, PreviewAndGravityGoThroughTheirMenuCommands) {
  auto editor = Start();
  EXPECT_EQ(editor->Context().EditMode, TEditMode::Editing);
  editor->SetPreview(true);
  editor->SetPreview(true);  // already on: stays on
  EXPECT_EQ(editor->Context().EditMode, TEditMode::Previewing);
  EXPECT_TRUE(editor->Editor().Settings().Ticks.Preview);
  editor->SetGravity(true);
  EXPECT_EQ(Player(*editor).GravityOn, 1);
  editor->SetPreview(false);
  EXPECT_EQ(editor->Context().EditMode, TEditMode::Editing);
}

TEST_F(PlayHeadlessEditorTest, TheSeedDecidesTheMonstersDraws) {
  level.Place(playtest::nMonster, 10, 9);
  levelPath = level.Save();
  auto healthWithSeed = [&](uint32_t seed) {
    auto editor = Start(seed);
    const TSpriteEngine& root = *editor->Context().SpriteEngine->Engine();
    for (int32_t i = 0; i < root.ChildCount(); ++i)
      if (const auto* monster = dynamic_cast<const TEnemyWalker*>(root.Child(i))) return monster->Health;
    ADD_FAILURE() << "no monster was built";
    return -1;
  };
  EXPECT_EQ(healthWithSeed(7), healthWithSeed(7));
  bool differs = false;
  for (uint32_t seed = 1; seed < 10 && !differs; ++seed) differs = healthWithSeed(seed) != healthWithSeed(seed + 100);
  EXPECT_TRUE(differs);
}

TEST_F(PlayHeadlessEditorTest, TheSameRunGivesTheSameFrames) {
  level.Place(playtest::nMonster, 10, 9);
  levelPath = level.Save();
  auto run = [&] {
    auto editor = Start(3);
    editor->SetPreview(true);
    editor->SetGravity(true);
    for (int i = 0; i < 60; ++i) editor->Tick(i < 30 ? THeldKeys{vkD} : THeldKeys{});
    return std::make_pair(editor->Frame(), Player(*editor).X.Get());
  };
  const auto first = run();
  const auto second = run();
  EXPECT_FALSE(first.first.isNull());
  EXPECT_EQ(first.first, second.first);
  EXPECT_EQ(first.second, second.second);
}

TEST_F(PlayHeadlessEditorTest, TheFrameShowsTheWorldUnderTheOverlay) {
  auto editor = Start();
  editor->Tick({});
  const QImage frame = editor->Frame();
  ASSERT_EQ(frame.size(), QSize(640, 480));
  // Inside a floor cell, away from the grid lines and the status text.
  EXPECT_EQ(frame.pixelColor(16 + 32 * 15, 16 + 320).rgb() & 0xFFFFFF, 0xFF0000u);
  // An empty cell shows the background fill.
  EXPECT_EQ(
      Rgb565(frame.pixelColor(16 + 32 * 15, 16 + 32 * 12).red(), frame.pixelColor(16 + 32 * 15, 16 + 32 * 12).green(),
             frame.pixelColor(16 + 32 * 15, 16 + 32 * 12).blue()),
      kFrameBackgroundPixel);
}

TEST_F(PlayHeadlessEditorTest, DrawWorldDrawsTheWholeLevelAndRebindsTheDrawingArea) {
  level.Place(playtest::nWall, 150, 100);
  levelPath = level.Save();
  auto editor = Start();
  TSurface whole(6400, 4800);
  editor->DrawWorld(whole);
  EXPECT_EQ(whole.Pixel(150 * 32 + 16, 100 * 32 + 16), ColorToRgb565(playtest::kWallColor));
  EXPECT_EQ(whole.Pixel(3 * 32, 3 * 32), kFrameBackgroundPixel);
  const TSpriteEngine& root = *editor->Context().SpriteEngine->Engine();
  EXPECT_EQ(root.ViewRect, (TRect{0, 0, 640, 480}));
  editor->Tick({});  // the frame step draws on the drawing area again
  EXPECT_EQ(editor->Frame().size(), QSize(640, 480));
}

TEST_F(PlayHeadlessEditorTest, MissingFilesAreReportedWithTheCommandsMessages) {
  THeadlessEditor nowhere(level.Path("NoData"), 1);
  EXPECT_THROW(nowhere.OpenObjects(), EKestriloError);

  auto editor = Start();
  try {
    editor->LoadLevel(level.Path("missing.mtf"));
    FAIL() << "a missing level loaded";
  } catch (const EKestriloError& e) {
    EXPECT_EQ(std::string(e.what()), "Нет файла с таким именем! " + level.Path("missing.mtf"));
  }
  EXPECT_TRUE(editor->TakeMessages().empty());  // the reported message is not handed out again
}

TEST_F(PlayHeadlessEditorTest, LoadingWithoutTheLibraryIsRefusedWithTheEditorsMessage) {
  THeadlessEditor editor(level.DataFolder(), 1);
  try {
    editor.LoadLevel(levelPath);
    FAIL() << "a level loaded without the library";
  } catch (const EKestriloError& e) {
    EXPECT_EQ(std::string(e.what()), levelPath + ": Файл объектов загружен не был... Невозможно загрузить матрицу!");
  }
}

// The edit view draws its frames from kept pictures of the resting objects,
// drawing again only where monsters stand: frame for frame the same pixels as
// an editor that draws every frame whole, at every zoom.
TEST_F(PlayHeadlessEditorTest, EditFramesFromKeptPicturesShowWhatWholeFramesShow) {
  for (int32_t column : {4, 7, 12, 15}) level.Place(playtest::nMonster, column, 9);
  level.Place(playtest::nLift, 9, 6, 3);
  for (int32_t plane = 1; plane <= 3; ++plane)
    for (int32_t column = plane; column < 20; column += 3) level.PlaceBack(plane, playtest::nKey, column, 9 - plane);
  levelPath = level.Save();
  auto kept = Start(), whole = Start();
  whole->Editor().Frames().SetRetainsPictures(false);
  for (TEditor* editor : {&kept->Editor(), &whole->Editor()}) editor->Viewport.SetArea(800, 600);
  TPlacementInputs wall;
  wall.ObjectName = W1251("Стена");
  for (int zoom = 0; zoom < 3; ++zoom) {
    for (int tick = 0; tick < 40; ++tick) {
      // The ghost of a wall follows the pointer, so that every frame is drawn.
      for (THeadlessEditor* editor : {kept.get(), whole.get()}) {
        editor->Editor().Pointer().PointerMoved(100 + 7 * tick, 200, wall);
        editor->Tick({});
      }
      ASSERT_EQ(kept->Frame(), whole->Frame()) << "zoom step " << zoom << ", tick " << tick;
    }
    kept->Editor().ZoomOut();
    whole->Editor().ZoomOut();
  }
  // Where the monsters stand is drawn again over kept pictures.
  EXPECT_GT(kept->Editor().Frames().RetainedDrawing().PlacesDrawn(), 60);
  EXPECT_GT(kept->Editor().Frames().RetainedDrawing().PicturesReused(), 60);
}

}  // namespace
}  // namespace kestrilo

// Play-testing from a chosen cell: test from here, its end, restart, pause and
// single steps, and a recording of such a session played back headless.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>

#include <algorithm>
#include <sstream>

#include "PlayTestSupport.h"
#include "ToolRunSupport.h"
#include "editor/HeadlessEditor.h"
#include "editor/RecordingCommands.h"
#include "platform/BinaryIO.h"
#include "platform/ScriptedDialogService.h"
#include "platform/widgets/DXDraw.h"
#include "sprites/DXSpriteEngine.h"
#include "windows/MainForm.h"
#include "windows/MenuMnemonics.h"
#include "world/EnemyWalker.h"
#include "world/GameContext.h"
#include "world/PlayerSprite.h"

namespace kestrilo {
namespace {

using playtest::nMine;
using playtest::nMonster;
using playtest::nStart;
using playtest::nWall;
using playtest::TPlayLevel;
using tooltest::RunTool;
using tooltest::TToolRun;

constexpr uint32_t vkShift = 16, vkPause = 19, vkEscape = 27, vkA = 65, vkD = 68, vkF6 = 117, vkF10 = 121;

// Every sprite of the tree as one line each: class, place, state; the
// monsters' health (drawn at random when the world is built) when asked for.
std::string TreeText(THeadlessEditor& editor, bool withMonsterHealth = true) {
  std::ostringstream text;
  const TSprite& root = *editor.Context().SpriteEngine->Engine();
  for (int32_t i = 0; i < root.ChildCount(); ++i) {
    const TSprite& sprite = *root.Child(i);
    text << sprite.ClassName() << " " << sprite.X << " " << sprite.Y << " " << sprite.IsDead;
    if (const auto* monster = dynamic_cast<const TMonster*>(&sprite))
      text << " state " << int{monster->State} << " health " << (withMonsterHealth ? monster->Health : 0);
    if (const auto* player = dynamic_cast<const TPlayerSprite*>(&sprite))
      text << " health " << player->Health << " ammo " << player->Ammo[0];
    text << "\n";
  }
  return text.str();
}

class PlayTestFromHereTest : public ::testing::Test {
 protected:
  PlayTestFromHereTest() {
    level.PlaceBack(1, nMine, 10, 9);                                    // on the floor; its touch kills
    for (int32_t row = 0; row <= 9; ++row) level.Place(nWall, 17, row);  // a wall up to the top
    levelPath = level.Save();
  }
  std::unique_ptr<THeadlessEditor> Start(uint32_t seed = 1) {
    auto editor = std::make_unique<THeadlessEditor>(level.DataFolder(), seed);
    editor->OpenObjects();
    editor->LoadLevel(levelPath);
    return editor;
  }
  static TPlayerSprite& Player(THeadlessEditor& editor) {
    EXPECT_NE(editor.Context().PlayerSprite, nullptr);
    return *editor.Context().PlayerSprite;
  }
  static void Ticks(THeadlessEditor& editor, int32_t count, const THeldKeys& keys = {}) {
    for (int32_t i = 0; i < count; ++i) editor.Tick(keys);
  }
  static bool SameCells(const TMatrix& a, const TMatrix& b) {
    for (int32_t column = 0; column < TMatrix::kColumns; ++column)
      for (int32_t row = 0; row < TMatrix::kRows; ++row)
        if (!a.Cells[column][row].SameContent(b.Cells[column][row]) ||
            a.BackPlanes[column][row] != b.BackPlanes[column][row])
          return false;
    return true;
  }
  static int32_t CountOf(THeadlessEditor& editor, std::string_view className) {
    const TSprite& root = *editor.Context().SpriteEngine->Engine();
    int32_t count = 0;
    for (int32_t i = 0; i < root.ChildCount(); ++i)
      if (root.Child(i)->ClassName() == className && !root.Child(i)->IsDead) ++count;
    return count;
  }

  TPlayLevel level;
  std::string levelPath;
};

TEST_F(PlayTestFromHereTest, OnAnEmptyCellThePlayerStartsThereFreshVisibleAndFalling) {
  auto editor = Start();
  TPlayerSprite& before = Player(*editor);
  before.Health = 3;
  before.Ammo[0] = 0;
  editor->Editor().Play().ToggleTestFromHere(8 * 32 + 5, 5 * 32 + 31);  // a pixel inside cell (8, 5)
  const TEditor& commands = editor->Editor();
  ASSERT_TRUE(commands.Play().PlayTest().Active());
  EXPECT_EQ(commands.Play().PlayTest().Cell(), (TStartCell{8, 5}));
  EXPECT_TRUE(commands.Settings().Ticks.Preview);
  EXPECT_EQ(editor->Context().EditMode, TEditMode::Previewing);
  EXPECT_TRUE(commands.Settings().Ticks.PlayerVisible);
  EXPECT_TRUE(commands.Settings().Ticks.PlayerGravity);
  TPlayerSprite& player = Player(*editor);
  EXPECT_EQ(player.X, 256);
  EXPECT_EQ(player.Y, 160);
  EXPECT_TRUE(player.Visible);
  EXPECT_TRUE(player.GravityOn);
  EXPECT_EQ(player.Health, 100);
  EXPECT_EQ(player.Ammo[0], 15);
  // The start marker stays where the design has it.
  EXPECT_EQ(editor->Context().DesignedLevel().BackPlanes[2][8][3], nStart);
  Ticks(*editor, 100);
  EXPECT_EQ(player.X, 256);
  EXPECT_LE(player.Y + player.Height, 320);  // landed on the floor of row 10
  EXPECT_GT(player.Y + player.Height, 316);
}

TEST_F(PlayTestFromHereTest, OnAWallCellThePlayerStartsAboveItAndLandsOnIt) {
  auto editor = Start();
  editor->Editor().Play().TestFromCell(8, 10);  // the floor
  // Right on the floor the walk would be blocked: one cell higher it drops there.
  EXPECT_EQ(editor->Editor().Play().PlayTest().Cell(), (TStartCell{8, 8}));
  EXPECT_EQ(Player(*editor).Y, 256);
  Ticks(*editor, 20);
  EXPECT_EQ(Player(*editor).Y, 286);  // landed, two pixels clear of the floor as any fall ends
  Ticks(*editor, 10, {vkD});
  EXPECT_EQ(Player(*editor).X, 266);  // and walks
  // The same for the empty cell right above the floor; a cell with room stays as pointed.
  editor->Editor().Play().EndTest();
  editor->Editor().Play().TestFromCell(8, 9);
  EXPECT_EQ(editor->Editor().Play().PlayTest().Cell(), (TStartCell{8, 8}));
  editor->Editor().Play().EndTest();
  editor->Editor().Play().TestFromCell(16, 8);  // beside the wall of column 17
  EXPECT_EQ(editor->Editor().Play().PlayTest().Cell(), (TStartCell{16, 8}));
}

TEST_F(PlayTestFromHereTest, AColumnSolidToTheTopOrACellOutsideTheLevelIsRefused) {
  THeadlessEditor editor(level.DataFolder(), 1);
  editor.OpenObjects();
  editor.LoadLevel(levelPath);
  const double x = Player(editor).X;
  try {
    editor.StartAt(17, 6);
    ADD_FAILURE() << "a column solid to the top was taken";
  } catch (const EKestriloError& e) {
    EXPECT_STREQ(e.what(), "start 17 6: Тест отсюда: над клеткой 17, 6 до самого верха уровня нет места для игрока.");
  }
  EXPECT_FALSE(editor.Editor().Play().PlayTest().Active());
  EXPECT_FALSE(editor.Editor().Settings().Ticks.Preview);
  EXPECT_EQ(Player(editor).X, x);
  EXPECT_THROW(editor.StartAt(200, 0), EKestriloError);
  EXPECT_THROW(editor.StartAt(0, -1), EKestriloError);
  EXPECT_FALSE(editor.Editor().Play().PlayTest().Active());
  // A pointer outside the view only says so in the status line.
  editor.Editor().Play().ToggleTestFromHere(-1, 10);
  editor.Editor().Play().ToggleTestFromHere(640, 10);
  EXPECT_FALSE(editor.Editor().Play().PlayTest().Active());
  EXPECT_EQ(editor.Editor().Document.LastResult, "Тест отсюда: наведите указатель мыши на клетку уровня");
}

TEST_F(PlayTestFromHereTest, EndingGivesBackTheWorldAsDesignedAndThePlayerAsItWas) {
  auto editor = Start();
  editor->Editor().Play().TestFromCell(7, 9);
  Ticks(*editor, 150, {vkD});  // into the mine, which kills
  EXPECT_EQ(editor->Context().PlayerSprite, nullptr);
  EXPECT_EQ(CountOf(*editor, "TEnemyWalker"), 0);
  editor->Editor().PressKey(vkEscape);
  EXPECT_FALSE(editor->Editor().Play().PlayTest().Active());
  EXPECT_FALSE(editor->Editor().Settings().Ticks.Preview);
  EXPECT_EQ(editor->Context().EditMode, TEditMode::Editing);
  EXPECT_FALSE(editor->Editor().Settings().Ticks.PlayerVisible);
  EXPECT_FALSE(editor->Editor().Settings().Ticks.PlayerGravity);
  editor->Tick({});  // the old world is freed
  EXPECT_EQ(CountOf(*editor, "TEnemyWalker"), 1);
  TPlayerSprite& player = Player(*editor);  // made again
  EXPECT_EQ(player.Health, 100);
  EXPECT_FALSE(player.Visible);
  EXPECT_FALSE(player.GravityOn);
  EXPECT_EQ(player.X, 64);  // the start marker took it back
  EXPECT_EQ(player.Y, 256);
  const TMatrix& played = *editor->Context().PlayedLevel;
  const TMatrix& designed = editor->Context().DesignedLevel();
  EXPECT_TRUE(SameCells(played, designed));
  EXPECT_FALSE(editor->Editor().Document.LevelModified());
}

TEST_F(PlayTestFromHereTest, TheSameKeyEndsItAndThePreviewItemDoesToo) {
  auto editor = Start();
  editor->Editor().Play().ToggleTestFromHere(100, 100);
  ASSERT_TRUE(editor->Editor().Play().PlayTest().Active());
  editor->Editor().Play().ToggleTestFromHere(400, 400);  // F5 again: the end, wherever the mouse is
  EXPECT_FALSE(editor->Editor().Play().PlayTest().Active());
  EXPECT_FALSE(editor->Editor().Settings().Ticks.Preview);
  editor->Editor().Play().TestFromCell(3, 3);
  editor->Editor().Play().TogglePreview();
  EXPECT_FALSE(editor->Editor().Play().PlayTest().Active());
  EXPECT_FALSE(editor->Editor().Settings().Ticks.Preview);
  EXPECT_FALSE(Player(*editor).Visible);
  editor->Editor().PressKey(vkEscape);  // nothing to end
  EXPECT_FALSE(editor->Editor().Settings().Ticks.Preview);
}

TEST_F(PlayTestFromHereTest, RestartBuildsTheWorldAgainAndPutsAFreshPlayerWherePlayBegan) {
  auto editor = Start();
  editor->Editor().Play().TestFromCell(7, 9);
  const std::string atStart = TreeText(*editor, false);
  Ticks(*editor, 150, {vkD});  // killed by the mine
  ASSERT_EQ(editor->Context().PlayerSprite, nullptr);
  editor->Editor().PressKey(vkF6);
  EXPECT_TRUE(editor->Editor().Play().PlayTest().Active());
  EXPECT_EQ(TreeText(*editor, false), atStart);
  TPlayerSprite& player = Player(*editor);
  EXPECT_EQ(player.X, 224);
  EXPECT_EQ(player.Y, 256);
  EXPECT_TRUE(player.Visible);
  EXPECT_TRUE(player.GravityOn);
  // The same route from the restart gives the same world, tick for tick.
  Ticks(*editor, 20, {vkD, vkShift});
  const std::string after20 = TreeText(*editor, false);
  editor->Editor().Play().RestartTest();
  Ticks(*editor, 20, {vkD, vkShift});
  EXPECT_EQ(TreeText(*editor, false), after20);
}

TEST_F(PlayTestFromHereTest, RestartWithoutTestFromHereGoesBackToWherePreviewBegan) {
  auto editor = Start();
  editor->Editor().PressKey(vkF6);  // no play yet: nothing happens
  EXPECT_FALSE(editor->Editor().Settings().Ticks.Preview);
  editor->SetPreview(true);
  Ticks(*editor, 30, {vkD, vkShift});
  EXPECT_EQ(Player(*editor).X, 94);
  Player(*editor).Health = 50;
  Player(*editor).Ammo[0] = 3;
  editor->Editor().PressKey(vkF6);
  EXPECT_EQ(Player(*editor).X, 64);
  EXPECT_EQ(Player(*editor).Y, 256);
  EXPECT_EQ(Player(*editor).Ammo[0], 15);
  EXPECT_EQ(Player(*editor).Health, 100);
  EXPECT_FALSE(editor->Editor().Play().PlayTest().Active());
  EXPECT_TRUE(editor->Editor().Settings().Ticks.Preview);
}

TEST_F(PlayTestFromHereTest, PauseFreezesTheWorldAndEachStepRunsExactlyOneTick) {
  auto editor = Start();
  editor->Editor().Play().TestFromCell(4, 2);  // high up: the player falls 2 pixels a tick
  Ticks(*editor, 3);
  TPlayerSprite& player = Player(*editor);
  EXPECT_EQ(player.Y, 64 + 6);
  editor->Editor().PressKey(vkPause);
  EXPECT_TRUE(editor->Editor().Play().PlayTest().Paused());
  const std::string frozen = TreeText(*editor);
  Ticks(*editor, 10, {vkD});
  EXPECT_EQ(TreeText(*editor), frozen);
  editor->Editor().PressKey(vkF10);
  Ticks(*editor, 5);
  EXPECT_EQ(player.Y, 64 + 8);
  editor->Editor().Play().StepOnce();
  editor->Editor().Play().StepOnce();
  Ticks(*editor, 5);
  EXPECT_EQ(player.Y, 64 + 12);
  editor->Editor().PressKey(vkF10);
  editor->Tick({vkD});  // a step takes the keys held in its tick
  EXPECT_EQ(player.X, 129);
  EXPECT_EQ(player.Y, 64 + 14);
  editor->Editor().PressKey(vkPause);
  EXPECT_FALSE(editor->Editor().Play().PlayTest().Paused());
  editor->Editor().Play().StepOnce();  // not paused: a step asks for nothing more
  Ticks(*editor, 2);
  EXPECT_EQ(player.Y, 64 + 18);
  // Ending the test ends the pause too.
  editor->Editor().Play().TogglePause();
  editor->Editor().Play().EndTest();
  EXPECT_FALSE(editor->Editor().Play().PlayTest().Paused());
}

TEST_F(PlayTestFromHereTest, PausedFramesSayPauseAndKeepTheRestOfTheFrame) {
  auto editor = Start();
  editor->SetGrid(false);
  editor->Editor().Play().TestFromCell(4, 2);
  editor->Editor().Play().TogglePause();
  editor->Editor().Play().StepOnce();
  editor->Tick({});
  const QImage paused = editor->Frame();
  editor->Tick({});  // nothing moved: the same frame again
  EXPECT_EQ(editor->Frame(), paused);
  // The same first tick of the same play, not paused.
  editor->Editor().Play().TogglePause();
  editor->Editor().Play().RestartTest();
  editor->Tick({});
  const QImage running = editor->Frame();
  ASSERT_EQ(running.size(), paused.size());
  int32_t differing = 0, outsideLine = 0;
  for (int32_t y = 0; y < running.height(); ++y)
    for (int32_t x = 0; x < running.width(); ++x)
      if (running.pixel(x, y) != paused.pixel(x, y)) {
        ++differing;
        if (y < 100 || y >= 125 || x >= 80) ++outsideLine;
      }
  EXPECT_GT(differing, 20);  // the word "Пауза"
  EXPECT_EQ(outsideLine, 0);
}

class PlayTestRecordingTest : public PlayTestFromHereTest {
 protected:
  PlayTestRecordingTest() {
    level.PlaceBack(1, nMonster, 14, 9);  // its health and its damage are drawn at random
    levelPath = level.Save();             // over the level without it
  }
};

TEST_F(PlayTestRecordingTest, ARecordedTestFromHereReplaysTheSameRouteHeadless) {
  auto editor = Start(7);
  TScriptedDialogService dialogs;
  TRecordingCommands recording(editor->Context(), dialogs, editor->Editor());
  // Played for a while first: the world and the generator are elsewhere now.
  editor->SetPreview(true);
  Ticks(*editor, 40, {vkD, vkShift});
  recording.StartRecording();
  editor->Editor().Play().TestFromCell(11, 4);
  ASSERT_EQ(recording.Recorder.StartCell, (TStartCell{11, 4}));
  const TReplayScript route = TReplayScript::Parse("1 -\n40 D,Shift\n160 A\n200 Shift\n260 -\n");
  for (int32_t tick = 1; tick <= 300; ++tick) editor->Tick(route.KeysAt(tick));
  recording.StopRecording();
  const std::string recorded = TreeText(*editor);
  recording.SaveRecording();
  const std::string text = ReadWholeFile(level.Path("level.replay"));
  EXPECT_NE(text.find("# play began with test from here at column 11, row 4\n"), std::string::npos) << text;
  EXPECT_NE(text.find("--ticks 300 --seed 1 --gravity 1 --start 11 4\n"), std::string::npos) << text;

  // The headless player, as the tool runs it with --start 11 4 --seed 1.
  THeadlessEditor replay(level.DataFolder(), TRecordingCommands::kReplaySeed);
  replay.OpenObjects();
  replay.LoadLevel(levelPath);
  replay.SetPreview(true);
  replay.StartAt(11, 4);
  const TReplayScript saved = TReplayScript::Parse(text);
  for (int32_t tick = 1; tick <= 300; ++tick) replay.Tick(saved.KeysAt(tick));
  EXPECT_EQ(TreeText(replay), recorded);
}

TEST_F(PlayTestRecordingTest, StartingARecordingDuringATestStartsPlayAgainFromItsCell) {
  auto editor = Start();
  TScriptedDialogService dialogs;
  TRecordingCommands recording(editor->Context(), dialogs, editor->Editor());
  editor->Editor().Play().TestFromCell(5, 3);
  Ticks(*editor, 50, {vkD});
  recording.StartRecording();
  EXPECT_EQ(Player(*editor).X, 160);
  EXPECT_EQ(Player(*editor).Y, 96);
  EXPECT_EQ(recording.Recorder.StartCell, (TStartCell{5, 3}));
  Ticks(*editor, 3, {vkA});
  EXPECT_EQ(recording.Recorder.Ticks(), 3);
  // Paused ticks are not kept; a step is.
  editor->Editor().Play().TogglePause();
  Ticks(*editor, 4);
  editor->Editor().Play().StepOnce();
  Ticks(*editor, 2);
  EXPECT_EQ(recording.Recorder.Ticks(), 4);
}

TEST_F(PlayTestRecordingTest, TheToolStartsThePlayerAtTheStartCell) {
  level.Write("walk.replay", "1 D\n");
  const std::vector<std::string> run = {"play",      levelPath, "--data",  level.DataFolder(),
                                        "--ticks",   "60",      "--input", level.Path("walk.replay"),
                                        "--gravity", "0",       "--start", "3",
                                        "2"};
  const TToolRun started = RunTool(run);
  ASSERT_EQ(started.ExitCode, 0) << started.Err;
  // Fallen from row 2 onto the floor (gravity is on in a test from here), one pixel right a tick.
  EXPECT_EQ(started.Out, "tick 60: player alive at 156, 184, health 100\n");
  const TToolRun wall = RunTool({"play", levelPath, "--data", level.DataFolder(), "--start", "17", "3"});
  EXPECT_EQ(wall.ExitCode, 1);
  EXPECT_NE(wall.Err.find("нет места для игрока"), std::string::npos) << wall.Err;
  EXPECT_EQ(RunTool({"play", levelPath, "--data", level.DataFolder(), "--start", "200", "0"}).ExitCode, 1);
  EXPECT_EQ(RunTool({"play", levelPath, "--data", level.DataFolder(), "--start", "3"}).ExitCode, 2);
  EXPECT_EQ(RunTool({"play", levelPath, "--data", level.DataFolder(), "--start", "3", "2", "--preview", "0"}).ExitCode,
            1);
}

TEST_F(PlayTestFromHereTest, TheWindowsKeysAndSettingsItemDriveIt) {
  TScriptedDialogService dialogs;
  TForm1 form(level.Path("") + "/", &dialogs);
  form.show();
  ASSERT_NE(form.TestFromHere, nullptr);
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.TestFromHere->text()), QString::fromUtf8("Тест отсюда\tF5"));
  EXPECT_TRUE(form.N9->actions().contains(form.TestFromHere));
  form.N2->trigger();
  dialogs.FileAnswers.push_back(levelPath);
  form.N8->trigger();
  ASSERT_TRUE(form.Context().ObjectsLoaded);
  const auto press = [&](int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(form.DXDraw1, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(form.DXDraw1, &up);
  };
  // F5 with the cursor over cell (5, 3) of the drawing area.
  QCursor::setPos(form.DXDraw1->mapToGlobal(QPoint(5 * 32 + 10, 3 * 32 + 10)));
  ASSERT_EQ(form.DXDraw1->mapFromGlobal(QCursor::pos()), QPoint(5 * 32 + 10, 3 * 32 + 10));
  press(Qt::Key_F5);
  ASSERT_TRUE(form.Editor().Play().PlayTest().Active());
  EXPECT_EQ(form.Editor().Play().PlayTest().Cell(), (TStartCell{5, 3}));
  EXPECT_TRUE(form.N17->isChecked());  // the Settings ticks follow
  EXPECT_TRUE(form.N12->isChecked());
  EXPECT_TRUE(form.N13->isChecked());
  press(Qt::Key_Pause);
  EXPECT_TRUE(form.Editor().Play().PlayTest().Paused());
  press(Qt::Key_Escape);
  EXPECT_FALSE(form.Editor().Play().PlayTest().Active());
  EXPECT_FALSE(form.N17->isChecked());
  EXPECT_FALSE(form.N12->isChecked());
  // The menu item: the cell under the cursor when the menu opened (from the keyboard)...
  emit form.N9->aboutToShow();
  form.TestFromHere->trigger();
  EXPECT_EQ(form.Editor().Play().PlayTest().Cell(), (TStartCell{5, 3}));
  press(Qt::Key_F5);
  EXPECT_FALSE(form.Editor().Play().PlayTest().Active());
  // ...or, opened with the cursor elsewhere (on the menu bar), the view's centre.
  QCursor::setPos(form.DXDraw1->mapToGlobal(QPoint(-5, -5)));
  emit form.N9->aboutToShow();
  form.TestFromHere->trigger();
  EXPECT_EQ(form.Editor().Play().PlayTest().Cell(), (TStartCell{10, 7}));
  form.TestFromHere->trigger();  // the item ends it too
  EXPECT_FALSE(form.Editor().Play().PlayTest().Active());
}

}  // namespace
}  // namespace kestrilo

#include "editor/PlayTesting.h"

#include <QCoreApplication>

#include "editor/Editor.h"
#include "editor/Recorder.h"
#include "matrix/Matrix.h"
#include "platform/DrawingSurface.h"
#include "platform/Translated.h"
#include "platform/ViewSize.h"
#include "sprites/DXSpriteEngine.h"
#include "world/GameContext.h"
#include "world/LevelEdits.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

void TPlayTesting::TogglePreview() {
  if (Editor.Settings().Ticks.Preview && playTest_.Active()) {
    EndTest();
    return;
  }
  Editor.Settings().Ticks.Preview = !Editor.Settings().Ticks.Preview;
  Editor.Context.EditMode = Editor.Settings().Ticks.Preview ? TEditMode::Previewing : TEditMode::Editing;
  if (Editor.Settings().Ticks.Preview) {
    // A restart puts the player back here.
    if (Editor.Context.PlayerSprite)
      playTest_.PlayBeganAt(Editor.Context.PlayerSprite->X, Editor.Context.PlayerSprite->Y);
    // Play is where a crash is likeliest: what is unsaved is kept first.
    Editor.Autosave().AutosaveNow();
    return;
  }
  playTest_.End();  // the pause ends with play
  // Play never changes the level as designed: doors and pick-ups come back
  // and the monsters return to their places.
  Editor.Guarded([&] {
    if (!Editor.Context.PlayedLevel || !Editor.Context.ObjectDataBase || !Editor.Context.SpriteEngine) return;
    TLevelEdits::Of(Editor.Context).RebuildWorld();
    Editor.RedrawOverview(Editor.Context.CurrentPlane);
  });
}

void TPlayTesting::ToggleTestFromHere(int32_t X, int32_t Y) {
  if (playTest_.Active()) {
    EndTest();
    return;
  }
  Editor.Guarded([&] {
    Editor.Require(Editor.Context.PlayedLevel != nullptr, "The matrix");
    const TDrawingSurface* area = Editor.Attachments.DrawArea;
    const int32_t width = area ? area->Width() : kViewWidth;
    const int32_t height = area ? area->Height() : kViewHeight;
    if (X < 0 || Y < 0 || X >= width || Y >= height) {
      Editor.SetResult(Translated("TEditor", "Тест отсюда: наведите указатель мыши на клетку уровня"));
      return;
    }
    // The cell under the pointer at the view's zoom.
    const TCellPoint cell = Editor.CellAt(X, Y);
    BeginTestAt({static_cast<int32_t>(cell.Column), static_cast<int32_t>(cell.Row)});
  });
}

void TPlayTesting::TestFromCell(int32_t Column, int32_t Row) {
  Editor.Guarded([&] { BeginTestAt({Column, Row}); });
}

void TPlayTesting::BeginTestAt(TStartCell Pointed) {
  Editor.Require(Editor.Context.PlayedLevel && Editor.Context.ObjectDataBase && Editor.Context.SpriteEngine,
                 "The matrix");
  if (!Editor.Context.ObjectsLoaded) {
    Editor.Dialogs.ShowMessage(Translated("TEditor", "Файл объектов загружен не был... Тест уровня невозможен!"));
    return;
  }
  // Where the player fits depends on its size; one that died is made again first.
  const TPlayerSprite& player = LivePlayer(Editor.Context, true, true);
  const TMatrix& designed = Editor.Context.DesignedLevel();
  const std::optional<TStartCell> cell = StandingCell(designed, Pointed, player.Width, player.Height);
  if (!cell) {
    Editor.Dialogs.ShowMessage(
        QCoreApplication::translate("TEditor",
                                    "Тест отсюда: над клеткой %1, %2 до самого верха уровня нет места для игрока.")
            .arg(Pointed.Column)
            .arg(Pointed.Row)
            .toStdString());
    return;
  }
  playTest_.Begin(*cell, Editor.Settings().Ticks.PlayerVisible, Editor.Settings().Ticks.PlayerGravity);
  Editor.Settings().Ticks.PlayerVisible = true;
  Editor.Settings().Ticks.PlayerGravity = true;
  PlayFromStart();
  Editor.SetResult(QCoreApplication::translate(
                       "TEditor", "Тест с клетки %1, %2: F6 — заново, Pause — пауза, F10 — шаг, F5 или Esc — конец")
                       .arg(cell->Column)
                       .arg(cell->Row)
                       .toStdString());
}

void TPlayTesting::PlayFromStart() {
  // A recording covers play from its beginning: it starts again, with the
  // seed the headless player uses, and keeps the cell play began at.
  if (Editor.Attachments.Recorder && Editor.Attachments.Recorder->Recording()) {
    Editor.Attachments.Recorder->Start();
    Editor.Attachments.Recorder->StartCell = playTest_.Cell();
    Editor.Context.Random.RandSeed = TInputRecorder::kSeed;
  }
  if (!Editor.Settings().Ticks.Preview) Editor.Autosave().AutosaveNow();
  Editor.Settings().Ticks.Preview = true;
  Editor.Context.EditMode = TEditMode::Previewing;
  // A player made again comes before the level's sprites, as after a load,
  // so that it steps first.
  TPlayerSprite& player =
      LivePlayer(Editor.Context, Editor.Settings().Ticks.PlayerVisible, Editor.Settings().Ticks.PlayerGravity);
  TLevelEdits::Of(Editor.Context).RebuildWorld();
  // What play made of the old world goes at once, so that nothing of it
  // steps or is touched in the first tick: play from here is the same
  // however long the world was played before.
  Editor.Context.SpriteEngine->RemoveDead();
  FreshPlayerAt(player, playTest_.StartX().value_or(player.X), playTest_.StartY().value_or(player.Y));
  if (playTest_.Active()) {
    player.Visible = true;
    player.GravityOn = true;
  }
  Editor.RedrawOverview(Editor.Context.CurrentPlane);
}

void TPlayTesting::EndTest() {
  Editor.Guarded([&] { EndTestNow(); });
}

void TPlayTesting::EndTestNow() {
  if (!playTest_.Active()) return;
  const bool visible = playTest_.VisibleBefore();
  const bool gravity = playTest_.GravityBefore();
  playTest_.End();
  Editor.Settings().Ticks.Preview = false;
  Editor.Context.EditMode = TEditMode::Editing;
  Editor.Settings().Ticks.PlayerVisible = visible;
  Editor.Settings().Ticks.PlayerGravity = gravity;
  Editor.Require(Editor.Context.PlayedLevel && Editor.Context.ObjectDataBase && Editor.Context.SpriteEngine,
                 "The matrix");
  // The player is fresh again, shown and falling as before the test; the
  // start marker, if the level has one, takes it back there.
  TPlayerSprite& player = LivePlayer(Editor.Context, visible, gravity);
  FreshPlayerAt(player, player.X, player.Y);
  player.Visible = visible;
  player.GravityOn = gravity;
  TLevelEdits::Of(Editor.Context).RebuildWorld();
  Editor.RedrawOverview(Editor.Context.CurrentPlane);
  Editor.SetResult(Translated("TEditor", "Тест окончен: уровень такой, как задуман"));
}

void TPlayTesting::RestartTest() {
  Editor.Guarded([&] {
    if (!Editor.Settings().Ticks.Preview || !playTest_.StartX()) return;
    Editor.Require(Editor.Context.PlayedLevel && Editor.Context.ObjectDataBase && Editor.Context.SpriteEngine,
                   "The matrix");
    PlayFromStart();
    Editor.SetResult(Translated("TEditor", "Игра начата заново"));
  });
}

void TPlayTesting::TogglePause() {
  playTest_.TogglePause();
  Editor.SetResult(playTest_.Paused() ? Translated("TEditor", "Пауза: F10 — один шаг, Pause — дальше")
                                      : Translated("TEditor", "Игра продолжается"));
}

void TPlayTesting::StepOnce() { playTest_.StepOnce(); }

}  // namespace kestrilo

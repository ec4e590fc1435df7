// The frame step ticks the world at every frame but draws and presents a
// frame only when it would show something new: a frame with nothing changed
// draws nothing, and every kind of change is drawn at the next step.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "platform/Cp1251.h"

using namespace kestrilo;
using namespace kestrilo::editortest;

namespace {

constexpr uint32_t vkRight = 39;

class FrameSkipping : public ::testing::Test {
 protected:
  FrameSkipping() {
    f.WriteSampleData();
    f.OpenObjects();
    f.ClickAt(40, 40, "Стена");
    f.Editor.Attachments.CursorX = [this] { return cursorX; };
    f.Tick();
  }
  // Whether the next step drew and presented a frame.
  bool NextStepDraws() {
    const int64_t drawn = f.Editor.Frames().FrameChanges().FramesDrawn();
    const qint64 image = f.Draw.PresentedImage().cacheKey();
    f.Tick();
    const bool draws = f.Editor.Frames().FrameChanges().FramesDrawn() != drawn;
    EXPECT_EQ(draws, f.Draw.PresentedImage().cacheKey() != image) << "counted and presented frames disagree";
    return draws;
  }
  TPlacementInputs Wall() const {
    TPlacementInputs inputs;
    inputs.ObjectName = W1251("Стена");
    return inputs;
  }

  TEditorFixture f;
  int32_t cursorX = 100;
};

TEST_F(FrameSkipping, AFrameWithNothingChangedDrawsNothingAndTheWorldStillTicks) {
  const std::vector<uint16_t> shown(f.Draw.Surface().Pixels(),
                                    f.Draw.Surface().Pixels() + f.Draw.Width() * f.Draw.Height());
  for (int step = 0; step < 5; ++step) EXPECT_FALSE(NextStepDraws()) << "step " << step;
  EXPECT_EQ(f.Editor.Frames().FrameChanges().FramesSkipped(), 5);
  // The keyboard is still read at every step.
  f.Context.Keyboard.SetKeyDown('A', true);
  f.Tick();
  EXPECT_TRUE(f.Context.Keyboard.InputStates.test(isButton1));
  f.Context.Keyboard.SetKeyDown('A', false);
  // What stays shown is the frame drawn last.
  EXPECT_EQ(
      std::vector<uint16_t>(f.Draw.Surface().Pixels(), f.Draw.Surface().Pixels() + f.Draw.Width() * f.Draw.Height()),
      shown);
}

TEST_F(FrameSkipping, EachKindOfChangeIsDrawnAtTheNextStep) {
  struct TChange {
    const char* What;
    std::function<void()> Make;
  };
  const std::vector<TChange> changes = {
      {"an object placed", [&] { f.ClickAt(100, 40, "Стена"); }},
      {"the placement undone", [&] { f.Editor.UndoStack.undo(); }},
      {"the view scrolled", [&] { f.Editor.PressKey(vkRight); }},
      {"the pointer moved over the view", [&] { f.Editor.Pointer().PointerMoved(200, 100, Wall()); }},
      {"the pointer moved a cell on", [&] { f.Editor.Pointer().PointerMoved(240, 100, Wall()); }},
      {"the pointer left the view", [&] { f.Editor.Pointer().PointerLeft(); }},
      {"a region selected",
       [&] {
         f.Editor.Selection.StartSelecting({1, 1});
       }},
      {"the selection cleared", [&] { f.Editor.ClearSelection(); }},
      {"a cell marked", [&] { f.Editor.ShowCell(3, 3); }},
      {"the grid switched off", [&] { f.Editor.Settings().ToggleGrid(); }},
      {"the plane changed", [&] { f.Editor.ChangePlane(2); }},
      {"a plane hidden", [&] { f.Editor.Planes.SetShown(3, false); }},
      {"the other planes dimmed", [&] { f.Editor.Planes.SetDimOthers(true); }},
      {"stamping switched on", [&] { f.Editor.Pointer().SetStamping(true); }},
      {"the view zoomed out", [&] { f.Editor.ZoomOut(); }},
      {"the view zoomed in", [&] { f.Editor.ZoomIn(); }},
      {"the mouse's column on the overlay", [&] { cursorX = 300; }},
      {"the drawing area resized", [&] { f.Editor.Viewport.SetArea(800, 600); }},
      {"the preview switched on", [&] { f.Editor.Play().TogglePreview(); }},
      {"play paused", [&] { f.Editor.Play().TogglePause(); }},
      {"the preview switched off", [&] { f.Editor.Play().TogglePreview(); }},
  };
  for (const TChange& change : changes) {
    EXPECT_FALSE(NextStepDraws()) << "before: " << change.What;
    change.Make();
    EXPECT_TRUE(NextStepDraws()) << change.What;
  }
}

TEST_F(FrameSkipping, TheFramesPerSecondFigureIsRedrawnWhenItChanges) {
  f.Timer.SetInterval(10);
  f.Timer.Start();
  f.Timer.OnTimer = [this](int32_t) { f.Tick(); };
  // Ten frames a second for two seconds: the figure goes from 0 to 10 once.
  const int64_t drawn = f.Editor.Frames().FrameChanges().FramesDrawn();
  for (int frame = 0; frame < 20; ++frame) {
    f.Now += 100;
    f.Timer.Idle();
  }
  EXPECT_EQ(f.Timer.FramesPerSecond(), 10);
  EXPECT_EQ(f.Editor.Frames().FrameChanges().FramesDrawn(), drawn + 1);
}

}  // namespace

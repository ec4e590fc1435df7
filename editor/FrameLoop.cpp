#include "editor/FrameLoop.h"

#include "editor/Editor.h"
#include "editor/Recorder.h"
#include "platform/DXTimer.h"
#include "platform/DrawingSurface.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/SpriteEngine.h"
#include "world/GameContext.h"

namespace kestrilo {

namespace {

// Sprite moves per frame: the world's speed.
constexpr int32_t kFrameMoveCount = 16;

// Zoomed out, the back buffer stands for a view as many times larger as the
// zoom divides, and the engine draws all of that view into it, shrunk; the
// buffer and the view are put back when drawing is done.
class TZoomedView {
 public:
  TZoomedView(TSurface& Back, TSpriteEngine& Engine, int32_t Divisor)
      : back_(Back), engine_(Engine), view_(Engine.ViewRect) {
    if (Divisor <= 1) return;
    back_.SetShrinkDivisor(Divisor);
    engine_.ViewRect = {0, 0, back_.Width() * Divisor, back_.Height() * Divisor};
  }
  ~TZoomedView() {
    back_.SetShrinkDivisor(1);
    engine_.ViewRect = view_;
  }
  TZoomedView(const TZoomedView&) = delete;
  TZoomedView& operator=(const TZoomedView&) = delete;

 private:
  TSurface& back_;
  TSpriteEngine& engine_;
  TRect view_;
};

}  // namespace

void TFrameLoop::Step() {
  // An error message shown from a tick runs its own event loop, in which the
  // timer would tick again; those ticks are skipped until the message is gone.
  if (inTick_) return;
  inTick_ = true;
  struct TReset {
    bool& flag;
    ~TReset() { flag = false; }
  } reset{inTick_};
  Editor.Guarded([&] {
    if (!Editor.Attachments.DrawArea || !Editor.Attachments.DrawArea->ReadyToDraw()) {
      if (Editor.Attachments.Terminate) Editor.Attachments.Terminate();
      return;
    }
    // The back buffer follows the drawing area while editing and is the
    // game's own view while previewing; the overview frames what is shown.
    if (const std::optional<TBufferSize> size = Editor.Viewport.BufferSize(Editor.Context.IsEditing());
        size && (size->Width != Editor.Attachments.DrawArea->Width() ||
                 size->Height != Editor.Attachments.DrawArea->Height())) {
      Editor.Attachments.DrawArea->Resize(size->Width, size->Height);
      Editor.RedrawOverview(Editor.Context.CurrentPlane);
      frameChanges_.Forget();
    }
    Editor.Context.Keyboard.UpdateInput();
    // While paused the frame is drawn but nothing moves, and nothing is recorded.
    if (Editor.Play().TakeTick()) {
      if (Editor.Attachments.Recorder)
        Editor.Attachments.Recorder->RecordTick(Editor.Context.Keyboard, Editor.Context.EditMode);
      if (Editor.Context.SpriteEngine) {
        Editor.Context.SpriteEngine->Move(kFrameMoveCount);
        Editor.Context.SpriteEngine->RemoveDead();
      }
    }
    const TFrameContent next = NextFrameContent();
    if (frameChanges_.NeedsDrawing(next)) {
      DrawFrame(next);
      frameChanges_.Presented(next);
      frameChanges_.CountDrawn();
    } else {
      frameChanges_.CountSkipped();
      retained_.FrameLeftUndrawn();
    }
    Editor.Autosave().AutosaveIfDue();
  });
}

TFrameContent TFrameLoop::NextFrameContent() const {
  TFrameContent frame;
  frame.Width = Editor.Attachments.DrawArea->Width();
  frame.Height = Editor.Attachments.DrawArea->Height();
  frame.Divisor = Editor.ViewDivisor();
  frame.Editing = Editor.Context.IsEditing();
  if (Editor.Context.SpriteEngine) {
    TSpriteEngine& root = *Editor.Context.SpriteEngine->Engine();
    // The zoomed-out view draws a view as many times larger as the zoom divides.
    frame.World = root.DrawnStateKey({0, 0, frame.Width * frame.Divisor, frame.Height * frame.Divisor});
  }
  // Zoomed out, the grid shrinks with the view; finer than 16 pixels it
  // would hide the level, and is left out.
  const bool zoomed = frame.Divisor > 1;
  const int32_t gridPixels = zoomed ? Editor.Context.GridSize / frame.Divisor : Editor.Context.GridSize;
  frame.ShowGrid = !(zoomed && gridPixels < 16) && Editor.Context.GridVisible;
  frame.CellSize = static_cast<uint8_t>(gridPixels & 0xFF);
  frame.Status = OverlayStatus();
  frame.Marks = Editor.Pointer().EditMarksKey();
  frame.Commands = Editor.CommandsRun();
  return frame;
}

void TFrameLoop::DrawFrame(const TFrameContent& Frame) {
  if (!DrawRetainedWorld()) {
    Editor.Attachments.DrawArea->FillBackBuffer(kFrameBackgroundPixel);
    DrawPlanes();
  }
  DrawOverlayWith(Frame.ShowGrid, true, Frame.CellSize, Frame.Status);
  // Over the grid, so that the outlines are not hidden by its lines.
  Editor.Pointer().DrawEditMarks();
  Editor.Attachments.DrawArea->Present();
}

TOverlayStatus TFrameLoop::OverlayStatus() const {
  TOverlayStatus status;
  status.FramesPerSecond = Editor.Attachments.FrameTimer ? Editor.Attachments.FrameTimer->FramesPerSecond() : 0;
  status.SpriteCount = Editor.Context.SpriteEngine ? Editor.Context.SpriteEngine->Engine()->SpriteCount : 0;
  status.CursorX = Editor.Attachments.CursorX ? Editor.Attachments.CursorX() : 0;
  status.DrawAreaLeft = Editor.Attachments.DrawAreaLeft;
  status.Paused = Editor.Play().PlayTest().Paused();
  return status;
}

void TFrameLoop::DrawOverlay(bool ShowGrid, bool ShowText, uint8_t CellSize) {
  if (!Editor.Attachments.DrawArea) return;
  DrawOverlayWith(ShowGrid, ShowText, CellSize, OverlayStatus());
}

void TFrameLoop::DrawOverlayWith(bool ShowGrid, bool ShowText, uint8_t CellSize, const TOverlayStatus& Status) {
  overlay_.Draw(Editor.Attachments.DrawArea->BackBufferCanvas(), ShowGrid, ShowText, CellSize, Status);
  Editor.Attachments.DrawArea->ReleaseCanvas();
}

bool TFrameLoop::DrawRetainedWorld() {
  // The preview draws every frame whole, as the game does; so does a dimmed
  // view, drawn in two passes.
  if (!retains_ || !Editor.Context.IsEditing() || !Editor.Context.SpriteEngine) {
    // The pictures are of no use until the edit view is back: their memory goes.
    retained_.Forget();
    return false;
  }
  const TPlaneView& planes = Editor.Planes;
  if (planes.DimsOthers() && planes.Shown(Editor.Context.CurrentPlane)) return false;
  TDrawingSurface& area = *Editor.Attachments.DrawArea;
  if (!area.Initialized() || Editor.Context.SpriteEngine->DXDraw() != &area) return false;
  TSpriteEngine& engine = *Editor.Context.SpriteEngine->Engine();
  TSurface& back = area.Surface();
  if (engine.Surface != &back) return false;
  struct TRestoreLayers {
    TSpriteEngine& engine;
    ~TRestoreLayers() { engine.DrawnLayers = TSpriteEngine::kEveryLayer; }
  } restoreLayers{engine};
  engine.DrawnLayers = planes.DrawnLayers();
  const TZoomedView zoomed(back, engine, Editor.ViewDivisor());
  return retained_.Draw(engine, back, kFrameBackgroundPixel, Editor.CommandsRun());
}

void TFrameLoop::DrawPlanes() {
  if (!Editor.Context.SpriteEngine) return;
  TSpriteEngine& engine = *Editor.Context.SpriteEngine->Engine();
  struct TRestore {
    TSpriteEngine& engine;
    ~TRestore() { engine.DrawnLayers = TSpriteEngine::kEveryLayer; }
  } restore{engine};
  // The preview always shows every plane: hiding and dimming are the edit view's.
  const bool editing = Editor.Context.IsEditing();
  const TPlaneView& planes = Editor.Planes;
  const uint32_t shown = editing ? planes.DrawnLayers() : TSpriteEngine::kEveryLayer;
  const int32_t current = Editor.Context.CurrentPlane;
  if (editing && planes.DimsOthers() && planes.Shown(current)) {
    // Everything else first, darkened, then the current plane over it.
    engine.DrawnLayers = shown & ~TSpriteEngine::LayerBit(current);
    DrawWorld();
    Editor.Attachments.DrawArea->Surface().Darken();
    engine.DrawnLayers = TSpriteEngine::LayerBit(current);
  } else {
    engine.DrawnLayers = shown;
  }
  DrawWorld();
}

void TFrameLoop::DrawWorld() {
  if (Editor.ViewDivisor() > 1)
    DrawZoomedWorld();
  else
    Editor.Context.SpriteEngine->Draw();
}

void TFrameLoop::DrawZoomedWorld() {
  if (!Editor.Context.SpriteEngine || !Editor.Attachments.DrawArea) return;
  TSpriteEngine& engine = *Editor.Context.SpriteEngine->Engine();
  const TZoomedView zoomed(Editor.Attachments.DrawArea->Surface(), engine, Editor.ViewDivisor());
  Editor.Context.SpriteEngine->Draw();
}

}  // namespace kestrilo

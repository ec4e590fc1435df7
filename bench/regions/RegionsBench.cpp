// Region edits and the zoomed-out view on the stress level: a paste of a 50 by
// 50 cell region and its undo, a stroke across 50 cells, and a frame of the
// edit view at one quarter (80 by 60 cells) beside one at full size. Every
// run is timed on its own; the counters give the median.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/Cp1251.h"
#include "support/BenchEditor.h"
#include "support/StressFolder.h"
#include "support/TickTimes.h"

namespace kestrilo::bench {
namespace {

// The stress level loaded for editing (no preview), the first frame drawn.
std::unique_ptr<TBenchEditor> EditedLevel() {
  auto editor = std::make_unique<TBenchEditor>(SharedStressFolder().Path(), kStressSeed);
  editor->OpenObjects();
  editor->LoadLevel(SharedStressFolder().Level("stress", StressLevelLayout()));
  editor->Tick();
  return editor;
}

// Copies the region (0, 0)..(49, 49) and pastes it at (100, 60) and undoes
// the paste, again and again. AllPlanes: the main plane and the four back
// planes at once, else the main plane only.
void PasteAndUndo(benchmark::State& state, bool allPlanes) {
  auto level = EditedLevel();
  TEditor& editor = level->Editor();
  editor.ChangePlane(0);
  editor.Selection.AllPlanes = allPlanes;
  editor.Selection.Select({0, 0, 49, 49});
  editor.Regions().CopySelection();
  TTickTimes paste, undo;
  for (auto _ : state) {
    paste.Time([&] { editor.Regions().PasteAt(100, 60); });
    state.PauseTiming();
    state.SetLabel(editor.Document.LastResult);
    state.ResumeTiming();
    undo.Time([&] { editor.Undo(); });
    state.PauseTiming();
    level->Tick();  // the sprites the undo let go are freed, as the frame loop does
    state.ResumeTiming();
  }
  state.counters["objects"] = static_cast<double>(editor.Clipboard.Objects.size());
  state.counters["paste_ms"] = paste.Quantile(0.5) * 1e3;
  state.counters["undo_ms"] = undo.Quantile(0.5) * 1e3;
}

void BM_Paste50x50MainPlaneAndUndo(benchmark::State& state) { PasteAndUndo(state, false); }
BENCHMARK(BM_Paste50x50MainPlaneAndUndo)->Iterations(50)->Unit(benchmark::kMillisecond);

void BM_Paste50x50AllPlanesAndUndo(benchmark::State& state) { PasteAndUndo(state, true); }
BENCHMARK(BM_Paste50x50AllPlanesAndUndo)->Iterations(50)->Unit(benchmark::kMillisecond);

// A stroke of walls across the view's 20 columns and down its 15 rows and
// back, pressed, moved cell by cell and released, then undone.
void BM_StrokeAndUndo(benchmark::State& state) {
  auto level = EditedLevel();
  TEditor& editor = level->Editor();
  editor.ChangePlane(0);
  TPlacementInputs inputs;
  inputs.ObjectName = W1251("Стена");
  TTickTimes stroke, undo;
  for (auto _ : state) {
    stroke.Time([&] {
      editor.Pointer().PointerPressed(TPointerButton::Left, 5, 5, false, inputs);
      for (int x = 1; x < 20; ++x) editor.Pointer().PointerMoved(x * 32 + 5, 5, inputs);
      for (int y = 1; y < 15; ++y) editor.Pointer().PointerMoved(19 * 32 + 5, y * 32 + 5, inputs);
      for (int x = 18; x >= 0; --x) editor.Pointer().PointerMoved(x * 32 + 5, 14 * 32 + 5, inputs);
      editor.Pointer().PointerReleased(TPointerButton::Left, 5, 14 * 32 + 5, inputs);
    });
    state.PauseTiming();
    // What the stroke did, as the status line says it ("Нарисовано объектов: N").
    const std::string result = editor.Document.LastResult;
    state.ResumeTiming();
    undo.Time([&] { editor.Undo(); });
    state.PauseTiming();
    level->Tick();
    state.SetLabel(result);
    state.ResumeTiming();
  }
  state.counters["cells"] = 20 + 14 + 19;
  state.counters["stroke_ms"] = stroke.Quantile(0.5) * 1e3;
  state.counters["undo_ms"] = undo.Quantile(0.5) * 1e3;
}
BENCHMARK(BM_StrokeAndUndo)->Iterations(50)->Unit(benchmark::kMillisecond);

// A frame step of the edit view at a zoom divisor, the view in the middle of
// the level with the ghost of a wall under the pointer. The pointer moves a
// pixel within its cell before every step, so that every frame is drawn.
void ZoomedFrames(benchmark::State& state, int divisor) {
  auto level = EditedLevel();
  TEditor& editor = level->Editor();
  editor.CenterViewOn(100, 75);
  while (editor.Zoom.Divisor() < divisor) editor.ZoomOut();
  TPlacementInputs inputs;
  inputs.ObjectName = W1251("Стена");
  editor.Pointer().PointerMoved(300, 200, inputs);
  level->Tick();
  const int64_t drawnBefore = editor.Frames().FrameChanges().FramesDrawn();
  int32_t nudge = 0;
  TTickTimes frames;
  for (auto _ : state) {
    nudge ^= 1;
    editor.Pointer().PointerMoved(300 + nudge, 200, inputs);
    frames.Time([&] { level->Tick(); });
  }
  state.counters["median_ms"] = frames.Quantile(0.5) * 1e3;
  state.counters["p90_ms"] = frames.Quantile(0.9) * 1e3;
  state.counters["drawn_share"] = static_cast<double>(editor.Frames().FrameChanges().FramesDrawn() - drawnBefore) /
                                  static_cast<double>(frames.Count());
  state.counters["sprites"] = level->Root().SpriteCount;
}

void BM_EditFrameFullSize(benchmark::State& state) { ZoomedFrames(state, 1); }
BENCHMARK(BM_EditFrameFullSize)->Iterations(200)->Unit(benchmark::kMillisecond);

void BM_EditFrameQuarterZoom(benchmark::State& state) { ZoomedFrames(state, 4); }
BENCHMARK(BM_EditFrameQuarterZoom)->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrilo::bench

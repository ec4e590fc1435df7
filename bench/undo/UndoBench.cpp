// Undoable editing at scale: 10,000 placements through the editor's own
// command, every one of them undone, then redone, on the stress library.
// Run this program on its own: the memory figure is the whole process's peak.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

#include "platform/Cp1251.h"
#include "support/BenchEditor.h"
#include "support/StressFolder.h"

namespace kestrilo::bench {
namespace {

constexpr uint32_t vkRight = 39, vkDown = 40;
constexpr int kPlacements = 10000;

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// Places walls cell by cell over the view, scrolling one view further each
// time the view is full, so that every placement has a cell of its own.
void PlaceWalls(TBenchEditor& editor, int count) {
  TPlacementInputs inputs;
  inputs.ObjectName = W1251("Стена");
  int placed = 0;
  for (int viewRow = 0; placed < count; ++viewRow) {
    for (int viewColumn = 0; viewColumn < 9 && placed < count; ++viewColumn) {
      for (int y = 0; y < 15 && placed < count; ++y)
        for (int x = 0; x < 20 && placed < count; ++x, ++placed) editor.Editor().PlaceAt(x * 32, y * 32, inputs);
      for (int i = 0; i < 20; ++i) editor.Editor().PressKey(vkRight);
    }
    for (int i = 0; i < 180; ++i) editor.Editor().PressKey(37);  // back to the left edge
    for (int i = 0; i < 15; ++i) editor.Editor().PressKey(vkDown);
  }
}

void BM_TenThousandUndoablePlacements(benchmark::State& state) {
  const TStressFolder folder;
  double memory = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto editor = std::make_unique<TBenchEditor>(folder.Path(), kStressSeed);
    editor->OpenObjects();
    const double before = PeakMegabytes();
    state.ResumeTiming();
    PlaceWalls(*editor, kPlacements);
    for (int i = 0; i < kPlacements; ++i) editor->Editor().Undo();
    for (int i = 0; i < kPlacements; ++i) editor->Editor().Redo();
    state.PauseTiming();
    memory = PeakMegabytes() - before;
    if (editor->Editor().UndoStack.count() != kPlacements) state.SkipWithError("a placement was not recorded");
    editor.reset();
    state.ResumeTiming();
  }
  state.counters["peak_growth_MB"] = memory;
}
BENCHMARK(BM_TenThousandUndoablePlacements)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrilo::bench

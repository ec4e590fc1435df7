// Peak memory of the editor with the stress level loaded and playing in the
// preview. Run this program on its own: the peak is the whole process's.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

#include "sprites/SpriteEngine.h"
#include "support/BenchEditor.h"
#include "support/StressFolder.h"

namespace kestrilo::bench {
namespace {

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void BM_StressLevelPeakMemory(benchmark::State& state) {
  const TStressFolder folder;
  const std::string level = folder.Level("stress", StressLevelLayout());
  double before = 0, loaded = 0;
  int32_t sprites = 0;
  for (auto _ : state) {
    auto editor = std::make_unique<TBenchEditor>(folder.Path(), 4242);
    editor->OpenObjects();
    before = PeakMegabytes();
    editor->LoadLevel(level);
    editor->StartPreview();
    for (int i = 0; i < 200; ++i) editor->Tick();
    loaded = PeakMegabytes();
    sprites = editor->Root().SpriteCount;
  }
  state.counters["peak_MB"] = loaded;
  state.counters["peak_before_load_MB"] = before;
  state.counters["sprites"] = sprites;
}
BENCHMARK(BM_StressLevelPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrilo::bench

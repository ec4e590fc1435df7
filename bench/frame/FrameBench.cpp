// The frame step on large levels: the stress level and the scaling runs, with
// the engine's indexed walks and with the straightforward full-tree walks.
// Every tick is timed on its own; the counters give the median (and the 90th
// percentile) over the run, the framework's time is the mean.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "platform/DrawingSurface.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/ImageSprite.h"
#include "sprites/RetainedDrawing.h"
#include "sprites/SpriteEngine.h"
#include "support/BenchEditor.h"
#include "support/StressFolder.h"
#include "support/TickTimes.h"

namespace kestrilo::bench {
namespace {

constexpr uint32_t kStressSeed = 4242;
constexpr int kTicks = 1000;                 // ticks of a measured run
constexpr int kStressReferenceTicks = 1000;  // ticks of the stress level's side-by-side run
constexpr int kReferenceTicks = 200;         // ticks of a scaling side-by-side run (the reference is slow)

// The data folder of the whole process: written once, read by every benchmark.
// An editor with the level loaded, the preview running and the first tick done
// (which frees nothing but settles the engine's index).
std::unique_ptr<TBenchEditor> LoadedWorld(const std::string& level, bool reference) {
  auto editor = std::make_unique<TBenchEditor>(SharedStressFolder().Path(), kStressSeed);
  editor->OpenObjects();
  editor->LoadLevel(level);
  editor->StartPreview();
  editor->Root().UseReferenceAlgorithms = reference;
  editor->Tick();
  return editor;
}

void ReportTicks(benchmark::State& state, const TTickTimes& times, const TBenchEditor& world, int32_t monsters) {
  state.counters["median_ms"] = times.Quantile(0.5) * 1e3;
  state.counters["cpu_median_ms"] = times.CpuQuantile(0.5) * 1e3;
  state.counters["p90_ms"] = times.Quantile(0.9) * 1e3;
  state.counters["sprites"] = const_cast<TBenchEditor&>(world).Root().SpriteCount;
  state.counters["monsters"] = monsters;
  // How much of the tree each tick still visits: stepped children, and candidates of every query.
  state.counters["awake"] = const_cast<TBenchEditor&>(world).Root().AwakeCount();
  state.counters["always"] = const_cast<TBenchEditor&>(world).Root().Index().AlwaysCount();
  state.counters["clocks"] = static_cast<double>(const_cast<TBenchEditor&>(world).Root().ClockCount());
  state.counters["followers"] = const_cast<TBenchEditor&>(world).Root().FollowerCount();
  state.counters["packed"] = const_cast<TBenchEditor&>(world).Root().Index().PackedCount();
  state.counters["packed_overhang"] =
      static_cast<double>(std::max(const_cast<TBenchEditor&>(world).Root().Index().PackedOverhangX(),
                                   const_cast<TBenchEditor&>(world).Root().Index().PackedOverhangY()));
}

// The share of the measured steps that drew and presented their frame (the
// others showed nothing new and were left undrawn).
void ReportDrawn(benchmark::State& state, TBenchEditor& world, int64_t drawnBefore, int64_t steps) {
  const int64_t drawn = world.Editor().Frames().FrameChanges().FramesDrawn() - drawnBefore;
  state.counters["drawn_share"] = steps > 0 ? static_cast<double>(drawn) / static_cast<double>(steps) : 0;
}

void RunTicks(benchmark::State& state, const std::string& level, int32_t monsters) {
  auto world = LoadedWorld(level, false);
  const int64_t drawnBefore = world->Editor().Frames().FrameChanges().FramesDrawn();
  TTickTimes times;
  for (auto _ : state) times.Time([&] { world->Tick(); });
  ReportTicks(state, times, *world, monsters);
  ReportDrawn(state, *world, drawnBefore, static_cast<int64_t>(times.Count()));
}

// The stress level: half the main plane walled, every back-plane entry
// decorated, 500 hunting monsters and the player with gravity.
void BM_StressTick(benchmark::State& state) {
  RunTicks(state, SharedStressFolder().Level("stress", StressLevelLayout()), StressLevelLayout().Monsters);
}
BENCHMARK(BM_StressTick)->Iterations(kTicks)->Unit(benchmark::kMillisecond);

// The parts of the stress tick, each timed on its own over the same ticks.
void BM_StressTickParts(benchmark::State& state) {
  auto world = LoadedWorld(SharedStressFolder().Level("stress", StressLevelLayout()), false);
  TGameContext& context = world->Context();
  TDrawingSurface& draw = *world->Editor().Attachments.DrawArea;
  TTickTimes move, removeDead, fill, drawAll, overlay, present;
  for (auto _ : state) {
    context.Keyboard.UpdateInput();
    move.Time([&] { context.SpriteEngine->Move(16); });
    removeDead.Time([&] { context.SpriteEngine->RemoveDead(); });
    fill.Time([&] { draw.FillBackBuffer(128); });
    drawAll.Time([&] { context.SpriteEngine->Draw(); });
    overlay.Time([&] { world->Editor().Frames().DrawOverlay(context.GridVisible, 1, 32); });
    present.Time([&] { draw.Present(); });
  }
  state.counters["move_ms"] = move.Quantile(0.5) * 1e3;
  state.counters["removedead_ms"] = removeDead.Quantile(0.5) * 1e3;
  state.counters["fill_ms"] = fill.Quantile(0.5) * 1e3;
  state.counters["drawall_ms"] = drawAll.Quantile(0.5) * 1e3;
  state.counters["overlay_ms"] = overlay.Quantile(0.5) * 1e3;
  state.counters["present_ms"] = present.Quantile(0.5) * 1e3;
}
BENCHMARK(BM_StressTickParts)->Iterations(kTicks)->Unit(benchmark::kMillisecond);

// The stress level open for editing in the classic 640 by 480 view and left
// alone: the world ticks (500 monsters walk, the torches' clock runs) and a
// frame is drawn only when something in view changed. The mean step times
// the timer's frames per second is the editor's own share of the idle CPU.
void BM_IdleEditStep(benchmark::State& state) {
  auto editor = std::make_unique<TBenchEditor>(SharedStressFolder().Path(), kStressSeed);
  editor->OpenObjects();
  editor->LoadLevel(SharedStressFolder().Level("stress", StressLevelLayout()));
  editor->Tick();
  const int64_t drawnBefore = editor->Editor().Frames().FrameChanges().FramesDrawn();
  TTickTimes steps;
  for (auto _ : state) steps.Time([&] { editor->Tick(); });
  state.counters["median_ms"] = steps.Quantile(0.5) * 1e3;
  state.counters["p90_ms"] = steps.Quantile(0.9) * 1e3;
  state.counters["cpu_median_ms"] = steps.CpuQuantile(0.5) * 1e3;
  ReportDrawn(state, *editor, drawnBefore, static_cast<int64_t>(steps.Count()));
}
BENCHMARK(BM_IdleEditStep)->Iterations(kTicks)->Unit(benchmark::kMillisecond);

// The edit view of a maximised window on a 1920 by 1080 screen with every
// dock closed (the largest drawing area it gives: 1910 by 1004), on the
// stress level, at full size, one half and one quarter (state.range(0) is the
// divisor): the view centred on the level's middle, the ghost of a wall under
// the pointer, the world stepping as in every edit frame.
constexpr int32_t kFullScreenWidth = 1910, kFullScreenHeight = 1004;

void BM_FullScreenEditFrame(benchmark::State& state) {
  auto editor = std::make_unique<TBenchEditor>(SharedStressFolder().Path(), kStressSeed);
  editor->OpenObjects();
  editor->LoadLevel(SharedStressFolder().Level("stress", StressLevelLayout()));
  TEditor& edit = editor->Editor();
  edit.Viewport.SetArea(kFullScreenWidth, kFullScreenHeight);
  editor->Tick();
  while (edit.Zoom.Divisor() < state.range(0)) edit.ZoomOut();
  edit.CenterViewOn(TMatrix::kColumns / 2, TMatrix::kRows / 2);
  TPlacementInputs wall;
  wall.ObjectName = cp1251::FromUtf8("Стена");
  edit.Pointer().PointerMoved(kFullScreenWidth / 2, kFullScreenHeight / 2, wall);
  editor->Tick();
  // The pointer moves a pixel at every frame, within its cell, so that every
  // frame is drawn (left alone, the view would draw only what changes).
  int32_t nudge = 0;
  const int64_t drawnBefore = edit.Frames().FrameChanges().FramesDrawn();
  TTickTimes frames;
  std::vector<double> anew;
  const TRetainedDrawing& retained = edit.Frames().RetainedDrawing();
  for (auto _ : state) {
    nudge ^= 1;
    edit.Pointer().PointerMoved(kFullScreenWidth / 2 + nudge, kFullScreenHeight / 2, wall);
    const int64_t picturesBefore = retained.PicturesDrawn();
    frames.Time([&] { editor->Tick(); });
    // A frame that drew its picture of the resting objects anew (a torch's
    // frame not seen yet), timed again on its own.
    if (retained.PicturesDrawn() != picturesBefore) anew.push_back(frames.Last());
  }
  ReportDrawn(state, *editor, drawnBefore, static_cast<int64_t>(frames.Count()));
  state.counters["median_ms"] = frames.Quantile(0.5) * 1e3;
  state.counters["p99_ms"] = frames.Quantile(0.99) * 1e3;
  state.counters["cpu_median_ms"] = frames.CpuQuantile(0.5) * 1e3;
  state.counters["cpu_p99_ms"] = frames.CpuQuantile(0.99) * 1e3;
  state.counters["columns"] = edit.ColumnsShown();
  state.counters["rows"] = edit.RowsShown();
  // Frames whose resting objects were drawn anew, and frames started from a kept picture of them.
  state.counters["resting_drawn"] = static_cast<double>(retained.PicturesDrawn());
  state.counters["resting_reused"] = static_cast<double>(retained.PicturesReused());
  if (!anew.empty()) {
    std::sort(anew.begin(), anew.end());
    state.counters["anew_median_ms"] = anew[anew.size() / 2] * 1e3;
  }
  state.counters["sprites"] = editor->Root().SpriteCount;
}
BENCHMARK(BM_FullScreenEditFrame)->Arg(1)->Arg(2)->Arg(4)->Iterations(500)->Unit(benchmark::kMillisecond);

// Scaling: about 10,000, 50,000 and 150,000 sprites with 0 to 2,000 monsters.
void BM_ScalingTick(benchmark::State& state) {
  const auto sprites = static_cast<int32_t>(state.range(0));
  const auto monsters = static_cast<int32_t>(state.range(1));
  const std::string name = "scale-" + std::to_string(sprites) + "-" + std::to_string(monsters);
  RunTicks(state, SharedStressFolder().Level(name, ScalingLayout(sprites, monsters)), monsters);
}
BENCHMARK(BM_ScalingTick)
    ->ArgsProduct({{10000, 50000, 150000}, {0, 100, 500, 2000}})
    ->Iterations(kTicks)
    ->Unit(benchmark::kMillisecond);

// Whether two trees hold the same sprites in the same order, each with the
// same class, place, size, depth, flags and (for pictures) frame position, bit
// for bit: out of view as in it.
bool SameSprites(const TSprite& a, const TSprite& b) {
  auto bits = [](double v) { return std::bit_cast<uint64_t>(v); };
  if (std::strcmp(a.ClassName(), b.ClassName()) != 0 || bits(a.X) != bits(b.X) || bits(a.Y) != bits(b.Y) ||
      a.Width != b.Width || a.Height != b.Height || a.Z() != b.Z() || a.Visible != b.Visible || a.IsDead != b.IsDead ||
      a.ChildCount() != b.ChildCount())
    return false;
  const auto* pa = dynamic_cast<const TImageSprite*>(&a);
  const auto* pb = dynamic_cast<const TImageSprite*>(&b);
  if ((pa == nullptr) != (pb == nullptr)) return false;
  if (pa && (bits(pa->FramePos) != bits(pb->FramePos) || bits(pa->FrameSpeed) != bits(pb->FrameSpeed) ||
             pa->FrameIndex() != pb->FrameIndex()))
    return false;
  for (int32_t i = 0; i < a.ChildCount(); ++i)
    if (!SameSprites(*a.Child(i), *b.Child(i))) return false;
  return true;
}

// The same ticks through the engine's fast path and through the full-tree
// walks, side by side: two worlds from one seed behave alike, so tick k of
// one is tick k of the other. They tick in turn; after every tick their
// frames are compared pixel for pixel and their whole sprite trees sprite by sprite.
void RunSideBySide(benchmark::State& state, const std::string& level, int32_t monsters) {
  auto fast = LoadedWorld(level, false);
  auto reference = LoadedWorld(level, true);
  TTickTimes fastTimes, referenceTimes;
  for (auto _ : state) {
    fastTimes.Time([&] { fast->Tick(); });
    referenceTimes.Time([&] { reference->Tick(); });
    state.PauseTiming();
    const QImage a = fast->Frame(), b = reference->Frame();
    const bool sameFrame =
        a.size() == b.size() && std::memcmp(a.constBits(), b.constBits(), static_cast<size_t>(a.sizeInBytes())) == 0;
    const bool sameSprites = SameSprites(fast->Root(), reference->Root());
    state.ResumeTiming();
    if (!sameFrame || !sameSprites) {
      state.SkipWithError(sameFrame ? "the fast path and the reference hold different sprites"
                                    : "the fast path and the reference drew different frames");
      return;
    }
  }
  ReportTicks(state, fastTimes, *fast, monsters);
  state.counters["compared_ticks"] = static_cast<double>(fastTimes.Count());
  state.counters["reference_median_ms"] = referenceTimes.Quantile(0.5) * 1e3;
  state.counters["reference_cpu_median_ms"] = referenceTimes.CpuQuantile(0.5) * 1e3;
  state.counters["ratio"] = referenceTimes.Quantile(0.5) / fastTimes.Quantile(0.5);
  state.counters["cpu_ratio"] = referenceTimes.CpuQuantile(0.5) / fastTimes.CpuQuantile(0.5);
}

void BM_StressVsReference(benchmark::State& state) {
  RunSideBySide(state, SharedStressFolder().Level("stress", StressLevelLayout()), StressLevelLayout().Monsters);
}
BENCHMARK(BM_StressVsReference)->Iterations(kStressReferenceTicks)->Unit(benchmark::kMillisecond);

void BM_ScalingVsReference(benchmark::State& state) {
  const auto sprites = static_cast<int32_t>(state.range(0));
  const auto monsters = static_cast<int32_t>(state.range(1));
  const std::string name = "scale-" + std::to_string(sprites) + "-" + std::to_string(monsters);
  RunSideBySide(state, SharedStressFolder().Level(name, ScalingLayout(sprites, monsters)), monsters);
}
BENCHMARK(BM_ScalingVsReference)
    ->ArgsProduct({{10000, 50000, 150000}, {0, 100, 500, 2000}})
    ->Iterations(kReferenceTicks)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrilo::bench

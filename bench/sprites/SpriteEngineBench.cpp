// A full level's worth of sprites: one tick (move, free, draw) and the collision
// checks of the moving objects, with the indexed walks and with the full walks.
// Target: a tick of about 150,000 sprites in 2 ms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "platform/Surface.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {
namespace {

// A placed object: draws nothing costly, so that the walks themselves are measured.
class TBlock : public TSprite {
 public:
  using TSprite::TSprite;
  void OnDraw() override { ++Drawn; }
  int64_t Drawn = 0;
};

// A monster: walks to and fro and checks what it touches every tick.
class TWalker : public TSprite {
 public:
  using TSprite::TSprite;
  void OnMove(int32_t) override {
    X += step_;
    if (++steps_ % 64 == 0) step_ = -step_;
    Hits += CheckCollisions();
  }
  int64_t Hits = 0;

 private:
  double step_ = 1;
  int steps_ = 0;
};

struct TLevel {
  explicit TLevel(bool reference, int walkers) {
    root.UseReferenceAlgorithms = reference;
    root.SetSurface(&buffer);
    // The main plane and four back planes of 200 by 150 cells of 32 pixels.
    for (int plane = 0; plane < 5; ++plane) {
      for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
          auto* s = new TBlock(&root);
          s->X = x * 32;
          s->Y = y * 32;
          s->Width = s->Height = 32;
          if (plane > 0) s->SetZ(-10 * plane);
        }
      }
    }
    for (int i = 0; i < walkers; ++i) {
      auto* w = new TWalker(&root);
      w->X = (i * 97) % 6400;
      w->Y = (i * 53) % 4800;
      w->Width = w->Height = 32;
    }
    root.X = -1600;
    root.Y = -1280;
  }
  void Tick() {
    root.Move(16);
    root.RemoveDead();
    root.DrawAll();
  }
  TSurface buffer{640, 480};
  TSpriteEngine root;
};

void BM_Tick(benchmark::State& state) {
  TLevel level(state.range(0) != 0, static_cast<int>(state.range(1)));
  level.Tick();  // the first move pass fills the index
  for (auto _ : state) level.Tick();
  state.counters["sprites"] = level.root.SpriteCount;
}
// Arguments: full walks (1) or indexed (0); number of monsters checking collisions.
BENCHMARK(BM_Tick)->Args({0, 0})->Args({0, 100})->Args({1, 0})->Args({1, 100})->Unit(benchmark::kMillisecond);

void BM_Build(benchmark::State& state) {
  for (auto _ : state) {
    auto level = std::make_unique<TLevel>(false, 0);
    benchmark::DoNotOptimize(level.get());
  }
}
BENCHMARK(BM_Build)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace kestrilo

namespace kestrilo {
namespace {

// The parts of a tick on their own.
void BM_MovePass(benchmark::State& state) {
  TLevel level(state.range(0) != 0, 0);
  level.Tick();
  for (auto _ : state) level.root.Move(16);
}
BENCHMARK(BM_MovePass)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_DrawPass(benchmark::State& state) {
  TLevel level(state.range(0) != 0, 0);
  level.Tick();
  for (auto _ : state) level.root.DrawAll();
}
BENCHMARK(BM_DrawPass)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrilo

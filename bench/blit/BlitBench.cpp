// Blit throughput: 32 x 32 frames into the 640 x 480 back buffer, opaque and
// with a colour key, against memcpy of the same rows in the same run.
#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/Surface.h"
#include "support/TickTimes.h"

namespace kestrilo::bench {
namespace {

constexpr int kFrame = 32;
constexpr int kColumns = 640 / kFrame;
constexpr int kRows = 480 / kFrame;
constexpr int64_t kBytesPerPass = int64_t{kColumns} * kRows * kFrame * kFrame * 2;
constexpr uint16_t kKey = 0;

// A frame whose border and a diagonal band are key pixels (about a third).
TSurface MakeFrame(bool keyed) {
  TSurface frame(kFrame, kFrame);
  for (int y = 0; y < kFrame; ++y)
    for (int x = 0; x < kFrame; ++x) {
      const bool hole = x < 2 || y < 2 || x >= kFrame - 2 || y >= kFrame - 2 || (x + y) % 8 < 2;
      frame.SetPixel(x, y, hole ? kKey : static_cast<uint16_t>(0x1000 + x * 37 + y));
    }
  if (keyed) frame.SetColorKey(kKey);
  return frame;
}

// One pass covers the back buffer with frames.
void BlitPass(TSurface& back, const TSurface& frame, bool transparent) {
  const TRect source{0, 0, kFrame, kFrame};
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c) back.Blit(c * kFrame, r * kFrame, frame, source, transparent);
}

// The same bytes moved row by row with memcpy, to the same places.
void MemcpyPass(TSurface& back, const TSurface& frame) {
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c)
      for (int y = 0; y < kFrame; ++y)
        std::memcpy(back.Line(r * kFrame + y) + c * kFrame, frame.Line(y), kFrame * sizeof(uint16_t));
}

void BM_BlitOpaque(benchmark::State& state) {
  TSurface back(640, 480);
  const TSurface frame = MakeFrame(false);
  for (auto _ : state) {
    BlitPass(back, frame, false);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kBytesPerPass);
}
BENCHMARK(BM_BlitOpaque);

void BM_BlitKeyed(benchmark::State& state) {
  TSurface back(640, 480);
  const TSurface frame = MakeFrame(true);
  for (auto _ : state) {
    BlitPass(back, frame, true);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kBytesPerPass);
}
BENCHMARK(BM_BlitKeyed);

void BM_MemcpyRows(benchmark::State& state) {
  TSurface back(640, 480);
  const TSurface frame = MakeFrame(false);
  for (auto _ : state) {
    MemcpyPass(back, frame);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kBytesPerPass);
}
BENCHMARK(BM_MemcpyRows);

// The three in turn, for the fractions: memcpy time / blit time.
void BM_BlitFractionOfMemcpy(benchmark::State& state) {
  TSurface back(640, 480);
  const TSurface opaque = MakeFrame(false), keyed = MakeFrame(true);
  TTickTimes copyTimes, opaqueTimes, keyedTimes;
  for (auto _ : state) {
    copyTimes.Time([&] {
      MemcpyPass(back, opaque);
      benchmark::ClobberMemory();
    });
    opaqueTimes.Time([&] {
      BlitPass(back, opaque, false);
      benchmark::ClobberMemory();
    });
    keyedTimes.Time([&] {
      BlitPass(back, keyed, true);
      benchmark::ClobberMemory();
    });
  }
  const double copy = copyTimes.Quantile(0.5);
  state.counters["memcpy_GBps"] = kBytesPerPass / copy / 1e9;
  state.counters["opaque_fraction"] = copy / opaqueTimes.Quantile(0.5);
  state.counters["keyed_fraction"] = copy / keyedTimes.Quantile(0.5);
  state.counters["frame_us_opaque"] = opaqueTimes.Quantile(0.5) / (kColumns * kRows) * 1e6;
  state.counters["frame_us_keyed"] = keyedTimes.Quantile(0.5) / (kColumns * kRows) * 1e6;
}
BENCHMARK(BM_BlitFractionOfMemcpy)->Iterations(20000);

}  // namespace
}  // namespace kestrilo::bench

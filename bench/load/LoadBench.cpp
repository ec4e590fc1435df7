// Loading: the stress level as the load command reads and builds it, its two
// halves on their own, and a graphics file of 200 pictures of 256 by 256
// pixels against decoding the same bitmaps alone.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "library/DXImageList.h"
#include "library/ObjectDataBase.h"
#include "library/Picture.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "platform/DrawingSurface.h"
#include "sprites/SpriteEngine.h"
#include "support/BenchEditor.h"
#include "support/StressFolder.h"
#include "support/TickTimes.h"
#include "world/PlacedObjectFactory.h"

namespace kestrilo::bench {
namespace {

const std::string& StressLevel() {
  static const std::string path = SharedStressFolder().Level("stress", StressLevelLayout());
  return path;
}

std::unique_ptr<TBenchEditor> OpenedEditor() {
  auto editor = std::make_unique<TBenchEditor>(SharedStressFolder().Path(), kStressSeed);
  editor->OpenObjects();
  return editor;
}

// The load command on an editor with the objects file open: both level
// files read, every sprite made. Making and freeing the editor is not timed.
void BM_LoadStressLevel(benchmark::State& state) {
  int32_t sprites = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto editor = OpenedEditor();
    state.ResumeTiming();
    editor->LoadLevel(StressLevel());
    state.PauseTiming();
    sprites = editor->Root().SpriteCount;
    editor.reset();
    state.ResumeTiming();
  }
  state.counters["sprites"] = sprites;
}
BENCHMARK(BM_LoadStressLevel)->Iterations(10)->Unit(benchmark::kMillisecond);

// What the designer waits for after loading with the preview on: the load
// command and the first tick, which files every new sprite in the engine's index.
void BM_LoadStressLevelAndFirstTick(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto editor = OpenedEditor();
    editor->StartPreview();
    state.ResumeTiming();
    editor->LoadLevel(StressLevel());
    editor->Tick();
    state.PauseTiming();
    editor.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadStressLevelAndFirstTick)->Iterations(10)->Unit(benchmark::kMillisecond);

// Reading the matrix file and its back-plane file alone.
void BM_ReadStressLevelFiles(benchmark::State& state) {
  TMatrix matrix;
  for (auto _ : state) benchmark::DoNotOptimize(matrix.LoadFromFile(StressLevel(), nullptr, nullptr));
}
BENCHMARK(BM_ReadStressLevelFiles)->Unit(benchmark::kMillisecond);

// Building the sprites of a read matrix alone (both builders, as the load does).
void BM_BuildStressLevel(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto editor = OpenedEditor();
    TGameContext& context = editor->Context();
    context.PlayedLevel->LoadFromFile(StressLevel(), nullptr, nullptr);
    const TObjectFactory factory = MakeObjectFactory();
    state.ResumeTiming();
    context.PlayedLevel->BuildMainPlane(editor->Root(), *context.ObjectDataBase, factory);
    context.PlayedLevel->BuildBackPlanes(editor->Root(), *context.ObjectDataBase, factory);
    state.PauseTiming();
    editor.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildStressLevel)->Iterations(10)->Unit(benchmark::kMillisecond);

// ---- graphics file ---------------------------------------------------------

constexpr int kPictureCount = 200;
constexpr int kPictureSize = 256;

std::string PictureBytes(int index) {
  QImage image(kPictureSize, kPictureSize, QImage::Format_RGB888);
  image.fill(QColor::fromHsv((index * 7) % 360, 180, 200));
  QPainter painter(&image);
  for (int i = 0; i < 16; ++i)
    painter.fillRect(i * 16, (index + i * 13) % 240, 16, 16, QColor::fromHsv((index + i * 23) % 360, 255, 255));
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// 200 bitmaps and a graphics file holding them, cut into 32 x 32 frames.
struct TGraphicsWorkload {
  TGraphicsWorkload() {
    TPictureCollection pictures;
    for (int i = 0; i < kPictureCount; ++i) {
      Bitmaps.push_back(PictureBytes(i));
      TPictureCollectionItem* item = pictures.Add();
      item->SetName(W1251("Картинка ") + std::to_string(i));
      item->Picture.LoadFromData(TPicture::kBitmap, Bitmaps.back());
      item->PatternWidth = 32;
      item->PatternHeight = 32;
    }
    Path = Dir.path().toStdString() + "/pictures.dxg";
    pictures.SaveToFile(Path);
  }
  QTemporaryDir Dir;
  std::vector<std::string> Bitmaps;
  std::string Path;
};

const TGraphicsWorkload& Graphics() {
  static const TGraphicsWorkload workload;
  return workload;
}

void DecodeAlone() {
  for (const std::string& bytes : Graphics().Bitmaps) {
    TPicture picture;
    picture.LoadFromData(TPicture::kBitmap, bytes);
    benchmark::DoNotOptimize(picture.Image().constBits());
  }
}

// The graphics file into a picture list bound to an initialised drawing area,
// as opening an objects file does: read, decode, cut every picture into frames.
void LoadIntoBoundList(TDXImageList& list) {
  list.Items.LoadFromFile(Graphics().Path);
  benchmark::DoNotOptimize(list.Items.Count());
}

void BM_DecodeBitmapsAlone(benchmark::State& state) {
  for (auto _ : state) DecodeAlone();
}
BENCHMARK(BM_DecodeBitmapsAlone)->Unit(benchmark::kMillisecond);

void BM_LoadGraphicsFile(benchmark::State& state) {
  TDrawingSurface draw;
  draw.Initialize();
  TDXImageList list;
  list.SetDXDraw(&draw);
  for (auto _ : state) LoadIntoBoundList(list);
  list.SetDXDraw(nullptr);
}
BENCHMARK(BM_LoadGraphicsFile)->Unit(benchmark::kMillisecond);

// Both in one run, taking turns, for the ratio.
void BM_GraphicsFileVsDecode(benchmark::State& state) {
  TDrawingSurface draw;
  draw.Initialize();
  TDXImageList list;
  list.SetDXDraw(&draw);
  TTickTimes file, decode;
  for (auto _ : state) {
    file.Time([&] { LoadIntoBoundList(list); });
    decode.Time([] { DecodeAlone(); });
  }
  list.SetDXDraw(nullptr);
  state.counters["file_median_ms"] = file.Quantile(0.5) * 1e3;
  state.counters["decode_median_ms"] = decode.Quantile(0.5) * 1e3;
  state.counters["ratio"] = file.Quantile(0.5) / decode.Quantile(0.5);
}
BENCHMARK(BM_GraphicsFileVsDecode)->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrilo::bench

// The monster editor: reading and writing a monster file, one edit in the
// window (an undo step and the window brought up to date, what every typed
// digit costs), and one preview tick (a frame drawn and shown).
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QSpinBox>
#include <QTemporaryDir>

#include <memory>
#include <string>

#include "library/MonsterFieldLimits.h"
#include "library/MonsterFile.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/Display.h"
#include "platform/ScriptedDialogService.h"
#include "windows/MonsterEditorWindow.h"

namespace kestrilo::bench {
namespace {

class TReadyDisplay : public TDisplay {
 public:
  bool Initialized() const override { return true; }
};

// A monster file of `count` records named M0, M1, ...
std::string MonsterFileBytes(int64_t count) {
  TMonsterFile file;
  for (int64_t i = 0; i < count; ++i) file.Add(NewMonsterRecord("M" + std::to_string(i)));
  return file.ToBytes();
}

void BM_MonsterFileRoundTrip(benchmark::State& state) {
  const std::string bytes = MonsterFileBytes(state.range(0));
  for (auto _ : state) {
    TMonsterFile file = TMonsterFile::FromBytes(bytes);
    benchmark::DoNotOptimize(file.ToBytes());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MonsterFileRoundTrip)->Arg(40)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A 32 x 32 picture of 18 frames named M0, as the sample monsters have.
struct TPictures {
  TPictures() {
    pictures.Initialize(&display);
    QImage strip(18 * 32, 32, QImage::Format_RGB888);
    strip.fill(Qt::green);
    QByteArray bitmap;
    QBuffer buffer(&bitmap);
    buffer.open(QIODevice::WriteOnly);
    strip.save(&buffer, "BMP");
    TPictureCollectionItem* item = pictures.Add();
    item->SetName("M0");
    item->Picture.LoadFromData(TPicture::kBitmap, bitmap.toStdString());
    item->PatternWidth = 32;
    item->PatternHeight = 32;
    item->Restore();
  }
  TReadyDisplay display;
  TPictureCollection pictures;
};

void BM_MonsterEditorFieldEdit(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("1.mon").toStdString();
  WriteFileAtomic(path, MonsterFileBytes(state.range(0)));
  TPictures pictures;
  TObjectDataBase library(&pictures.pictures);
  TScriptedDialogService dialogs;
  TMonsterEditorWindow window(path, &library, &pictures.pictures, dialogs);
  int speed = 0;
  for (auto _ : state) window.WalkSpeedField->setValue(speed++ % 100);
}
BENCHMARK(BM_MonsterEditorFieldEdit)->Arg(40)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_MonsterEditorPreviewTick(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("1.mon").toStdString();
  WriteFileAtomic(path, MonsterFileBytes(1));
  TPictures pictures;
  TObjectDataBase library(&pictures.pictures);
  TScriptedDialogService dialogs;
  TMonsterEditorWindow window(path, &library, &pictures.pictures, dialogs);
  for (auto _ : state) window.AdvancePreview(1);
}
BENCHMARK(BM_MonsterEditorPreviewTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrilo::bench

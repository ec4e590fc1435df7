// Start-up to the first frame shown: the program's windows made as the
// program makes them, the main window shown and activated, and the event
// loop run until the drawing area has presented its first frame. The first
// start of the process (fonts, translations and Qt's own first-use work) is
// reported apart from the later ones.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "platform/widgets/DXDraw.h"
#include "support/TickTimes.h"
#include "windows/Application.h"
#include "windows/MainForm.h"

namespace kestrilo::bench {
namespace {

constexpr int kStarts = 20;

void BM_StartUpToFirstFrame(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string executableDir = dir.path().toStdString() + "/";
  TTickTimes times;
  bool shown = true;
  for (auto _ : state) {
    times.Time([&] {
      TApplicationWindows windows = CreateApplicationWindows(executableDir);
      TForm1& form = *windows.Form1;
      form.showMaximized();
      QApplication::setActiveWindow(&form);
      QElapsedTimer waited;
      waited.start();
      while (form.DXDraw1->PresentedImage().isNull() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
      shown = shown && !form.DXDraw1->PresentedImage().isNull();
    });
  }
  if (!shown) state.SkipWithError("the drawing area presented no frame within 5 s");
  state.counters["first_ms"] = times.Quantile(0.0, 1) * 1e3;
  state.counters["median_ms"] = times.Quantile(0.5) * 1e3;
  state.counters["cpu_median_ms"] = times.CpuQuantile(0.5) * 1e3;
}
BENCHMARK(BM_StartUpToFirstFrame)->Iterations(kStarts)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrilo::bench

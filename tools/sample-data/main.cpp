// kestrilo-sample-data DIR: draws the sample pictures and writes the sample
// object library, monsters, portal pictures and demo level into DIR.
// kestrilo-sample-data --screenshot FILE.png: writes the sample into a
// scratch folder and saves a picture of it in the editor's main window.
#include <QApplication>
#include <QTemporaryDir>
#include <exception>
#include <iostream>
#include <string>

#include "SampleDataWriter.h"
#include "Screenshot.h"

namespace {

int Screenshot(int argc, char** argv, const std::string& pngPath) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir scratch;
  const std::string executableDir = scratch.path().toStdString() + "/";
  kestrilo::sample::WriteSampleData(executableDir + "Data");
  const QImage shot = kestrilo::sample::RenderEditorScreenshot(executableDir);
  if (shot.isNull() || !shot.save(QString::fromStdString(pngPath), "PNG", 9)) {
    std::cerr << "kestrilo-sample-data: cannot write " << pngPath << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool screenshot = argc == 3 && std::string(argv[1]) == "--screenshot";
  if (argc != 2 && !screenshot) {
    std::cerr << "usage: kestrilo-sample-data DIR\n       kestrilo-sample-data --screenshot FILE.png\n";
    return 2;
  }
  try {
    if (screenshot) return Screenshot(argc, argv, argv[2]);
    QCoreApplication app(argc, argv);
    kestrilo::sample::WriteSampleData(argv[1]);
  } catch (const std::exception& e) {
    std::cerr << "kestrilo-sample-data: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

// Writes the stress data (objects, graphics and monster files) and the stress
// level into a folder, so that the largest level the matrix allows can be
// opened in the editor itself: put the folder beside the editor as Data/.
//
// usage: kestrilo-stress-level <folder>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <string>

#include "support/StressLevel.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  // The pictures are drawn with QPainter, which needs a GUI application but no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const std::string folder = argv[1];
  if (!QDir().mkpath(QString::fromStdString(folder))) {
    std::fprintf(stderr, "Cannot create folder %s\n", folder.c_str());
    return 1;
  }
  try {
    kestrilo::bench::WriteStressData(folder);
    kestrilo::bench::WriteStressLevel(folder + "/stress.mtf", kestrilo::bench::StressLevelLayout());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  std::printf("%s/stress.mtf: %d sprites with the player\n", folder.c_str(),
              kestrilo::bench::SpritesOf(kestrilo::bench::StressLevelLayout()));
  return 0;
}

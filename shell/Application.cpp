#include "shell/Application.h"

#include <QApplication>
#include <QWidget>

namespace kestrilo {

int RunApplication(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName("Kestrilo");
  QWidget w;
  w.setWindowTitle("Form1");
  w.show();
  return app.exec();
}

}  // namespace kestrilo

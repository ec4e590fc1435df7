#include "shell/Application.h"

#include <QStandardPaths>

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "library/NewObjectDialog.h"
#include "matrix/LoadingWindow.h"
#include "platform/QtDialogService.h"
#include "shell/HelpScreen.h"
#include "shell/MainForm.h"

namespace kestrilo {

TApplicationWindows::TApplicationWindows() = default;
TApplicationWindows::~TApplicationWindows() {
  // The helper windows go before the main window that refers to them.
  Form4.reset();
  Form3.reset();
  Form2.reset();
  Form1.reset();
}
TApplicationWindows::TApplicationWindows(TApplicationWindows&&) noexcept = default;

TApplicationWindows CreateApplicationWindows(const std::string& ExecutableDir, TDialogService* dialogs) {
  TApplicationWindows windows;
  // Creating the main window runs its creation handler.
  windows.Form1 = std::make_unique<TForm1>(ExecutableDir, dialogs);
  // The helper windows stand on their own (hidden), as the main window's peers.
  windows.Form2 = std::make_unique<TForm2>(windows.Form1->Dialogs());
  windows.Form3 = std::make_unique<TForm3>();
  windows.Form4 = std::make_unique<TForm4>();
  windows.Form1->SetHelperWindows(windows.Form2.get(), windows.Form3.get(), windows.Form4.get());
  return windows;
}

std::unique_ptr<QTranslator> InstallRussianQtTexts() {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load("qtbase_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return nullptr;
  QCoreApplication::installTranslator(translator.get());
  return translator;
}

int RunApplication(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName("Kestrilo");
  app.setApplicationVersion("0.9");
  const std::unique_ptr<QTranslator> russian = InstallRussianQtTexts();
  const std::string executableDir = QCoreApplication::applicationDirPath().toStdString() + "/";
  TApplicationWindows windows = CreateApplicationWindows(executableDir);
  // Recovery copies live in the user's data folder, never beside the designer's files.
  windows.Form1->Editor().Recovery.Folder =
      (QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery").toStdString();
  windows.Form1->showMaximized();  // the first showing initialises the drawing area
  return app.exec();
}

}  // namespace kestrilo

#include "windows/Application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "editor/DataFolderChoice.h"
#include "editor/RecentLevels.h"
#include "editor/RememberedFolders.h"
#include "editor/Translations.h"
#include "platform/widgets/QtDialogService.h"
#include "windows/CommandLine.h"
#include "windows/HelpScreen.h"
#include "windows/LanguageMenu.h"
#include "windows/LoadingWindow.h"
#include "windows/MainForm.h"
#include "windows/NewObjectDialog.h"
#include "windows/RecentLevelsMenu.h"
#include "windows/WindowLayout.h"

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

void ConnectRecentLevels(TForm1& Form, TRecentLevels& Levels) {
  Form.Editor().Attachments.LevelFileUsed = [&Levels](const std::string& path) { Levels.Add(path); };
  new TRecentLevelsMenu(Form, Levels);  // owned by the window
}

namespace {

void NameApplication() {
  QCoreApplication::setApplicationName("Kestrilo");
  QCoreApplication::setApplicationVersion(KESTRILO_VERSION);
}

// The user's settings: ~/.config/Kestrilo/kestrilo.ini on Linux.
std::unique_ptr<QSettings> UserSettings() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Kestrilo", "kestrilo");
}

}  // namespace

int RunApplication(int argc, char** argv) {
  TCommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.Action == TCommandLine::TAction::PrintHelp || line.Action == TCommandLine::TAction::PrintVersion) {
    QCoreApplication core(argc, argv);  // no display needed
    NameApplication();
    const TInterfaceTranslators translators(StoredLanguage(*UserSettings()));
    const std::string text = line.Action == TCommandLine::TAction::PrintHelp ? CommandLineHelp() : VersionLine();
    std::fputs(text.c_str(), stdout);
    return 0;
  }

  if (line.Action == TCommandLine::TAction::Fail) {
    QCoreApplication core(argc, argv);
    NameApplication();
    const TInterfaceTranslators translators(StoredLanguage(*UserSettings()));
    line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));  // the message in the chosen language
    std::fputs((line.Error + "\n\n" + CommandLineHelp()).c_str(), stderr);
    return 2;
  }

  QApplication app(argc, argv);
  NameApplication();
  const std::unique_ptr<QSettings> settings = UserSettings();
  const TLanguage language = StoredLanguage(*settings);
  const TInterfaceTranslators translators(language);

  const std::string executableDir = QCoreApplication::applicationDirPath().toStdString() + "/";
  const TDataFolderChoice data = ChooseDataFolder(
      {executableDir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()});
  std::string dataFolderError;
  try {
    PrepareDataFolder(data);
  } catch (const std::exception& error) {
    dataFolderError = error.what();
  }

  TQtDialogService qtDialogs;
  TRememberedFolders folders(*settings);
  TFolderRememberingDialogService dialogs(qtDialogs, folders, data.Installed ? data.DataFolder : std::string());
  TRecentLevels recentLevels(*settings);
  TApplicationWindows windows = CreateApplicationWindows(executableDir, &dialogs);
  TForm1& form = *windows.Form1;
  qtDialogs.SetParent(&form);
  form.Editor().DataFolder = data.DataFolder;
  // Recovery copies live in the user's data folder, never beside the designer's files.
  form.Editor().Autosave().Recovery.Folder =
      (QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery").toStdString();
  ConnectRecentLevels(form, recentLevels);
  new TLanguageMenu(form, *settings, language);  // owned by the window

  // The layout of the last run, or the classic size at a first start.
  TWindowLayout::Restore(form, *settings);
  form.Closing = [&form, &settings] { TWindowLayout::Save(form, *settings); };
  form.show();  // the first showing initialises the drawing area
  // The level opens once the loop runs, after the drawing area is ready.
  QTimer::singleShot(0, &form, [&form, &dialogs, dataFolderError, level = line.LevelFile] {
    if (!dataFolderError.empty()) dialogs.ShowMessage(dataFolderError);
    if (!level.empty()) OpenStartupLevel(form, level);
  });
  return app.exec();
}

}  // namespace kestrilo

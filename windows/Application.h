// Start-up of the editor: the application, then the four windows in order
// (main window, new-object dialog, loading window, help screen), then the
// message loop until the application ends.
#pragma once

#include <memory>
#include <string>

class QTranslator;

namespace kestrilo {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TDialogService;

// The four windows of a run, made in their order and bound together.
struct TApplicationWindows {
  std::unique_ptr<TForm1> Form1;
  std::unique_ptr<TForm2> Form2;
  std::unique_ptr<TForm3> Form3;
  std::unique_ptr<TForm4> Form4;
  TApplicationWindows();
  ~TApplicationWindows();
  TApplicationWindows(TApplicationWindows&&) noexcept;
};

// Makes the windows (hidden) for a run whose executable lies in ExecutableDir
// (with its trailing separator). `dialogs` null means real dialogs.
TApplicationWindows CreateApplicationWindows(const std::string& ExecutableDir, TDialogService* dialogs = nullptr);

// The editor speaks Russian throughout: Qt's own texts (dialog buttons, file
// dialog labels) are put into Russian too, when Qt's translations are installed.
// Returns the installed translator, or null when there is none to install.
std::unique_ptr<QTranslator> InstallRussianQtTexts();

class TRecentLevels;

// Files the levels the editor reads and writes in Levels, and puts the list
// into the File menu.
void ConnectRecentLevels(TForm1& Form, TRecentLevels& Levels);

// Parses the command line (--help and --version answer without a display),
// then runs the editor in the chosen language with the data folder of its
// layout and opens the level given, if any.
int RunApplication(int argc, char** argv);

}  // namespace kestrilo

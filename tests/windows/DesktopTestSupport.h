// The main window over a scratch program folder holding the sample library
// and a saved level, with scripted dialogs and settings in a file of the
// scratch folder (never the user's own settings).
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "platform/ScriptedDialogService.h"
#include "tests/editor/EditorTestSupport.h"
#include "windows/Application.h"
#include "windows/MainForm.h"

namespace kestrilo::editortest {

// A level of two walls and a background piece, saved as Level (UTF-8 names
// of the sample library).
inline void SaveSmallLevel(TEditorFixture& Sample, const std::string& Level) {
  Sample.OpenObjects();
  Sample.ClickAt(0, 448, "Стена");
  Sample.ClickAt(64, 448, "Плита");
  Sample.Dialogs.FileAnswers = {Level};
  Sample.Editor.Files().SaveLevel();
}

struct TDesktopFixture {
  TEditorFixture Sample;  // its folder is the program's folder, with Data/
  QTemporaryDir SettingsDir;
  std::unique_ptr<QSettings> Settings;
  TScriptedDialogService Dialogs;
  std::unique_ptr<TApplicationWindows> Windows;

  TDesktopFixture() {
    Sample.WriteSampleData();
    Settings = std::make_unique<QSettings>(SettingsDir.filePath("kestrilo.ini"), QSettings::IniFormat);
  }
  std::string Level() const { return Sample.Path("level.mtf"); }
  void SaveLevel() { SaveSmallLevel(Sample, Level()); }
  // Makes and shows the windows (the first showing initialises the drawing area).
  TForm1& Open() {
    Windows = std::make_unique<TApplicationWindows>(
        CreateApplicationWindows(Sample.Dir.path().toStdString() + "/", &Dialogs));
    Windows->Form1->show();
    return *Windows->Form1;
  }
};

// The main window over an empty scratch program folder, shown, with its
// first frame stepped (the drawing area takes its size from the laid-out
// window at the first frame).
struct TShownMainWindow {
  QTemporaryDir Dir;
  TScriptedDialogService Dialogs;
  TForm1 Form{Dir.path().toStdString() + "/", &Dialogs};

  TShownMainWindow() {
    Form.show();
    StepFrame();
  }
  // Lets the window lay itself out, then steps one frame.
  void StepFrame() {
    QApplication::processEvents();
    Form.Editor().Frames().Step();
  }
};

}  // namespace kestrilo::editortest

// A headless editor for the editor tests: a scratch executable folder with a
// Data folder, a drawing area initialised without a window, the command layer
// over its own game context, a scripted dialog service, an overview canvas and
// doubles of the two helper windows.
#pragma once

#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/Editor.h"
#include "matrix/ProgressBar.h"
#include "platform/Canvas.h"
#include "platform/DXTimer.h"
#include "platform/DrawingSurface.h"
#include "platform/ScriptedDialogService.h"
#include "platform/Surface.h"
#include "support/BitmapFile.h"
#include "world/GameContext.h"

namespace kestrilo::editortest {

using testsupport::SolidBitmap;
using testsupport::WriteFile;

// One library entry of the sample objects file.
struct TSampleObject {
  std::string_view Name;  // UTF-8
  uint8_t Type;
  int32_t Number;
  int32_t Width, Height;
};

// The objects of the sample library, in table order.
const std::vector<TSampleObject>& SampleObjects();

class TRecordingBar : public TProgressBar {
 public:
  void SetPosition(int32_t Position) override { Positions.push_back(Position); }
  std::vector<int32_t> Positions;
};

class TFakeLoadingWindow : public TLoadingWindowPort {
 public:
  void ShowAndPaint() override {
    ++Shown;
    Visible = true;
  }
  void Close() override {
    ++Closed;
    Visible = false;
  }
  TProgressBar* MainBar() override { return &Main; }
  TProgressBar* PlanesBar() override { return &Planes; }
  int Shown = 0, Closed = 0;
  bool Visible = false;
  TRecordingBar Main, Planes;
};

class TFakeNewObjectSource : public TNewObjectSource {
 public:
  void ShowModal(int32_t Number) override { ShownWith.push_back(Number); }
  TNewObject Build(int32_t Number) override {
    TNewObject entry = Entry;
    entry.Record.Number = Number;
    return entry;
  }
  std::vector<int32_t> ShownWith;
  TNewObject Entry;
};

class TEditorFixture {
 public:
  TEditorFixture();
  ~TEditorFixture();

  // Writes Data/test.obj with Data/test.dxg (the sample library), and
  // Data/DinObj.dxg with one dynamic picture unless told otherwise.
  void WriteSampleData(bool withDynamicGraphics = true);
  std::string Path(const std::string& relative) const;

  // Opens the sample objects file through the command.
  TSidePanelUpdate OpenObjects();
  // Selects a type with the side panel's type list.
  void ChooseType(uint8_t type) { Editor.ChangeObjectType(type); }
  // Clicks at a drawing-area point with a named object (UTF-8) chosen.
  void ClickAt(int32_t x, int32_t y, std::string_view utf8Name, int32_t liftHeight = 0, int32_t keyCode = 0);
  // One frame of the frame timer.
  void Tick() { Editor.Frames().Step(); }

  // Children of the root with this class name.
  int32_t CountOf(std::string_view className) const;
  int32_t NumberOf(std::string_view utf8Name) const;

  QTemporaryDir Dir;
  uint32_t Now = 0;
  TScriptedDialogService Dialogs;
  TGameContext Context;
  TDrawingSurface Draw;
  TDXTimer Timer;
  TSurface OverviewSurface{800, 534};
  TCanvas OverviewCanvas{&OverviewSurface};
  TFakeLoadingWindow Loading;
  TFakeNewObjectSource NewObject;
  TEditor Editor;
  int Terminated = 0;
  int OverviewRedraws = 0;
};

}  // namespace kestrilo::editortest

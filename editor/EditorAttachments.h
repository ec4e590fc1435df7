// What the window (or a test, or the headless tool) attaches to the editor
// once, after making it: the drawing area, the frame timer, the overview's
// canvas, the helper windows and the callbacks that tell it what changed.
// None is owned; each may be absent in headless runs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "world/LevelCheck.h"

namespace kestrilo {

class TCanvas;
class TDrawingSurface;
class TDXTimer;
class TInputRecorder;
class TLoadingWindowPort;
class TNewObjectSource;

struct TEditorAttachments {
  TDrawingSurface* DrawArea = nullptr;
  TDXTimer* FrameTimer = nullptr;
  TCanvas* OverviewCanvas = nullptr;  // the main window's canvas for the overview map
  TNewObjectSource* NewObjectSource = nullptr;
  TLoadingWindowPort* LoadingWindow = nullptr;
  std::function<void()> OverviewChanged;  // the overview was redrawn
  std::function<void()> Terminate;        // end the application
  std::function<int32_t()> CursorX;       // the mouse cursor's screen X
  int32_t DrawAreaLeft = 8;               // the drawing area's left edge in the window
  // Keeps the held keys of every preview tick while a recording runs.
  TInputRecorder* Recorder = nullptr;
  // Told when the document's state or the last result changed (the status
  // line), and when the library's entries changed (the object list).
  std::function<void()> DocumentChanged;
  std::function<void()> LibraryChanged;
  // Milliseconds of a steady clock, for autosaving; none means no autosave.
  std::function<uint64_t()> Clock;
  // A level file was read or written in full (the recent-levels list keeps it).
  std::function<void(const std::string&)> LevelFileUsed;
  // A level was loaded and checked against its library (the window lists what was found).
  std::function<void(const std::vector<TLevelFinding>&)> LevelChecked;
};

}  // namespace kestrilo

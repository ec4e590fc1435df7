// The frame loop: one tick of the frame timer moves the world (unless play
// is paused) and draws the frame — the level at the view's zoom, the grid
// and the status lines of the overlay, the edit marks — then presents it.
#pragma once

#include <cstdint>

#include "editor/StatusOverlay.h"

namespace kestrilo {

class TEditor;

// The raw 5-6-5 pixel value the frame step fills the back buffer with: very dark green.
constexpr uint16_t kFrameBackgroundPixel = 128;

class TFrameLoop {
 public:
  explicit TFrameLoop(TEditor& Editor) : Editor(Editor) {}

  // One tick of the frame timer.
  void Step();
  // The grid and the status lines over the frame.
  void DrawOverlay(bool ShowGrid, bool ShowText, uint8_t CellSize);

 private:
  // The world shrunk by the zoom's divisor into the back buffer.
  void DrawZoomedWorld();

  TEditor& Editor;
  bool inTick_ = false;
  TStatusOverlay overlay_;  // keeps the status lines of the last frames
};

}  // namespace kestrilo

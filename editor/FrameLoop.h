// The frame loop: one tick of the frame timer moves the world (unless play
// is paused) and draws the frame — the level at the view's zoom, the grid
// and the status lines of the overlay, the edit marks — then presents it.
#pragma once

#include <cstdint>

#include "editor/FrameChanges.h"
#include "editor/StatusOverlay.h"
#include "sprites/RetainedDrawing.h"

namespace kestrilo {

class TEditor;

// The raw 5-6-5 pixel value the frame step fills the back buffer with: very dark green.
constexpr uint16_t kFrameBackgroundPixel = 128;

class TFrameLoop {
 public:
  explicit TFrameLoop(TEditor& Editor) : Editor(Editor) {}

  // One tick of the frame timer. The world ticks at every step; the frame is
  // drawn and presented only when it would show something the last one
  // presented did not.
  void Step();
  bool InTick() const { return inTick_; }
  const TFrameChanges& FrameChanges() const { return frameChanges_; }
  const TRetainedDrawing& RetainedDrawing() const { return retained_; }
  // Whether the edit view draws its frames from kept pictures of the resting
  // objects (so by default); without, every frame is drawn whole, as the
  // preview draws it, to compare the two.
  void SetRetainsPictures(bool Value) {
    retains_ = Value;
    retained_.Forget();
  }
  // The grid and the status lines over the frame.
  void DrawOverlay(bool ShowGrid, bool ShowText, uint8_t CellSize);

 private:
  // What the frame drawn now would show, and drawing it.
  TFrameContent NextFrameContent() const;
  void DrawFrame(const TFrameContent& Frame);
  TOverlayStatus OverlayStatus() const;
  void DrawOverlayWith(bool ShowGrid, bool ShowText, uint8_t CellSize, const TOverlayStatus& Status);
  // The world at the view's zoom, with the planes the edit view hides left
  // out and the others dimmed when it asks.
  void DrawPlanes();
  // The edit view's world from the kept picture of its resting objects
  // (RetainedDrawing.h); false when the frame must be drawn whole.
  bool DrawRetainedWorld();
  void DrawWorld();
  // The world shrunk by the zoom's divisor into the back buffer.
  void DrawZoomedWorld();

  TEditor& Editor;
  bool inTick_ = false;
  TStatusOverlay overlay_;  // keeps the status lines of the last frames
  TFrameChanges frameChanges_;
  TRetainedDrawing retained_;
  bool retains_ = true;
};

}  // namespace kestrilo

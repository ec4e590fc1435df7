// Whether the frame loop's next frame would show anything the last presented
// one did not. The world ticks at every frame; drawing and presenting a frame
// that shows nothing new only costs the processor (an editor left alone with a
// large level open), so the frame step asks this first.
//
// A frame is what the back buffer is filled from: its size and zoom, the
// world's drawn state over the view and the camera (TSpriteEngine::DrawnStateKey),
// the grid and status lines, the edit marks, and the designer's commands run
// (the editor's own changes to placed objects, which the world's key does not
// see). Two frames with equal contents draw the same pixels.
#pragma once

#include <cstdint>
#include <optional>

#include "editor/StatusOverlay.h"

namespace kestrilo {

struct TFrameContent {
  int32_t Width = 0, Height = 0;  // the back buffer
  int32_t Divisor = 1;            // the zoom
  bool Editing = false;
  uint64_t World = 0;
  bool ShowGrid = false;
  uint8_t CellSize = 0;
  TOverlayStatus Status;
  uint64_t Marks = 0;
  uint64_t Commands = 0;
  bool operator==(const TFrameContent&) const = default;
};

class TFrameChanges {
 public:
  // True when a frame with these contents would differ from the last one
  // presented, or when none has been presented since Forget.
  bool NeedsDrawing(const TFrameContent& Next) const { return !presented_ || !(*presented_ == Next); }
  // A frame with these contents is now shown.
  void Presented(const TFrameContent& Shown) { presented_ = Shown; }
  // The back buffer's pixels are gone (resized, restored): the next frame is drawn.
  void Forget() { presented_.reset(); }

  // Frames drawn and left undrawn since the editor started.
  int64_t FramesDrawn() const { return drawn_; }
  int64_t FramesSkipped() const { return skipped_; }
  void CountDrawn() { ++drawn_; }
  void CountSkipped() { ++skipped_; }

 private:
  std::optional<TFrameContent> presented_;
  int64_t drawn_ = 0, skipped_ = 0;
};

}  // namespace kestrilo

// The pointer over the drawing area (client pixels): strokes that paint and
// erase, selecting a region and dragging it, placing a paste, and the marks
// that show where a click lands (the ghost of the chosen object or of the
// paste, the selection's outline, a cell the level check pointed at).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "editor/PaintStroke.h"
#include "editor/SidePanelValues.h"

namespace kestrilo {

class TEditor;

class TPointerGestures {
 public:
  explicit TPointerGestures(TEditor& Editor) : Editor(Editor) {}

  // A press or release answers true when it was taken by one of the
  // gestures; a release answering false is a plain click for
  // DXDraw1Click/DXDraw1MouseUp.
  bool PointerPressed(TPointerButton Button, int32_t X, int32_t Y, bool Shift, const TPlacementInputs& Inputs);
  void PointerMoved(int32_t X, int32_t Y, const TPlacementInputs& Inputs);
  bool PointerReleased(TPointerButton Button, int32_t X, int32_t Y, const TPlacementInputs& Inputs);
  void PointerLeft();
  // Shows the clipboard as a ghost under the pointer until a click places it.
  void StartPaste();
  // The clipboard as a brush: while on, a click or a drag with the left
  // button stamps the copied region again and again along the stroke, each
  // copy beside the last, the whole stroke one undo step.
  void SetStamping(bool On);
  bool Stamping() const { return stamping_; }
  // Draws the marks over the frame, above the grid so that its lines do not hide them.
  void DrawEditMarks() const;
  // A hash of everything DrawEditMarks and the planes' drawing read, so that
  // the frame loop can tell an unchanged frame.
  uint64_t EditMarksKey() const;

 private:
  TGridCell GridCellAt(int32_t X, int32_t Y) const;
  // One cell of a stroke: placed or erased, the change kept by the stroke.
  void StrokeCell(TGridCell Cell, const TPlacementInputs& Inputs);
  bool StartStamping(int32_t X, int32_t Y, const TPlacementInputs& Inputs);
  // One copy of the clipboard with its top-left cell at a level cell, unless
  // it would cover a copy this stroke has stamped.
  void StampAt(int64_t Column, int64_t Row);

  TEditor& Editor;
  TPaintStroke stroke_;
  std::optional<std::pair<int32_t, int32_t>> pointer_;  // over the drawing area, client pixels
  std::string ghostName_;                               // the chosen object, for its ghost
  bool pasteShown_ = false;
  bool stamping_ = false;
  int32_t stamps_ = 0;  // copies stamped by the running stroke
};

}  // namespace kestrilo

// The selection and the clipboard ("Правка"): copy, cut, delete, paste,
// move and fill the selected region, on the current plane or on all planes.
// Each change is worked out on a draft of the level and recorded as one undo step.
#pragma once

#include <cstdint>

#include "editor/SidePanelValues.h"
#include "world/LevelClipboard.h"

namespace kestrilo {

class TEditor;

class TRegionCommands {
 public:
  explicit TRegionCommands(TEditor& Editor) : Editor(Editor) {}

  void CopySelection();
  void CutSelection();
  void DeleteSelection();
  void FillSelection(const TPlacementInputs& Inputs);
  // Pastes the clipboard with its top-left cell at a cell of the level.
  void PasteAt(int64_t Column, int64_t Row);
  // Moves the selected objects by whole cells; the selection goes with them.
  void MoveSelection(int64_t Columns, int64_t Rows);

 private:
  TPlaneMask SelectionPlanes() const;

  TEditor& Editor;
};

}  // namespace kestrilo

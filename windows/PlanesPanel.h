// The planes panel: a dock that lists the main plane and the four back
// planes, each with a box to show or hide it in the edit view and one to lock
// it against edits, and a box that dims every plane but the current one. It
// changes only the editor's plane view (editor/PlaneView.h): never the level.
#pragma once

#include <QDockWidget>
#include <array>

#include "matrix/Matrix.h"

class QCheckBox;

namespace kestrilo {

class TEditor;

class TPlanesPanel : public QDockWidget {
  Q_OBJECT

 public:
  TPlanesPanel(TEditor& Editor, QWidget* Parent);

  std::array<QCheckBox*, TMatrix::kPlaneCount> ShownBoxes{}, LockedBoxes{};
  QCheckBox* DimOthersBox = nullptr;

 private:
  TEditor& editor_;
};

}  // namespace kestrilo

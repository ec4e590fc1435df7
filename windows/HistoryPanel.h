// The history panel: a dock listing the steps of the level's and the
// library's history by name, oldest first under "Начало истории", with the
// current step selected (Qt's QUndoView on the editor's one undo stack). A
// click on a step goes back or forward to it through the editor, as that many
// Ctrl+Z or Ctrl+Y would: the level, the overview map, the unsaved marks and
// the result line follow.
#pragma once

#include <QDockWidget>

class QUndoView;

namespace kestrilo {

class TEditor;

class THistoryPanel : public QDockWidget {
  Q_OBJECT

 public:
  THistoryPanel(TEditor& Editor, QWidget* Parent);

  QUndoView* StepList = nullptr;
};

}  // namespace kestrilo

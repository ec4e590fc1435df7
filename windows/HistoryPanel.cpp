#include "windows/HistoryPanel.h"

#include <QItemSelectionModel>
#include <QUndoView>

#include "editor/Editor.h"
#include "editor/UndoHistory.h"

namespace kestrilo {

THistoryPanel::THistoryPanel(TEditor& Editor, QWidget* Parent) : QDockWidget(tr("История правок"), Parent) {
  setObjectName("HistoryPanel");
  StepList = new QUndoView(&Editor.UndoStack, this);
  StepList->setObjectName("StepList");
  StepList->setEmptyLabel(tr("Начало истории"));
  // Wide enough for a step's name with an object's name in it.
  StepList->setMinimumWidth(StepList->fontMetrics().averageCharWidth() * 32);
  // The list's own model would move the stack itself; the walk goes through
  // the editor instead, so that an error of a step is shown as a command's
  // error and the result line says what was undone. Row n is the stack's index n.
  QObject::disconnect(StepList->selectionModel(), nullptr, StepList->model(), nullptr);
  connect(StepList->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [&Editor](const QModelIndex& Current) {
            if (Current.isValid()) GoToHistoryStep(Editor, Current.row());
          });
  setWidget(StepList);
}

}  // namespace kestrilo

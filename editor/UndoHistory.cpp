#include "editor/UndoHistory.h"

#include <QCoreApplication>

#include "editor/Editor.h"
#include "platform/Cp1251.h"

namespace kestrilo {

namespace {

// "Отменено: ..." for one step, "Отменено шагов: N; последний: ..." for several.
std::string WalkResult(bool Back, int Steps, const QString& LastText) {
  const QString last = QString::fromStdString(cp1251::EscapeControls(LastText.toStdString()));
  if (Steps == 1)
    return QCoreApplication::translate("TEditor", Back ? QT_TRANSLATE_NOOP("TEditor", "Отменено: %1")
                                                       : QT_TRANSLATE_NOOP("TEditor", "Повторено: %1"))
        .arg(last)
        .toStdString();
  return QCoreApplication::translate("TEditor",
                                     Back ? QT_TRANSLATE_NOOP("TEditor", "Отменено шагов: %1; последний: %2")
                                          : QT_TRANSLATE_NOOP("TEditor", "Повторено шагов: %1; последний: %2"))
      .arg(Steps)
      .arg(last)
      .toStdString();
}

}  // namespace

void GoToHistoryStep(TEditor& Editor, int Index) {
  QUndoStack& stack = Editor.UndoStack;
  if (Index < 0 || Index > stack.count() || Index == stack.index()) return;
  const bool back = Index < stack.index();
  int steps = 0;
  QString last;
  Editor.Guarded([&] {
    // One step at a time, as the keys do, so that an error stops the walk
    // with the stack at the last step that was made.
    while (stack.index() != Index) {
      const QString text = back ? stack.undoText() : stack.redoText();
      if (back)
        stack.undo();
      else
        stack.redo();
      ++steps;
      last = text;
    }
  });
  if (steps > 0) Editor.SetResult(WalkResult(back, steps, last));
}

}  // namespace kestrilo

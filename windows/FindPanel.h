// The find-and-replace panel: a dock that finds the placements of a library
// object by name, one after the other (the view centred on each and its cell
// marked) or all at once (each outlined in the view), and replaces one object
// by another, in the whole level or in the selection, through the editor's
// find part (editor/FindAndReplace.h). What a step found, or why it could
// not, shows under the fields and in the status line.
#pragma once

#include <QDockWidget>

class QComboBox;
class QLabel;
class QMenu;
class QPushButton;

namespace kestrilo {

class TEditor;
class TFindAndReplace;
enum class TSearchScope;

class TFindPanel : public QDockWidget {
  Q_OBJECT

 public:
  TFindPanel(TEditor& Editor, QWidget* Parent);

  // Shows the panel with the name field ready for typing.
  void Open();
  // "Найти и заменить..." (Ctrl+H), "Найти далее" (F3) and "Найти назад" (Shift+F3).
  void AddActionsTo(QMenu& Menu);

  QComboBox *NameField = nullptr, *ScopeField = nullptr, *ReplacementField = nullptr;
  QPushButton *PreviousButton = nullptr, *NextButton = nullptr, *MarkAllButton = nullptr, *ClearMarksButton = nullptr,
              *ReplaceButton = nullptr;
  QLabel* ResultLabel = nullptr;

 private:
  TSearchScope Scope() const;
  void Step(bool Forward);
  // The library's names in both lists, what is typed kept.
  void RefreshNames();
  void ShowResult(const std::string& Message);

  TEditor& editor_;
  TFindAndReplace& find_;
};

}  // namespace kestrilo

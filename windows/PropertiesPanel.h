// The properties panel: a dock beside the view that shows the placed object
// the designer chose (Alt+click on it, or Объект → "Свойства объекта") and
// changes its plane, lift height, key code or the object itself through the
// editor's properties part. It follows every change of the history, so an
// undo shows at once; a change that is refused leaves its reason under the fields.
#pragma once

#include <QDockWidget>

class QComboBox;
class QLabel;
class QSpinBox;
class QUndoStack;

namespace kestrilo {

class TEditor;
class TPlacedObjectProperties;
struct TObjectEditResult;

class TPropertiesPanel : public QDockWidget {
  Q_OBJECT

 public:
  TPropertiesPanel(TEditor& Editor, QWidget* Parent);

  // Chooses the object under a drawing-area pixel and shows the panel; a
  // pixel over nothing says so in the panel.
  void ChooseAt(int X, int Y);
  // Shows the chosen object as the level holds it now.
  void Refresh();

  QLabel *NameField = nullptr, *TypeField = nullptr, *AnchorField = nullptr, *FootprintField = nullptr;
  QSpinBox *PlaneField = nullptr, *LiftHeightField = nullptr, *KeyCodeField = nullptr;
  QComboBox* ObjectField = nullptr;
  QLabel* ReasonLabel = nullptr;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void Show(const TObjectEditResult& Result);
  TEditor& editor_;
  TPlacedObjectProperties& properties_;
};

}  // namespace kestrilo

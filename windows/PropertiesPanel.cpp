#include "windows/PropertiesPanel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QUndoStack>

#include "editor/Editor.h"
#include "editor/PlacedObjectProperties.h"

namespace kestrilo {

namespace {

// Wider than the values allowed, so that a value typed out of range reaches
// the part and is refused with the range instead of being cut silently.
constexpr int kTypedLimit = 9999;

QSpinBox* MakeNumberField(QWidget* Parent, const char* Name, int Minimum, int Maximum) {
  auto* field = new QSpinBox(Parent);
  field->setObjectName(Name);
  field->setRange(Minimum, Maximum);
  // A typed value counts once it is confirmed (Enter, or the focus leaves).
  field->setKeyboardTracking(false);
  return field;
}

QLabel* MakeValueLabel(QWidget* Parent, const char* Name) {
  auto* label = new QLabel(Parent);
  label->setObjectName(Name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

TPropertiesPanel::TPropertiesPanel(TEditor& Editor, QWidget* Parent)
    : QDockWidget(tr("Свойства объекта"), Parent), editor_(Editor), properties_(Editor.Properties) {
  setObjectName("PropertiesPanel");
  auto* body = new QWidget(this);
  auto* form = new QFormLayout(body);
  NameField = MakeValueLabel(body, "NameField");
  TypeField = MakeValueLabel(body, "TypeField");
  AnchorField = MakeValueLabel(body, "AnchorField");
  FootprintField = MakeValueLabel(body, "FootprintField");
  PlaneField = MakeNumberField(body, "PlaneField", 0, 4);
  LiftHeightField = MakeNumberField(body, "LiftHeightField", -kTypedLimit, kTypedLimit);
  KeyCodeField = MakeNumberField(body, "KeyCodeField", -kTypedLimit, kTypedLimit);
  ObjectField = new QComboBox(body);
  ObjectField->setObjectName("ObjectField");
  ReasonLabel = new QLabel(body);
  ReasonLabel->setObjectName("ReasonLabel");
  ReasonLabel->setWordWrap(true);
  ReasonLabel->setStyleSheet("color: #a00000");
  form->addRow(tr("Объект:"), NameField);
  form->addRow(tr("Тип:"), TypeField);
  form->addRow(tr("Клетка:"), AnchorField);
  form->addRow(tr("Размер:"), FootprintField);
  form->addRow(tr("Ось Z:"), PlaneField);
  form->addRow(tr("Высота лифта:"), LiftHeightField);
  form->addRow(tr("Код ключа:"), KeyCodeField);
  form->addRow(tr("Заменить на:"), ObjectField);
  form->addRow(ReasonLabel);
  setWidget(body);

  connect(PlaneField, &QSpinBox::valueChanged, this, [this](int plane) { Show(properties_.MoveToPlane(plane)); });
  connect(LiftHeightField, &QSpinBox::valueChanged, this,
          [this](int value) { Show(properties_.SetLiftHeight(value)); });
  connect(KeyCodeField, &QSpinBox::valueChanged, this, [this](int value) { Show(properties_.SetKeyCode(value)); });
  connect(ObjectField, &QComboBox::activated, this,
          [this](int index) { Show(properties_.ChangeObject(ObjectField->itemText(index))); });
  for (QWidget* field : std::initializer_list<QWidget*>{PlaneField, LiftHeightField, KeyCodeField})
    field->installEventFilter(this);
  // An undo or redo may move, change or take away the chosen object.
  connect(&editor_.UndoStack, &QUndoStack::indexChanged, this, [this] { Refresh(); });
  Refresh();
}

bool TPropertiesPanel::eventFilter(QObject* Watched, QEvent* Event) {
  // Each change here is a step of the level's history, so Ctrl+Z in a field
  // undoes the step (the window's shortcut) rather than the field's typing.
  if (Event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(Event);
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) return true;
  }
  return QDockWidget::eventFilter(Watched, Event);
}

void TPropertiesPanel::ChooseAt(int X, int Y) {
  const TCellPoint cell = editor_.CellAt(X, Y);
  const bool found = properties_.ChooseAt(cell.Column, cell.Row);
  Refresh();
  ReasonLabel->setText(found ? QString() : tr("Здесь нет объекта ни на одном плане"));
  show();
  raise();
}

void TPropertiesPanel::Show(const TObjectEditResult& Result) {
  Refresh();
  ReasonLabel->setText(QString::fromStdString(Result.Refusal));
}

void TPropertiesPanel::Refresh() {
  const std::optional<TPlacedObjectSheet> sheet = properties_.Sheet();
  const QSignalBlocker blocks[] = {QSignalBlocker(PlaneField), QSignalBlocker(LiftHeightField),
                                   QSignalBlocker(KeyCodeField), QSignalBlocker(ObjectField)};
  ObjectField->clear();
  for (const QString& name : properties_.LibraryNames()) ObjectField->addItem(name);
  for (QWidget* field : std::initializer_list<QWidget*>{PlaneField, LiftHeightField, KeyCodeField, ObjectField})
    field->setEnabled(sheet.has_value());
  ReasonLabel->clear();
  if (!sheet) {
    NameField->setText(tr("Alt+щелчок по объекту показывает его свойства"));
    for (QLabel* label : {TypeField, AnchorField, FootprintField}) label->clear();
    return;
  }
  NameField->setText(tr("%1 (№ %2)").arg(sheet->Name).arg(sheet->Number));
  TypeField->setText(sheet->TypeName);
  AnchorField->setText(tr("столбец %1, строка %2").arg(sheet->Column).arg(sheet->Row));
  FootprintField->setText(tr("%1 × %2 клеток").arg(sheet->Footprint.Columns).arg(sheet->Footprint.Rows));
  PlaneField->setValue(sheet->Plane);
  LiftHeightField->setValue(sheet->LiftHeight);
  LiftHeightField->setEnabled(sheet->HasLiftHeight);
  KeyCodeField->setValue(sheet->KeyCode);
  KeyCodeField->setEnabled(sheet->HasKeyCode);
  ObjectField->setCurrentText(sheet->Name);
}

}  // namespace kestrilo

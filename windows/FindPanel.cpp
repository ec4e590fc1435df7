#include "windows/FindPanel.h"

#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QUndoStack>

#include "editor/Editor.h"
#include "editor/FindAndReplace.h"

namespace kestrilo {

namespace {

QComboBox* MakeNameField(QWidget* Parent, const char* Name) {
  auto* field = new QComboBox(Parent);
  field->setObjectName(Name);
  field->setEditable(true);
  // A typed name is looked for, not added to the list.
  field->setInsertPolicy(QComboBox::NoInsert);
  field->completer()->setCaseSensitivity(Qt::CaseInsensitive);
  field->completer()->setFilterMode(Qt::MatchContains);
  field->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  field->setMinimumContentsLength(14);
  return field;
}

QPushButton* MakeButton(QWidget* Parent, const char* Name, const QString& Caption) {
  auto* button = new QPushButton(Caption, Parent);
  button->setObjectName(Name);
  // The view keeps the keyboard: a click here leaves the arrows to scroll it.
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

TFindPanel::TFindPanel(TEditor& Editor, QWidget* Parent)
    : QDockWidget(tr("Найти и заменить"), Parent), editor_(Editor), find_(Editor.Find()) {
  setObjectName("FindPanel");
  auto* body = new QWidget(this);
  auto* grid = new QGridLayout(body);
  NameField = MakeNameField(body, "NameField");
  ScopeField = new QComboBox(body);
  ScopeField->setObjectName("ScopeField");
  ScopeField->addItem(tr("Во всём уровне"));
  ScopeField->addItem(tr("В выделенном"));
  ScopeField->setFocusPolicy(Qt::NoFocus);
  ReplacementField = MakeNameField(body, "ReplacementField");
  PreviousButton = MakeButton(body, "PreviousButton", tr("Назад"));
  NextButton = MakeButton(body, "NextButton", tr("Далее"));
  MarkAllButton = MakeButton(body, "MarkAllButton", tr("Отметить все"));
  ClearMarksButton = MakeButton(body, "ClearMarksButton", tr("Снять отметки"));
  ReplaceButton = MakeButton(body, "ReplaceButton", tr("Заменить"));
  ResultLabel = new QLabel(body);
  ResultLabel->setObjectName("ResultLabel");
  ResultLabel->setWordWrap(true);
  ResultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* steps = new QHBoxLayout;
  for (QPushButton* button : {PreviousButton, NextButton, MarkAllButton, ClearMarksButton}) steps->addWidget(button);
  steps->addStretch();
  grid->addWidget(new QLabel(tr("Объект:"), body), 0, 0);
  grid->addWidget(NameField, 0, 1);
  grid->addWidget(new QLabel(tr("Где:"), body), 0, 2);
  grid->addWidget(ScopeField, 0, 3);
  grid->addLayout(steps, 1, 1, 1, 3);
  grid->addWidget(new QLabel(tr("Заменить на:"), body), 2, 0);
  grid->addWidget(ReplacementField, 2, 1);
  grid->addWidget(ReplaceButton, 2, 3, Qt::AlignLeft);
  grid->addWidget(ResultLabel, 3, 0, 1, 4);
  // Under a wide view the fields keep a readable width; the room left stays empty.
  grid->setColumnStretch(4, 1);
  grid->setRowStretch(4, 1);
  setWidget(body);

  connect(PreviousButton, &QPushButton::clicked, this, [this] { Step(false); });
  connect(NextButton, &QPushButton::clicked, this, [this] { Step(true); });
  connect(NameField->lineEdit(), &QLineEdit::returnPressed, this, [this] { Step(true); });
  connect(MarkAllButton, &QPushButton::clicked, this,
          [this] { ShowResult(find_.MarkAll(NameField->currentText(), Scope())); });
  connect(ClearMarksButton, &QPushButton::clicked, this, [this] {
    find_.ClearMarks();
    ResultLabel->clear();
  });
  connect(ReplaceButton, &QPushButton::clicked, this, [this] {
    const TReplacement result = find_.Replace(NameField->currentText(), ReplacementField->currentText(), Scope());
    ShowResult(result.Refusal.empty() ? result.Summary() : result.Refusal);
  });
  // Entries added to or taken from the library are steps of the history; an
  // objects file opened starts it afresh.
  connect(&editor_.UndoStack, &QUndoStack::indexChanged, this, [this] { RefreshNames(); });
  connect(this, &QDockWidget::visibilityChanged, this, [this](bool Visible) {
    if (Visible) RefreshNames();
  });
}

void TFindPanel::Open() {
  show();
  raise();
  RefreshNames();
  NameField->setFocus();
  NameField->lineEdit()->selectAll();
}

void TFindPanel::AddActionsTo(QMenu& Menu) {
  QAction* open = Menu.addAction(tr("Найти и заменить..."));
  open->setObjectName("EditFind");
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  connect(open, &QAction::triggered, this, [this] { Open(); });
  QAction* next = Menu.addAction(tr("Найти далее"));
  next->setObjectName("EditFindNext");
  next->setShortcut(QKeySequence(Qt::Key_F3));
  connect(next, &QAction::triggered, this, [this] { Step(true); });
  QAction* previous = Menu.addAction(tr("Найти назад"));
  previous->setObjectName("EditFindPrevious");
  previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
  connect(previous, &QAction::triggered, this, [this] { Step(false); });
}

TSearchScope TFindPanel::Scope() const {
  return ScopeField->currentIndex() == 1 ? TSearchScope::Selection : TSearchScope::Level;
}

void TFindPanel::Step(bool Forward) {
  if (NameField->currentText().isEmpty()) {
    Open();
    return;
  }
  ShowResult(Forward ? find_.FindNext(NameField->currentText(), Scope()).Message
                     : find_.FindPrevious(NameField->currentText(), Scope()).Message);
}

void TFindPanel::RefreshNames() {
  if (!isVisible()) return;
  const std::vector<QString> names = editor_.Properties.LibraryNames();
  for (QComboBox* field : {NameField, ReplacementField}) {
    const QString typed = field->currentText();
    const QSignalBlocker block(field);
    field->clear();
    for (const QString& name : names) field->addItem(name);
    field->setCurrentIndex(-1);
    field->setEditText(typed);
  }
}

void TFindPanel::ShowResult(const std::string& Message) { ResultLabel->setText(QString::fromStdString(Message)); }

}  // namespace kestrilo

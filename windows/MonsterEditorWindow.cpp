#include "windows/MonsterEditorWindow.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <set>

#include "editor/Editor.h"
#include "editor/MonsterEditCommands.h"
#include "library/DataFileNames.h"
#include "library/MonsterFieldLimits.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "platform/Cp1251.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"
#include "platform/Surface.h"
#include "windows/ScreenFit.h"
#include "world/GameContext.h"

namespace kestrilo {

namespace {

QString Shown(const std::string& stored) { return cp1251::ToQString(stored); }

// The frame loop's tick, so the preview runs at the game's pace.
constexpr int kPreviewTickMs = 14;
// The preview box; small pictures are drawn larger to be seen.
constexpr int kPreviewBox = 192;

constexpr const char* kStateNames[TMonsterRecord::kStateCount] = {
    QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "1: идёт влево"),
    QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "2: идёт вправо"),
    QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "3: смотрит на игрока влево"),
    QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "4: смотрит на игрока вправо"),
    QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "5: ранен, смотрит влево"),
    QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "6: ранен, смотрит вправо"),
    QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "7: умирает, смотрит влево"),
    QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "8: умирает, смотрит вправо"),
};

struct TMoveModeChoice {
  uint8_t Mode;
  const char* Caption;
};
constexpr TMoveModeChoice kMoveModes[] = {
    {TMonsterRecord::mmWalksAndFalls,
     QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "ходит и падает, где нет пола")},
    {TMonsterRecord::mmWalksWithoutFalling,
     QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "ходит, не сходя с края")},
    {TMonsterRecord::mmFliesAndBombs,
     QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "летает волной и бросает бомбы")},
};

// The fields' captions, for the problems list.
QString FieldCaption(const std::string& field) {
  static const std::pair<const char*, const char*> captions[] = {
      {"name", QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "Имя")},
      {"moveMode", QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "Как движется")},
      {"wakeDistance", QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "Расстояние пробуждения")},
      {"healthMin", QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "Здоровье")},
      {"healthMax", QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "Здоровье")},
      {"damageMin", QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "Урон")},
      {"damageMax", QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "Урон")},
      {"walkSpeed", QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "Скорость ходьбы")},
      {"shotPicture", QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "Картинка выстрела")},
      {"animSpeed", QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "Скорость анимации")},
      {"frameRanges", QT_TRANSLATE_NOOP("kestrilo::TMonsterEditorWindow", "Кадры состояний")},
  };
  for (const auto& [key, caption] : captions)
    if (field == key) return TMonsterEditorWindow::tr(caption);
  return QString::fromStdString(field);
}

QSpinBox* NumberField(const char* name, int min, int max) {
  auto* field = new QSpinBox;
  field->setObjectName(name);
  field->setRange(min, max);
  field->setKeyboardTracking(true);
  field->setMaximumWidth(90);
  return field;
}

// Puts a stored number into its field. A number outside the field's range
// (from a file made elsewhere) cannot be shown as it is: the field is marked
// and says what the file holds, until the number is changed.
void ShowStored(QSpinBox* field, int stored) {
  field->setValue(stored);
  const bool held = field->value() != stored;
  field->setStyleSheet(held ? QStringLiteral("background: #ffd0d0") : QString());
  field->setToolTip(held ? TMonsterEditorWindow::tr("В файле: %1").arg(stored) : QString());
}

QLabel* Note(const QString& text) {
  auto* label = new QLabel(text);
  label->setWordWrap(true);
  QFont font = label->font();
  font.setItalic(true);
  label->setFont(font);
  return label;
}

}  // namespace

TMonsterEditorWindow::TMonsterEditorWindow(std::string monsterFilePath, const TObjectDataBase* library,
                                           const TPictureCollection* pictures, TDialogService& dialogs, QWidget* parent)
    : QDialog(parent), path_(std::move(monsterFilePath)), dialogs_(dialogs), pictures_(pictures) {
  setObjectName("MonsterEditorWindow");
  file_ = TMonsterFile::Load(path_);
  if (library != nullptr) library->FillNameList(otMonster, monsterNames_);
  if (pictures_ != nullptr)
    for (int32_t i = 0; i < pictures_->Count(); ++i) pictureNames_.push_back(pictures_->Items(i)->Name());

  auto* columns = new QHBoxLayout;
  leftColumn_ = new QVBoxLayout;
  leftColumn_->addWidget(BuildListPanel(), 1);
  columns->addLayout(leftColumn_, 0);
  auto* middle = new QVBoxLayout;
  middle->addWidget(BuildFieldsPanel());
  middle->addWidget(BuildFramesPanel());
  middle->addStretch(1);  // where the list and the preview make the form taller, the room is left below
  columns->addLayout(middle, 1);
  previewPanel_ = BuildPreviewPanel();
  columns->addWidget(previewPanel_, 0);
  columns_ = columns;

  UndoButton = new QPushButton(tr("Отменить"));
  UndoButton->setObjectName("UndoButton");
  RedoButton = new QPushButton(tr("Повторить"));
  RedoButton->setObjectName("RedoButton");
  SaveButton = new QPushButton(tr("Сохранить"));
  SaveButton->setObjectName("SaveButton");
  CloseButton = new QPushButton(tr("Закрыть"));
  CloseButton->setObjectName("CloseButton");
  // Enter in a number field must not press a button.
  for (QPushButton* b : {UndoButton, RedoButton, SaveButton, CloseButton}) b->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(UndoButton);
  buttons->addWidget(RedoButton);
  QLabel* savedNote =
      Note(tr("Сохранённые записи получают монстры, поставленные после сохранения "
              "или построенные следующей загрузкой уровня."));
  savedNote->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  buttons->addWidget(savedNote, 1);
  buttons->addWidget(SaveButton);
  buttons->addWidget(CloseButton);

  // The form scrolls where the screen is small; the buttons stay in view below it.
  auto* form = new QWidget;
  form->setObjectName("MonsterForm");
  form->setLayout(columns);
  columns->setContentsMargins(0, 0, 0, 0);
  FormArea = new QScrollArea;
  FormArea->setObjectName("FormArea");
  FormArea->setFrameShape(QFrame::NoFrame);
  FormArea->setWidgetResizable(true);
  FormArea->setWidget(form);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FormArea, 1);
  layout->addLayout(buttons);
  wideFormWidth_ = form->minimumSizeHint().width();

  // Undo and redo keys work anywhere in the window.
  QAction* undoAction = undo_.createUndoAction(this, tr("Отменить"));
  undoAction->setShortcut(QKeySequence::Undo);
  QAction* redoAction = undo_.createRedoAction(this, tr("Повторить"));
  redoAction->setShortcut(QKeySequence::Redo);
  addAction(undoAction);
  addAction(redoAction);
  connect(UndoButton, &QPushButton::clicked, &undo_, &QUndoStack::undo);
  connect(RedoButton, &QPushButton::clicked, &undo_, &QUndoStack::redo);
  connect(&undo_, &QUndoStack::canUndoChanged, UndoButton, &QPushButton::setEnabled);
  connect(&undo_, &QUndoStack::canRedoChanged, RedoButton, &QPushButton::setEnabled);
  connect(&undo_, &QUndoStack::cleanChanged, this, [this] { RefreshTitle(); });
  UndoButton->setEnabled(false);
  RedoButton->setEnabled(false);
  connect(SaveButton, &QPushButton::clicked, this, [this] { Save(); });
  connect(CloseButton, &QPushButton::clicked, this, [this] { close(); });
  ConnectFields();

  previewTimer_ = new QTimer(this);
  previewTimer_->setInterval(kPreviewTickMs);
  connect(previewTimer_, &QTimer::timeout, this, [this] { AdvancePreview(1); });

  current_ = file_.Count() > 0 ? 0 : -1;
  Refresh();
  RestartPreview();
}

TMonsterEditorWindow::~TMonsterEditorWindow() {
  // The commands point at the list; they go before it.
  undo_.clear();
}

QWidget* TMonsterEditorWindow::BuildListPanel() {
  auto* box = new QGroupBox(tr("Записи файла монстров"));
  auto* layout = new QVBoxLayout(box);
  MonsterList = new QListWidget;
  MonsterList->setObjectName("MonsterList");
  // Four lines at least; its height is whatever room the window leaves, so
  // that the list never makes the form scroll.
  MonsterList->setMinimumSize(180, 72);
  MonsterList->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  layout->addWidget(MonsterList, 1);
  const auto button = [&](const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  AddButton = button("AddButton", tr("Добавить"));
  DuplicateButton = button("DuplicateButton", tr("Копия"));
  DeleteButton = button("DeleteButton", tr("Удалить"));
  UpButton = button("UpButton", tr("Выше"));
  DownButton = button("DownButton", tr("Ниже"));
  // Two buttons a row keep the list narrow enough for a 1024-pixel screen.
  auto* rows = new QGridLayout;
  rows->addWidget(AddButton, 0, 0);
  rows->addWidget(DuplicateButton, 0, 1);
  rows->addWidget(UpButton, 1, 0);
  rows->addWidget(DownButton, 1, 1);
  rows->addWidget(DeleteButton, 2, 0, 1, 2);
  layout->addLayout(rows);
  layout->addWidget(
      Note(tr("Порядок важен: монстр, имени которого нет ни в одной записи, получает "
              "первую запись списка. Из записей с одинаковым именем действует верхняя.")));
  connect(AddButton, &QPushButton::clicked, this, [this] { AddMonster(); });
  connect(DuplicateButton, &QPushButton::clicked, this, [this] { DuplicateMonster(); });
  connect(DeleteButton, &QPushButton::clicked, this, [this] { DeleteMonster(); });
  connect(UpButton, &QPushButton::clicked, this, [this] { MoveMonsterUp(); });
  connect(DownButton, &QPushButton::clicked, this, [this] { MoveMonsterDown(); });
  connect(MonsterList, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!refreshing_ && row >= 0) ShowMonster(row);
  });
  return box;
}

QWidget* TMonsterEditorWindow::BuildFieldsPanel() {
  auto* box = new QGroupBox(tr("Монстр"));
  auto* grid = new QGridLayout(box);
  int row = 0;
  const auto label = [&](const QString& text) {
    auto* l = new QLabel(text);
    grid->addWidget(l, row, 0);
    return l;
  };

  label(tr("Имя (объект-монстр библиотеки, его картинка):"));
  NameChoice = new QComboBox;
  NameChoice->setObjectName("NameChoice");
  grid->addWidget(NameChoice, row++, 1, 1, 3);

  label(tr("Здоровье при появлении: от"));
  HealthMinField = NumberField("HealthMinField", 0, 65535);
  HealthMaxField = NumberField("HealthMaxField", 0, 65535);
  grid->addWidget(HealthMinField, row, 1);
  grid->addWidget(new QLabel(tr("до (не включая)")), row, 2);
  grid->addWidget(HealthMaxField, row++, 3);

  label(tr("Урон игроку (касанием, выстрелом, бомбой): от"));
  DamageMinField = NumberField("DamageMinField", 0, monster_limits::kDamageMax);
  DamageMaxField = NumberField("DamageMaxField", 0, monster_limits::kDamageMax);
  grid->addWidget(DamageMinField, row, 1);
  grid->addWidget(new QLabel(tr("до (не включая)")), row, 2);
  grid->addWidget(DamageMaxField, row++, 3);

  label(tr("Скорость ходьбы:"));
  WalkSpeedField = NumberField("WalkSpeedField", 0, monster_limits::kWalkSpeedMax);
  WalkSpeedPixels = new QLabel;
  WalkSpeedPixels->setObjectName("WalkSpeedPixels");
  grid->addWidget(WalkSpeedField, row, 1);
  grid->addWidget(WalkSpeedPixels, row++, 2, 1, 2);

  label(tr("Как движется:"));
  MoveModeChoice = new QComboBox;
  MoveModeChoice->setObjectName("MoveModeChoice");
  grid->addWidget(MoveModeChoice, row++, 1, 1, 3);

  CanJumpBox =
      new QCheckBox(tr("Прыгает к игроку, где кончается пол (игрок в 5 клетках по горизонтали и 4 по вертикали)"));
  CanJumpBox->setObjectName("CanJumpBox");
  grid->addWidget(CanJumpBox, row++, 0, 1, 4);

  WakeByDistanceBox = new QCheckBox(tr("Спит, пока игрок дальше, чем (клеток):"));
  WakeByDistanceBox->setObjectName("WakeByDistanceBox");
  WakeDistanceField = NumberField("WakeDistanceField", 0, monster_limits::kWakeDistanceMax);
  grid->addWidget(WakeByDistanceBox, row, 0);
  grid->addWidget(WakeDistanceField, row++, 1);

  HunterBox = new QCheckBox(tr("Охотник: поворачивается к игроку и стреляет (иначе взрывается при касании)"));
  HunterBox->setObjectName("HunterBox");
  grid->addWidget(HunterBox, row++, 0, 1, 4);

  label(tr("Картинка выстрела:"));
  ShotPictureChoice = new QComboBox;
  ShotPictureChoice->setObjectName("ShotPictureChoice");
  grid->addWidget(ShotPictureChoice, row++, 1, 1, 3);

  label(tr("Задержка выстрела (в игре всегда 30 тиков):"));
  ShotDelayField = NumberField("ShotDelayField", 0, 65535);
  ShotDelayField->setEnabled(false);
  grid->addWidget(ShotDelayField, row++, 1);

  label(tr("Скорость анимации:"));
  AnimSpeedField = new QDoubleSpinBox;
  AnimSpeedField->setObjectName("AnimSpeedField");
  AnimSpeedField->setRange(0, monster_limits::kAnimSpeedMax);
  AnimSpeedField->setDecimals(3);
  AnimSpeedFrames = new QLabel;
  AnimSpeedFrames->setObjectName("AnimSpeedFrames");
  grid->addWidget(AnimSpeedField, row, 1);
  grid->addWidget(AnimSpeedFrames, row++, 2, 1, 2);

  ProblemsLabel = new QLabel;
  ProblemsLabel->setObjectName("ProblemsLabel");
  ProblemsLabel->setStyleSheet("color: #b00000");
  ProblemsLabel->setWordWrap(true);
  grid->addWidget(ProblemsLabel, row++, 0, 1, 4);
  grid->setColumnStretch(4, 1);
  for (QWidget* choice : std::initializer_list<QWidget*>{NameChoice, MoveModeChoice, ShotPictureChoice})
    choice->setMaximumWidth(320);
  AnimSpeedField->setMaximumWidth(90);
  return box;
}

QWidget* TMonsterEditorWindow::BuildFramesPanel() {
  auto* box = new QGroupBox(tr("Кадры состояний"));
  auto* outer = new QVBoxLayout(box);
  outer->addWidget(
      Note(tr("Кадры идут от первого к последнему, по убыванию, если последний меньше. Ходьба и "
              "поворот к игроку повторяются; ранение и смерть играют один раз и кончаются перед "
              "последним номером (он может быть на один больше последнего кадра картинки). "
              "Смерть без кадров (первый = последний) убирает монстра сразу.")));
  auto* grid = new QGridLayout;
  outer->addLayout(grid);
  auto* group = new QButtonGroup(this);
  grid->addWidget(new QLabel(tr("Состояние (показать)")), 0, 0);
  grid->addWidget(new QLabel(tr("первый")), 0, 1);
  grid->addWidget(new QLabel(tr("последний")), 0, 2);
  for (size_t s = 0; s < TMonsterRecord::kStateCount; ++s) {
    const int row = static_cast<int>(s % 4) + 1;
    const int column = static_cast<int>(s / 4) * 3;
    StateChoices[s] = new QRadioButton(tr(kStateNames[s]));
    StateChoices[s]->setObjectName(QString("StateChoice%1").arg(s + 1));
    group->addButton(StateChoices[s], static_cast<int>(s) + 1);
    FirstFrameFields[s] = NumberField("", 0, monster_limits::kFrameMax);
    FirstFrameFields[s]->setObjectName(QString("FirstFrameField%1").arg(s + 1));
    LastFrameFields[s] = NumberField("", 0, monster_limits::kFrameMax);
    LastFrameFields[s]->setObjectName(QString("LastFrameField%1").arg(s + 1));
    grid->addWidget(StateChoices[s], row, column);
    grid->addWidget(FirstFrameFields[s], row, column + 1);
    grid->addWidget(LastFrameFields[s], row, column + 2);
  }
  grid->setColumnStretch(6, 1);
  if (TMonsterRecord::kStateCount > 4) {
    grid->addWidget(new QLabel(tr("первый")), 0, 4);
    grid->addWidget(new QLabel(tr("последний")), 0, 5);
  }
  StateChoices[0]->setChecked(true);
  connect(group, &QButtonGroup::idClicked, this, [this](int state) {
    PlayInTurnBox->setChecked(false);
    animation_.SetState(state);
    DrawPreview();
  });
  return box;
}

QWidget* TMonsterEditorWindow::BuildPreviewPanel() {
  auto* box = new QGroupBox(tr("Просмотр"));
  auto* layout = new QVBoxLayout(box);
  PreviewPicture = new QLabel;
  PreviewPicture->setObjectName("PreviewPicture");
  PreviewPicture->setFixedSize(kPreviewBox, kPreviewBox);
  PreviewPicture->setAlignment(Qt::AlignCenter);
  PreviewPicture->setStyleSheet("background: #404850");
  PreviewCaption = new QLabel;
  PreviewCaption->setObjectName("PreviewCaption");
  PreviewCaption->setWordWrap(true);
  PlayInTurnBox = new QCheckBox(tr("Все состояния по очереди"));
  PlayInTurnBox->setObjectName("PlayInTurnBox");
  connect(PlayInTurnBox, &QCheckBox::toggled, this, [this](bool on) { animation_.SetPlayInTurn(on); });
  layout->addWidget(PreviewPicture);
  layout->addWidget(PreviewCaption);
  layout->addWidget(PlayInTurnBox);
  layout->addWidget(Note(tr("Кадры меняются с той же скоростью, что и в игре (тик 14 мс).")));
  layout->addStretch(1);
  return box;
}

template <typename TChange>
void TMonsterEditorWindow::ChangeShown(const char* field, const char* caption, TChange&& change) {
  if (refreshing_ || current_ < 0) return;
  TMonsterRecord record = file_.Record(current_);
  change(record);
  if (record == file_.Record(current_)) return;
  auto* command = new TChangeMonsterCommand(file_, current_, record, field, [this](int32_t i) { ShowMonster(i); });
  command->setText(tr(caption));
  undo_.push(command);
}

void TMonsterEditorWindow::ConnectFields() {
  const auto number = [this](QSpinBox* box, const char* field, const char* caption, auto set) {
    connect(box, &QSpinBox::valueChanged, this, [this, field, caption, set](int value) {
      ChangeShown(field, caption, [&](TMonsterRecord& r) { set(r, static_cast<uint16_t>(value)); });
    });
  };
  const auto flag = [this](QCheckBox* box, const char* field, const char* caption, auto set) {
    connect(box, &QCheckBox::toggled, this, [this, field, caption, set](bool on) {
      ChangeShown(field, caption, [&](TMonsterRecord& r) { set(r, on); });
    });
  };
  number(HealthMinField, "healthMin", QT_TR_NOOP("здоровье"), [](TMonsterRecord& r, uint16_t v) { r.HealthMin = v; });
  number(HealthMaxField, "healthMax", QT_TR_NOOP("здоровье"), [](TMonsterRecord& r, uint16_t v) { r.HealthMax = v; });
  number(DamageMinField, "damageMin", QT_TR_NOOP("урон"), [](TMonsterRecord& r, uint16_t v) { r.DamageMin = v; });
  number(DamageMaxField, "damageMax", QT_TR_NOOP("урон"), [](TMonsterRecord& r, uint16_t v) { r.DamageMax = v; });
  number(WalkSpeedField, "walkSpeed", QT_TR_NOOP("скорость ходьбы"),
         [](TMonsterRecord& r, uint16_t v) { r.WalkSpeed = v; });
  number(WakeDistanceField, "wakeDistance", QT_TR_NOOP("расстояние пробуждения"),
         [](TMonsterRecord& r, uint16_t v) { r.WakeDistance = v; });
  flag(CanJumpBox, "canJump", QT_TR_NOOP("прыжки"), [](TMonsterRecord& r, bool on) { r.CanJump = on; });
  flag(WakeByDistanceBox, "wakeByDistance", QT_TR_NOOP("пробуждение"),
       [](TMonsterRecord& r, bool on) { r.WakeByDistance = on; });
  flag(HunterBox, "hunter", QT_TR_NOOP("охотник"), [](TMonsterRecord& r, bool on) { r.Hunter = on; });
  for (size_t s = 0; s < TMonsterRecord::kStateCount; ++s) {
    number(FirstFrameFields[s], "frameRanges", QT_TR_NOOP("кадры состояния"),
           [s](TMonsterRecord& r, uint16_t v) { r.FrameRanges[s].First = v; });
    number(LastFrameFields[s], "frameRanges", QT_TR_NOOP("кадры состояния"),
           [s](TMonsterRecord& r, uint16_t v) { r.FrameRanges[s].Last = v; });
  }
  connect(AnimSpeedField, &QDoubleSpinBox::valueChanged, this, [this](double value) {
    ChangeShown("animSpeed", QT_TR_NOOP("скорость анимации"), [&](TMonsterRecord& r) { r.AnimSpeed = value; });
  });
  connect(MoveModeChoice, &QComboBox::activated, this, [this](int index) {
    const uint8_t mode = static_cast<uint8_t>(MoveModeChoice->itemData(index).toInt());
    ChangeShown("moveMode", QT_TR_NOOP("способ движения"), [&](TMonsterRecord& r) { r.MoveMode = mode; });
  });
  connect(NameChoice, &QComboBox::activated, this, [this](int index) {
    const std::string name = cp1251::FromQString(NameChoice->itemData(index).toString());
    ChangeShown("name", QT_TR_NOOP("имя"), [&](TMonsterRecord& r) { r.Name = name; });
  });
  connect(ShotPictureChoice, &QComboBox::activated, this, [this](int index) {
    const std::string name = cp1251::FromQString(ShotPictureChoice->itemData(index).toString());
    ChangeShown("shotPicture", QT_TR_NOOP("картинка выстрела"), [&](TMonsterRecord& r) { r.ShotPicture = name; });
  });
}

void TMonsterEditorWindow::ShowMonster(int32_t index) {
  const int32_t previous = current_;
  current_ = file_.Count() == 0 ? -1 : std::clamp(index, 0, file_.Count() - 1);
  Refresh();
  if (previous != current_) {
    PlayInTurnBox->setChecked(false);
    StateChoices[0]->setChecked(true);
    animation_.SetState(1);
  }
  RestartPreview();
}

void TMonsterEditorWindow::Refresh() {
  refreshing_ = true;
  RefreshList();
  RefreshFields();
  refreshing_ = false;
  RefreshTitle();
}

void TMonsterEditorWindow::RefreshList() {
  // Items are renamed in place rather than made anew: this runs from the
  // list's own selection signal too.
  while (MonsterList->count() > file_.Count()) delete MonsterList->takeItem(MonsterList->count() - 1);
  while (MonsterList->count() < file_.Count()) MonsterList->addItem(QString());
  std::set<std::string> seen;  // names of the records above
  for (int32_t i = 0; i < file_.Count(); ++i) {
    const std::string& name = file_.Record(i).Name;
    QString text = QString("%1. %2").arg(i + 1).arg(Shown(name));
    if (!seen.insert(name).second)
      text += tr("  (не действует: выше есть это имя)");
    else if (i == 0)
      text += tr("  (и для неизвестных имён)");
    if (MonsterList->item(i)->text() != text) MonsterList->item(i)->setText(text);
  }
  MonsterList->setCurrentRow(current_);
  const bool shown = current_ >= 0;
  DuplicateButton->setEnabled(shown);
  DeleteButton->setEnabled(shown);
  UpButton->setEnabled(shown && current_ > 0);
  DownButton->setEnabled(shown && current_ + 1 < file_.Count());
}

void TMonsterEditorWindow::RefreshFields() {
  const bool shown = current_ >= 0;
  for (QWidget* w : std::initializer_list<QWidget*>{
           NameChoice, HealthMinField, HealthMaxField, DamageMinField, DamageMaxField, WalkSpeedField, MoveModeChoice,
           CanJumpBox, WakeByDistanceBox, WakeDistanceField, HunterBox, ShotPictureChoice, AnimSpeedField})
    w->setEnabled(shown);
  for (size_t s = 0; s < TMonsterRecord::kStateCount; ++s) {
    FirstFrameFields[s]->setEnabled(shown);
    LastFrameFields[s]->setEnabled(shown);
  }
  if (!shown) {
    ProblemsLabel->setText(tr("Записей нет: «Добавить» создаёт первую."));
    return;
  }
  const TMonsterRecord& r = file_.Record(current_);

  NameChoice->clear();
  for (const std::string& name : monsterNames_) NameChoice->addItem(Shown(name), Shown(name));
  int nameIndex = NameChoice->findData(Shown(r.Name));
  if (nameIndex < 0) {
    NameChoice->addItem(Shown(r.Name) + tr(" (нет среди монстров библиотеки)"), Shown(r.Name));
    nameIndex = NameChoice->count() - 1;
  }
  NameChoice->setCurrentIndex(nameIndex);

  // A lower bound never goes above its upper bound: each limits the other.
  HealthMinField->setRange(0, std::max<int>(r.HealthMax, 0));
  HealthMaxField->setRange(r.HealthMin, 65535);
  ShowStored(HealthMinField, r.HealthMin);
  ShowStored(HealthMaxField, r.HealthMax);
  DamageMinField->setRange(0, std::min<int>(r.DamageMax, monster_limits::kDamageMax));
  DamageMaxField->setRange(std::min<int>(r.DamageMin, monster_limits::kDamageMax), monster_limits::kDamageMax);
  ShowStored(DamageMinField, r.DamageMin);
  ShowStored(DamageMaxField, r.DamageMax);

  ShowStored(WalkSpeedField, r.WalkSpeed);
  WalkSpeedPixels->setText(tr("= %1 пикс. за тик").arg(WalkPixelsPerTick(r.WalkSpeed), 0, 'g', 4));

  MoveModeChoice->clear();
  for (const TMoveModeChoice& choice : kMoveModes) MoveModeChoice->addItem(tr(choice.Caption), choice.Mode);
  int modeIndex = MoveModeChoice->findData(r.MoveMode);
  if (modeIndex < 0) {
    MoveModeChoice->addItem(tr("ходит, не сходя с края (значение %1)").arg(r.MoveMode), r.MoveMode);
    modeIndex = MoveModeChoice->count() - 1;
  }
  MoveModeChoice->setCurrentIndex(modeIndex);

  CanJumpBox->setChecked(r.CanJump);
  WakeByDistanceBox->setChecked(r.WakeByDistance);
  ShowStored(WakeDistanceField, r.WakeDistance);
  WakeDistanceField->setEnabled(r.WakeByDistance);
  HunterBox->setChecked(r.Hunter);

  ShotPictureChoice->clear();
  ShotPictureChoice->addItem(tr("(нет: не стреляет)"), QString());
  for (const std::string& name : pictureNames_) ShotPictureChoice->addItem(Shown(name), Shown(name));
  int shotIndex = r.ShotPicture.empty() ? 0 : ShotPictureChoice->findData(Shown(r.ShotPicture));
  if (shotIndex < 0) {
    ShotPictureChoice->addItem(Shown(r.ShotPicture) + tr(" (нет в библиотеке: не стреляет)"), Shown(r.ShotPicture));
    shotIndex = ShotPictureChoice->count() - 1;
  }
  ShotPictureChoice->setCurrentIndex(shotIndex);
  ShotDelayField->setValue(r.ShotDelay);

  AnimSpeedField->setValue(std::isfinite(r.AnimSpeed) ? r.AnimSpeed : 0);
  AnimSpeedFrames->setText(tr("= %1 кадра за тик").arg(AnimFramesPerTick(r.AnimSpeed), 0, 'g', 4));

  // Frame numbers stay within the picture's frames; a last one may be one
  // more, where a range that plays once ends.
  const int32_t frames = PreviewFrameCount();
  const int lastShown = frames > 0 ? frames - 1 : monster_limits::kFrameMax;
  const int lastEnd = frames > 0 ? frames : monster_limits::kFrameMax;
  for (size_t s = 0; s < TMonsterRecord::kStateCount; ++s) {
    FirstFrameFields[s]->setRange(0, lastShown);
    LastFrameFields[s]->setRange(0, lastEnd);
    ShowStored(FirstFrameFields[s], r.FrameRanges[s].First);
    ShowStored(LastFrameFields[s], r.FrameRanges[s].Last);
  }
  ProblemsLabel->setText(ProblemsText());
}

QString TMonsterEditorWindow::ProblemsText() const {
  if (current_ < 0) return {};
  const TMonsterRecord& r = file_.Record(current_);
  QStringList lines;
  if (!monsterNames_.empty() && std::find(monsterNames_.begin(), monsterNames_.end(), r.Name) == monsterNames_.end())
    lines << tr("Имя: в библиотеке нет объекта-монстра с этим именем, запись ни к чему не относится.");
  if (pictures_ != nullptr && PictureOf(r.Name) == nullptr)
    lines << tr("Имя: в библиотеке нет картинки с этим именем; такой монстр не появится в просмотре.");
  const int32_t frames = PreviewFrameCount();
  for (const TMonsterFieldProblem& problem : CheckMonsterRecord(r, frames)) {
    const std::string& field = problem.Fields.front();
    QString text;
    if (problem.Fields.size() > 1) {
      text = tr("нижняя граница выше верхней");
    } else if (const auto range = FindMonsterFieldRange(field)) {
      text = tr("допустимо от %1 до %2").arg(range->Min).arg(range->Max);
    } else if (field == "frameRanges") {
      text = tr("номера кадров вне картинки (у неё кадры от 0 до %1)")
                 .arg(frames > 0 ? frames - 1 : monster_limits::kFrameMax);
    } else {
      text = QString::fromStdString(problem.Message);
    }
    lines << FieldCaption(field) + ": " + text + ".";
  }
  return lines.join('\n');
}

void TMonsterEditorWindow::RefreshTitle() {
  setWindowTitle(tr("Монстры: %1[*]").arg(QString::fromStdString(ShownFileName(path_))));
  setWindowModified(HasUnsavedChanges());
}

const TPictureCollectionItem* TMonsterEditorWindow::PictureOf(const std::string& name) const {
  if (pictures_ == nullptr || name.empty()) return nullptr;
  const int32_t index = pictures_->IndexOf(name);
  return index < 0 ? nullptr : pictures_->Items(index);
}

int32_t TMonsterEditorWindow::PreviewFrameCount() const {
  if (current_ < 0) return 0;
  const TPictureCollectionItem* picture = PictureOf(file_.Record(current_).Name);
  return picture ? picture->PatternCount() : 0;
}

void TMonsterEditorWindow::RestartPreview() {
  if (current_ >= 0) {
    const int32_t state = animation_.State();
    animation_.SetRecord(file_.Record(current_));
    animation_.SetState(state);
  }
  DrawPreview();
}

void TMonsterEditorWindow::AdvancePreview(int32_t ticks) {
  for (int32_t i = 0; i < ticks; ++i) animation_.Tick();
  const int32_t state = animation_.State();
  if (!StateChoices[static_cast<size_t>(state - 1)]->isChecked())
    StateChoices[static_cast<size_t>(state - 1)]->setChecked(true);
  DrawPreview();
}

void TMonsterEditorWindow::DrawPreview() {
  const int32_t state = animation_.State();
  const TPictureCollectionItem* picture = current_ >= 0 ? PictureOf(file_.Record(current_).Name) : nullptr;
  if (picture == nullptr || !picture->Prepared() || picture->Width() <= 0 || picture->Height() <= 0) {
    PreviewPicture->setPixmap(QPixmap());
    PreviewPicture->setText(current_ < 0 ? QString() : tr("нет картинки"));
    PreviewCaption->setText(current_ < 0 ? QString() : tr(kStateNames[state - 1]));
    return;
  }
  // The frame is drawn by the picture collection itself, with its colour
  // key, onto a surface of the frame's size over a plain background.
  TSurface surface(picture->Width(), picture->Height());
  surface.Fill(0x4208);  // dark grey in 5-6-5
  picture->Draw(surface, 0, 0, animation_.Frame());
  QImage image = surface.ToImage();
  const int scale =
      std::max(1, std::min(kPreviewBox / std::max(1, image.width()), kPreviewBox / std::max(1, image.height())));
  if (scale > 1) image = image.scaled(image.width() * scale, image.height() * scale);
  PreviewPicture->setPixmap(QPixmap::fromImage(image));
  PreviewCaption->setText(tr("%1\nкадр %2 из %3 (0..%4)")
                              .arg(tr(kStateNames[state - 1]))
                              .arg(animation_.Frame())
                              .arg(picture->PatternCount())
                              .arg(picture->PatternCount() - 1));
}

std::string TMonsterEditorWindow::UnusedMonsterName() const {
  for (const std::string& name : monsterNames_)
    if (file_.FindName(name) < 0) return name;
  if (!monsterNames_.empty()) return monsterNames_.front();
  return cp1251::FromUtf8("Монстр");
}

void TMonsterEditorWindow::AddMonster() {
  TMonsterFileEntry entry;
  entry.Record = NewMonsterRecord(UnusedMonsterName());
  const int32_t at = file_.Count();
  undo_.push(new TInsertMonsterCommand(file_, at, std::move(entry), tr("новый монстр"),
                                       [this](int32_t i) { ShowMonster(i); }));
}

void TMonsterEditorWindow::DuplicateMonster() {
  if (current_ < 0) return;
  undo_.push(new TInsertMonsterCommand(file_, current_ + 1, file_.Entry(current_), tr("копия монстра"),
                                       [this](int32_t i) { ShowMonster(i); }));
}

void TMonsterEditorWindow::DeleteMonster() {
  if (current_ < 0) return;
  undo_.push(new TRemoveMonsterCommand(file_, current_, [this](int32_t i) { ShowMonster(i); }));
}

void TMonsterEditorWindow::MoveMonsterUp() {
  if (current_ <= 0) return;
  undo_.push(new TMoveMonsterCommand(file_, current_, current_ - 1, [this](int32_t i) { ShowMonster(i); }));
}

void TMonsterEditorWindow::MoveMonsterDown() {
  if (current_ < 0 || current_ + 1 >= file_.Count()) return;
  undo_.push(new TMoveMonsterCommand(file_, current_, current_ + 1, [this](int32_t i) { ShowMonster(i); }));
}

bool TMonsterEditorWindow::Save() {
  try {
    file_.Save(path_);
  } catch (const std::exception& e) {
    dialogs_.ShowMessage(e.what());
    return false;
  }
  undo_.setClean();
  RefreshTitle();
  if (Saved) Saved(file_);
  return true;
}

bool TMonsterEditorWindow::ConfirmClose() {
  if (!HasUnsavedChanges()) return true;
  switch (dialogs_.MessageBox(tr("Сохранить изменения в файле монстров?").toStdString(), tr("Монстры").toStdString(),
                              TMsgButtons::YesNoCancel, TModalResult::mrCancel)) {
    case TModalResult::mrYes: return Save();
    case TModalResult::mrNo: return true;
    default: return false;
  }
}

void TMonsterEditorWindow::reject() {
  if (!closing_ && !ConfirmClose()) return;
  closing_ = true;
  previewTimer_->stop();
  QDialog::reject();
}

void TMonsterEditorWindow::closeEvent(QCloseEvent* event) {
  if (!closing_ && !ConfirmClose()) {
    event->ignore();
    return;
  }
  closing_ = true;
  previewTimer_->stop();
  QDialog::closeEvent(event);
}

void TMonsterEditorWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (!FormArea) return;
  // Where the preview beside the form would not fit, it goes under the list.
  // Measured on the window, whose size is new here, keeping room for the form's scroll bar.
  const QMargins margins = layout()->contentsMargins();
  const int room = width() - margins.left() - margins.right() - FormArea->verticalScrollBar()->sizeHint().width();
  const bool narrow = room < wideFormWidth_;
  if (narrow == PreviewUnderList()) return;
  if (narrow) {
    columns_->removeWidget(previewPanel_);
    leftColumn_->addWidget(previewPanel_, 0);
  } else {
    leftColumn_->removeWidget(previewPanel_);
    columns_->addWidget(previewPanel_, 0);
  }
}

bool TMonsterEditorWindow::PreviewUnderList() const { return leftColumn_->indexOf(previewPanel_) >= 0; }

void TMonsterEditorWindow::showEvent(QShowEvent* event) {
  closing_ = false;
  previewTimer_->start();
  QDialog::showEvent(event);
}

std::unique_ptr<TMonsterEditorWindow> MakeMonsterEditor(TEditor& editor, TGameContext& context, TDialogService& dialogs,
                                                        QWidget* parent) {
  const TPictureCollection* pictures = context.ObjectPictureList ? &context.ObjectPictures() : nullptr;
  auto window = std::make_unique<TMonsterEditorWindow>(editor.DataPath(kMonstersFileName), context.ObjectDataBase.get(),
                                                       pictures, dialogs, parent);
  window->Saved = [&context](const TMonsterFile& file) {
    if (context.ObjectsLoaded && context.MonstersDataBase) context.MonstersDataBase->Records = file.Records();
  };
  FitWindowInto(*window, kMonsterEditorSize, AvailableScreenArea(parent));
  return window;
}

void OpenMonsterEditor(TEditor& editor, TGameContext& context, TDialogService& dialogs, QWidget* parent) {
  editor.Guarded([&] { MakeMonsterEditor(editor, context, dialogs, parent)->exec(); });
}

}  // namespace kestrilo

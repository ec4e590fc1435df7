#include "windows/MainForm.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QDockWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "editor/ObjectTypeNames.h"
#include "editor/RecordingCommands.h"
#include "platform/Cp1251.h"
#include "platform/ViewSize.h"
#include "platform/widgets/DXDraw.h"
#include "platform/widgets/QtDialogService.h"
#include "windows/FindPanel.h"
#include "windows/HelpScreen.h"
#include "windows/HistoryPanel.h"
#include "windows/LevelCheckWindow.h"
#include "windows/MenuMnemonics.h"
#include "windows/MonsterEditorWindow.h"
#include "windows/OverviewMap.h"
#include "windows/PlanesPanel.h"
#include "windows/PropertiesPanel.h"
#include "windows/ViewArea.h"
#include "windows/WindowFont.h"
#include "windows/WindowPorts.h"
#include "world/GameContext.h"

namespace kestrilo {

namespace {

constexpr uint32_t kVirtualKeyDelete = 46;  // deletes the selection
constexpr uint32_t kVirtualKeyF5 = 116;     // test from here
constexpr uint32_t kVirtualKeyF10 = 121;    // the menu bar; while play is paused, one tick

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, QPoint at) {
  auto* label = new QLabel(TForm1::tr(caption), parent);
  label->setObjectName(name);
  label->move(at);
  label->adjustSize();
  return label;
}

// A caption wider than the room before its field would be cut off by it: it
// moves left as far as `leftmost`, and only then does the field move right
// (narrowing so as to end by `rightmost`).
void KeepLabelClearOfField(QLabel* label, QWidget* field, int leftmost, int rightmost) {
  constexpr int kGap = 4;
  label->adjustSize();
  const QRect caption = label->geometry();
  const QRect box = field->geometry();
  if (caption.x() + caption.width() + kGap <= box.x()) return;
  const int labelLeft = std::max(leftmost, box.x() - kGap - caption.width());
  label->move(labelLeft, caption.y());
  const int fieldLeft = std::max(box.x(), labelLeft + caption.width() + kGap);
  field->setGeometry(fieldLeft, box.y(), std::min(box.width(), rightmost - fieldLeft), box.height());
}

// A drop-down list opens on Space, a button presses: neither is typing.
bool TypesInto(QWidget* control, int qtKey) {
  if (qtKey != Qt::Key_Space || !control) return true;
  if (auto* list = qobject_cast<QComboBox*>(control)) return list->isEditable();
  return qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractSpinBox*>(control);
}

}  // namespace

TSpinEdit::TSpinEdit(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
  setRange(minimum, maximum);
  setWrapping(false);
  setValue(0);
}

TForm1::TForm1(const std::string& ExecutableDir, TDialogService* dialogs, QWidget* parent)
    : QMainWindow(parent), dxTimer1_(SystemMilliseconds) {
  if (!dialogs) {
    ownDialogs_ = std::make_unique<TQtDialogService>(this);
    dialogs = ownDialogs_.get();
  }
  dialogs_ = dialogs;
  context_ = std::make_unique<TGameContext>();
  context_->ExecutableDir = ExecutableDir;
  editor_ = std::make_unique<TEditor>(*context_, *dialogs_);
  recording_ = std::make_unique<TRecordingCommands>(*context_, *dialogs_, *editor_);

  setObjectName("Form1");
  setWindowTitle("Form1");
  setFont(TWindowFont::Classic());

  BuildControls();
  BuildDocks();
  BuildMenu();
  // The classic size, under the menu bar; everything else grows from it.
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

  // The frame timer: enabled, active only while the application is, interval
  // 0 until the drawing area has initialised.
  dxTimer1_.SetInterval(0);
  dxTimer1_.SetActiveOnly(true);
  dxTimer1_.OnTimer = [this](int32_t /*lagCount*/) { editor_->Frames().Step(); };

  TEditor& editor = *editor_;
  editor.Attachments.DrawArea = DXDraw1;
  editor.Attachments.FrameTimer = &dxTimer1_;
  editor.Attachments.OverviewCanvas = &overview_->Canvas();
  editor.Attachments.OverviewChanged = [this] {
    overviewDrawn_ = true;
    overview_->Refresh();
  };
  editor.Viewport.OverviewPlace = {0, 0, overview_->width(), overview_->height(), TOverviewMap::kWindowColor};
  // A new size of the map: drawn again into its new surface.
  overview_->Resized = [this](int width, int height) {
    editor_->Viewport.OverviewPlace = {0, 0, width, height, TOverviewMap::kWindowColor};
    editor_->Viewport.OverviewShown = {};
    // Nothing is drawn before the first command that draws the map.
    if (overviewDrawn_) editor_->RedrawOverview(context_->CurrentPlane);
  };
  // A square of the overview map clicked: the view moves around its cell.
  overview_->PointClicked = [this](int x, int y) { editor_->OverviewClicked(x, y); };
  // The edit view fills the drawing area, however large the window.
  DXDraw1->Resized = [this](QSize size) { editor_->Viewport.SetArea(size.width(), size.height()); };
  // A finding of the level check chosen: the view goes to its cell and marks it.
  levelCheck_->CellChosen = [this](const TLevelFinding::TCell& cell) { editor_->ShowCell(cell.Column, cell.Row); };
  editor.Attachments.CursorX = [this] { return pointerColumn_.ScreenX(); };
  editor.Attachments.DrawAreaLeft = DXDraw1->x();
  editor.Attachments.Terminate = [] { QCoreApplication::quit(); };
  editor.Attachments.DocumentChanged = [this] { SyncEditMenu(); };
  editor.Attachments.LibraryChanged = [this] {
    ApplySidePanel(editor_->ObjectList(static_cast<uint8_t>(std::max(ComboBox1->currentIndex(), 0))));
  };
  editor.Attachments.Clock = [] { return static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch()); };
  editor.Attachments.LevelChecked = [this](const std::vector<TLevelFinding>& findings) {
    levelCheck_->ShowFindings(findings);
  };
  editor.CreateComponents();
  PropertiesPanel = new TPropertiesPanel(editor, this);
  addDockWidget(Qt::RightDockWidgetArea, PropertiesPanel);
  PropertiesPanel->hide();
  // The panels beside the view share one place as tabs, so that a small
  // screen is not cut into slivers when several are open.
  tabifyDockWidget(PropertiesPanel, PlanesPanel);
  tabifyDockWidget(PlanesPanel, HistoryPanel);
  context_->OnCaptionChanged = [this](const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); };
  DXDraw1->OnInitialize = [this](TDrawingSurface*) { DXDraw1Initialize(); };
  // Key preview and the drawing area's mouse: every event of this window passes here first.
  qApp->installEventFilter(this);

  FormCreate();
  // Keys are meant for the view and the player: the drawing area has the
  // focus at start and takes it back when clicked, so that no list or spinner
  // of the side panel sits under the keyboard while playing.
  DXDraw1->setFocusPolicy(Qt::ClickFocus);
  DXDraw1->setFocus();
  // The ghost follows the pointer also while no button is held.
  DXDraw1->setMouseTracking(true);
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  timerDriver_.reset();
  if (context_) {
    context_->OnCaptionChanged = nullptr;
    context_->RedrawOverview = nullptr;
  }
  // The sprite tree and picture lists leave the drawing area before it goes;
  // the recording commands let go of the editor first.
  recording_.reset();
  editor_.reset();
  context_.reset();
}

void TForm1::SetHelperWindows(TForm2* form2, TForm3* form3, TForm4* form4) {
  form2Source_ = form2 ? std::make_unique<TNewObjectDialogSource>(*form2) : nullptr;
  form3Window_ = form3 ? std::make_unique<TLoadingWindow>(*form3, this) : nullptr;
  form4_ = form4;
  editor_->Attachments.NewObjectSource = form2Source_.get();
  editor_->Attachments.LoadingWindow = form3Window_.get();
}

void TForm1::BuildControls() {
  ViewArea = new TViewArea(this);
  ViewArea->setObjectName("ClientArea");
  setCentralWidget(ViewArea);
  DXDraw1 = new TDXDraw(ViewArea);
  DXDraw1->setObjectName("DXDraw1");
  // The document's state: the caption belongs to the player's status.
  StatusLine = new QLabel(ViewArea);
  StatusLine->setObjectName("StatusLine");
  ViewArea->Hold(DXDraw1, StatusLine);

  // The side panel's controls at their classic places, less the panel's origin.
  SidePanel = new QWidget;
  SidePanel->setObjectName("SidePanel");
  QWidget* client = SidePanel;
  const QPoint origin = PanelOrigin();
  const auto at = [origin](int left, int top) { return QPoint(std::max(left - origin.x(), 0), top - origin.y()); };

  Label1 = MakeLabel(client, "Label1", QT_TR_NOOP("Тип объекта:"), at(672, 56));
  ComboBox1 = new QComboBox(client);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setGeometry(QRect(at(664, 72), QSize(121, 21)));
  for (const char* type : kObjectTypeNames) ComboBox1->addItem(tr(type));
  connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });

  Label2 = MakeLabel(client, "Label2", QT_TR_NOOP("Объект:"), at(696, 104));
  ComboBox2 = new QComboBox(client);
  ComboBox2->setObjectName("ComboBox2");
  ComboBox2->setGeometry(QRect(at(664, 120), QSize(121, 21)));
  connect(ComboBox2, &QComboBox::activated, this, [this] { ComboBox2Change(); });

  Label8 = MakeLabel(client, "Label8", QT_TR_NOOP("Высота лифта:"), at(664, 160));
  UpDown3 = new TSpinEdit(-128, 127, client);
  UpDown3->setObjectName("UpDown3");
  UpDown3->setGeometry(QRect(at(744, 157), QSize(50, 21)));
  Edit6 = UpDown3->Edit();
  Edit6->setObjectName("Edit6");

  Panel1 = new QFrame(client);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(QRect(at(650, 200), QSize(145, 145)));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Image1 = new QLabel(Panel1);
  Image1->setObjectName("Image1");
  Image1->setGeometry(9, 9, 128, 128);
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  Label3 = MakeLabel(client, "Label3", QT_TR_NOOP("Ось Z:"), at(688, 355));
  UpDown1 = new TSpinEdit(0, 4, client);
  UpDown1->setObjectName("UpDown1");
  UpDown1->setGeometry(QRect(at(728, 352), QSize(50, 21)));
  Edit1 = UpDown1->Edit();
  Edit1->setObjectName("Edit1");
  connect(UpDown1, &QSpinBox::valueChanged, this, [this] { UpDown1Click(); });

  Label4 = MakeLabel(client, "Label4", QT_TR_NOOP("Код ключа:"), at(664, 384));
  UpDown2 = new TSpinEdit(0, 255, client);
  UpDown2->setObjectName("UpDown2");
  UpDown2->setGeometry(QRect(at(728, 381), QSize(50, 21)));
  Edit2 = UpDown2->Edit();
  Edit2->setObjectName("Edit2");

  const int panelWidth = kClientWidth - origin.x();
  SidePanel->setMinimumSize(panelWidth, UpDown2->geometry().bottom() + 8);
  const int leftmost = Panel1->x() + 2, rightmost = panelWidth - 2;
  KeepLabelClearOfField(Label8, UpDown3, leftmost, rightmost);
  KeepLabelClearOfField(Label3, UpDown1, leftmost, rightmost);
  KeepLabelClearOfField(Label4, UpDown2, leftmost, rightmost);
}

QPoint TForm1::PanelOrigin() const {
  const int separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
  return {TViewArea::SizeFor({kViewWidth, kViewHeight}).width() + separator, kPanelTop};
}

void TForm1::BuildDocks() {
  SidePanelDock = new QDockWidget(tr("Панель объектов"), this);
  SidePanelDock->setObjectName("SidePanelDock");
  SidePanelDock->setWidget(SidePanel);
  addDockWidget(Qt::RightDockWidgetArea, SidePanelDock);

  // The map at its classic place beside the panel, taking whatever room its dock is given.
  auto* mapHolder = new QWidget;
  mapHolder->setObjectName("OverviewHolder");
  overview_ = new TOverviewMap(mapHolder);
  auto* mapLayout = new QVBoxLayout(mapHolder);
  mapLayout->setContentsMargins(TMatrix::kMiniMapLeft - PanelOrigin().x(), 2, 2, 2);
  mapLayout->addWidget(overview_);
  OverviewDock = new QDockWidget(tr("Обзор"), this);
  OverviewDock->setObjectName("OverviewDock");
  OverviewDock->setWidget(mapHolder);
  addDockWidget(Qt::RightDockWidgetArea, OverviewDock);
  resizeDocks({SidePanelDock}, {kClientWidth - PanelOrigin().x()}, Qt::Horizontal);

  // The level check's findings, under the view once there are any.
  levelCheck_ = new TLevelCheckWindow(this);
  addDockWidget(Qt::BottomDockWidgetArea, levelCheck_);
  levelCheck_->hide();

  // Which planes the edit view shows and which take edits; opened from the Вид menu.
  PlanesPanel = new TPlanesPanel(*editor_, this);
  addDockWidget(Qt::RightDockWidgetArea, PlanesPanel);
  PlanesPanel->hide();
  // The history beside the panel and find-and-replace under the view, until opened.
  HistoryPanel = new THistoryPanel(*editor_, this);
  addDockWidget(Qt::RightDockWidgetArea, HistoryPanel);
  HistoryPanel->hide();
  FindPanel = new TFindPanel(*editor_, this);
  addDockWidget(Qt::BottomDockWidgetArea, FindPanel);
  FindPanel->hide();
}

QAction* TForm1::AddItem(QMenu* menu, const char* name, const char* caption, void (TForm1::*handler)()) {
  QAction* action = menu->addAction(tr(caption));
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  return action;
}

void TForm1::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");
  N1 = bar->addMenu(tr("Файл"));
  N1->setObjectName("N1");
  NewLevelItem = AddItem(N1, "NewLevelItem", QT_TR_NOOP("Новый уровень"), &TForm1::NewLevelItemClick);
  N7 = AddItem(N1, "N7", QT_TR_NOOP("Сохранить матрицу"), &TForm1::N7Click);
  SaveLevelAsItem =
      AddItem(N1, "SaveLevelAsItem", QT_TR_NOOP("Сохранить матрицу как..."), &TForm1::SaveLevelAsItemClick);
  N8 = AddItem(N1, "N8", QT_TR_NOOP("Загрузить матрицу"), &TForm1::N8Click);
  N4 = AddItem(N1, "N4", QT_TR_NOOP("Выход"), &TForm1::N4Click);
  NewLevelItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  N7->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  SaveLevelAsItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  N8->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  N4->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  N5 = bar->addMenu(tr("Объект"));
  N5->setObjectName("N5");
  N6 = AddItem(N5, "N6", QT_TR_NOOP("Добавить"), &TForm1::N6Click);
  N15 = AddItem(N5, "N15", QT_TR_NOOP("Удалить"), &TForm1::N15Click);
  N2 = AddItem(N5, "N2", QT_TR_NOOP("Открыть файл объектов"), &TForm1::N2Click);
  N3 = AddItem(N5, "N3", QT_TR_NOOP("Сохранить файл объектов"), &TForm1::N3Click);
  MonstersItem = AddItem(N5, "MonstersItem", QT_TR_NOOP("Монстры..."), &TForm1::MonstersItemClick);
  PropertiesItem = N5->addAction(tr("Свойства объекта"));
  PropertiesItem->setObjectName("PropertiesItem");
  PropertiesItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
  PropertiesItem->setShortcutContext(Qt::WindowShortcut);
  addAction(PropertiesItem);
  connect(PropertiesItem, &QAction::triggered, this, [this] {
    // The object under the pointer; a menu opened with the mouse leaves the view's centre.
    const QPoint pointer = DXDraw1->mapFromGlobal(QCursor::pos());
    const QPoint at = DXDraw1->rect().contains(pointer) ? pointer : DXDraw1->rect().center();
    PropertiesPanel->ChooseAt(at.x(), at.y());
  });

  N9 = bar->addMenu(tr("Настройки"));
  N9->setObjectName("N9");
  N10 = N9->addMenu(tr("Игрок..."));
  N10->setObjectName("N10");
  N12 = AddItem(N10, "N12", QT_TR_NOOP("Видимость"), &TForm1::N12Click);
  N13 = AddItem(N10, "N13", QT_TR_NOOP("Гравитация"), &TForm1::N13Click);
  N11 = N9->addMenu(tr("Сетка..."));
  N11->setObjectName("N11");
  N32321 = AddItem(N11, "N32321", QT_TR_NOOP("32х32"), &TForm1::N32321Click);
  N64641 = AddItem(N11, "N64641", QT_TR_NOOP("64х64"), &TForm1::N64641Click);
  N1281281 = AddItem(N11, "N1281281", QT_TR_NOOP("128х128"), &TForm1::N1281281Click);
  N14 = AddItem(N11, "N14", QT_TR_NOOP("нет"), &TForm1::N14Click);
  N14->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  N16 = AddItem(N9, "N16", QT_TR_NOOP("Авто контроль"), &TForm1::N16Click);
  N01 = AddItem(N9, "N01", QT_TR_NOOP("Задержка вкл"), &TForm1::N01Click);
  N17 = AddItem(N9, "N17", QT_TR_NOOP("Предварительный просмотр"), &TForm1::N17Click);
  N17->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  // The key itself reaches FormKeyDown; the item only names it.
  TestFromHere = AddItem(N9, "TestFromHere", QT_TR_NOOP("Тест отсюда\tF5"), &TForm1::TestFromHereClick);
  connect(N9, &QMenu::aboutToShow, this,
          [this] { menuPointer_ = DXDraw1->ToFramePoint(DXDraw1->mapFromGlobal(QCursor::pos())); });
  for (QAction* item : {N12, N13, N16, N01, N17}) item->setCheckable(true);
  // Shortcuts work while the menu is closed, from anywhere in the window.
  for (QAction* item : {NewLevelItem, N7, SaveLevelAsItem, N8, N4, N14, N17}) {
    item->setShortcutContext(Qt::WindowShortcut);
    addAction(item);
  }

  N18 = bar->addMenu(tr("Помощь"));
  N18->setObjectName("N18");
  N19 = AddItem(N18, "N19", QT_TR_NOOP("Управление"), &TForm1::N19Click);
  N20 = AddItem(N18, "N20", QT_TR_NOOP("О программе"), &TForm1::N20Click);
  BuildEditMenu();
  BuildViewMenu();
  BuildRecordMenu();
  // Menus added later (recent levels, language) get their mnemonics as they come.
  new TMenuMnemonics(bar);
}

void TForm1::BuildViewMenu() {
  ViewMenu = menuBar()->addMenu(tr("Вид"));
  ViewMenu->setObjectName("ViewMenu");
  for (QDockWidget* dock :
       {SidePanelDock, OverviewDock, static_cast<QDockWidget*>(levelCheck_), static_cast<QDockWidget*>(PlanesPanel),
        static_cast<QDockWidget*>(HistoryPanel), static_cast<QDockWidget*>(FindPanel)}) {
    QAction* toggle = dock->toggleViewAction();
    toggle->setObjectName(dock->objectName() + "Toggle");
    // A panel opened from the menu comes to the front of its tabs.
    connect(toggle, &QAction::triggered, dock, [dock](bool shown) {
      if (shown) dock->raise();
    });
    ViewMenu->addAction(toggle);
  }
}

void TForm1::BuildEditMenu() {
  EditMenu = menuBar()->addMenu(tr("Правка"));
  EditMenu->setObjectName("EditMenu");
  EditUndo = EditMenu->addAction(tr("Отменить"));
  EditUndo->setObjectName("EditUndo");
  EditUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  connect(EditUndo, &QAction::triggered, this, [this] { editor_->Undo(); });
  EditRedo = EditMenu->addAction(tr("Повторить"));
  EditRedo->setObjectName("EditRedo");
  EditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  connect(EditRedo, &QAction::triggered, this, [this] { editor_->Redo(); });
  EditMenu->addSeparator();
  auto addEditItem = [this](const char* name, const char* caption, QList<QKeySequence> keys, auto command) {
    QAction* action = EditMenu->addAction(tr(caption));
    action->setObjectName(name);
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, command);
    return action;
  };
  EditCopy = addEditItem("EditCopy", QT_TR_NOOP("Копировать"), {QKeySequence(Qt::CTRL | Qt::Key_C)},
                         [this] { editor_->Regions().CopySelection(); });
  EditCut = addEditItem("EditCut", QT_TR_NOOP("Вырезать"), {QKeySequence(Qt::CTRL | Qt::Key_X)},
                        [this] { editor_->Regions().CutSelection(); });
  EditPaste = addEditItem("EditPaste", QT_TR_NOOP("Вставить"), {QKeySequence(Qt::CTRL | Qt::Key_V)},
                          [this] { editor_->Pointer().StartPaste(); });
  // Del reaches the editor as a key press (PressKey), so that the held-key
  // table sees it as every other key.
  EditDelete = addEditItem("EditDelete", QT_TR_NOOP("Удалить выделенное\tDel"), {},
                           [this] { editor_->Regions().DeleteSelection(); });
  EditFill = addEditItem("EditFill", QT_TR_NOOP("Заполнить выделенное"), {QKeySequence(Qt::CTRL | Qt::Key_F)},
                         [this] { editor_->Regions().FillSelection(PlacementInputs()); });
  EditDeselect = addEditItem("EditDeselect", QT_TR_NOOP("Снять выделение"), {QKeySequence(Qt::CTRL | Qt::Key_D)},
                             [this] { editor_->ClearSelection(); });
  EditAllPlanes = addEditItem("EditAllPlanes", QT_TR_NOOP("Выделять на всех планах"), {},
                              [this] { editor_->Selection.AllPlanes = EditAllPlanes->isChecked(); });
  EditAllPlanes->setCheckable(true);
  // The clipboard as a brush: a left drag stamps it along the stroke.
  EditStamp = addEditItem("EditStamp", QT_TR_NOOP("Рисовать буфером (штамп)"), {QKeySequence(Qt::CTRL | Qt::Key_B)},
                          [this] { editor_->Pointer().SetStamping(EditStamp->isChecked()); });
  EditStamp->setCheckable(true);
  EditMenu->addSeparator();
  EditZoomOut = addEditItem("EditZoomOut", QT_TR_NOOP("Уменьшить"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
                            [this] { editor_->ZoomOut(); });
  EditZoomIn = addEditItem("EditZoomIn", QT_TR_NOOP("Увеличить"),
                           {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)},
                           [this] { editor_->ZoomIn(); });
  EditMenu->addSeparator();
  FindPanel->AddActionsTo(*EditMenu);
  for (QAction* item : EditMenu->actions()) {
    item->setShortcutContext(Qt::WindowShortcut);
    addAction(item);
  }
  SyncEditMenu();
}

void TForm1::SyncEditMenu() {
  const QUndoStack& stack = editor_->UndoStack;
  // The items say what they will undo or redo.
  EditUndo->setEnabled(stack.canUndo());
  EditUndo->setText(stack.canUndo() ? tr("Отменить: %1").arg(stack.undoText()) : tr("Отменить"));
  EditRedo->setEnabled(stack.canRedo());
  EditRedo->setText(stack.canRedo() ? tr("Повторить: %1").arg(stack.redoText()) : tr("Повторить"));
  StatusLine->setText(QString::fromStdString(editor_->StatusText()));
}

void TForm1::BuildRecordMenu() {
  RecordMenu = menuBar()->addMenu(tr("Запись"));
  RecordMenu->setObjectName("RecordMenu");
  const auto add = [this](const char* name, const char* caption, void (TRecordingCommands::*command)()) {
    QAction* action = RecordMenu->addAction(tr(caption));
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, command] {
      ((*recording_).*command)();
      SyncRecordMenu();
    });
    return action;
  };
  RecordStart = add("RecordStart", QT_TR_NOOP("Начать запись"), &TRecordingCommands::StartRecording);
  RecordStop = add("RecordStop", QT_TR_NOOP("Остановить запись"), &TRecordingCommands::StopRecording);
  RecordSave = add("RecordSave", QT_TR_NOOP("Сохранить запись..."), &TRecordingCommands::SaveRecording);
  SyncRecordMenu();
}

void TForm1::SyncRecordMenu() {
  const bool recording = recording_->Recorder.Recording();
  RecordStart->setEnabled(!recording);
  RecordStop->setEnabled(recording);
}

// ---- start-up --------------------------------------------------------------

void TForm1::FormCreate() {
  {
    // Selecting by program does not run the type change.
    const QSignalBlocker block(ComboBox1);
    ComboBox1->setCurrentIndex(0);
  }
  editor_->Settings().Reset();
  SyncTicks();
}

void TForm1::DXDraw1Initialize() {
  editor_->Guarded([this] { editor_->CreateEmptyLibraryAndLevel(); });
  if (timerDriver_) timerDriver_->Reschedule();
  // Queued, so that the question comes once the window is on the screen.
  QTimer::singleShot(0, this, [this] { editor_->Autosave().OfferRecovery(); });
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The timer starts with the message loop, after the first showing has
  // initialised the drawing area (or failed to).
  if (!timerDriver_) {
    // The window comes to the front on its own also where no window manager
    // does it: the frame timer and the keyboard work only while it is active.
    activateWindow();
    timerDriver_ = std::make_unique<TQtTimerDriver>(&dxTimer1_, this);
    dxTimer1_.Start();
    timerDriver_->Reschedule();
  }
}

void TForm1::ReturnFocusAfter(QWidget* closed) {
  if (closed == this || !closed->isWindow()) return;
  const Qt::WindowType type = closed->windowType();
  if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen) return;
  // Only when the closed window was in front, or nothing of the editor is.
  QWidget* active = QApplication::activeWindow();
  if (active && active != closed) return;
  QWidget* parent = closed->parentWidget();
  QWidget* next = parent ? parent->window() : this;
  if (next->isVisible() && !next->isMinimized()) next->activateWindow();
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  // Keys count only while the main window is in front; keys released
  // elsewhere never report their release here.
  const bool active = isActiveWindow();
  context_->Keyboard.SetForeground(active);
  if (!active) context_->Keyboard.ReleaseAllKeys();
}

void TForm1::closeEvent(QCloseEvent* event) {
  // Unsaved work is offered for saving; Отмена keeps the window open.
  if (!editor_->Files().CloseRequested()) {
    event->ignore();
    return;
  }
  if (Closing) Closing();
  QMainWindow::closeEvent(event);
  if (event->isAccepted() && editor_->Attachments.Terminate) editor_->Attachments.Terminate();
}

// ---- side panel ------------------------------------------------------------

void TForm1::ApplySidePanel(const TSidePanelUpdate& update) {
  if (update.ObjectNames) {
    const QSignalBlocker block(ComboBox2);
    ComboBox2->clear();
    for (const std::string& name : *update.ObjectNames)
      ComboBox2->addItem(cp1251::ToQString(name), QByteArray::fromStdString(name));
    ComboBox2->setCurrentIndex(update.ObjectIndex);
  }
  if (update.Picture) Image1->setPixmap(QPixmap::fromImage(*update.Picture));
  if (update.EnabledFields) {
    UpDown1->setEnabled(update.EnabledFields->ZPlane);
    UpDown3->setEnabled(update.EnabledFields->LiftHeight);
    UpDown2->setEnabled(update.EnabledFields->KeyCode);
  }
  if (update.ZPosition) {
    // Setting the spinner by program does not raise its click.
    const QSignalBlocker block(UpDown1);
    UpDown1->setValue(*update.ZPosition);
  }
}

void TForm1::SyncTicks() {
  const TSettingsTicks& ticks = editor_->Settings().Ticks;
  N12->setChecked(ticks.PlayerVisible);
  N13->setChecked(ticks.PlayerGravity);
  N16->setChecked(ticks.AutoControl);
  N01->setChecked(ticks.FrameDelay);
  N17->setChecked(ticks.Preview);
}

std::string TForm1::SelectedObjectName() const {
  const int index = ComboBox2->currentIndex();
  if (index < 0) return {};
  return ComboBox2->itemData(index).toByteArray().toStdString();
}

void TForm1::ComboBox1Change() {
  const int type = ComboBox1->currentIndex();
  if (type < 0) return;
  ApplySidePanel(editor_->ChangeObjectType(static_cast<uint8_t>(type)));
}

void TForm1::ComboBox2Change() { ApplySidePanel(editor_->ChooseObject(SelectedObjectName())); }

void TForm1::UpDown1Click() { editor_->ChangePlane(UpDown1->value()); }

// ---- menu ------------------------------------------------------------------

void TForm1::N2Click() { ApplySidePanel(editor_->Files().OpenObjectsFile()); }
void TForm1::N3Click() { editor_->Files().SaveObjectsFile(); }
void TForm1::N6Click() { editor_->AddObject(); }
void TForm1::MonstersItemClick() { OpenMonsterEditor(*editor_, *context_, *dialogs_, this); }

void TForm1::N15Click() {
  const int type = std::max(ComboBox1->currentIndex(), 0);
  ApplySidePanel(editor_->DeleteObject(SelectedObjectName(), static_cast<uint8_t>(type)));
}

void TForm1::NewLevelItemClick() { editor_->Files().NewLevel(); }
void TForm1::N7Click() { editor_->Files().SaveLevel(); }
void TForm1::SaveLevelAsItemClick() { editor_->Files().SaveLevelAs(); }
void TForm1::N8Click() { editor_->Files().LoadLevel(); }
void TForm1::N4Click() { editor_->Files().RequestExit(); }
void TForm1::N12Click() {
  editor_->Settings().TogglePlayerVisible();
  SyncTicks();
}
void TForm1::N13Click() {
  editor_->Settings().TogglePlayerGravity();
  SyncTicks();
}
void TForm1::N32321Click() { editor_->Settings().SetGridSize(32); }
void TForm1::N64641Click() { editor_->Settings().SetGridSize(64); }
void TForm1::N1281281Click() { editor_->Settings().SetGridSize(128); }
void TForm1::N14Click() { editor_->Settings().ToggleGrid(); }
void TForm1::N16Click() {
  editor_->Settings().ToggleAutoControl();
  SyncTicks();
}

void TForm1::N01Click() {
  editor_->Settings().ToggleFrameDelay();
  SyncTicks();
  if (timerDriver_) timerDriver_->Reschedule();
}

void TForm1::N17Click() {
  editor_->Play().TogglePreview();
  SyncTicks();
}

void TForm1::N19Click() {
  if (form4_) form4_->ShowModal();
}

void TForm1::N20Click() { editor_->ShowAbout(); }

// ---- mouse and keyboard ----------------------------------------------------

TPlacementInputs TForm1::PlacementInputs() const {
  TPlacementInputs inputs;
  inputs.ObjectName = SelectedObjectName();
  inputs.LiftHeight = UpDown3->value();
  inputs.KeyCode = UpDown2->value();
  return inputs;
}

void TForm1::DXDraw1Click(int x, int y) { editor_->PlaceAt(x, y, PlacementInputs()); }

void TForm1::DXDraw1MouseUp(TMouseButton button, int x, int y) {
  if (button == TMouseButton::mbRight) editor_->DeleteAt(x, y);
}

void TForm1::TestFromHereClick() {
  // A menu opened with the mouse leaves no cell pointed at: the view's centre is the plainest guess.
  const QPoint centre(DXDraw1->Width() / 2, DXDraw1->Height() / 2);
  const QPoint at = DXDraw1->FrameContains(menuPointer_) ? menuPointer_ : centre;
  editor_->Play().ToggleTestFromHere(at.x(), at.y());
  SyncTicks();
}

bool TForm1::FormKeyDown(uint32_t VirtualKey, int QtKey, const QString& Text) {
  if (VirtualKey == kVirtualKeyF10 && !editor_->Play().PlayTest().Paused()) {
    // The releases of the keys held now reach the open menu, not this window.
    context_->Keyboard.ReleaseAllKeys();
    OpenMenuBarFromKeyboard(menuBar());
    return true;
  }
  QWidget* focus = QApplication::focusWidget();
  // Del typed into a number field edits the number, not the level.
  const bool typing = !Text.isEmpty() && (qobject_cast<QLineEdit*>(focus) || qobject_cast<QAbstractSpinBox*>(focus));
  const QPoint cursor = DXDraw1->ToFramePoint(DXDraw1->mapFromGlobal(QCursor::pos()));
  if (VirtualKey == kVirtualKeyF5) editor_->Play().ToggleTestFromHere(cursor.x(), cursor.y());
  if (!(typing && VirtualKey == kVirtualKeyDelete)) editor_->PressKey(VirtualKey);
  SyncTicks();  // test from here, its end and a restart change the Settings ticks
  // The key is taken from the focused control, so arrows never move a list
  // or a spinner and Space never opens a list; typed characters still reach it.
  return Text.isEmpty() || !TypesInto(focus, QtKey);
}

bool TForm1::IsOwnWidget(QObject* watched) const {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  // The menu bar, reached with F10 or Alt, moves through its menus with the arrows itself.
  if (widget == menuBar()) return false;
  // A key event travels from the focused control up to its parents; it is
  // handled once, where it starts.
  QWidget* focus = QApplication::focusWidget();
  return focus ? widget == focus : widget == this;
}

bool TForm1::HandleDrawAreaMouse(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint at = DXDraw1->ToFramePoint(mouse->position());
      if (mouse->button() == Qt::LeftButton) leftPressed_ = true;
      if (mouse->button() != Qt::LeftButton && mouse->button() != Qt::RightButton) return false;
      // Alt+click in edit mode chooses the object for the properties panel; it places nothing.
      if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::AltModifier) && context_->IsEditing()) {
        PropertiesPanel->ChooseAt(at.x(), at.y());
        pointerTaken_ = true;
        return true;
      }
      // Strokes, the selection and a paste's placement start here.
      const TPointerButton button = mouse->button() == Qt::LeftButton ? TPointerButton::Left : TPointerButton::Right;
      if (editor_->Pointer().PointerPressed(button, at.x(), at.y(), mouse->modifiers() & Qt::ShiftModifier,
                                            PlacementInputs()))
        pointerTaken_ = true;
      return false;
    }
    case QEvent::MouseMove: {
      const QPoint at = DXDraw1->ToFramePoint(static_cast<QMouseEvent*>(event)->position());
      editor_->Pointer().PointerMoved(at.x(), at.y(), PlacementInputs());
      return false;
    }
    case QEvent::Leave: editor_->Pointer().PointerLeft(); return false;
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint at = DXDraw1->ToFramePoint(mouse->position());
      TMouseButton button = TMouseButton::mbMiddle;
      if (mouse->button() == Qt::LeftButton) button = TMouseButton::mbLeft;
      if (mouse->button() == Qt::RightButton) button = TMouseButton::mbRight;
      // A stroke over several cells, a selection or a paste is not a click.
      bool taken = pointerTaken_ && mouse->buttons() == Qt::NoButton;
      if (button != TMouseButton::mbMiddle)
        taken = editor_->Pointer().PointerReleased(
                    button == TMouseButton::mbLeft ? TPointerButton::Left : TPointerButton::Right, at.x(), at.y(),
                    PlacementInputs()) ||
                taken;
      if (mouse->buttons() == Qt::NoButton) pointerTaken_ = false;
      if (taken) {
        if (button == TMouseButton::mbLeft) leftPressed_ = false;
        return false;
      }
      // A click is a left press and release inside the drawing area; it comes before the release.
      if (button == TMouseButton::mbLeft && leftPressed_ && DXDraw1->FrameContains(at)) DXDraw1Click(at.x(), at.y());
      if (button == TMouseButton::mbLeft) leftPressed_ = false;
      // A press inside keeps the mouse until its release; only a release over the frame counts.
      if (DXDraw1->FrameContains(at)) DXDraw1MouseUp(button, at.x(), at.y());
      return false;
    }
    case QEvent::Wheel: {
      auto* wheel = static_cast<QWheelEvent*>(event);
      // Fine-grained wheels send parts of a notch; they add up to whole notches.
      wheelRemainder_ += wheel->angleDelta().y();
      const int notches = wheelRemainder_ / 120;
      wheelRemainder_ -= notches * 120;
      if (notches == 0) return true;
      // With Ctrl the wheel zooms: towards the designer in, away out.
      if (wheel->modifiers() & Qt::ControlModifier) {
        for (int i = 0; i < std::abs(notches); ++i) notches > 0 ? editor_->ZoomIn() : editor_->ZoomOut();
      } else {
        editor_->ScrollByWheel(notches);
      }
      return true;
    }
    default: return false;
  }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  pointerColumn_.Seen(watched, event);
  if (watched == DXDraw1 && HandleDrawAreaMouse(event)) return true;
  if (event->type() == QEvent::Hide && watched->isWidgetType()) {
    // Without a window manager nothing gives the keyboard back when a dialog
    // or the loading window closes.
    ReturnFocusAfter(static_cast<QWidget*>(watched));
    return false;
  }
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  if (!IsOwnWidget(watched)) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  // One code for the held-key table and the key handler.
  const uint32_t virtualKey = VirtualKeyOf(*key);
  if (event->type() == QEvent::KeyRelease) {
    if (!key->isAutoRepeat() && virtualKey != 0) context_->Keyboard.SetKeyDown(virtualKey, false);
    return false;
  }
  if (virtualKey != 0) context_->Keyboard.SetKeyDown(virtualKey, true);
  return FormKeyDown(virtualKey, key->key(), key->text());
}

}  // namespace kestrilo

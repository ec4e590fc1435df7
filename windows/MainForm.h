// The main window: the drawing area, the side panel, the menu and the
// overview map. Its handlers only read their controls and call the editor's
// commands; the frame timer drives the editor's frame step.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QSpinBox>
#include <functional>
#include <memory>
#include <string>

#include "editor/Editor.h"
#include "platform/DXTimer.h"
#include "windows/PointerColumn.h"

class QAction;
class QComboBox;
class QDockWidget;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;

namespace kestrilo {

struct TGameContext;
class TPlanesPanel;
class TPropertiesPanel;
class THistoryPanel;
class TFindPanel;
class TDialogService;
class TDXDraw;
class TForm2;
class TForm3;
class TForm4;
class TOverviewMap;
class TNewObjectDialogSource;
class TLoadingWindow;
class TRecordingCommands;
class TLevelCheckWindow;
class TViewArea;

// The mouse buttons the drawing area reports.
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// A number field with its spinner; the spinner does not wrap.
class TSpinEdit : public QSpinBox {
  Q_OBJECT
 public:
  TSpinEdit(int minimum, int maximum, QWidget* parent);
  QLineEdit* Edit() const { return lineEdit(); }
};

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  // The client area the layout is made for, and the size the window opens at
  // when no layout was kept: the drawing area 640 by 480 at (8, 32), the side
  // panel and the overview map in docks to its right.
  static constexpr int kClientWidth = 800, kClientHeight = 534;
  // The side panel's origin in that client area: its controls keep their
  // places in the classic layout, less this. It lies right of the drawing
  // area and the docks' separator, whose width the style decides.
  static constexpr int kPanelTop = 24;
  QPoint PanelOrigin() const;

  // `dialogs` may be null: the window then shows real Qt dialogs.
  explicit TForm1(const std::string& ExecutableDir, TDialogService* dialogs = nullptr, QWidget* parent = nullptr);
  ~TForm1() override;

  // The helper windows made after this one; any may be null.
  void SetHelperWindows(TForm2* form2, TForm3* form3, TForm4* form4);

  TGameContext& Context() { return *context_; }
  TDialogService& Dialogs() { return *dialogs_; }
  TEditor& Editor() { return *editor_; }
  TDXTimer& DXTimer1() { return dxTimer1_; }
  TOverviewMap& OverviewMap() { return *overview_; }
  TLevelCheckWindow& LevelCheck() { return *levelCheck_; }
  // Told when the window's close is accepted, before it goes (the layout is kept then).
  std::function<void()> Closing;

  // Controls, with the names of the layout.
  TDXDraw* DXDraw1 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  QLabel* Label8 = nullptr;
  TSpinEdit* UpDown3 = nullptr;  // with Edit6: lift height
  QFrame* Panel1 = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Label3 = nullptr;
  TSpinEdit* UpDown1 = nullptr;  // with Edit1: Z plane
  QLabel* Label4 = nullptr;
  TSpinEdit* UpDown2 = nullptr;  // with Edit2: key code
  QLineEdit* Edit6 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;

  // Menu heads and items.
  QMenu* N1 = nullptr;
  QMenu* N5 = nullptr;
  QMenu* N9 = nullptr;
  QMenu* N10 = nullptr;
  QMenu* N11 = nullptr;
  QMenu* N18 = nullptr;
  QAction *N7 = nullptr, *N8 = nullptr, *N4 = nullptr;
  // Файл → "Новый уровень" and "Сохранить матрицу как...", beside the items of the layout.
  QAction *NewLevelItem = nullptr, *SaveLevelAsItem = nullptr;
  QAction *N6 = nullptr, *N15 = nullptr, *N2 = nullptr, *N3 = nullptr;
  QAction *N12 = nullptr, *N13 = nullptr;
  QAction *N32321 = nullptr, *N64641 = nullptr, *N1281281 = nullptr, *N14 = nullptr;
  QAction *N16 = nullptr, *N01 = nullptr, *N17 = nullptr;
  QAction *N19 = nullptr, *N20 = nullptr;
  // Settings → "Тест отсюда" (F5): play from the cell under the mouse.
  QAction* TestFromHere = nullptr;
  // The recording menu, beside the menus of the layout: the keys of a preview
  // session saved as a replay for the headless player.
  QMenu* RecordMenu = nullptr;
  QAction *RecordStart = nullptr, *RecordStop = nullptr, *RecordSave = nullptr;
  // The edit menu, beside the menus of the layout: undo and redo, each item
  // saying what it will undo or redo.
  QMenu* EditMenu = nullptr;
  QAction *EditUndo = nullptr, *EditRedo = nullptr;
  // The selection, the clipboard and the zoom of the edit view.
  QAction *EditCopy = nullptr, *EditCut = nullptr, *EditPaste = nullptr, *EditDelete = nullptr;
  QAction *EditFill = nullptr, *EditDeselect = nullptr, *EditAllPlanes = nullptr, *EditStamp = nullptr;
  QAction *EditZoomOut = nullptr, *EditZoomIn = nullptr;
  // Under the drawing area: the level's file, unsaved marks, the last result.
  QLabel* StatusLine = nullptr;
  // The docks: the side panel, the overview map, the level-check list
  // (TLevelCheckWindow), the history and find-and-replace, each moved,
  // floated, closed and reopened from "Вид".
  TViewArea* ViewArea = nullptr;
  QWidget* SidePanel = nullptr;
  QDockWidget* SidePanelDock = nullptr;
  QDockWidget* OverviewDock = nullptr;
  THistoryPanel* HistoryPanel = nullptr;
  TFindPanel* FindPanel = nullptr;  // also Правка → "Найти и заменить..." (Ctrl+H), F3, Shift+F3
  QMenu* ViewMenu = nullptr;
  TRecordingCommands& Recording() { return *recording_; }
  // Объект → "Монстры...": the monster editor, beside the menu items of the layout.
  QAction* MonstersItem = nullptr;
  // Объект → "Свойства объекта" (Ctrl+I, or Alt+click on an object): the dock of the chosen placed object.
  QAction* PropertiesItem = nullptr;
  TPropertiesPanel* PropertiesPanel = nullptr;
  TPlanesPanel* PlanesPanel = nullptr;

  // Handlers.
  void FormCreate();
  void DXDraw1Initialize();
  void N2Click();
  void N3Click();
  void N6Click();
  void N15Click();
  void N7Click();
  void NewLevelItemClick();
  void SaveLevelAsItemClick();
  void N8Click();
  void N4Click();
  void N12Click();
  void N13Click();
  void N32321Click();
  void N64641Click();
  void N1281281Click();
  void N14Click();
  void N16Click();
  void N01Click();
  void N17Click();
  void N19Click();
  void N20Click();
  void MonstersItemClick();
  void ComboBox1Change();
  void ComboBox2Change();
  void UpDown1Click();
  void DXDraw1Click(int x, int y);
  void DXDraw1MouseUp(TMouseButton button, int x, int y);
  // Settings → "Тест отсюда": test from here at the cell the cursor was over
  // when the menu opened (opened from the keyboard), else at the view's centre.
  void TestFromHereClick();
  // A key pressed while the window is in front: its virtual-key code, the one
  // the held-key table was given, and Qt's key and typed text, which decide
  // whether the focused control still gets it. Returns true when the key
  // press is consumed (the focused control does not act on it).
  virtual bool FormKeyDown(uint32_t VirtualKey, int QtKey, const QString& Text);

  // ComboBox2's selected name as stored (Windows-1251), empty when none.
  std::string SelectedObjectName() const;
  // The side-panel values a placement, a stroke or a fill reads.
  TPlacementInputs PlacementInputs() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  // Closing the main window ends the program, whatever other windows are open.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void BuildDocks();
  void BuildViewMenu();
  void BuildMenu();
  QAction* AddItem(QMenu* menu, const char* name, const char* caption, void (TForm1::*handler)());
  void ApplySidePanel(const TSidePanelUpdate& update);
  void SyncTicks();
  void BuildRecordMenu();
  void BuildEditMenu();
  void SyncEditMenu();
  void SyncRecordMenu();
  bool HandleDrawAreaMouse(QEvent* event);
  bool IsOwnWidget(QObject* watched) const;
  // Brings the window that a closed dialog belonged to (or this one) back to the front.
  void ReturnFocusAfter(QWidget* closed);

  std::unique_ptr<TDialogService> ownDialogs_;
  TDialogService* dialogs_ = nullptr;
  std::unique_ptr<TGameContext> context_;
  std::unique_ptr<TEditor> editor_;
  std::unique_ptr<TRecordingCommands> recording_;
  TDXTimer dxTimer1_;
  std::unique_ptr<TQtTimerDriver> timerDriver_;
  TOverviewMap* overview_ = nullptr;
  std::unique_ptr<TNewObjectDialogSource> form2Source_;
  std::unique_ptr<TLoadingWindow> form3Window_;
  TForm4* form4_ = nullptr;
  TLevelCheckWindow* levelCheck_ = nullptr;  // a dock, owned by the window
  bool leftPressed_ = false;
  bool pointerTaken_ = false;     // the press started a selection or placed a paste
  int wheelRemainder_ = 0;        // eighths of a degree not yet making a notch
  bool overviewDrawn_ = false;    // the map was drawn at least once
  TPointerColumn pointerColumn_;  // the overlay's "Mouse.X"
  QPoint menuPointer_{-1, -1};    // the cursor in the drawing area when the Settings menu opened
};

}  // namespace kestrilo

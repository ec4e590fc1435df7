#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QWheelEvent>
#include <vector>

#include "matrix/Matrix.h"
#include "platform/DXInput.h"
#include "platform/ScriptedDialogService.h"
#include "platform/widgets/DXDraw.h"
#include "sprites/DXSpriteEngine.h"
#include "windows/Application.h"
#include "windows/HelpScreen.h"
#include "windows/LoadingWindow.h"
#include "windows/MainForm.h"
#include "windows/MenuMnemonics.h"
#include "windows/NewObjectDialog.h"
#include "world/GameContext.h"

using namespace kestrilo;

namespace {

struct TFormFixture {
  QTemporaryDir Dir;
  TScriptedDialogService Dialogs;
  TForm1 Form{Dir.path().toStdString() + "/", &Dialogs};
  int Terminated = 0;
  TFormFixture() {
    Form.Editor().Attachments.Terminate = [this] { ++Terminated; };
  }

  // Shows the window, which initialises the drawing area, and brings it to the front.
  void ShowActive() {
    Form.show();
    QApplication::setActiveWindow(&Form);
    // Offscreen windows may never report active; the tests drive the form directly either way.
    (void)QTest::qWaitForWindowActive(&Form, 1000);
  }
  TSpriteEngine& Root() { return *Form.Context().SpriteEngine->Engine(); }
};

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void SendKey(QWidget* to, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(to, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(to, &release);
}

}  // namespace

TEST(MainFormLayout, ControlsWithCaptionsRangesAndStartValues) {
  TFormFixture f;
  TForm1& form = f.Form;
  EXPECT_EQ(form.windowTitle(), "Form1");
  // A first start: the classic client area, the drawing area at its place and
  // the side panel in a dock to its right, its controls at their classic
  // places less the panel's origin (Classic gives them back).
  EXPECT_EQ(form.centralWidget()->size(), QSize(8 + 640, TForm1::kClientHeight));
  EXPECT_EQ(form.DXDraw1->geometry(), QRect(8, 32, 640, 480));
  EXPECT_EQ(form.SidePanel->parentWidget(), static_cast<QWidget*>(form.SidePanelDock));
  EXPECT_EQ(form.dockWidgetArea(form.SidePanelDock), Qt::RightDockWidgetArea);
  EXPECT_EQ(form.dockWidgetArea(form.OverviewDock), Qt::RightDockWidgetArea);
  EXPECT_EQ(form.size().width(), TForm1::kClientWidth);
  const auto Classic = [&form](const QWidget* w) { return w->geometry().translated(form.PanelOrigin()); };

  const char* types[] = {"Стена",   "Лифт",    "Ключ",    "Дверь", "Фон",          "Монстр",
                         "Аптечки", "Патроны", "Ловушки", "Игрок", "Динам. объект"};
  ASSERT_EQ(form.ComboBox1->count(), 11);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(form.ComboBox1->itemText(i), U(types[i])) << i;
  EXPECT_EQ(form.ComboBox1->currentIndex(), 0);
  EXPECT_EQ(Classic(form.ComboBox1), QRect(664, 72, 121, 21));
  EXPECT_EQ(form.ComboBox2->count(), 0);  // the type change did not run at start
  EXPECT_EQ(Classic(form.ComboBox2), QRect(664, 120, 121, 21));

  EXPECT_EQ(form.Label1->text(), U("Тип объекта:"));
  EXPECT_EQ(Classic(form.Label1).topLeft(), QPoint(672, 56));
  EXPECT_EQ(form.Label2->text(), U("Объект:"));
  EXPECT_EQ(form.Label8->text(), U("Высота лифта:"));
  EXPECT_EQ(form.Label3->text(), U("Ось Z:"));
  EXPECT_EQ(form.Label4->text(), U("Код ключа:"));

  // A caption and its field keep their rows; where the face at hand is wider
  // than the classic one, the caption moves left (not past the panel) and the
  // field right, so that the whole caption shows and the field stays inside.
  struct TSpin {
    TSpinEdit* Spin;
    QLabel* Caption;
    int Min, Max;
    QPoint At, CaptionAt;
  };
  for (const TSpin& s : {TSpin{form.UpDown3, form.Label8, -128, 127, {744, 157}, {664, 160}},
                         TSpin{form.UpDown1, form.Label3, 0, 4, {728, 352}, {688, 355}},
                         TSpin{form.UpDown2, form.Label4, 0, 255, {728, 381}, {664, 384}}}) {
    EXPECT_EQ(s.Spin->minimum(), s.Min);
    EXPECT_EQ(s.Spin->maximum(), s.Max);
    EXPECT_EQ(s.Spin->value(), 0);
    EXPECT_FALSE(s.Spin->wrapping());
    EXPECT_TRUE(s.Spin->isEnabled());
    EXPECT_EQ(Classic(s.Spin).y(), s.At.y());
    EXPECT_GE(Classic(s.Spin).x(), s.At.x());
    EXPECT_EQ(Classic(s.Caption).y(), s.CaptionAt.y());
    EXPECT_LE(Classic(s.Caption).x(), s.CaptionAt.x());
    EXPECT_GT(s.Caption->x(), form.Panel1->x());
    EXPECT_GE(s.Caption->width(), s.Caption->sizeHint().width()) << s.Caption->text().toStdString();
    EXPECT_LE(s.Caption->x() + s.Caption->width(), s.Spin->x()) << s.Caption->text().toStdString();
    EXPECT_LE(Classic(s.Spin).right() + 1, TForm1::kClientWidth);
    EXPECT_GE(s.Spin->width(), 40);  // room for three digits and the arrows
  }
  for (QLineEdit* field : {form.Edit1, form.Edit6, form.Edit2}) EXPECT_FALSE(field->isReadOnly());
  form.UpDown1->setValue(4);
  form.UpDown1->stepUp();
  EXPECT_EQ(form.UpDown1->value(), 4);  // no wrapping

  // The picture's frame starts at the panel's edge where the separator leaves less room.
  EXPECT_EQ(Classic(form.Panel1), QRect(std::max(650, form.PanelOrigin().x()), 200, 145, 145));
  EXPECT_EQ(form.Image1->geometry(), QRect(9, 9, 128, 128));
  EXPECT_EQ(form.Image1->parentWidget(), form.Panel1);
  EXPECT_TRUE(form.Image1->pixmap().isNull());
}

TEST(MainFormLayout, MenuItemsCaptionsShortcutsAndTicks) {
  TFormFixture f;
  TForm1& form = f.Form;
  struct TItem {
    const char* Name;
    QMenu* Under;
    const char* Caption;
  };
  const TItem items[] = {
      {"N7", form.N1, "Сохранить матрицу"},
      {"N8", form.N1, "Загрузить матрицу"},
      {"N4", form.N1, "Выход"},
      {"N6", form.N5, "Добавить"},
      {"N15", form.N5, "Удалить"},
      {"N2", form.N5, "Открыть файл объектов"},
      {"N3", form.N5, "Сохранить файл объектов"},
      {"N12", form.N10, "Видимость"},
      {"N13", form.N10, "Гравитация"},
      {"N32321", form.N11, "32х32"},
      {"N64641", form.N11, "64х64"},
      {"N1281281", form.N11, "128х128"},
      {"N14", form.N11, "нет"},
      {"N16", form.N9, "Авто контроль"},
      {"N01", form.N9, "Задержка вкл"},
      {"N17", form.N9, "Предварительный просмотр"},
      {"N19", form.N18, "Управление"},
      {"N20", form.N18, "О программе"},
  };
  for (const TItem& item : items) {
    auto* action = form.findChild<QAction*>(item.Name);
    ASSERT_NE(action, nullptr) << item.Name;
    EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(action->text()), U(item.Caption)) << item.Name;
    EXPECT_TRUE(item.Under->actions().contains(action)) << item.Name;
  }
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.N1->title()), U("Файл"));
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.N5->title()), U("Объект"));
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.N9->title()), U("Настройки"));
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.N10->title()), U("Игрок..."));
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.N11->title()), U("Сетка..."));
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.N18->title()), U("Помощь"));
  const QList<QAction*> bar = form.menuBar()->actions();
  ASSERT_EQ(bar.size(), 7);  // the layout's four menus, then the edit, view and recording menus
  EXPECT_EQ(bar[0], form.N1->menuAction());
  EXPECT_EQ(bar[3], form.N18->menuAction());
  EXPECT_EQ(bar[4], form.EditMenu->menuAction());
  EXPECT_EQ(bar[5], form.ViewMenu->menuAction());
  EXPECT_EQ(bar[6], form.RecordMenu->menuAction());
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.EditMenu->title()), U("Правка"));
  EXPECT_EQ(form.EditUndo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
  EXPECT_EQ(form.EditRedo->shortcuts().size(), 2);
  EXPECT_TRUE(form.N9->actions().contains(form.N10->menuAction()));
  EXPECT_TRUE(form.N9->actions().contains(form.N11->menuAction()));

  EXPECT_EQ(form.N14->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
  EXPECT_EQ(form.N17->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
  // Ticks at start.
  EXPECT_FALSE(form.N12->isChecked());
  EXPECT_FALSE(form.N13->isChecked());
  EXPECT_TRUE(form.N16->isChecked());
  EXPECT_TRUE(form.N01->isChecked());
  EXPECT_FALSE(form.N17->isChecked());
  for (QAction* grid : {form.N32321, form.N64641, form.N1281281, form.N14}) EXPECT_FALSE(grid->isCheckable());
}

TEST(MainFormMenu, TriggeredItemsRunTheirCommandsAndKeepTicksInStep) {
  TFormFixture f;
  f.ShowActive();
  TForm1& form = f.Form;
  EXPECT_EQ(form.DXTimer1().Interval(), 14);  // set when the drawing area initialised
  form.N01->trigger();
  EXPECT_FALSE(form.N01->isChecked());
  EXPECT_EQ(form.DXTimer1().Interval(), 0);
  form.N17->trigger();
  EXPECT_TRUE(form.N17->isChecked());
  EXPECT_EQ(form.Context().EditMode, TEditMode::Previewing);
  form.N14->trigger();
  EXPECT_FALSE(form.Context().GridVisible);
  form.N1281281->trigger();
  EXPECT_EQ(form.Context().GridSize, 128);
  EXPECT_TRUE(form.Context().GridVisible);
  form.N16->trigger();
  EXPECT_FALSE(form.N16->isChecked());
  EXPECT_FALSE(form.Editor().Settings().Ticks.AutoControl);
  form.N8->trigger();  // no objects file yet
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_EQ(f.Dialogs.Messages()[0], "Файл объектов загружен не был... Невозможно загрузить матрицу!");
}

TEST(MainFormPanel, TypeChoiceAppliesFieldsAndPlane) {
  TFormFixture f;
  f.ShowActive();
  TForm1& form = f.Form;
  form.ComboBox1->setCurrentIndex(9);
  emit form.ComboBox1->activated(9);
  EXPECT_EQ(form.UpDown1->value(), 4);
  EXPECT_EQ(form.Context().CurrentPlane, 4);
  EXPECT_FALSE(form.UpDown1->isEnabled());
  EXPECT_FALSE(form.UpDown3->isEnabled());
  EXPECT_FALSE(form.UpDown2->isEnabled());
  form.ComboBox1->setCurrentIndex(4);
  emit form.ComboBox1->activated(4);
  EXPECT_TRUE(form.UpDown1->isEnabled());
  EXPECT_EQ(form.UpDown1->value(), 1);
  // The spinner's click sets the plane.
  form.UpDown1->stepUp();
  EXPECT_EQ(form.Context().CurrentPlane, 2);
}

TEST(MainFormInput, ArrowKeysScrollAndNeverMoveTheFocusedList) {
  TFormFixture f;
  f.ShowActive();
  TForm1& form = f.Form;
  form.ComboBox1->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), form.ComboBox1);
  SendKey(form.ComboBox1, Qt::Key_Down);
  SendKey(form.ComboBox1, Qt::Key_Right);
  EXPECT_EQ(form.ComboBox1->currentIndex(), 0);
  EXPECT_EQ(form.Context().PlayedLevel->GetOriginY(), 1);
  EXPECT_EQ(form.Context().PlayedLevel->GetOriginX(), 1);
  EXPECT_EQ(f.Root().X, -32);

  form.UpDown2->setFocus();
  SendKey(form.UpDown2, Qt::Key_Up);
  EXPECT_EQ(form.UpDown2->value(), 0);
  EXPECT_EQ(form.Context().PlayedLevel->GetOriginY(), 0);
  // Typed characters still reach the field.
  form.UpDown2->Edit()->selectAll();
  SendKey(form.UpDown2, Qt::Key_7, "7");
  EXPECT_EQ(form.Edit2->text(), "7");
}

TEST(MainFormInput, TheDrawingAreaHoldsTheFocusAtStartAndTakesItBackWhenClicked) {
  TFormFixture f;
  f.ShowActive();
  TForm1& form = f.Form;
  EXPECT_EQ(QApplication::focusWidget(), form.DXDraw1);
  // Keys sent to the drawing area are the window's keys too.
  SendKey(form.DXDraw1, Qt::Key_Down);
  EXPECT_EQ(form.Context().PlayedLevel->GetOriginY(), 1);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, "d");
  QApplication::sendEvent(form.DXDraw1, &press);
  EXPECT_TRUE(form.Context().Keyboard.IsKeyDown('D'));
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_D, Qt::NoModifier, "d");
  QApplication::sendEvent(form.DXDraw1, &release);

  form.UpDown3->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), form.UpDown3);
  QTest::mouseClick(form.DXDraw1, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
  EXPECT_EQ(QApplication::focusWidget(), form.DXDraw1);
}

TEST(MainFormInput, SpaceOnAFocusedListNeverOpensIt) {
  TFormFixture f;
  f.ShowActive();
  TForm1& form = f.Form;
  for (QComboBox* list : {form.ComboBox1, form.ComboBox2}) {
    list->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), list);
    SendKey(list, Qt::Key_Space, " ");
    QApplication::processEvents();
    EXPECT_FALSE(list->view()->isVisible()) << list->objectName().toStdString();
  }
  EXPECT_EQ(form.ComboBox1->currentIndex(), 0);
}

TEST(MainFormFocus, ClosingADialogOrTheLoadingWindowGivesTheKeyboardBackToTheMainWindow) {
  TFormFixture f;
  f.ShowActive();
  TForm1& form = f.Form;
  QDialog owned(&form);  // a dialog of the main window, as the file dialogs are
  QDialog alone;         // a window of its own, as the new-object dialog is
  for (QDialog* dialog : {&owned, &alone}) {
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog, 1000));
    dialog->hide();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form, 1000));
    EXPECT_EQ(QApplication::activeWindow(), &form);
  }
  TForm3 loading;
  loading.ShowAndPaint();
  loading.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&loading, 1000));
  loading.hide();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&form, 1000));
}

TEST(MainFormInput, KeysFillTheHeldTableWhileInFront) {
  TFormFixture f;
  f.ShowActive();
  TForm1& form = f.Form;
  QKeyEvent press(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, "d");
  QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : &form, &press);
  EXPECT_TRUE(form.Context().Keyboard.IsKeyDown('D'));
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_D, Qt::NoModifier, "d");
  QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : &form, &release);
  EXPECT_FALSE(form.Context().Keyboard.IsKeyDown('D'));
}

TEST(MainFormInput, NumericPadDigitsHoldTheirOwnInputStates) {
  TFormFixture f;
  f.ShowActive();
  TForm1& form = f.Form;
  QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
  TDXInput& input = form.Context().Keyboard;
  QKeyEvent press(QEvent::KeyPress, Qt::Key_8, Qt::KeypadModifier, "8");
  QApplication::sendEvent(to, &press);
  EXPECT_TRUE(input.IsKeyDown(104));
  EXPECT_FALSE(input.IsKeyDown('8'));
  input.UpdateInput();
  EXPECT_TRUE(input.InputStates[0]);  // the state numeric-pad 8 is assigned to
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_8, Qt::KeypadModifier, "8");
  QApplication::sendEvent(to, &release);
  input.UpdateInput();
  EXPECT_FALSE(input.InputStates[0]);
}

namespace {

// The main window with its key handler watched: the codes it was handed.
class TKeyWatchingForm : public TForm1 {
 public:
  using TForm1::TForm1;
  bool FormKeyDown(uint32_t VirtualKey, int QtKey, const QString& Text) override {
    Handled.push_back(VirtualKey);
    return TForm1::FormKeyDown(VirtualKey, QtKey, Text);
  }
  std::vector<uint32_t> Handled;
};

int HeldKeyCount(const TDXInput& input) {
  int held = 0;
  for (uint32_t code = 0; code < 256; ++code) held += input.IsKeyDown(code) ? 1 : 0;
  return held;
}

}  // namespace

TEST(MainFormInput, TheHeldTableAndTheKeyHandlerGetOneCodeForEveryPadKeyAndDigit) {
  QTemporaryDir dir;
  TScriptedDialogService dialogs;
  TKeyWatchingForm form(dir.path().toStdString() + "/", &dialogs);
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form, 1000));
  TDXInput& input = form.Context().Keyboard;

  struct TCase {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    uint32_t Code;
    QString Text;
  };
  std::vector<TCase> cases;
  for (int digit = 0; digit <= 9; ++digit) {
    const QString text = QString::number(digit);
    cases.push_back({Qt::Key_0 + digit, Qt::KeypadModifier, 96u + digit, text});  // the pad's own digits
    cases.push_back({Qt::Key_0 + digit, Qt::NoModifier, 48u + digit, text});      // the main row's
  }
  // With Num Lock off the pad's keys are cursor keys; its signs have no code here.
  const std::pair<int, uint32_t> padKeys[] = {
      {Qt::Key_Up, 38},    {Qt::Key_Down, 40},   {Qt::Key_Left, 37},     {Qt::Key_Right, 39},  {Qt::Key_Home, 36},
      {Qt::Key_End, 35},   {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34}, {Qt::Key_Insert, 45}, {Qt::Key_Delete, 46},
      {Qt::Key_Enter, 13}, {Qt::Key_Clear, 0},   {Qt::Key_Plus, 0},      {Qt::Key_Minus, 0},   {Qt::Key_Asterisk, 0},
      {Qt::Key_Slash, 0},  {Qt::Key_Period, 0}};
  for (const auto& [key, code] : padKeys) cases.push_back({key, Qt::KeypadModifier, code, {}});

  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "Qt key 0x" << std::hex << c.Key << (c.Modifiers ? " on the pad" : ""));
    QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
    form.Handled.clear();
    QKeyEvent press(QEvent::KeyPress, c.Key, c.Modifiers, c.Text);
    QApplication::sendEvent(to, &press);
    ASSERT_EQ(form.Handled.size(), 1u);
    EXPECT_EQ(form.Handled[0], c.Code);
    if (c.Code != 0) {
      EXPECT_TRUE(input.IsKeyDown(c.Code));
    }
    EXPECT_EQ(HeldKeyCount(input), c.Code != 0 ? 1 : 0);
    QKeyEvent release(QEvent::KeyRelease, c.Key, c.Modifiers, c.Text);
    QApplication::sendEvent(to, &release);
    EXPECT_EQ(HeldKeyCount(input), 0);
  }
  // The editor acted on the pad's cursor keys: up and left at the origin go
  // nowhere, down and right move the view one cell each.
  ASSERT_TRUE(form.Context().PlayedLevel);
  EXPECT_EQ(form.Context().PlayedLevel->GetOriginX(), 1);
  EXPECT_EQ(form.Context().PlayedLevel->GetOriginY(), 1);
}

TEST(MainFormInput, OnlyTheRightButtonsReleaseDeletes) {
  TFormFixture f;
  f.ShowActive();
  // A visible sprite under the pointer on an empty main-plane cell: a deletion
  // finds it and refuses with the message, so every release that reaches the
  // deletion shows.
  auto* probe = new TSprite(&f.Root());
  probe->X = 64;
  probe->Y = 32;
  probe->Width = 32;
  probe->Height = 32;
  f.Form.DXDraw1MouseUp(TMouseButton::mbLeft, 70, 40);
  f.Form.DXDraw1MouseUp(TMouseButton::mbMiddle, 70, 40);
  EXPECT_TRUE(f.Dialogs.Messages().empty());
  f.Form.DXDraw1MouseUp(TMouseButton::mbRight, 70, 40);
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_EQ(f.Dialogs.Messages()[0], "В матрице нет объекта на данном плане. Смените ось Z!");
  EXPECT_FALSE(probe->IsDead);
}

TEST(MainFormInput, MouseClickPlacesAndWheelScrolls) {
  TFormFixture f;
  f.ShowActive();
  TForm1& form = f.Form;
  const int32_t before = f.Root().SpriteCount;
  QTest::mouseClick(form.DXDraw1, Qt::LeftButton, Qt::NoModifier, QPoint(70, 40));
  EXPECT_EQ(f.Root().SpriteCount, before + 1);  // nothing chosen: a bare object
  QTest::mouseClick(form.DXDraw1, Qt::RightButton, Qt::NoModifier, QPoint(70, 40));
  EXPECT_TRUE(f.Dialogs.Messages().empty());  // nothing visible under the cursor
  EXPECT_EQ(f.Root().SpriteCount, before + 1);
  // A left press inside released outside the area is no click.
  QTest::mousePress(form.DXDraw1, Qt::LeftButton, Qt::NoModifier, QPoint(70, 40));
  QTest::mouseRelease(form.DXDraw1, Qt::LeftButton, Qt::NoModifier, QPoint(700, 40));
  EXPECT_EQ(f.Root().SpriteCount, before + 1);

  const QPointF at(100, 100);
  QWheelEvent down(at, form.DXDraw1->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(form.DXDraw1, &down);
  EXPECT_EQ(form.Context().PlayedLevel->GetOriginY(), 2);
  QWheelEvent up(at, form.DXDraw1->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(form.DXDraw1, &up);
  EXPECT_EQ(form.Context().PlayedLevel->GetOriginY(), 1);
  // Half notches add up to one.
  for (int half = 0; half < 2; ++half) {
    QWheelEvent part(at, form.DXDraw1->mapToGlobal(at), QPoint(), QPoint(0, -60), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(form.DXDraw1, &part);
    EXPECT_EQ(form.Context().PlayedLevel->GetOriginY(), 1 + half);
  }
}

TEST(MainFormFrame, ATickDrawsIntoTheBackBufferAndCaptionFollowsTheContext) {
  TFormFixture f;
  f.ShowActive();
  TForm1& form = f.Form;
  form.Editor().Frames().Step();
  EXPECT_EQ(f.Terminated, 0);
  EXPECT_EQ(form.DXDraw1->Surface().Pixel(16, 200), 128);
  EXPECT_EQ(form.DXDraw1->Surface().Pixel(0, 200), 0);
  EXPECT_FALSE(form.DXDraw1->PresentedImage().isNull());
  form.Context().SetCaption("Health: 100");
  EXPECT_EQ(form.windowTitle(), "Health: 100");
}

TEST(MainFormFrame, UnshownWindowEndsTheProgramAtTheFirstTick) {
  TFormFixture f;
  f.Form.Editor().Frames().Step();
  EXPECT_EQ(f.Terminated, 1);
}

TEST(StartUp, FourWindowsInOrderAndOnlyTheMainOneShown) {
  QTemporaryDir dir;
  TScriptedDialogService dialogs;
  TApplicationWindows windows = CreateApplicationWindows(dir.path().toStdString() + "/", &dialogs);
  ASSERT_NE(windows.Form1, nullptr);
  ASSERT_NE(windows.Form2, nullptr);
  ASSERT_NE(windows.Form3, nullptr);
  ASSERT_NE(windows.Form4, nullptr);
  EXPECT_FALSE(windows.Form2->isVisible());
  EXPECT_FALSE(windows.Form3->isVisible());
  EXPECT_FALSE(windows.Form4->isVisible());
  EXPECT_EQ(windows.Form1->windowTitle(), "Form1");
  EXPECT_NE(windows.Form1->Editor().Attachments.NewObjectSource, nullptr);
  EXPECT_NE(windows.Form1->Editor().Attachments.LoadingWindow, nullptr);
  EXPECT_EQ(windows.Form1->Context().ExecutableDir, dir.path().toStdString() + "/");
  // Nothing is made that needs the drawing area until it initialises.
  EXPECT_EQ(windows.Form1->Context().PlayedLevel, nullptr);
  windows.Form1->show();
  EXPECT_NE(windows.Form1->Context().PlayedLevel, nullptr);
  EXPECT_EQ(windows.Form1->Context().GridSize, 32);
}

TEST(StartUp, TheLoadingWindowShowsOverTheMiddleOfTheMainWindow) {
  QTemporaryDir dir;
  TScriptedDialogService dialogs;
  TApplicationWindows windows = CreateApplicationWindows(dir.path().toStdString() + "/", &dialogs);
  windows.Form1->move(40, 30);
  windows.Form1->show();
  windows.Form1->Editor().Attachments.LoadingWindow->ShowAndPaint();
  EXPECT_TRUE(windows.Form3->isVisible());
  const QPoint middle = windows.Form1->frameGeometry().center();
  const QPoint shownAt = windows.Form3->frameGeometry().center();
  EXPECT_LE((shownAt - middle).manhattanLength(), 40);
  windows.Form1->Editor().Attachments.LoadingWindow->Close();
  EXPECT_FALSE(windows.Form3->isVisible());
}

TEST(MainFormFrame, TheFrameTimerRunsFromTheEventLoopOnceShown) {
  TFormFixture f;
  f.ShowActive();
  ASSERT_EQ(QGuiApplication::applicationState(), Qt::ApplicationActive);
  EXPECT_TRUE(f.Form.DXTimer1().Started());
  // Without the frame delay a tick comes at every pass of the loop, whatever the clock says.
  f.Form.N01->trigger();
  for (int pass = 0; pass < 5; ++pass) QCoreApplication::processEvents();
  EXPECT_FALSE(f.Form.DXDraw1->PresentedImage().isNull());
  EXPECT_EQ(f.Form.DXDraw1->Surface().Pixel(16, 200), 128);
  EXPECT_EQ(f.Terminated, 0);
}

TEST(MainFormFrame, ClosingTheMainWindowEndsTheProgramWithoutAsking) {
  TFormFixture f;
  f.ShowActive();
  f.Form.close();
  EXPECT_EQ(f.Terminated, 1);
  EXPECT_TRUE(f.Dialogs.Asked.empty());
}

// Every way out asks one question at most, and the run's marker goes only
// when the window really closes. The application's quit closes its windows
// first, so the end the editor asks for is played here as that close.
TEST(MainFormExit, EveryWayOutAsksOnceAndOnlyARealEndRemovesTheMarker) {
  struct TCase {
    const char* Name;
    bool ByMenu;  // Файл → "Выход"; otherwise the window's close (its button, Alt+F4)
    bool Unsaved;
    TModalResult Answer;
    const char* Caption;  // of the one question, none when nothing is asked
    bool Ends;
  };
  const TCase cases[] = {
      {"menu, unsaved, Нет", true, true, TModalResult::mrNo, "Несохранённые изменения", true},
      {"menu, unsaved, Отмена", true, true, TModalResult::mrCancel, "Несохранённые изменения", false},
      {"menu, saved, Да", true, false, TModalResult::mrYes, "Подтвердите выход!", true},
      {"menu, saved, Нет", true, false, TModalResult::mrNo, "Подтвердите выход!", false},
      {"close, unsaved, Нет", false, true, TModalResult::mrNo, "Несохранённые изменения", true},
      {"close, unsaved, Отмена", false, true, TModalResult::mrCancel, "Несохранённые изменения", false},
      {"close, saved", false, false, TModalResult::mrNone, nullptr, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFormFixture f;
    f.ShowActive();
    TEditor& editor = f.Form.Editor();
    editor.Attachments.Terminate = [&] {
      ++f.Terminated;
      f.Form.close();
    };
    const std::string marker = f.Dir.path().toStdString() + "/recovery/running";
    editor.Autosave().Recovery.Folder = f.Dir.path().toStdString() + "/recovery";
    editor.Autosave().OfferRecovery();  // the run starts
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(marker)));
    // What a restored recovery copy leaves: work the designer's files do not hold.
    if (c.Unsaved) editor.Document.LevelMarkedUnsaved();
    f.Dialogs.Asked.clear();
    f.Dialogs.MessageAnswers = {c.Answer};

    if (c.ByMenu)
      f.Form.N4->trigger();
    else
      f.Form.close();

    ASSERT_EQ(f.Dialogs.Asked.size(), c.Caption ? 1u : 0u);
    if (c.Caption) EXPECT_EQ(f.Dialogs.Asked[0].Caption, c.Caption);
    if (c.Caption && !c.Unsaved) EXPECT_EQ(f.Dialogs.Asked[0].Text, "Правда выйти ?");
    EXPECT_EQ(f.Terminated > 0, c.Ends);
    EXPECT_EQ(f.Form.isVisible(), !c.Ends);
    EXPECT_EQ(QFileInfo::exists(QString::fromStdString(marker)), !c.Ends);
    // A later close of a window that stayed asks afresh.
    if (!c.Ends && c.Unsaved) {
      f.Dialogs.MessageAnswers = {TModalResult::mrCancel};
      EXPECT_FALSE(f.Form.close());
      EXPECT_EQ(f.Dialogs.Asked.size(), 2u);
    }
  }
}

TEST(StartUp, QtsOwnButtonTextsAreRussianWhereQtHasTheTranslation) {
  std::unique_ptr<QTranslator> russian = InstallRussianQtTexts();
  if (!russian) GTEST_SKIP() << "Qt's translations are not installed here";
  const QString yes = QCoreApplication::translate("QPlatformTheme", "&Yes");
  const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
  QCoreApplication::removeTranslator(russian.get());
  EXPECT_EQ(yes, U("&Да"));
  EXPECT_EQ(cancel, U("Отмена"));
}

namespace kestrilo {
namespace {

// The drawing area's mouse as the window gets it: a drag paints one object
// per cell passed as one undo step, Shift and a drag select, Ctrl and the
// wheel zoom out and back in.
TEST(MainFormInput, DragPaintsShiftDragSelectsAndCtrlWheelZooms) {
  TFormFixture f;
  f.ShowActive();
  TForm1& form = f.Form;
  const int32_t before = f.Root().SpriteCount;
  QTest::mousePress(form.DXDraw1, Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
  QTest::mouseMove(form.DXDraw1, QPoint(100, 40));
  QTest::mouseMove(form.DXDraw1, QPoint(140, 45));
  QTest::mouseRelease(form.DXDraw1, Qt::LeftButton, Qt::NoModifier, QPoint(140, 45));
  EXPECT_EQ(f.Root().SpriteCount, before + 4);  // cells 1 to 4 of row 1, nothing chosen: bare objects
  EXPECT_EQ(form.Editor().UndoStack.count(), 1);

  QTest::mousePress(form.DXDraw1, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 200));
  QTest::mouseMove(form.DXDraw1, QPoint(100, 260));
  QTest::mouseRelease(form.DXDraw1, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 260));
  EXPECT_EQ(form.Editor().Selection.Region(), (TCellRegion{0, 6, 3, 8}));
  EXPECT_EQ(f.Root().SpriteCount, before + 4);

  const QPointF at(100, 100);
  QWheelEvent away(at, form.DXDraw1->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::ControlModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(form.DXDraw1, &away);
  EXPECT_EQ(form.Editor().Zoom.Divisor(), 2);
  EXPECT_EQ(form.Context().PlayedLevel->GetOriginY(), 0);  // zoomed, not scrolled
  QWheelEvent towards(at, form.DXDraw1->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
  QApplication::sendEvent(form.DXDraw1, &towards);
  EXPECT_EQ(form.Editor().Zoom.Divisor(), 1);
}

}  // namespace
}  // namespace kestrilo

// The menus from the keyboard: a mnemonic for every menu and item, unique in
// its menu, in both languages; the standard shortcuts; F10; typed numbers.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include "DesktopTestSupport.h"
#include "editor/RecentLevels.h"
#include "editor/Translations.h"
#include "platform/widgets/DXDraw.h"
#include "windows/LanguageMenu.h"
#include "windows/MenuMnemonics.h"
#include "world/GameContext.h"

using namespace kestrilo;
using namespace kestrilo::editortest;

namespace {

// Every entry of a menu (or of the bar) has a mark, no two the same letter.
void ExpectUniqueMnemonics(QWidget* container, const QString& where) {
  QSet<QChar> seen;
  for (QAction* action : container->actions()) {
    if (action->isSeparator() || action->text().isEmpty()) continue;
    const QString text = where + " / " + action->text();
    const QChar mark = TMenuMnemonics::MnemonicOf(action->text());
    EXPECT_FALSE(mark.isNull()) << text.toStdString();
    EXPECT_FALSE(seen.contains(mark)) << text.toStdString();
    seen.insert(mark);
  }
}

void ExpectEveryMenuMarked(TForm1& form, const char* language) {
  ExpectUniqueMnemonics(form.menuBar(), language);
  for (QMenu* menu : form.findChildren<QMenu*>()) {
    menu->aboutToShow();  // the recent levels are listed as the menu opens
    ExpectUniqueMnemonics(menu, QString(language) + " / " + menu->title());
  }
}

void Press(QWidget* to, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(to, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(to, &release);
}

// The main window shown and in front, so that its shortcuts count.
TForm1& OpenActive(TDesktopFixture& f) {
  TForm1& form = f.Open();
  QApplication::setActiveWindow(&form);
  (void)QTest::qWaitForWindowActive(&form, 1000);
  return form;
}

}  // namespace

TEST(MenuKeyboard, EveryMenuAndItemHasItsOwnMnemonicInBothLanguages) {
  for (const TLanguage language : {TLanguage::Russian, TLanguage::English}) {
    const char* name = language == TLanguage::English ? "English" : "Russian";
    SCOPED_TRACE(name);
    TDesktopFixture f;
    const TInterfaceTranslators translators(language);
    TRecentLevels recent(*f.Settings);
    recent.Add(f.Sample.Path("one.mtf"));
    recent.Add(f.Sample.Path("two.mtf"));
    TForm1& form = f.Open();
    ConnectRecentLevels(form, recent);
    new TLanguageMenu(form, *f.Settings, language);
    ExpectEveryMenuMarked(form, name);
    // Texts set later keep a mark: undo names the change, the words stay.
    form.N2->trigger();
    form.Editor().PlaceAt(64, 32, form.PlacementInputs());
    ExpectUniqueMnemonics(form.EditMenu, "after a change");
    EXPECT_TRUE(TMenuMnemonics::WithoutMnemonic(form.EditUndo->text()).contains(':'));
  }
}

TEST(MenuKeyboard, MarksAreReadAndStrippedAsQtShowsThem) {
  const struct {
    const char* Text;
    QChar Mark;
    const char* Shown;
  } cases[] = {
      {"&Файл", QChar(0x0444), "Файл"},  // lower-case ф
      {"Сохранить &как...", QChar(0x043A), "Сохранить как..."},
      {"Tom && &Jerry", 'j', "Tom & Jerry"},
      {"A && B", QChar(), "A & B"},
      {"Del\t&X", QChar(), "Del\tX"},  // a shortcut shown after a tab is no mark
  };
  for (const auto& c : cases) {
    const QString text = QString::fromUtf8(c.Text);
    EXPECT_EQ(TMenuMnemonics::MnemonicOf(text), c.Mark) << c.Text;
    EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(text), QString::fromUtf8(c.Shown)) << c.Text;
  }
}

TEST(MenuKeyboard, EachStandardShortcutRunsItsCommand) {
  TDesktopFixture f;
  TForm1& form = OpenActive(f);
  const struct {
    QAction* Item;
    QKeySequence Keys;
    const char* Asks;  // the kind of dialog the command opens with nothing answered
  } cases[] = {
      {form.NewLevelItem, QKeySequence(Qt::CTRL | Qt::Key_N), ""},
      {form.N8, QKeySequence(Qt::CTRL | Qt::Key_O), "show"},  // no objects file yet
      {form.N7, QKeySequence(Qt::CTRL | Qt::Key_S), "save"},  // never saved: asks for a name
      {form.SaveLevelAsItem, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "save"},
      {form.N4, QKeySequence(Qt::CTRL | Qt::Key_Q), "message"},  // "Правда выйти ?", answered Отмена
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Keys.toString().toStdString());
    EXPECT_EQ(c.Item->shortcut(), c.Keys);
    EXPECT_EQ(c.Item->shortcutContext(), Qt::WindowShortcut);
    QSignalSpy triggered(c.Item, &QAction::triggered);
    f.Dialogs.Asked.clear();
    const QKeyCombination keys = c.Keys[0];
    QTest::keyClick(form.DXDraw1, keys.key(), keys.keyboardModifiers());
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_EQ(f.Dialogs.Asked.empty() ? "" : f.Dialogs.Asked.back().Kind, c.Asks);
  }
  EXPECT_FALSE(form.Editor().Document.LevelModified());
}

TEST(MenuKeyboard, F10OpensTheMenuBarUnlessPausedPlayTakesItAsOneStep) {
  TDesktopFixture f;
  TForm1& form = OpenActive(f);
  // A key held when the menu opens is let go: its release goes to the menu.
  QKeyEvent held(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, "d");
  QApplication::sendEvent(form.DXDraw1, &held);
  ASSERT_TRUE(form.Context().Keyboard.IsKeyDown('D'));
  Press(form.DXDraw1, Qt::Key_F10);
  EXPECT_EQ(form.menuBar()->activeAction(), form.N1->menuAction());
  EXPECT_TRUE(form.N1->isVisible());
  EXPECT_FALSE(form.Context().Keyboard.IsKeyDown('D'));
  EXPECT_FALSE(form.Context().Keyboard.IsKeyDown(121));
  // Arrows move along the bar, Escape closes the menu and then leaves the bar.
  QTest::keyClick(form.N1, Qt::Key_Right);
  EXPECT_EQ(form.menuBar()->activeAction(), form.N5->menuAction());
  EXPECT_TRUE(form.N5->isVisible());
  QTest::keyClick(form.N5, Qt::Key_Escape);
  EXPECT_FALSE(form.N5->isVisible());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  // The keys are the view's again.
  EXPECT_EQ(form.menuBar()->activeAction(), nullptr);
  EXPECT_EQ(QApplication::focusWidget(), form.DXDraw1);

  // Paused play: F10 lets one tick move and opens nothing.
  form.N2->trigger();
  form.N17->trigger();
  form.Editor().Play().TogglePause();
  ASSERT_TRUE(form.Editor().Play().PlayTest().Paused());
  Press(form.DXDraw1, Qt::Key_F10);
  EXPECT_FALSE(form.N1->isVisible());
  EXPECT_EQ(form.menuBar()->activeAction(), nullptr);
}

TEST(MenuKeyboard, TypedNumbersReachEveryNumberField) {
  TDesktopFixture f;
  TForm1& form = OpenActive(f);
  const struct {
    TSpinEdit* Field;
    const char* Typed;
    int Value;
  } cases[] = {{form.UpDown1, "3", 3}, {form.UpDown3, "-15", -15}, {form.UpDown2, "129", 129}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Typed);
    c.Field->setFocus();
    c.Field->Edit()->selectAll();
    for (const char ch : std::string(c.Typed)) {
      const int key = ch == '-' ? Qt::Key_Minus : Qt::Key_0 + (ch - '0');
      Press(QApplication::focusWidget(), key, Qt::NoModifier, QString(QChar(ch)));
    }
    EXPECT_EQ(c.Field->value(), c.Value);
    // Backspace edits the number.
    Press(QApplication::focusWidget(), Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ(c.Field->Edit()->text().size(), std::string(c.Typed).size() - 1);
  }
  // The typed plane is the plane placements go to.
  EXPECT_EQ(form.Context().CurrentPlane, 3);
}

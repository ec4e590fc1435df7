// Every caption of the editor's windows shows whole: no label, button, check
// box or group title is cut off by its own box or runs out of its parent,
// whatever face stands in for the classic narrow one.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>

#include "editor/Translations.h"
#include "platform/ScriptedDialogService.h"
#include "windows/Application.h"
#include "windows/HelpScreen.h"
#include "windows/LoadingWindow.h"
#include "windows/MainForm.h"
#include "windows/NewObjectDialog.h"

using namespace kestrilo;

namespace {

// Room a check box or radio button needs besides its text, and a push button's frame.
int NeededWidth(QAbstractButton* button) { return button->sizeHint().width(); }

void ExpectCaptionsFit(QWidget* window) {
  const std::string where = window->objectName().toStdString() + " ";
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label->text().isEmpty() || !label->isVisibleTo(window)) continue;
    const std::string text = where + label->text().toStdString();
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << text;
    EXPECT_LE(label->x() + label->width(), label->parentWidget()->width()) << text;
  }
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    if (button->text().isEmpty() || !button->isVisibleTo(window)) continue;
    const std::string text = where + button->text().toStdString();
    EXPECT_GE(button->width(), NeededWidth(button)) << text;
    EXPECT_LE(button->x() + button->width(), button->parentWidget()->width()) << text;
  }
  for (QGroupBox* group : window->findChildren<QGroupBox*>()) {
    const std::string text = where + group->title().toStdString();
    EXPECT_GE(group->width(), group->fontMetrics().horizontalAdvance(group->title()) + 8) << text;
  }
}

}  // namespace

TEST(WindowCaptions, EveryCaptionOfTheFourWindowsShowsWhole) {
  QTemporaryDir dir;
  TScriptedDialogService dialogs;
  TApplicationWindows windows = CreateApplicationWindows(dir.path().toStdString() + "/", &dialogs);
  windows.Form2->setObjectName("Form2");
  windows.Form4->setObjectName("Form4");
  for (QWidget* window : std::initializer_list<QWidget*>{windows.Form1.get(), windows.Form2.get(), windows.Form3.get(),
                                                         windows.Form4.get()}) {
    window->ensurePolished();
    ExpectCaptionsFit(window);
  }
}

TEST(WindowCaptions, EveryEnglishCaptionShowsWholeToo) {
  const TInterfaceTranslators english(TLanguage::English);
  ASSERT_TRUE(english.EditorTextsLoaded());
  QTemporaryDir dir;
  TScriptedDialogService dialogs;
  TApplicationWindows windows = CreateApplicationWindows(dir.path().toStdString() + "/", &dialogs);
  windows.Form2->setObjectName("Form2");
  windows.Form4->setObjectName("Form4");
  ASSERT_EQ(windows.Form1->Label3->text(), "Z axis:");
  for (QWidget* window : std::initializer_list<QWidget*>{windows.Form1.get(), windows.Form2.get(), windows.Form3.get(),
                                                         windows.Form4.get()}) {
    window->ensurePolished();
    ExpectCaptionsFit(window);
  }
}

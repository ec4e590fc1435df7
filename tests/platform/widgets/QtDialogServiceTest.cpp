// The real message boxes: which button Enter presses, and what each button
// answers; the file dialog's filters as Qt takes them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "platform/widgets/QtDialogService.h"

namespace kestrilo {
namespace {

// Shows the question, and once it is up notes its default button and presses
// `press` (or the default button when `press` is NoButton).
struct TAnsweredBox {
  QMessageBox::StandardButton Default = QMessageBox::NoButton;
  TModalResult Answer = TModalResult::mrNone;
};

// The message box on the screen, if one is up yet.
QMessageBox* ShownBox() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) return box;
  return nullptr;
}

template <typename TAsk>
TAnsweredBox Answer(TAsk ask, QMessageBox::StandardButton press = QMessageBox::NoButton) {
  TAnsweredBox result;
  std::function<void()> answerWhenShown = [&] {
    QMessageBox* box = ShownBox();
    if (box == nullptr) {
      QTimer::singleShot(10, answerWhenShown);
      return;
    }
    result.Default = box->standardButton(box->defaultButton());
    QAbstractButton* button = press == QMessageBox::NoButton ? box->defaultButton() : box->button(press);
    button->click();
  };
  QTimer::singleShot(0, answerWhenShown);
  result.Answer = ask();
  return result;
}

TEST(QtDialogServiceTest, AQuestionDefaultsToTheButtonItNames) {
  TQtDialogService dialogs;
  const TAnsweredBox cancel =
      Answer([&] { return dialogs.MessageBox("Save?", "Caption", TMsgButtons::YesNoCancel, TModalResult::mrCancel); });
  EXPECT_EQ(cancel.Default, QMessageBox::Cancel);
  EXPECT_EQ(cancel.Answer, TModalResult::mrCancel);

  const TAnsweredBox no =
      Answer([&] { return dialogs.MessageBox("Save?", "Caption", TMsgButtons::YesNoCancel, TModalResult::mrCancel); },
             QMessageBox::No);
  EXPECT_EQ(no.Answer, TModalResult::mrNo);
}

TEST(QtDialogServiceTest, APlainMessageBoxStillDefaultsToItsFirstButton) {
  TQtDialogService dialogs;
  const TAnsweredBox yes = Answer([&] { return dialogs.MessageBox("Sure?", "Caption", TMsgButtons::YesNo); });
  EXPECT_EQ(yes.Default, QMessageBox::Yes);
  EXPECT_EQ(yes.Answer, TModalResult::mrYes);
}

TEST(QtFilter, PatternsInTheCaptionAreSeparatedBySpaces) {
  EXPECT_EQ(TQtDialogService::QtFilter("All (*.bmp;*.png)|*.bmp;*.png|Bitmaps (*.bmp)|*.bmp").toStdString(),
            "All (*.bmp *.png);;Bitmaps (*.bmp)");
  // A caption without patterns is given the filter's own.
  EXPECT_EQ(TQtDialogService::QtFilter("Levels|*.mtf;*.MTF").toStdString(), "Levels (*.mtf *.MTF)");
  // Parentheses inside the caption's words stay; only the last list is replaced.
  EXPECT_EQ(TQtDialogService::QtFilter("Pictures (old) (*.a;*.b)|*.a;*.b").toStdString(), "Pictures (old) (*.a *.b)");
}

}  // namespace
}  // namespace kestrilo

// The help screen (Help / "Управление") and the About message.
#pragma once

#include <QDialog>

#include "editor/HelpTexts.h"

class QLabel;
class QPlainTextEdit;

namespace kestrilo {

class TForm4 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm4(QWidget* parent = nullptr);

  // Shows the help screen modally; returns when the user closes it.
  void ShowModal();

  QLabel* Label1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
};

}  // namespace kestrilo

#include "windows/HelpScreen.h"

#include <QLabel>
#include <QPlainTextEdit>

#include "windows/WindowFont.h"

namespace kestrilo {

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Help screen");
  setModal(true);
  setFixedSize(429, 344);  // fixed single-line frame: not resizable
  move(193, 108);
  setFont(TWindowFont::Classic());

  Label1 = new QLabel(QString::fromStdString(HelpCreditLine()), this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(32, 8, 355, 13);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setGeometry(16, 32, 393, 289);
  Memo1->setReadOnly(true);
  QStringList text;
  for (const std::string& line : HelpScreenLines()) text << QString::fromStdString(line);
  Memo1->setPlainText(text.join('\n'));
  // Every line on a line of its own, all twenty without scrolling, whatever
  // face stands in for the classic one.
  const int textWidth =
      Memo1->width() - 2 * Memo1->frameWidth() - 2 * static_cast<int>(Memo1->document()->documentMargin()) - 2;
  Memo1->setFont(TWindowFont::FittingLines(text, textWidth));
}

void TForm4::ShowModal() { exec(); }

}  // namespace kestrilo

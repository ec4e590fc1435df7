#include "platform/widgets/QtDialogService.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace kestrilo {

QString TQtDialogService::QtFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    // Qt takes the patterns from the caption's last parentheses, separated
    // by spaces; the caption's own list is replaced by the filter's.
    QString caption = parts[i];
    const qsizetype open = caption.lastIndexOf('(');
    if (open >= 0 && caption.endsWith(')')) caption = caption.left(open).trimmed();
    out << caption + " (" + patterns + ")";
  }
  return out.join(";;");
}

TModalResult TQtDialogService::MessageBox(const std::string& text, const std::string& caption, TMsgButtons buttons,
                                          TModalResult defaultAnswer) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                  QMessageBox::NoButton, parent_);
  switch (buttons) {
    case TMsgButtons::OK: box.addButton(QMessageBox::Ok); break;
    case TMsgButtons::YesNo:
      box.addButton(QMessageBox::Yes);
      box.addButton(QMessageBox::No);
      break;
    case TMsgButtons::YesNoCancel:
      box.addButton(QMessageBox::Yes);
      box.addButton(QMessageBox::No);
      box.addButton(QMessageBox::Cancel);
      break;
  }
  // Without a default asked for, the first button is the default.
  if (defaultAnswer == TModalResult::mrNone)
    defaultAnswer = buttons == TMsgButtons::OK ? TModalResult::mrOk : TModalResult::mrYes;
  switch (defaultAnswer) {
    case TModalResult::mrOk: box.setDefaultButton(QMessageBox::Ok); break;
    case TModalResult::mrYes: box.setDefaultButton(QMessageBox::Yes); break;
    case TModalResult::mrNo: box.setDefaultButton(QMessageBox::No); break;
    case TModalResult::mrCancel: box.setDefaultButton(QMessageBox::Cancel); break;
    default: break;
  }
  box.exec();
  switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return TModalResult::mrOk;
    case QMessageBox::Yes: return TModalResult::mrYes;
    case QMessageBox::No: return TModalResult::mrNo;
    default: return TModalResult::mrCancel;
  }
}

void TQtDialogService::ShowMessage(const std::string& text) {
  MessageBox(text, QApplication::applicationName().toStdString(), TMsgButtons::OK);
}

std::optional<std::string> TQtDialogService::OpenFile(const TFileDialogRequest& r) {
  const QString path = QFileDialog::getOpenFileName(parent_, QString::fromStdString(r.Title),
                                                    QString::fromStdString(r.InitialDir), QtFilter(r.Filter));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> TQtDialogService::SaveFile(const TFileDialogRequest& r) {
  QFileDialog dialog(parent_, QString::fromStdString(r.Title), QString::fromStdString(r.InitialDir),
                     QtFilter(r.Filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // The editor asks its own overwrite question.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  QString ext = QString::fromStdString(r.DefaultExt);
  ext.remove("*.");
  dialog.setDefaultSuffix(ext);
  if (!r.ProposedFile.empty()) dialog.selectFile(QString::fromStdString(r.ProposedFile));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

std::optional<uint32_t> TQtDialogService::ChooseColor(uint32_t initial) {
  const QColor c =
      QColorDialog::getColor(QColor(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF), parent_);
  if (!c.isValid()) return std::nullopt;
  return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
         (static_cast<uint32_t>(c.blue()) << 16);
}

}  // namespace kestrilo

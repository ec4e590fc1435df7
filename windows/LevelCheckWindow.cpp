#include "windows/LevelCheckWindow.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace kestrilo {

TLevelCheckWindow::TLevelCheckWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("LevelCheckWindow");
  setWindowTitle(tr("Проверка уровня"));
  setModal(false);
  List = new QListWidget(this);
  List->setObjectName("LevelCheckList");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(List);
  resize(560, 260);
}

void TLevelCheckWindow::ShowFindings(const std::vector<TLevelFinding>& Findings) {
  List->clear();
  if (Findings.empty()) {
    hide();
    return;
  }
  for (const TLevelFinding& finding : Findings) {
    QString line = QString::fromStdString(finding.Text);
    for (const TLevelFinding::TCell& cell : finding.Cells)
      line += QString(" [%1: %2, %3]").arg(cell.Plane).arg(cell.Column).arg(cell.Row);
    if (finding.CellCount > static_cast<int32_t>(finding.Cells.size()))
      line += QString(" (+%1)").arg(finding.CellCount - static_cast<int32_t>(finding.Cells.size()));
    List->addItem(line);
  }
  show();
  raise();
}

}  // namespace kestrilo

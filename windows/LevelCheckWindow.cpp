#include "windows/LevelCheckWindow.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <map>

namespace kestrilo {

namespace {

// What each kind of finding is called in the summary, in the order the check reports them.
struct TKindName {
  const char* Kind;
  const char* Name;
};
const TKindName kKindNames[] = {
    {"unknownObject", QT_TRANSLATE_NOOP("kestrilo::TLevelCheckWindow", "нет в библиотеке")},
    {"monsterWithoutRecord", QT_TRANSLATE_NOOP("kestrilo::TLevelCheckWindow", "монстры без записи")},
    {"noStartMarker", QT_TRANSLATE_NOOP("kestrilo::TLevelCheckWindow", "нет метки старта")},
    {"severalStartMarkers", QT_TRANSLATE_NOOP("kestrilo::TLevelCheckWindow", "несколько меток старта")},
    {"doorWithoutKey", QT_TRANSLATE_NOOP("kestrilo::TLevelCheckWindow", "двери без ключа")},
    {"keyWithoutDoor", QT_TRANSLATE_NOOP("kestrilo::TLevelCheckWindow", "ключи без двери")},
    {"missingPicture", QT_TRANSLATE_NOOP("kestrilo::TLevelCheckWindow", "нет картинки")},
};

}  // namespace

TLevelCheckWindow::TLevelCheckWindow(QWidget* parent) : QDockWidget(tr("Проверка уровня"), parent) {
  setObjectName("LevelCheckWindow");
  auto* content = new QWidget(this);
  SummaryLine = new QLabel(content);
  SummaryLine->setObjectName("LevelCheckSummary");
  SummaryLine->setWordWrap(true);
  List = new QListWidget(content);
  List->setObjectName("LevelCheckList");
  List->setToolTip(tr("Щелчок ведёт к месту на уровне"));
  connect(List, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ItemClicked(item); });
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(SummaryLine);
  layout->addWidget(List);
  setWidget(content);
}

QString TLevelCheckWindow::Summary(const std::vector<TLevelFinding>& Findings) {
  if (Findings.empty()) return tr("Проблем не найдено");
  std::map<std::string, int> counts;
  for (const TLevelFinding& finding : Findings) ++counts[finding.Kind];
  QStringList parts;
  for (const TKindName& kind : kKindNames) {
    const auto found = counts.find(kind.Kind);
    if (found == counts.end()) continue;
    parts << tr("%1: %2").arg(tr(kind.Name)).arg(found->second);
    counts.erase(found);
  }
  // A kind this list does not know yet is still counted.
  for (const auto& [kind, count] : counts) parts << tr("%1: %2").arg(QString::fromStdString(kind)).arg(count);
  return tr("Проблем найдено: %1 — %2").arg(Findings.size()).arg(parts.join(", "));
}

void TLevelCheckWindow::ShowFindings(const std::vector<TLevelFinding>& Findings) {
  findings_ = Findings;
  nextCell_.assign(Findings.size(), 0);
  List->clear();
  SummaryLine->setText(Summary(Findings));
  for (const TLevelFinding& finding : Findings) {
    QString line = QString::fromStdString(finding.Text);
    for (const TLevelFinding::TCell& cell : finding.Cells)
      line += QString(" [%1: %2, %3]").arg(cell.Plane).arg(cell.Column).arg(cell.Row);
    if (finding.CellCount > static_cast<int32_t>(finding.Cells.size()))
      line += QString(" (+%1)").arg(finding.CellCount - static_cast<int32_t>(finding.Cells.size()));
    List->addItem(line);
  }
  if (Findings.empty()) return;
  show();
  raise();
}

void TLevelCheckWindow::ItemClicked(QListWidgetItem* item) {
  const int row = List->row(item);
  if (row < 0 || static_cast<size_t>(row) >= findings_.size()) return;
  const TLevelFinding& finding = findings_[static_cast<size_t>(row)];
  if (finding.Cells.empty() || !CellChosen) return;
  size_t& next = nextCell_[static_cast<size_t>(row)];
  const TLevelFinding::TCell cell = finding.Cells[next % finding.Cells.size()];
  next = (next + 1) % finding.Cells.size();
  CellChosen(cell);
}

}  // namespace kestrilo

// The list of what the level check found after a level was loaded, in a dock
// of the main window: a summary line over one line per finding. It does not
// block editing, and closes and reopens like any dock (Вид menu). A click on a
// finding leads to its place in the level, the next of its places at every
// further click.
#pragma once

#include <QDockWidget>

#include <functional>
#include <vector>

#include "world/LevelCheck.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace kestrilo {

class TLevelCheckWindow : public QDockWidget {
  Q_OBJECT
 public:
  explicit TLevelCheckWindow(QWidget* parent = nullptr);
  // Lists the findings under their summary; with findings the dock comes into
  // view, without them it only says so (and stays as the designer left it).
  void ShowFindings(const std::vector<TLevelFinding>& Findings);
  // The summary line: how many problems, and how many of each kind.
  static QString Summary(const std::vector<TLevelFinding>& Findings);
  // Told the place of a finding the designer clicked.
  std::function<void(const TLevelFinding::TCell&)> CellChosen;

  QLabel* SummaryLine = nullptr;
  QListWidget* List = nullptr;

 private:
  void ItemClicked(QListWidgetItem* item);
  std::vector<TLevelFinding> findings_;
  std::vector<size_t> nextCell_;  // per finding, the place its next click leads to
};

}  // namespace kestrilo

// The window that lists what the level check found after a level was loaded.
// It does not block editing: it stays beside the main window until closed.
#pragma once

#include <QDialog>

#include <vector>

#include "world/LevelCheck.h"

class QListWidget;

namespace kestrilo {

class TLevelCheckWindow : public QDialog {
  Q_OBJECT
 public:
  explicit TLevelCheckWindow(QWidget* parent = nullptr);
  // Shows the findings, or nothing at all (the window stays hidden) when there are none.
  void ShowFindings(const std::vector<TLevelFinding>& Findings);
  QListWidget* List = nullptr;
};

}  // namespace kestrilo

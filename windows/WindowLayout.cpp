#include "windows/WindowLayout.h"

#include <QMainWindow>
#include <QSettings>

namespace kestrilo {

namespace {
const char* const kGeometryKey = "MainWindow/Geometry";
const char* const kStateKey = "MainWindow/State";
}  // namespace

bool TWindowLayout::Restore(QMainWindow& Window, QSettings& Settings) {
  const QByteArray geometry = Settings.value(kGeometryKey).toByteArray();
  const QByteArray state = Settings.value(kStateKey).toByteArray();
  if (geometry.isEmpty() && state.isEmpty()) return false;
  // A damaged value is refused by Qt and leaves the window as it was.
  const bool placed = !geometry.isEmpty() && Window.restoreGeometry(geometry);
  const bool docked = !state.isEmpty() && Window.restoreState(state, kStateVersion);
  return placed || docked;
}

void TWindowLayout::Save(const QMainWindow& Window, QSettings& Settings) {
  Settings.setValue(kGeometryKey, Window.saveGeometry());
  Settings.setValue(kStateKey, Window.saveState(kStateVersion));
  Settings.sync();
}

}  // namespace kestrilo

// The main window's size, place, maximised state and docks, kept in the
// user's settings file between runs. Nothing kept (a first start) leaves the
// window at its classic size.
#pragma once

class QMainWindow;
class QSettings;

namespace kestrilo {

class TWindowLayout {
 public:
  // Puts the kept layout back; false when none was kept or it could not be read.
  static bool Restore(QMainWindow& Window, QSettings& Settings);
  static void Save(const QMainWindow& Window, QSettings& Settings);

  // Raised when the docks' arrangement changes in a way an older layout cannot describe.
  static constexpr int kStateVersion = 1;
};

}  // namespace kestrilo

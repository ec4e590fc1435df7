// The level-loading window: two progress bars that show how far the reading
// of the matrix file and of the back-plane file has come. It has no behaviour
// of its own: the load command shows it, the loader moves the bars, the load
// command hides it again.
#pragma once

#include <QWidget>

#include "windows/QtProgressBar.h"

class QGroupBox;
class QLabel;
class QProgressBar;

namespace kestrilo {

// TForm3: the level-loading window.
class TForm3 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);

  // Shows the window without making it modal and paints it at once, so that it
  // is on the screen before the reading blocks the event loop.
  void ShowAndPaint();

  // The bars as the loader takes them.
  TProgressBar& MainBar() { return mainBar_; }
  TProgressBar& PlanesBar() { return planesBar_; }

  QGroupBox* GroupBox1;
  QLabel* Label1;
  QProgressBar* ProgressBar1;  // the matrix file
  QLabel* Label2;
  QProgressBar* ProgressBar2;  // the back-plane file

 private:
  TQtProgressBar mainBar_;
  TQtProgressBar planesBar_;
};

}  // namespace kestrilo

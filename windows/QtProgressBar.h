// A Qt progress bar as the matrix loader sees it. Loading blocks the event
// loop, so the bar repaints itself at once whenever its value changes.
#pragma once

#include <QProgressBar>
#include <algorithm>

#include "matrix/ProgressBar.h"

namespace kestrilo {

class TQtProgressBar : public TProgressBar {
 public:
  explicit TQtProgressBar(QProgressBar* bar) : bar_(bar) {}

  void SetPosition(int32_t Position) override {
    if (!bar_) return;
    // A position past the range shows as the full (or empty) bar, as the
    // loader's 1186 divisor expects near the end of the back-plane file.
    const int32_t value = std::clamp(Position, bar_->minimum(), bar_->maximum());
    if (value == bar_->value()) return;
    bar_->setValue(value);
    bar_->repaint();
  }

 private:
  QProgressBar* bar_;
};

}  // namespace kestrilo

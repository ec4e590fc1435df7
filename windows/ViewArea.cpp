#include "windows/ViewArea.h"

#include <QLabel>
#include <algorithm>

#include "platform/widgets/DXDraw.h"

namespace kestrilo {

TViewArea::TViewArea(QWidget* parent) : QWidget(parent) {}

void TViewArea::Hold(TDXDraw* View, QLabel* Status) {
  view_ = View;
  status_ = Status;
  // Laid out before the window is first shown too.
  resize(sizeHint());
  Place();
}

QSize TViewArea::SizeFor(QSize ViewSize) {
  return {kLeft + ViewSize.width() + kRight, kTop + ViewSize.height() + kStatusGap + kStatusHeight + kBottom};
}

QSize TViewArea::sizeHint() const { return SizeFor(view_ ? view_->sizeHint() : QSize(kViewWidth, kViewHeight)); }

void TViewArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Place();
}

void TViewArea::Place() {
  const int viewWidth = std::max(width() - kLeft - kRight, 1);
  const int viewHeight = std::max(height() - kTop - kStatusGap - kStatusHeight - kBottom, 1);
  if (view_) view_->setGeometry(kLeft, kTop, viewWidth, viewHeight);
  if (status_) status_->setGeometry(kLeft, kTop + viewHeight + kStatusGap, viewWidth, kStatusHeight);
}

}  // namespace kestrilo

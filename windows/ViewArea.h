// The middle of the main window: the drawing area with the status line under
// it. The drawing area takes all the room the docks leave, keeping the
// margins of the classic layout (8 pixels left, 32 above).
#pragma once

#include <QWidget>

class QLabel;

namespace kestrilo {

class TDXDraw;

class TViewArea : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kLeft = 8, kTop = 32, kRight = 0, kStatusHeight = 18, kStatusGap = 2, kBottom = 2;
  // The smallest drawing area the window shrinks to.
  static constexpr int kMinimumViewWidth = 160, kMinimumViewHeight = 120;

  explicit TViewArea(QWidget* parent = nullptr);
  // The two children it lays out.
  void Hold(TDXDraw* View, QLabel* Status);
  // The size that shows a drawing area of the given size.
  static QSize SizeFor(QSize ViewSize);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return SizeFor({kMinimumViewWidth, kMinimumViewHeight}); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Place();
  TDXDraw* view_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace kestrilo

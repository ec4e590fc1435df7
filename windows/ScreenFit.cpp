#include "windows/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kestrilo {

QRect AvailableScreenArea(const QWidget* Parent) {
  const QScreen* screen = Parent ? Parent->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

void FitWindowInto(QWidget& Window, QSize Wanted, const QRect& Available) {
  if (Available.isEmpty()) {
    Window.resize(Wanted);
    return;
  }
  const QSize room = (Available.size() - kWindowFrameAllowance).expandedTo(Window.minimumSizeHint());
  const QSize size = Wanted.boundedTo(room).expandedTo(Window.minimumSize());
  Window.resize(size);
  // Centred in the room; a window larger than it keeps its top-left corner in view.
  const int left =
      Available.left() + std::max(0, (Available.width() - size.width() - kWindowFrameAllowance.width()) / 2);
  const int top =
      Available.top() + std::max(0, (Available.height() - size.height() - kWindowFrameAllowance.height()) / 2);
  Window.move(left, top);
}

}  // namespace kestrilo

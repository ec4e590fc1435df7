#include "windows/PointerColumn.h"

#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWindow>
#include <cmath>

namespace kestrilo {

void TPointerColumn::Seen(QObject* Watched, QEvent* Event) {
  // The windows themselves hear of every move over them, whether or not a
  // widget under the pointer tracks the mouse.
  if (!Watched->isWindowType()) return;
  switch (Event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      known_ = static_cast<int32_t>(std::floor(static_cast<QMouseEvent*>(Event)->globalPosition().x()));
      break;
    case QEvent::Enter:
      known_ = static_cast<int32_t>(std::floor(static_cast<QEnterEvent*>(Event)->globalPosition().x()));
      break;
    case QEvent::Leave:
    case QEvent::Hide:  // a window closed under the pointer sends no leave
      known_.reset();
      break;
    default: break;
  }
}

int32_t TPointerColumn::ScreenX() const { return known_ ? *known_ : static_cast<int32_t>(QCursor::pos().x()); }

}  // namespace kestrilo

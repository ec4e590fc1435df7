// The overlay's pointer column: taken from the program's own windows' mouse
// events while the pointer is over them, asked of the window system otherwise.
#include <gtest/gtest.h>

#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWindow>
#include <functional>
#include <vector>

#include "windows/PointerColumn.h"

namespace kestrilo {
namespace {

// Each event made just before it is seen: Qt keeps one point per pointing
// device, which a later event would move.
void SendMouse(TPointerColumn& Column, QObject* To, QEvent::Type Type, double GlobalX) {
  QMouseEvent event(Type, QPointF(5, 5), QPointF(5, 5), QPointF(GlobalX, 40), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  Column.Seen(To, &event);
}

TEST(PointerColumn, WindowEventsSayWhereThePointerIsUntilItLeaves) {
  QWindow window;
  QObject notAWindow;
  TPointerColumn column;
  const int32_t asked = QCursor::pos().x();
  EXPECT_EQ(column.ScreenX(), asked);  // nothing heard yet: the window system is asked

  struct TCase {
    const char* What;
    std::function<void()> Send;
    int32_t Expected;
  };
  QEvent leave(QEvent::Leave), hide(QEvent::Hide);
  const std::vector<TCase> cases = {
      {"a move over a window", [&] { SendMouse(column, &window, QEvent::MouseMove, 123.7); }, 123},
      {"a move seen by an object that is no window", [&] { SendMouse(column, &notAWindow, QEvent::MouseMove, 999); },
       123},
      {"a press", [&] { SendMouse(column, &window, QEvent::MouseButtonPress, 300); }, 300},
      {"a release", [&] { SendMouse(column, &window, QEvent::MouseButtonRelease, 301); }, 301},
      {"the pointer left", [&] { column.Seen(&window, &leave); }, asked},
      {"the pointer entered",
       [&] {
         QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(77, 3));
         column.Seen(&window, &enter);
       },
       77},
      {"the window hidden under it", [&] { column.Seen(&window, &hide); }, asked},
  };
  for (const TCase& c : cases) {
    c.Send();
    EXPECT_EQ(column.ScreenX(), c.Expected) << c.What;
  }
}

}  // namespace
}  // namespace kestrilo

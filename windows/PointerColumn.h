// The pointer's horizontal screen position for the status overlay's "Mouse.X"
// line, which the frame step reads at every frame. Asking the X server
// (QCursor::pos) is a round trip each time; while the pointer is over one of
// the program's windows, its mouse events already say where it is, so the
// position is taken from them and the server is asked only while the pointer
// is elsewhere (or before any event has said where it is).
#pragma once

#include <QEvent>
#include <QObject>
#include <cstdint>
#include <optional>

namespace kestrilo {

class TPointerColumn {
 public:
  // Every event of the application passes here (the main window's filter).
  void Seen(QObject* Watched, QEvent* Event);
  int32_t ScreenX() const;

 private:
  std::optional<int32_t> known_;  // while the pointer is over a window of the program
};

}  // namespace kestrilo

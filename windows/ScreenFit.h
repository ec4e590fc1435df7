// A window opens inside the screen: no larger than the room the screen leaves
// (the task bar and panels taken off), with room kept for the frame the window
// manager adds, and placed so that all of it shows.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace kestrilo {

// What the window manager's frame and title bar take around a window, at most.
inline constexpr QSize kWindowFrameAllowance{16, 48};

// The room of the screen a window over `Parent` (or the primary screen) opens on.
QRect AvailableScreenArea(const QWidget* Parent);

// Resizes Window to Wanted, made smaller where Available is smaller (never
// below the window's own minimum), and moves it inside Available.
void FitWindowInto(QWidget& Window, QSize Wanted, const QRect& Available);

}  // namespace kestrilo

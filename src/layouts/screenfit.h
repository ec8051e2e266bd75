#pragma once

#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

// What a window's frame (title bar and borders) adds to its client area
// on the desktops the program meets and in the browser, where Qt draws
// the frame itself.
inline constexpr QSize frameAllowance(16, 40);

// The screen a window opens on: its parent's, or else the primary one.
QScreen *screenOf(const QWidget *window);

// The largest client area that a window may have on the part `available`
// of a screen, its frame included.
QSize clientRoom(const QRect &available);

// Moves a window so that its frame lies inside `available`, where it does
// not already; a frame larger than the area shows its top left corner.
void keepInside(QWidget *window, const QRect &available);

// Shows a window at its own size and state, with its frame, and inside its
// screen. QWidget::show() would make it fill the screen where the platform
// asks for that (the browser); a desktop shows it the same either way.
void showOnScreen(QWidget *window);

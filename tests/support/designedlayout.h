#pragma once

#include <QColor>
#include <QRect>

class QWidget;

// Checks a control against its designed place, font and colours, all
// written out by hand in the layout tests: its rectangle in twips (15 to
// the pixel; an auto-sized label keeps its corner and may only grow), its
// size in points and weight in the Japanese face, and its text and
// background colours (invalid: the desktop's). A failure is reported as
// the caller's; check QTest::currentTestFailed() after the call.
void checkDesignedControl(const QWidget *w, const QRect &twipsBox, double points, bool bold,
                          const QColor &text, const QColor &back, bool autoSize);

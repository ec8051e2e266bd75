#include "designedlayout.h"

#include "common/twips.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

void checkDesignedControl(const QWidget *w, const QRect &twipsBox, double points, bool bold,
                          const QColor &text, const QColor &back, bool autoSize)
{
    QVERIFY(w->isVisible());
    const auto px = [](int twips) { return qRound(twips / 15.0); };
    const QRect designed(px(twipsBox.x()), px(twipsBox.y()), px(twipsBox.width()),
                         px(twipsBox.height()));
    if (autoSize) {
        QCOMPARE(w->pos(), designed.topLeft());
        QVERIFY(w->width() >= designed.width() && w->height() >= designed.height());
    } else {
        QCOMPARE(w->geometry(), designed);
    }

    const QFont font = w->font();
    QCOMPARE(font.family(), gothicFace());
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.weight(), bold ? QFont::Bold : QFont::Normal);
    QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());

    const QPalette desktop = QApplication::palette(w);
    const QPalette::ColorRole fore = w->foregroundRole(), fill = w->backgroundRole();
    QCOMPARE(w->palette().color(fore), text.isValid() ? text : desktop.color(fore));
    QCOMPARE(w->palette().color(fill), back.isValid() ? back : desktop.color(fill));
}

#include "layouts/screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

QScreen *screenOf(const QWidget *window)
{
    if (const QWidget *parent = window->parentWidget())
        return parent->window()->screen();
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

QSize clientRoom(const QRect &available)
{
    return (available.size() - frameAllowance).expandedTo(QSize(0, 0));
}

void keepInside(QWidget *window, const QRect &available)
{
    const QRect frame = window->frameGeometry();
    QPoint topLeft = frame.topLeft();
    topLeft.setX(
        std::max(std::min(topLeft.x(), available.right() + 1 - frame.width()), available.left()));
    topLeft.setY(
        std::max(std::min(topLeft.y(), available.bottom() + 1 - frame.height()), available.top()));
    if (topLeft != frame.topLeft())
        window->move(topLeft); // a top-level widget's pos() is its frame's
}

void showOnScreen(QWidget *window)
{
    window->setVisible(true);
    keepInside(window, screenOf(window)->availableGeometry());
}

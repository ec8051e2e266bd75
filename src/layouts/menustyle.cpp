#include "layouts/menustyle.h"

#include <QApplication>
#include <QPointer>
#include <QStyleOptionMenuItem>

MenuStyle::MenuStyle() : QProxyStyle(QApplication::style()->name())
{ }

void MenuStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                            const QWidget *widget) const
{
    if (element == CE_MenuItem) {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (item && item->checkType != QStyleOptionMenuItem::NotCheckable && !item->checked) {
            // Drawn as an item that cannot be checked; menuHasCheckableItems
            // still makes room for the mark, so the caption does not move.
            QStyleOptionMenuItem plain(*item);
            plain.checkType = QStyleOptionMenuItem::NotCheckable;
            QProxyStyle::drawControl(element, &plain, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

MenuStyle *menuStyle()
{
    static QPointer<MenuStyle> style;
    if (!style) {
        style = new MenuStyle;
        style->setParent(qApp);
    }
    return style.data();
}

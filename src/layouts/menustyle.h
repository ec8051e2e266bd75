#pragma once

#include <QProxyStyle>

// Draws menus as a Windows desktop does: a checkable item that is not
// checked shows nothing beside its caption (Qt's styles draw an empty box
// there); a checked item keeps its mark, and every caption keeps its place.
class MenuStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // A proxy for the application's style.
    MenuStyle();

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
};

// The one MenuStyle of the application, for QWidget::setStyle(); it lives
// as long as the application.
MenuStyle *menuStyle();

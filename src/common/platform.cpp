#include "common/platform.h"

#include <QApplication>

QMessageBox::StandardButton DesktopPlatform::messageBox(QWidget *parent, const QString &text,
                                                        const QString &title,
                                                        QMessageBox::Icon icon,
                                                        QMessageBox::StandardButtons buttons,
                                                        QMessageBox::StandardButton defaultButton)
{
    // Our texts break lines with a lone carriage return; the label of a
    // message box breaks on line feeds.
    QString shown = text;
    shown.replace(u'\r', u'\n');
    QMessageBox box(icon, title, shown, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void DesktopPlatform::beep()
{
    QApplication::beep();
}

void DesktopPlatform::endProgram()
{
    // Leaves every event loop, a modal window's included; main() returns.
    QApplication::exit(0);
}

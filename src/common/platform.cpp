#include "common/platform.h"

#include <QApplication>

#ifdef Q_OS_WASM
#include "common/webpage_web.h"
#endif

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
#ifdef Q_OS_WASM
    // A page cannot close its tab: the windows go, and the page says that
    // the program has ended and how to start it again.
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    WebPage::ended();
#else
    // Leaves every event loop, a modal window's included; main() returns.
    QApplication::exit(0);
#endif
}

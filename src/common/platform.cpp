#include "common/platform.h"

#include "common/wholefile.h"

#include <QApplication>

Platform::Saved Platform::saveFile(QWidget *, const QString &, const QString &, const QString &,
                                   const QByteArray &)
{
    return Saved::Cancelled;
}

Platform::Saved Platform::saveAt(const QString &path, const QByteArray &content)
{
    if (path.isEmpty())
        return Saved::Cancelled;
    return writeWholeFile(path, content) ? Saved::Done : Saved::Failed;
}

QMessageBox::StandardButton SystemPlatform::messageBox(QWidget *parent, const QString &text,
                                                       const QString &title, QMessageBox::Icon icon,
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

void SystemPlatform::beep()
{
    QApplication::beep();
}

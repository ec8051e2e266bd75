#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// What the windows ask of the desktop: message boxes, the alert sound and
// the end of the program.
// The program uses DesktopPlatform; tests install a recorder that answers
// the boxes and keeps what was asked.
class Platform
{
public:
    virtual ~Platform() = default;

    // A modal message box; returns the button pressed. A line break in the
    // text is a lone carriage return.
    virtual QMessageBox::StandardButton messageBox(QWidget *parent, const QString &text,
                                                   const QString &title, QMessageBox::Icon icon,
                                                   QMessageBox::StandardButtons buttons
                                                   = QMessageBox::Ok,
                                                   QMessageBox::StandardButton defaultButton
                                                   = QMessageBox::NoButton)
        = 0;

    virtual void beep() = 0;

    // Ends the program at once; every window closes.
    virtual void endProgram() = 0;

    // A message that only informs: exclamation icon, one OK button.
    void inform(QWidget *parent, const QString &text, const QString &title)
    {
        messageBox(parent, text, title, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok);
    }
};

class DesktopPlatform final : public Platform
{
public:
    QMessageBox::StandardButton messageBox(QWidget *parent, const QString &text,
                                           const QString &title, QMessageBox::Icon icon,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) override;
    void beep() override;
    void endProgram() override;
};

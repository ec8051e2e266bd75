#pragma once

#include "common/screenreader.h"

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

    // Says what has happened to a player who does not look.
    virtual void announce(const QString &text) { ScreenReader::announce(text); }

    // The grade (学年) kept on the device for the next start; 0 where none
    // has been kept. Here it is kept for the run only, as tests want it.
    virtual int storedGrade() { return m_grade; }
    virtual void storeGrade(int grade) { m_grade = grade; }

    // A message that only informs: exclamation icon, one OK button.
    void inform(QWidget *parent, const QString &text, const QString &title)
    {
        messageBox(parent, text, title, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok);
    }

private:
    int m_grade = 0;
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
    // In the user's settings (zenta/zenta.ini in the user's configuration
    // folder); in the browser, the site's storage, and a link to the page
    // with "?grade=1" (2, 3) starts it in that grade and keeps it.
    int storedGrade() override;
    void storeGrade(int grade) override;
};

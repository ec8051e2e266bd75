#pragma once

#include "common/screenreader.h"

#include <QMessageBox>
#include <QString>
#include <memory>

class QWidget;

// What the windows ask of the system: message boxes, the alert sound, the
// end of the program, the grade kept for the next start and a file saved
// for the player. The program uses its system's (systemPlatform()); tests
// install a recorder that answers the boxes and keeps what was asked.
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

    // Gives `content` to the player as a file named `name`: the desktop asks
    // where it goes, in a dialog titled `title` that lists the files of
    // `filter`, and writes it whole; the browser downloads it. Here nothing
    // is saved, as tests want it.
    enum class Saved { Done, Cancelled, Failed };
    virtual Saved saveFile(QWidget *parent, const QString &title, const QString &name,
                           const QString &filter, const QByteArray &content);

    // `content` written whole as the file `path` that the player chose;
    // Cancelled when none was chosen (an empty path).
    static Saved saveAt(const QString &path, const QByteArray &content);

    // A message that only informs: exclamation icon, one OK button.
    void inform(QWidget *parent, const QString &text, const QString &title)
    {
        messageBox(parent, text, title, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok);
    }

private:
    int m_grade = 0;
};

// The program's platform on every system: real message boxes and the
// system's alert sound. How the program ends, where a saved file goes and
// where the grade is kept are its system's own.
class SystemPlatform : public Platform
{
public:
    QMessageBox::StandardButton messageBox(QWidget *parent, const QString &text,
                                           const QString &title, QMessageBox::Icon icon,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) override;
    void beep() override;
};

// The desktop's and Windows' (platform_desktop.cpp): the grade in the
// user's settings (zenta/zenta.ini in the user's configuration folder), a
// file saved where the player chooses in a dialog.
class DesktopPlatform final : public SystemPlatform
{
public:
    void endProgram() override;
    int storedGrade() override;
    void storeGrade(int grade) override;
    Saved saveFile(QWidget *parent, const QString &title, const QString &name,
                   const QString &filter, const QByteArray &content) override;
};

// The platform of the system the program is built for: a DesktopPlatform,
// or the browser's (platform_web.cpp).
std::unique_ptr<Platform> systemPlatform();

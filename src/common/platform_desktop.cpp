#include "common/platform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QSettings>

namespace {

QSettings settings()
{
    return {QSettings::IniFormat, QSettings::UserScope, QStringLiteral("zenta"),
            QStringLiteral("zenta")};
}

} // namespace

std::unique_ptr<Platform> systemPlatform()
{
    return std::make_unique<DesktopPlatform>();
}

void DesktopPlatform::endProgram()
{
    // Leaves every event loop, a modal window's included; main() returns.
    QApplication::exit(0);
}

int DesktopPlatform::storedGrade()
{
    return settings().value(QStringLiteral("grade"), 0).toInt();
}

void DesktopPlatform::storeGrade(int grade)
{
    settings().setValue(QStringLiteral("grade"), grade);
}

Platform::Saved DesktopPlatform::saveFile(QWidget *parent, const QString &title,
                                          const QString &name, const QString &filter,
                                          const QByteArray &content)
{
    return saveAt(QFileDialog::getSaveFileName(parent, title, QDir::home().filePath(name), filter),
                  content);
}

#include "common/platform.h"

#include <QSettings>

namespace {

QSettings settings()
{
    return {QSettings::IniFormat, QSettings::UserScope, QStringLiteral("zenta"),
            QStringLiteral("zenta")};
}

} // namespace

int DesktopPlatform::storedGrade()
{
    return settings().value(QStringLiteral("grade"), 0).toInt();
}

void DesktopPlatform::storeGrade(int grade)
{
    settings().setValue(QStringLiteral("grade"), grade);
}

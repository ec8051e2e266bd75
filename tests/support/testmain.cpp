#include "testmain.h"

#include <QDir>
#include <QWidget>

QString saveShot(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("ZENTA_BUILD_DIR", QDir::tempPath()) + "/shots";
    QDir().mkpath(dir);
    const QString path = dir + '/' + name + '-' + QGuiApplication::platformName() + ".png";
    widget->grab().save(path);
    return path;
}

int visibleTopLevels()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            ++n;
    return n;
}

int rounds(int all)
{
    bool ok = false;
    const int share = qEnvironmentVariableIntValue("ZENTA_TEST_SHARE", &ok);
    return ok && share > 0 && share < 100 ? qMax(1, all * share / 100) : all;
}

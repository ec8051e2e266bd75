#include "common/startup.h"

#include "common/lazyicon.h"
#include "common/twips.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// The icon's pictures are compiled into the library; a static library
// needs its resources named once to keep them.
static void initResources()
{
    Q_INIT_RESOURCE(zenta);
}

void setUpApplication(QApplication &app)
{
    initResources();
    // Every window of ours carries the program's icon. The larger pictures
    // are for the desktop's icon theme, not for a window's frame. They are
    // decoded when the platform first asks for one, not before the first
    // paint.
    QList<LazyIcon::File> files;
    for (int size : {16, 32, 48, 64})
        files.append({QStringLiteral(":/icons/zenta-%1.png").arg(size), QSize(size, size)});
    QApplication::setWindowIcon(QIcon(new LazyIcon(files)));

    registerFontSubstitutes();
    // A Japanese desktop's user-interface font: menus, message boxes and
    // controls that have no font of their own use it.
    QApplication::setFont(gothicFont(9));

    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

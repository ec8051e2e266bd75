#include "common/startup.h"

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
    // Every window of ours carries the program's icon. Qt decodes each
    // picture as it is added; the larger ones are for the desktop's icon
    // theme, not for a window's frame, and would only slow the start.
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/zenta-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

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

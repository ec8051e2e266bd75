#include "common/startup.h"

#include "common/lazyicon.h"
#include "common/twips.h"

#include <QApplication>
#include <QFileInfo>
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

// Qt's Japanese texts: from the Qt installed with the program (Debian's
// package depends on them); a Windows program and the browser's have no Qt
// installed beside them and carry them built in (CMakeLists.txt).
static QString qtTranslations()
{
    const QString builtIn = QStringLiteral(":/translations");
    return QFileInfo::exists(builtIn + QStringLiteral("/qtbase_ja.qm"))
        ? builtIn
        : QLibraryInfo::path(QLibraryInfo::TranslationsPath);
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
                         QStringLiteral("_"), qtTranslations()))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

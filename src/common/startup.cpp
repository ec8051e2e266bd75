#include "common/startup.h"

#include "common/twips.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void setUpApplication(QApplication &app)
{
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

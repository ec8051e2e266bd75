#include "common/platform.h"

#include "common/textinput_web.h"
#include "common/webpage_web.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>

// The site's storage, and a link with "?grade=" (src/web/library.js).
extern "C" {
int zentaStoredGrade();
void zentaStoreGrade(int grade);
}

namespace {

// The page around the program: it has no fonts of the system, no end but
// the page's own, and a file saved is a download.
class WebPlatform final : public SystemPlatform
{
public:
    WebPlatform()
    {
        // The page puts IPAPGothic, a file of its own beside it, here
        // before the program starts.
        QFontDatabase::addApplicationFont(QStringLiteral("/assets/ipagp.ttf"));
        WebTextInput::install();
    }

    void endProgram() override
    {
        // A page cannot close its tab: the windows go, and the page says
        // that the program has ended and how to start it again.
        for (QWidget *window : QApplication::topLevelWidgets())
            window->hide();
        WebPage::ended();
    }

    // In the site's storage; a link to the page with "?grade=1" (2, 3)
    // starts it in that grade and keeps it.
    int storedGrade() override { return zentaStoredGrade(); }
    void storeGrade(int grade) override { zentaStoreGrade(grade); }

    Saved saveFile(QWidget *, const QString &, const QString &name, const QString &,
                   const QByteArray &content) override
    {
        QFileDialog::saveFileContent(content, name);
        return Saved::Done;
    }
};

} // namespace

std::unique_ptr<Platform> systemPlatform()
{
    return std::make_unique<WebPlatform>();
}

#include "common/screenreader.h"
#include "game/program.h"

#include <QApplication>

#ifdef Q_OS_WASM
#include "common/webpage_web.h"

#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>

// When a window of the program closes, the main window, or a modal window
// still open, takes the focus if none has it.
class FocusKeeper : public QObject
{
public:
    explicit FocusKeeper(QWidget &mainWindow) : m_main(mainWindow)
    {
        // Qt may also give the focus to a hidden window, a moment later.
        connect(qApp, &QGuiApplication::focusWindowChanged, this, &FocusKeeper::check);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow())
            check();
        return false;
    }

private:
    void check()
    {
        QTimer::singleShot(0, this, [this] {
            const QWindow *focus = QGuiApplication::focusWindow();
            if ((focus && focus->isVisible()) || !m_main.isVisible())
                return;
            QWidget *modal = QApplication::activeModalWidget();
            (modal ? modal : &m_main)->activateWindow();
        });
    }

    QWidget &m_main;
};

// In the browser the page is the screen. Qt would show the main window as
// the whole page without a frame; it is shown as on a desktop instead, at
// its own size with its title bar, in the page's middle, and stays there
// when the page changes size. Its size is fixed, so the title bar has no
// button to maximize it.
static void showOnPage(QWidget &window)
{
    window.setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    window.showNormal();
    QScreen *screen = window.screen();
    const auto centre = [&window, screen] {
        const QRect page = screen->availableGeometry();
        QRect frame = window.frameGeometry();
        frame.moveCenter(page.center());
        // A page smaller than the window shows its top left corner.
        window.move(std::max(frame.left(), page.left()), std::max(frame.top(), page.top()));
    };
    centre();
    QObject::connect(screen, &QScreen::availableGeometryChanged, &window, centre);
    // When a window closes, Qt gives the focus to none; a desktop gives it
    // to the window below, and the greeting counts on that.
    static FocusKeeper keeper(window);
    qApp->installEventFilter(&keeper);
    WebPage::started();
}
#endif

int main(int argc, char *argv[])
{
#ifdef Q_OS_WASM
    // The page's own text input takes the text of every field (see
    // WebTextInput); Qt's, made for touch devices alone, would take the
    // browser's focus from it.
    qputenv("QT_IM_MODULE", "none");
#endif
    QApplication app(argc, argv);
    Program program(app);
#ifdef Q_OS_WASM
    showOnPage(program.mainWindow());
#else
    program.mainWindow().show();
#endif
    ScreenReader::install();
    return app.exec();
}

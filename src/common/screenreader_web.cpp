#include "common/screenreader.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtGui/private/qguiapplication_p.h>
#include <emscripten.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

// The page's side is src/web/mirror.js.
extern "C" {
int zentaMirrorWanted();
void zentaMirror(const char *json);
void zentaSay(const char *text);
}

namespace {

QTimer *pending = nullptr; // the next copy to the page, once per turn

void schedule()
{
    if (pending && !pending->isActive())
        pending->start();
}

void copyToPage()
{
    zentaMirror(ScreenReader::snapshot().json().constData());
}

// Every accessible event may change what the page shows.
void onUpdate(QAccessibleEvent *)
{
    schedule();
}

// Windows move and change size without an accessible event.
class WindowWatch : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowActivate:
        case QEvent::EnabledChange:
            if (watched->isWidgetType())
                schedule();
            break;
        default:
            break;
        }
        return false;
    }
};

// Alt alone puts the menu bar in its keyboard mode on the desktop. In the
// browser it never does: the page's press of Alt comes with Alt held
// (the desktop's does not), which Qt's key event turns into no modifier,
// and the bar waits for an Alt with the modifier. So once Alt has been
// pressed and let go with no other key, the bar is given the desktop's
// press and release, where it is not in that mode already.
class AltKey : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            m_alone = static_cast<QKeyEvent *>(event)->key() == Qt::Key_Alt;
        } else if (event->type() == QEvent::KeyRelease && m_alone && watched->isWidgetType()
                   && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Alt) {
            m_alone = false;
            QPointer<QWidget> window = static_cast<QWidget *>(watched)->window();
            QTimer::singleShot(0, this, [window] {
                QMenuBar *bar = window ? window->findChild<QMenuBar *>() : nullptr;
                if (!bar || bar->activeAction() || QApplication::activePopupWidget())
                    return;
                // (Qt's key event reports Alt held for an Alt without it.)
                QKeyEvent pressed(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
                QCoreApplication::sendEvent(window, &pressed);
                QKeyEvent released(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
                QCoreApplication::sendEvent(window, &released);
            });
        }
        return false;
    }

private:
    bool m_alone = false;
};

QAccessibleInterface *found(unsigned id)
{
    QAccessibleInterface *iface = QAccessible::accessibleInterface(QAccessible::Id(id));
    return iface && iface->isValid() && !iface->state().disabled ? iface : nullptr;
}

// What a click on the element does: what the control does when it is
// pressed, once.
void press(unsigned id)
{
    QAccessibleInterface *iface = found(id);
    if (!iface)
        return;
    QAccessibleInterface *parent = iface->parent();
    QObject *owner = parent ? parent->object() : nullptr;
    auto *action = qobject_cast<QAction *>(iface->object());
    if (auto *bar = qobject_cast<QMenuBar *>(owner); bar && action) {
        // The bar's item opens its menu, or closes it where it is open.
        if (action->menu() && action->menu()->isVisible())
            action->menu()->hide();
        else
            bar->setActiveAction(action);
    } else if (auto *menu = qobject_cast<QMenu *>(owner); menu && action) {
        // Chosen as by its key, so that the menus close first.
        menu->setActiveAction(action);
        QCoreApplication::postEvent(menu, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, {}));
        QCoreApplication::postEvent(menu, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, {}));
    } else if (iface->role() == QAccessible::EditableText) {
        if (auto *field = qobject_cast<QWidget *>(iface->object()))
            field->setFocus(Qt::MouseFocusReason);
    } else if (QAccessibleActionInterface *actions = iface->actionInterface(); actions
               && actions->actionNames().contains(QAccessibleActionInterface::pressAction())) {
        actions->doAction(QAccessibleActionInterface::pressAction());
    }
}

// The page's focus on an element: the program's on its control.
void focus(unsigned id)
{
    QAccessibleInterface *iface = found(id);
    if (!iface)
        return;
    auto *widget = qobject_cast<QWidget *>(iface->object());
    if (auto *action = qobject_cast<QAction *>(iface->object())) {
        if (auto *menu
            = iface->parent() ? qobject_cast<QMenu *>(iface->parent()->object()) : nullptr)
            menu->setActiveAction(action);
        return;
    }
    const QWidget *modal = QApplication::activeModalWidget();
    if (!widget || widget->focusPolicy() == Qt::NoFocus || widget->hasFocus()
        || (modal && widget->window() != modal))
        return;
    widget->window()->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
}

// The page calls these in its own events, maybe while a modal window
// waits: the work is done from the program's loop.
template <typename Work> void later(Work work)
{
    QMetaObject::invokeMethod(qApp, work, Qt::QueuedConnection);
}

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void zentaMirrorPress(unsigned id)
{
    later([id] { press(id); });
}

extern "C" EMSCRIPTEN_KEEPALIVE void zentaMirrorFocus(unsigned id)
{
    later([id] { focus(id); });
}

extern "C" EMSCRIPTEN_KEEPALIVE void zentaMirrorRefresh()
{
    later(schedule);
}

namespace ScreenReader {

void install()
{
    if (pending)
        return;
    qApp->installEventFilter(new AltKey(qApp));
    if (!zentaMirrorWanted())
        return;
    pending = new QTimer(qApp);
    pending->setSingleShot(true);
    pending->setInterval(0);
    QObject::connect(pending, &QTimer::timeout, copyToPage);
    QAccessible::installUpdateHandler(onUpdate);
    // Qt's widgets send their events only while a platform's accessibility
    // is active; the browser's has none of its own that would turn it on.
    if (QPlatformAccessibility *platform
        = QGuiApplicationPrivate::platformIntegration()->accessibility())
        platform->setActive(true);
    qApp->installEventFilter(new WindowWatch(qApp));
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [] { schedule(); });
    schedule();
}

void announce(const QString &text)
{
    zentaSay(text.toUtf8().constData());
}

} // namespace ScreenReader

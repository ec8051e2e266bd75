#include "common/textinput_web.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextCharFormat>
#include <QVariant>
#include <QWidget>
#include <emscripten.h>
#include <string>

// The browser's side is src/web/library.js.
extern "C" {
void zentaTextFocus(int x, int y, int width, int height);
void zentaTextBlur();
}

namespace {

std::string buffer;

// Posted, so that text and keys reach the field in the order the browser
// sent them, from Qt's own loop (where a key may open a message box).
void post(QEvent *event)
{
    if (QWidget *field = QApplication::focusWidget())
        QCoreApplication::postEvent(field, event);
    else
        delete event;
}

bool takesText(const QWidget *widget)
{
    return widget && widget->testAttribute(Qt::WA_InputMethodEnabled)
        && widget->inputMethodQuery(Qt::ImEnabled).toBool();
}

} // namespace

// Room for the text of the next call below, in UTF-8 with its terminator.
extern "C" EMSCRIPTEN_KEEPALIVE char *zentaTextBuffer(int size)
{
    buffer.assign(std::max(size, 1), '\0');
    return buffer.data();
}

// The input method's composition so far: shown in place, underlined, not
// yet part of the text.
extern "C" EMSCRIPTEN_KEEPALIVE void zentaTextPreedit()
{
    const QString text = QString::fromUtf8(buffer.c_str());
    QTextCharFormat underlined;
    underlined.setFontUnderline(true);
    post(new QInputMethodEvent(text,
                               {{QInputMethodEvent::TextFormat, 0, int(text.size()), underlined},
                                {QInputMethodEvent::Cursor, int(text.size()), 1, QVariant()}}));
}

// Text typed, pasted, or composed and committed.
extern "C" EMSCRIPTEN_KEEPALIVE void zentaTextCommit()
{
    auto *event = new QInputMethodEvent;
    event->setCommitString(QString::fromUtf8(buffer.c_str()));
    post(event);
}

// A key that is not text (Enter, Backspace, an arrow, Tab, Ctrl+A...).
extern "C" EMSCRIPTEN_KEEPALIVE void zentaTextKey(int key, int modifiers)
{
    const auto held = Qt::KeyboardModifiers::fromInt(modifiers);
    post(new QKeyEvent(QEvent::KeyPress, key, held));
    post(new QKeyEvent(QEvent::KeyRelease, key, held));
}

namespace {

// The page's input over the field that has the focus, or away.
void follow(QWidget *field)
{
    if (!takesText(field)) {
        zentaTextBlur();
        return;
    }
    const QPoint at = field->mapToGlobal(QPoint());
    zentaTextFocus(at.x(), at.y(), field->width(), field->height());
}

// A click or tap on the program's screen takes the browser's focus from
// the input, even when the field keeps the program's: it goes back.
class Refocus : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease && watched->isWidgetType())
            follow(QApplication::focusWidget());
        return false;
    }
};

} // namespace

namespace WebTextInput {

void install()
{
    QObject::connect(qApp, &QApplication::focusChanged, qApp,
                     [](QWidget *, QWidget *now) { follow(now); });
    qApp->installEventFilter(new Refocus(qApp));
}

} // namespace WebTextInput

#include "layouts/commandbutton.h"

#include <QKeyEvent>

CommandButton::CommandButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
    setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

// Return and Enter are handed on as Space, so that the button's own
// handling of Space (and of a release without a press) applies to them.
static bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

static QKeyEvent asSpace(const QKeyEvent *event)
{
    return QKeyEvent(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "),
                     event->isAutoRepeat(), ushort(event->count()));
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    if (!isEnter(event)) {
        QPushButton::keyPressEvent(event);
        return;
    }
    QKeyEvent space = asSpace(event);
    QPushButton::keyPressEvent(&space);
    event->setAccepted(space.isAccepted());
}

void CommandButton::keyReleaseEvent(QKeyEvent *event)
{
    if (!isEnter(event)) {
        QPushButton::keyReleaseEvent(event);
        return;
    }
    QKeyEvent space = asSpace(event);
    QPushButton::keyReleaseEvent(&space);
    event->setAccepted(space.isAccepted());
}

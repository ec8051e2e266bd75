#include "layouts/label.h"

Label::Label(QWidget *parent) : QLabel(parent)
{
    setAutoFillBackground(true);
    setMargin(0);
    setIndent(0);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
}

void Label::setAutoSize(bool on)
{
    m_autoSize = on;
    m_designed = size();
    setWordWrap(!on);
    fit();
}

void Label::setText(const QString &text)
{
    QLabel::setText(text);
    fit();
}

void Label::fit()
{
    if (!m_autoSize)
        return;
    const QSize wanted = m_designed.expandedTo(fontMetrics().size(0, text()));
    resize(wanted);
}

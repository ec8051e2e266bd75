#include "layouts/label.h"

#include <QFontInfo>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <QVarLengthArray>
#include <algorithm>

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

int Label::linePitch() const
{
    // The designed face is exactly one em high; a face that is lower still
    // keeps its own lines apart.
    return std::min(fontMetrics().height(), QFontInfo(font()).pixelSize());
}

namespace {

// Breaks a text into lines of at most `width`, as a word-wrapping QLabel
// does: at blanks and between Japanese characters; a word wider than a line
// stands out to the right.
QVarLengthArray<QTextLine, 16> breakLines(QTextLayout &layout, int width)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QVarLengthArray<QTextLine, 16> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.append(line);
    }
    layout.endLayout();
    return lines;
}

// The caption as a text layout takes it: a line break in it starts a new
// line, as it does in a plain label.
QString laidOut(QString text)
{
    return text.replace(QLatin1Char('\n'), QChar::LineSeparator);
}

} // namespace

int Label::heightForWidth(int width) const
{
    if (!wordWrap() || text().isEmpty())
        return QLabel::heightForWidth(width);
    QTextLayout layout(laidOut(text()), font());
    const auto lines = breakLines(layout, width);
    return static_cast<int>(lines.size() - 1) * linePitch() + fontMetrics().height();
}

void Label::paintEvent(QPaintEvent *event)
{
    if (!wordWrap() || text().isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    // The background is already filled (the label is opaque).
    const QRect box = contentsRect();
    QTextLayout layout(laidOut(text()), font());
    auto lines = breakLines(layout, box.width());
    const int pitch = linePitch();
    const int height = static_cast<int>(lines.size() - 1) * pitch + fontMetrics().height();

    int top = box.top();
    if (alignment() & Qt::AlignBottom)
        top = box.bottom() + 1 - height;
    else if (alignment() & Qt::AlignVCenter)
        top = box.top() + (box.height() - height) / 2;

    const Qt::Alignment horizontal
        = QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QTextLine &line = lines[i];
        const qreal free = box.width() - line.naturalTextWidth();
        qreal x = box.left();
        if (horizontal & Qt::AlignRight)
            x += free;
        else if (horizontal & Qt::AlignHCenter)
            x += free / 2;
        line.setPosition(QPointF(0, 0));
        const int y = top + static_cast<int>(i) * pitch;
        if (free < 0) {
            // A word wider than the label ("10" at 120 pt, in a stand-in
            // face with wider digits) is condensed to the label's width
            // rather than cut off.
            painter.save();
            painter.translate(box.left(), 0);
            painter.scale(box.width() / line.naturalTextWidth(), 1.0);
            line.draw(&painter, QPointF(0, y));
            painter.restore();
            continue;
        }
        line.draw(&painter, QPointF(x, y));
    }
}

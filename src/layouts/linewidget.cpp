#include "layouts/linewidget.h"

#include <QPainter>

LineWidget::LineWidget(const QLine &line, const QColor &color, int pixels, QWidget *parent)
    : QWidget(parent), m_line(line), m_color(color), m_pixels(pixels)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    const int half = pixels / 2;
    const QRect box = QRect(line.p1(), line.p2()).normalized();
    setGeometry(box.adjusted(-half, -half, pixels - half, pixels - half));
}

void LineWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(m_color, m_pixels, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(m_line.translated(-pos()));
}

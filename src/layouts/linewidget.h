#pragma once

#include <QColor>
#include <QLine>
#include <QWidget>

// A straight line drawn in front of its neighbours; it takes no input.
class LineWidget : public QWidget
{
    Q_OBJECT
public:
    LineWidget(const QLine &line, const QColor &color, int pixels, QWidget *parent);

    QLine line() const { return m_line; } // in the parent's pixels
    QColor color() const { return m_color; }
    int pixels() const { return m_pixels; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLine m_line;
    QColor m_color;
    int m_pixels;
};

#pragma once

#include <QLabel>

// A caption label: opaque, no border, text from the top. An auto-sized
// label grows to fit its caption to the right and downwards, keeping its
// top-left corner; it never shrinks below its designed size.
//
// Wrapped text is set one em apart, line under line, as in the face the
// windows were laid out for. Its stand-ins on other systems have taller
// ascents and descents, and with their own line spacing the last line of
// a text would fall below the bottom of its label. A word wider than the
// label is drawn condensed to its width instead of being cut off.
class Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QWidget *parent = nullptr);

    // Call after the label has its designed geometry.
    void setAutoSize(bool on);
    bool autoSize() const { return m_autoSize; }

    // Hides QLabel::setText so that captions written through a Label fit.
    void setText(const QString &text);

    // The distance from one wrapped line to the next, in pixels.
    int linePitch() const;

    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fit();

    bool m_autoSize = false;
    QSize m_designed; // the size the window was laid out with
};

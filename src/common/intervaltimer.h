#pragma once

#include <QObject>
#include <QTimer>

// A periodic timer that is started and stopped only through its interval:
// a non-zero interval ticks every that many milliseconds, 0 stops it. It
// keeps exact time: each tick is due a whole number of intervals after the
// start, so eleven ticks of 2000 ms end 22 s after the start, not later.
class IntervalTimer : public QObject
{
    Q_OBJECT
public:
    explicit IntervalTimer(QObject *parent = nullptr);

    void setInterval(int milliseconds);
    int interval() const { return m_interval; }
    bool isActive() const { return m_timer.isActive(); }
    Qt::TimerType timerType() const { return m_timer.timerType(); }

signals:
    void timeout();

private:
    QTimer m_timer;
    int m_interval = 0;
};

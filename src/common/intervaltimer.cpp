#include "common/intervaltimer.h"

IntervalTimer::IntervalTimer(QObject *parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &IntervalTimer::timeout);
}

void IntervalTimer::setInterval(int milliseconds)
{
    m_interval = milliseconds;
    if (milliseconds > 0)
        m_timer.start(milliseconds); // restarts the period, as a new interval does
    else
        m_timer.stop();
}

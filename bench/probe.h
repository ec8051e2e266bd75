#pragma once

// Start-up probes: print the monotonic clock at the first paint of the
// main window and end the process there, so that the driver measures the
// time from the start of the process to the first picture on screen.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <unistd.h>

class FirstPaintProbe : public QObject
{
public:
    explicit FirstPaintProbe(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!m_seen && event->type() == QEvent::Paint && widget && widget->window() == m_window) {
            m_seen = true;
            // Once this paint has been handled, the window is on screen: a
            // posted call comes right after it (a zero timer would wait for
            // every other event already posted).
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    timespec now;
                    clock_gettime(CLOCK_MONOTONIC, &now);
                    std::printf("%lld\n",
                                static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                    std::fflush(stdout);
                    _exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget *m_window;
    bool m_seen = false;
};

#include "results/filelock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>

const int busyRetryMs = 0;

bool lockOpenFile(QFile &file, int timeoutMs)
{
    // A record lock of the whole file, polled: F_SETLKW would wait without
    // an end.
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        struct flock region = {};
        region.l_type = F_WRLCK;
        region.l_whence = SEEK_SET;
        if (fcntl(file.handle(), F_SETLK, &region) == 0)
            return true;
        if ((errno != EACCES && errno != EAGAIN) || deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
}

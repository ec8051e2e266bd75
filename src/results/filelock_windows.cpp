#include "results/filelock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <io.h>
#include <qt_windows.h>

const int busyRetryMs = 500;

// Windows locks a range of an open file's bytes, here every byte a file can
// have (from 0, both halves of the length at their highest), for writing.
// The lock belongs to the handle and goes when it is closed, and it is
// mandatory: while it is held, every read and write of those bytes through
// any other handle fails, even a handle of this program. Whoever holds it
// therefore reads the file back through the same handle.
bool lockOpenFile(QFile &file, int timeoutMs)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    // Asked without waiting and polled at a short, even pace, so that the
    // wait ends at the deadline: a waiting LockFileEx waits for ever.
    constexpr int pollMs = 10;
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        OVERLAPPED from = {};
        if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                       MAXDWORD, &from))
            return true;
        if (GetLastError() != ERROR_LOCK_VIOLATION || deadline.hasExpired())
            return false;
        QThread::msleep(pollMs);
    }
}

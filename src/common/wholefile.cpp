#include "common/wholefile.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

bool readWholeFile(const QString &path, QByteArray &content, qint64 limit)
{
    content.clear();
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.isSequential())
        return false;
    content = limit < 0 ? file.readAll() : file.read(limit);
    return file.error() == QFileDevice::NoError;
}

bool writeWholeFile(const QString &path, const QByteArray &content, int renameWaitMs)
{
    // Unbuffered, so that a failed write shows here and not only when
    // commit() flushes: Qt 6.4's commit() renames the new file even when
    // that last flush fails, which would put a cut-off file in place of the
    // old one.
    const QDeadlineTimer deadline(renameWaitMs);
    for (;;) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        if (file.write(content) != content.size() || !file.flush()) {
            file.cancelWriting(); // the new file is removed, never renamed
            return false;
        }
        if (file.commit())
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
}

#include "results/rankingfile.h"

#include "common/classfiles.h"
#include "common/wholefile.h"
#include "results/filelock.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThread>

namespace {

constexpr int pollMs = 10;

bool readOnce(const QString &path, QByteArray &content)
{
    content.clear();
    const QFileInfo info(path);
    if (!info.exists())
        return !info.isSymLink(); // a link to nowhere is no empty file
    return readWholeFile(path, content);
}

} // namespace

bool RankingFile::retried(const std::function<bool()> &attempt)
{
    const QDeadlineTimer deadline(busyRetryMs);
    while (!attempt()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(pollMs);
    }
    return true;
}

bool RankingFile::read(const QString &path, QByteArray &content)
{
    return retried([&] { return readOnce(path, content); });
}

bool RankingFile::canMakeFileIn(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".zenta-XXXXXX")));
    return probe.open();
}

RankingFile::Lock::Lock(const QString &path) : m_lock(path + QStringLiteral(".lock"))
{
    m_lock.setStaleLockTime(ClassFiles::staleLockMs);
}

bool RankingFile::Lock::acquire()
{
    // Polled at a short, even pace: the lock is held for milliseconds, and
    // QLockFile's own waiting doubles its pauses up to seconds.
    const QDeadlineTimer deadline(ClassFiles::lockWaitMs);
    while (!m_lock.tryLock(0)) {
        if (m_lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        QThread::msleep(pollMs);
    }
    return true;
}

bool RankingFile::update(const std::function<bool(QByteArray &)> &change,
                         const QString &source) const
{
    if (m_path.isEmpty())
        return false;
    const QString folder = QFileInfo(m_path).absolutePath();
    if (QFileInfo::exists(m_path) && !canMakeFileIn(folder))
        return updateInPlace(change);

    Lock lock(m_path);
    if (!lock.acquire())
        return false;
    QByteArray content;
    const bool fromSource = !QFileInfo::exists(m_path) && !source.isEmpty();
    if (!read(fromSource ? source : m_path, content))
        return false;
    // Another copy that holds the file open only reads it for a moment: the
    // new file's rename waits for it as long as for a lock.
    return !change(content) || writeWholeFile(m_path, content, ClassFiles::lockWaitMs);
}

bool RankingFile::updateInPlace(const std::function<bool(QByteArray &)> &change) const
{
    // The folder takes no new file, neither a lock file nor a new copy to
    // rename: the file is locked and written where it is, then read back.
    // Both go through the locked handle, since a lock that the system
    // enforces bars every other. The file never shrinks, so no byte beyond
    // the new content stays.
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) || file.isSequential()
        || !lockOpenFile(file, ClassFiles::lockWaitMs))
        return false;
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    if (!change(content))
        return true;
    if (!file.seek(0) || file.write(content) != content.size() || !file.flush() || !file.seek(0))
        return false;
    return file.read(content.size()) == content;
}

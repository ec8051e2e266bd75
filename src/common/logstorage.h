#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// Where the class's log lives: a folder of files, on this machine's disk
// or elsewhere (a server, the browser's storage). The log asks only this
// of it.
class LogStorage
{
public:
    virtual ~LogStorage() = default;

    // The names of the files in the log's folder; false when it cannot be
    // looked at (a folder that is not there yet holds none: true).
    virtual bool list(QStringList &names) = 0;
    // A file's first `limit` bytes at most; false when it cannot be read.
    virtual bool read(const QString &name, qint64 limit, QByteArray &content) = 0;
    // Makes `content` the whole file: a new file takes the old one's place,
    // so a failure leaves the old one as it was.
    virtual bool write(const QString &name, const QByteArray &content) = 0;
    // Removes a file; a storage that never removes one (a server) says false.
    virtual bool remove(const QString &) { return false; }
    // Runs `change`, which changes this storage's files and the device's own
    // (its name), under the lock of every writer that shares them: the
    // browser's tabs share its folder, which is read again first and kept
    // before the lock goes. A folder on disk, where each device writes only
    // files of its own, has no such lock.
    virtual bool underLock(const std::function<bool()> &change) { return change(); }
};

// The log's storage as it is found at the moment: each use asks anew, since
// where the log can be written may change while the program runs.
using LogStorageSource = std::function<std::unique_ptr<LogStorage>()>;

// A folder on disk, made at the first write. Each of its files is read and
// written whole (wholefile.h).
class LogFolder : public LogStorage
{
public:
    explicit LogFolder(const QString &path) : m_path(path) { }

    const QString &path() const { return m_path; }

    bool list(QStringList &names) override;
    bool read(const QString &name, qint64 limit, QByteArray &content) override;
    bool write(const QString &name, const QByteArray &content) override;
    bool remove(const QString &name) override;

private:
    QString m_path;
};

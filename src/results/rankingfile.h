#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QString>
#include <functional>

// The ranking file on disk: reading it whole, and changing it whole under a
// lock, so that copies of the program sharing one file lose nothing of
// each other's. Knows nothing of records; the table says what changes.
class RankingFile
{
public:
    explicit RankingFile(const QString &path) : m_path(path) { }

    // The whole file, held open only while it is read. A missing file reads
    // as empty; false when it cannot be read, or is no plain file (a pipe
    // would never end).
    static bool read(const QString &path, QByteArray &content);

    // Runs `attempt` on a file until it succeeds, for as long as the system
    // may refuse a file for a moment (busyRetryMs).
    static bool retried(const std::function<bool()> &attempt);

    // Whether a new file can be made in `folder`: tried by making one,
    // since permission bits do not tell (root ignores them, and Windows
    // reports them without the folder's access rights).
    static bool canMakeFileIn(const QString &folder);

    // The lock file beside the ranking file that every change takes, with
    // the waits of every lock over the class's files (ClassFiles).
    class Lock
    {
    public:
        explicit Lock(const QString &path);
        bool acquire();

    private:
        QLockFile m_lock;
    };

    // Under the lock, reads the file as it is now (or `source` while the
    // file does not exist yet), lets `change` make the new bytes (it
    // returns false when nothing is to be written) and writes them whole.
    // A failure at any point leaves the file as it was and returns false.
    bool update(const std::function<bool(QByteArray &)> &change,
                const QString &source = QString()) const;

private:
    bool updateInPlace(const std::function<bool(QByteArray &)> &change) const;

    QString m_path;
};

#pragma once

#include "common/logstorage.h"

// The class's log in a folder beside the page on the page's server, where
// the school lets the devices list and write it through WebDAV: each device
// puts only its own files there, whole, so no lock is needed. A server that
// does not answer as WebDAV does cannot be listed, and the log then lives
// in the browser's stand-in.
class ServerLogFolder final : public LogStorage
{
public:
    // `folder`: the folder's name in the page's folder.
    explicit ServerLogFolder(const QString &folder) : m_folder(folder + u'/') { }

    bool list(QStringList &names) override;
    bool read(const QString &name, qint64 limit, QByteArray &content) override;
    bool write(const QString &name, const QByteArray &content) override;

private:
    QString m_folder;
};

#pragma once

#include "common/webpage_web.h"

#include <QByteArray>
#include <QString>

// WebDAV (RFC 4918) on the page's own server, for files in the page's
// folder: what a school's server (Apache's mod_dav, nginx, IIS) takes to
// let several devices change one file in turn.
namespace WebDav {

// The largest body taken from the server or sent to it.
constexpr int largestBody = 64 * 1024;

// The resource type of `path` and, with depth 1, of what a folder holds;
// an answer of up to `largest` bytes.
WebPage::Answer propfind(const QString &path, int depth, int largest);

// The whole file, up to largestBody; with `limit`, its first `limit` bytes
// at most, asked for as a range (206 where the server takes it).
WebPage::Answer get(const QString &path, int limit = 0);

// The whole file; with a lock's token, the lock's holder's write.
WebPage::Answer put(const QString &path, const QByteArray &content,
                    const QByteArray &token = QByteArray());

// An exclusive write lock that the server lets go after timeoutSeconds
// (a device that stopped mid-change leaves none for longer). While another
// holds the file (423) it is asked again until waitMs have passed. The
// answer's status: 200 or 201 with `token` set when the lock is held; 423
// when it was still held by another after waitMs; any other the server's
// (403, 405, 501: it takes no writes there) or 0 (no answer).
WebPage::Answer lock(const QString &path, int timeoutSeconds, int waitMs, QByteArray &token);

WebPage::Answer unlock(const QString &path, const QByteArray &token);

// A status of a change that landed.
inline bool succeeded(int status)
{
    return status >= 200 && status < 300;
}

// A status by which the server says that it takes no writes there.
inline bool refused(int status)
{
    return status == 403 || status == 405 || status == 501;
}

} // namespace WebDav

#pragma once

#include <QByteArray>
#include <functional>

// The ranking file beside the page on the page's server: the file in use
// where the server takes writes through WebDAV, as the file beside the
// program is on the desktop, and changed the way several copies change one
// file in a shared folder.
namespace RankingServer {

enum class Outcome {
    Done,    // read, or changed (or nothing was to change)
    Refused, // the server takes no writes there, or cannot be reached
    Failed,  // the lock was held by another too long, a read or write failed
};

// The file as the server holds it now, read as a file from a stranger
// would be: no file reads as empty; an HTTP error, a redirect or a body
// over 64 KiB is a failed read, with `content` empty.
Outcome read(QByteArray &content);

// Under the server's lock (as long as the desktop's lock file is waited
// for, and let go by the server as soon as a lock file would be stale):
// reads the file again, lets `change` make the new bytes (false: nothing
// to write) and writes them whole, then unlocks. `content` is then the
// file as the server holds it. A failure at any point leaves the file as
// it was.
Outcome update(const std::function<bool(QByteArray &)> &change, QByteArray &content);

} // namespace RankingServer

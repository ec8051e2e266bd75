#include "results/rankinglocation.h"

#include "common/logfolder_web.h"
#include "common/logserver_web.h"
#include "common/webdav_web.h"
#include "common/webpage_web.h"
#include "results/rankingfile.h"
#include "results/rankingstorage.h"

#include <QDir>
#include <QFile>

namespace {

using Outcome = RankingStorage::Outcome;

QString serverFile()
{
    return QString::fromLatin1(ClassFiles::rankingName);
}

QString serverCopy()
{
    return QStringLiteral("/tmp/zenta-server/") + serverFile();
}

// The file as the server holds it now, read as a file from a stranger
// would be: no file reads as empty; an HTTP error, a redirect or a body
// over 64 KiB is a failed read, with `content` empty.
Outcome readServer(QByteArray &content)
{
    content.clear();
    const WebPage::Answer answer = WebDav::get(serverFile());
    if (answer.status == 404)
        return Outcome::Done; // no file yet: the first save makes it
    if (answer.status != 200)
        return answer.status == 0 || answer.status >= 500 ? Outcome::Refused : Outcome::Failed;
    content = answer.body;
    return Outcome::Done;
}

// Under the server's lock (as long as the desktop's lock file is waited
// for, and let go by the server as soon as a lock file would be stale):
// reads the file again, lets `change` make the new bytes and writes them
// whole, then unlocks. `content` is then the file as the server holds it.
// A failure at any point leaves the file as it was.
Outcome changeServer(const RankingStorage::Change &change, QByteArray &content)
{
    QByteArray token;
    const int locked
        = WebDav::lock(serverFile(), ClassFiles::staleLockMs / 1000, ClassFiles::lockWaitMs, token)
              .status;
    if (!WebDav::succeeded(locked))
        return locked == 423 ? Outcome::Failed : Outcome::Refused;

    Outcome outcome = readServer(content) == Outcome::Done ? Outcome::Done : Outcome::Failed;
    if (outcome == Outcome::Done) {
        QByteArray changed = content;
        if (change(changed)) {
            const int written = WebDav::put(serverFile(), changed, token).status;
            if (WebDav::succeeded(written))
                content = changed;
            else
                outcome = WebDav::refused(written) ? Outcome::Refused : Outcome::Failed;
        }
    }
    // A lock that is not let go (the server went away) ends by its timeout.
    WebDav::unlock(serverFile(), token);
    return outcome;
}

// The ranking file in the browser, where the place beside the program is
// the page's folder on its server. Where that takes writes (WebDAV), its
// zenta.rnk is the file in use, changed under the server's lock the way
// several copies change one file in a shared folder. Where it does not, or
// cannot be reached, the file in the page's folder in IndexedDB, changed
// under the tabs' lock, stands in for it, and its rows go back into the
// server's file at an opening once the server takes writes again. What the
// server holds is shown from a copy in memory.
class RankingServer final : public RankingFolder
{
public:
    using RankingFolder::RankingFolder;

    bool open(QByteArray &content) override;
    bool update(const Change &change) override;

private:
    void keepServerCopy(const QByteArray &content);

    bool m_server = false; // the page's server holds the file in use
};

} // namespace

void RankingServer::keepServerCopy(const QByteArray &content)
{
    QDir().mkpath(QFileInfo(serverCopy()).absolutePath());
    QFile copy(serverCopy());
    if (copy.open(QIODevice::WriteOnly | QIODevice::Truncate))
        copy.write(content);
    m_place.shown = serverCopy();
}

bool RankingServer::open(QByteArray &content)
{
    // With what other tabs of the site stored since this one started.
    WebPage::loadFiles();
    const QString standIn = QDir(m_where.programFolder()).filePath(serverFile());
    m_place = RankingPlace{standIn, standIn, QString(), QString()};

    QByteArray server;
    m_server = readServer(server) == Outcome::Done;
    QByteArray rows;
    RankingFile::read(standIn, rows);
    if (m_server && !rows.isEmpty()) {
        // Under the tabs' lock, so that no two tabs carry them. The server
        // refused: its stand-in stays the file in use. A failure shows the
        // server's file; the rows go back at a later opening.
        m_server
            = carryBack(standIn, WebPage::changeFiles,
                        [&server](const Change &change) { return changeServer(change, server); })
            != Outcome::Refused;
        RankingFile::read(standIn, rows);
    }
    if (m_server) {
        // An empty stand-in is none: should the server refuse the first
        // save, its file's rows go into the stand-in with the new one.
        if (rows.isEmpty())
            QFile::remove(standIn);
        keepServerCopy(server);
    }
    RankingFile::read(m_place.shown, content);
    return true;
}

bool RankingServer::update(const Change &change)
{
    if (m_server) {
        QByteArray server;
        switch (changeServer(change, server)) {
        case Outcome::Done:
            keepServerCopy(server);
            return true;
        case Outcome::Failed:
            return false;
        case Outcome::Refused:
            // From now on the stand-in, made from the server's file as it
            // was shown.
            m_server = false;
            break;
        }
    }
    return WebPage::changeFiles([this, &change] { return RankingFolder::update(change); });
}

RankingLocation RankingLocation::standard()
{
    return RankingLocation(WebPage::filesFolder());
}

std::unique_ptr<RankingStorage> RankingLocation::storage() const
{
    return std::make_unique<RankingServer>(*this);
}

RankingLocation::Log RankingLocation::log() const
{
    const LogStorageSource server = []() -> std::unique_ptr<LogStorage> {
        return std::make_unique<ServerLogFolder>(QLatin1String(logName));
    };
    const LogStorageSource browser = [where = *this]() -> std::unique_ptr<LogStorage> {
        return std::make_unique<WebLogFolder>(where.logFolder());
    };
    // The tally reads the server's folder where it can be listed, else the
    // stand-in.
    const LogStorageSource tally = [server, browser]() -> std::unique_ptr<LogStorage> {
        std::unique_ptr<LogStorage> read = server();
        QStringList names;
        return read->list(names) ? std::move(read) : browser();
    };
    return {server, browser, tally};
}

bool RankingLocation::carriedByHand()
{
    return true;
}

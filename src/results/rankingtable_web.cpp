#include "results/rankingtable.h"

#include "common/webpage_web.h"
#include "results/rankingfile.h"
#include "results/rankingserver_web.h"

#include <QDir>
#include <QFile>

// In the browser the place beside the program is the page's folder on its
// server. Where the server takes writes, its zenta.rnk is the file in use;
// where it does not, or cannot be reached, the file in the page's folder in
// IndexedDB (shared by the site's tabs) stands in for it, and its rows go
// back into the server's file at an opening once the server takes writes
// again. What the server holds is shown from a copy in memory.

namespace {

QString serverCopy()
{
    return QStringLiteral("/tmp/zenta-server/") + QLatin1String(RankingLocation::fileName);
}

} // namespace

void RankingTable::keepServerCopy(const QByteArray &content)
{
    QDir().mkpath(QFileInfo(serverCopy()).absolutePath());
    QFile copy(serverCopy());
    if (copy.open(QIODevice::WriteOnly | QIODevice::Truncate))
        copy.write(content);
    m_place.shown = serverCopy();
}

bool RankingTable::yomikomiWeb(const RankingLocation &where)
{
    // With what other tabs of the site stored since this one started.
    WebPage::loadFiles();
    m_where = where;
    const QString standIn
        = QDir(where.programFolder()).filePath(QLatin1String(RankingLocation::fileName));
    m_place = RankingPlace{standIn, standIn, QString(), QString()};

    QByteArray server;
    m_server = RankingServer::read(server) == RankingServer::Outcome::Done;
    QByteArray rows;
    RankingFile::read(standIn, rows);
    if (m_server && !rows.isEmpty()) {
        // The stand-in's rows go back into the server's file, under the
        // tabs' lock so that no two tabs carry them, each row once.
        RankingServer::Outcome merged = RankingServer::Outcome::Failed;
        WebPage::changeFiles([&] {
            QByteArray held;
            if (!RankingFile::read(standIn, held))
                return false;
            if (held.isEmpty()) // another tab carried them meanwhile
                merged = RankingServer::read(server);
            else
                merged = RankingServer::update(
                    [&held](QByteArray &file) {
                        mergeRows(file, held);
                        return true;
                    },
                    server);
            return merged == RankingServer::Outcome::Done && QFile::remove(standIn);
        });
        // The server refused: its stand-in stays the file in use. A failure
        // shows the server's file; the rows go back at a later opening.
        m_server = merged != RankingServer::Outcome::Refused;
        RankingFile::read(standIn, rows);
    }
    if (m_server) {
        // An empty stand-in is none: should the server refuse the first
        // save, its file's rows go into the stand-in with the new one.
        if (rows.isEmpty())
            QFile::remove(standIn);
        keepServerCopy(server);
    }
    QByteArray content;
    RankingFile::read(m_place.shown, content);
    load(content);
    return true;
}

bool RankingTable::updateWeb(const std::function<bool(QByteArray &)> &change)
{
    if (m_server) {
        QByteArray server;
        switch (RankingServer::update(change, server)) {
        case RankingServer::Outcome::Done:
            keepServerCopy(server);
            return true;
        case RankingServer::Outcome::Failed:
            return false;
        case RankingServer::Outcome::Refused:
            // From now on the stand-in, made from the server's file as it
            // was shown.
            m_server = false;
            break;
        }
    }
    return WebPage::changeFiles([this, &change] { return updateFile(change); });
}

#include "results/rankingstorage.h"

#include "results/rankingfile.h"
#include "results/rankingrecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

RankingStorage::Outcome carryBack(
    const QString &standIn, const std::function<bool(const std::function<bool()> &)> &locked,
    const std::function<RankingStorage::Outcome(const RankingStorage::Change &)> &update)
{
    using Outcome = RankingStorage::Outcome;
    Outcome outcome = Outcome::Failed;
    const bool carried = locked([&] {
        QByteArray rows;
        if (!RankingFile::read(standIn, rows))
            return false;
        outcome = update([&rows](QByteArray &file) {
            if (rows.isEmpty())
                return false;
            mergeRows(file, rows);
            return true;
        });
        return outcome == Outcome::Done && QFile::remove(standIn);
    });
    // Written, but the stand-in stays (or the lock's end failed): its rows
    // are held by the file in use now, and the next opening places none
    // twice.
    return !carried && outcome == Outcome::Done ? Outcome::Failed : outcome;
}

bool RankingFolder::open(QByteArray &content)
{
    m_place = m_where.find();
    if (!m_place.standIn.isEmpty())
        carryStandIn();
    RankingFile::read(m_place.shown, content);
    return !m_place.file.isEmpty();
}

void RankingFolder::carryStandIn()
{
    // Under the lock file of each; should anything fail, the next opening
    // tries again.
    const QString standIn = m_place.standIn;
    const auto locked = [&standIn](const std::function<bool()> &carry) {
        RankingFile::Lock lock(standIn);
        return lock.acquire() && carry();
    };
    const auto intoFile = [this](const Change &change) {
        return RankingFile(m_place.file).update(change) ? Outcome::Done : Outcome::Failed;
    };
    if (carryBack(standIn, locked, intoFile) != Outcome::Done)
        return;
    const QDir folder = QFileInfo(standIn).dir();
    if (folder != QDir(m_where.dataFolder())) {
        QFile::remove(folder.filePath(QLatin1String(RankingLocation::noteName)));
        folder.rmdir(folder.path()); // only when nothing else lies there
    }
}

bool RankingFolder::update(const Change &change)
{
    // A file that can only be read is carried into the file in use by the
    // first save; from then on that file is shown.
    const QString source = m_place.shown != m_place.file ? m_place.shown : QString();
    if (!m_where.prepare(m_place) || !RankingFile(m_place.file).update(change, source))
        return false;
    m_place.shown = m_place.file;
    return true;
}

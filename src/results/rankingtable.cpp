#include "results/rankingtable.h"

#include "common/captions.h"
#include "common/grade.h"
#include "results/rankingfile.h"
#include "results/rankingrecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int rangeSize = RankingTable::rangeSize;
constexpr qsizetype fullSize = qsizetype(RankingTable::entryCount) * recordSize;

// Record i of a file; a blank record where the file has no whole record.
QByteArray recordAt(const QByteArray &file, int i)
{
    const qsizetype at = qsizetype(i) * recordSize;
    return at + recordSize <= file.size() ? file.mid(at, recordSize) : blankRecord();
}

// Records 1 to 75 as they are, blank where the file has none, then
// whatever lies beyond them.
QByteArray allRecords(const QByteArray &file)
{
    QByteArray out;
    out.reserve(qMax(file.size(), fullSize));
    for (int i = 0; i < RankingTable::entryCount; ++i)
        out += recordAt(file, i);
    return out + file.mid(fullSize);
}

// Places `record` into range `range` of `records` (all 75 of them) as the
// table places a score: the rows below it move one down and the last row of
// the range drops out. Returns false when it takes no place.
bool placeRecord(QByteArray &records, int range, const QByteArray &record)
{
    const int base = range * rangeSize;
    std::array<qint16, rangeSize> scores;
    for (int n = 0; n < rangeSize; ++n)
        scores[n] = decodeRecord(recordAt(records, base + n)).jikan;
    const int at = base + int(RankingTable::placeOf(scores, decodeRecord(record).jikan));
    if (at == base + rangeSize)
        return false;
    for (int k = base + rangeSize - 2; k >= at; --k)
        records.replace(qsizetype(k + 1) * recordSize, recordSize, recordAt(records, k));
    records.replace(qsizetype(at) * recordSize, recordSize, record);
    return true;
}

} // namespace

RankingTable::RankingTable(Module1 &module) : m_module(module), m_where(QString())
{
    const QString blankName(nameSize, u' ');
    namaehyo.fill(QString());
    for (int i = 0; i < rangesInUse * rangeSize; ++i)
        namaehyo[i] = blankName;
}

int RankingTable::fileRange(int gakunen, int hani)
{
    return gradeBlock(gakunen) * rangesPerGrade + hani;
}

qsizetype RankingTable::placeOf(std::span<const qint16> rows, qint16 score)
{
    qsizetype at = 0;
    while (at < qsizetype(rows.size()) && rows[at] > score)
        ++at;
    return at;
}

bool RankingTable::yomikomi(const RankingLocation &where)
{
#ifdef Q_OS_WASM
    // The file beside the page on its server, or the browser's stand-in.
    return yomikomiWeb(where);
#endif
    m_where = where;
    m_place = where.find();
    if (!m_place.standIn.isEmpty())
        mergeStandIn();
    QByteArray content;
    RankingFile::read(m_place.shown, content);
    load(content);
    return !m_place.file.isEmpty();
}

bool RankingTable::mergeStandIn()
{
    // The stand-in's rows go into the program's file (see mergeRows).
    // Should anything fail, both files stay as they were and the next
    // opening tries again.
    const QString standIn = m_place.standIn;
    {
        RankingFile::Lock standInLock(standIn);
        if (!standInLock.acquire())
            return false;
        bool read = false;
        const bool merged = RankingFile(m_place.file).update([&](QByteArray &file) {
            QByteArray rows;
            read = RankingFile::read(standIn, rows);
            if (!read)
                return false;
            mergeRows(file, rows);
            return true;
        });
        if (!merged || !read || !QFile::remove(standIn))
            return false;
    }
    const QDir folder = QFileInfo(standIn).dir();
    if (folder != QDir(m_where.dataFolder())) {
        QFile::remove(folder.filePath(QLatin1String(RankingLocation::noteName)));
        folder.rmdir(folder.path()); // only when nothing else lies there
    }
    return true;
}

void RankingTable::mergeRows(QByteArray &file, const QByteArray &rows)
{
    // The stand-in holds the rows it copied from the program's file at its
    // first save and the rows saved into it since. Those that the program's
    // file does not hold go into it, each placed as a save places a score,
    // from the bottom of each range up so that they keep their order; a
    // copied row matches one equal record of its range and is not placed
    // twice.
    file = allRecords(file);
    for (int range = 0; range < rangesInUse; ++range) {
        QList<QByteArray> held;
        for (int n = 0; n < rangeSize; ++n)
            held << recordAt(file, range * rangeSize + n);
        for (int n = rangeSize - 1; n >= 0; --n) {
            const QByteArray row = recordAt(rows, range * rangeSize + n);
            if (!held.removeOne(row) && decodeRecord(row).jikan > 0)
                placeRecord(file, range, row);
        }
    }
}

void RankingTable::load(const QByteArray &file)
{
    // Records 61 to 75 and a part record at the end are not loaded; a save
    // keeps them as they are.
    for (int i = 0; i < rangesInUse * rangeSize; ++i) {
        m_module.kr = decodeRecord(recordAt(file, i));
        jikanhyo[i] = m_module.kr.jikan;
        namaehyo[i] = m_module.kr.namae;
    }
}

bool RankingTable::pending() const
{
    return m_module.kekka != 0 && m_module.touroku != 1;
}

bool RankingTable::jyunikime()
{
    if (!pending())
        return false;
    const int hani = m_module.hani;
    if (hani < 0 || hani >= rangeCount) {
        m_module.touroku = 1; // no such range: nowhere to place the score
        return false;
    }
    const int range = fileRange(m_module.gakunen, hani);
    const qint16 kekka = m_module.kekka;

    // The player's own three best in this range.
    auto &own = m_module.jikokiroku[range];
    const qsizetype mine = placeOf(own, kekka);
    if (mine < qsizetype(own.size())) {
        std::copy_backward(own.begin() + mine, own.end() - 1, own.end());
        own[mine] = kekka;
    }

    // The Best 5.
    const int base = range * rangeSize;
    const qsizetype at = placeOf(std::span(jikanhyo).subspan(base, rangeSize), kekka);
    if (at == rangeSize) {
        m_module.touroku = 1;
        return false;
    }
    ichi = static_cast<qint16>(base + at);
    for (int k = base + rangeSize - 2; k >= ichi; --k) {
        jikanhyo[k + 1] = jikanhyo[k];
        namaehyo[k + 1] = namaehyo[k];
    }
    jikanhyo[ichi] = kekka;
    namaehyo[ichi] = marker();
    return true;
}

bool RankingTable::save(const QString &name)
{
    if (!pending())
        return true;
    m_module.kr.namae = name;
    m_module.kr.jikan = m_module.kekka;
    const QByteArray newRecord = encodeRecord(m_module.kr);
    const int range = fileRange(m_module.gakunen, m_module.hani);

    // The place as the file holds the range now; a score that other copies'
    // five better rows have shut out since stores nothing.
    bool placed = false;
    const bool saved = update([&](QByteArray &file) {
        file = allRecords(file);
        placed = placeRecord(file, range, newRecord);
        return placed;
    });
    if (saved)
        namaehyo[ichi] = name;
    if (saved && placed) {
        // As the file holds it: cut to its record, without the blanks after it.
        QString stored = decodeRecord(newRecord).namae;
        while (stored.endsWith(u' '))
            stored.chop(1);
        m_storedName = stored;
    }
    return saved;
}

bool RankingTable::clearRanges()
{
    const int first = fileRange(m_module.gakunen, 0) * rangeSize;
    const int end = first + rangesPerGrade * rangeSize;
    return update([first, end](QByteArray &file) {
        // The records before the grade's as they are (blank where the file
        // has none), the grade's blank, and whatever lies after them.
        QByteArray content;
        for (int i = 0; i < end; ++i)
            content += i < first ? recordAt(file, i) : blankRecord();
        file = content + file.mid(content.size());
        return true;
    });
}

bool RankingTable::adopt(const QByteArray &content)
{
    return update([&content](QByteArray &file) {
        file = content;
        return true;
    });
}

bool RankingTable::update(const std::function<bool(QByteArray &)> &change)
{
#ifdef Q_OS_WASM
    // The page's server, or the stand-in that the browser's tabs share.
    return updateWeb(change);
#else
    return updateFile(change);
#endif
}

bool RankingTable::updateFile(const std::function<bool(QByteArray &)> &change)
{
    // A file that can only be read is carried into the file in use by the
    // first save; from then on that file is shown.
    const QString source = m_place.shown != m_place.file ? m_place.shown : QString();
    if (!m_where.prepare(m_place) || !RankingFile(m_place.file).update(change, source))
        return false;
    m_place.shown = m_place.file;
    return true;
}

#include "results/rankingtable.h"

#include "results/rankinglocation.h"
#include "results/rankingrecord.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <utility>

RankingTable::RankingTable(Module1 &module) : m_module(module)
{
    const QString blankName(nameSize, u' ');
    namaehyo.fill(QString());
    for (int i = 0; i < rangesInUse * rangeSize; ++i)
        namaehyo[i] = blankName;
}

bool RankingTable::yomikomi(const RankingLocation &where)
{
    m_path.clear();
    m_file.clear();
    for (const QString &folder : where.folders()) {
        if (folder.isEmpty() || !QDir().mkpath(folder))
            continue;
        QFile file(QDir(folder).filePath(QString::fromLatin1(RankingLocation::fileName)));
        // Opening for reading and writing creates a missing file empty and
        // tells whether the folder takes the file at all.
        if (!file.open(QIODevice::ReadWrite))
            continue;
        // A pipe or a device of that name is no ranking file: reading it
        // would never end.
        if (file.isSequential())
            continue;
        m_path = file.fileName();
        m_file = file.readAll();
        break;
    }

    // Records 21 to 75 and a part record at the end are not loaded; the
    // save writes the whole records among them back as they were.
    for (int i = 0; i < entryCount; ++i) {
        const qsizetype at = qsizetype(i) * recordSize;
        m_raw[i] = at + recordSize <= m_file.size() ? m_file.mid(at, recordSize) : QByteArray();
        if (i >= rangesInUse * rangeSize)
            continue;
        m_module.kr = m_raw[i].isEmpty() ? decodeRecord(blankRecord()) : decodeRecord(m_raw[i]);
        jikanhyo[i] = m_module.kr.jikan;
        namaehyo[i] = m_module.kr.namae;
    }
    return !m_path.isEmpty();
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
    if (hani < 0 || hani >= rangesInUse) {
        m_module.touroku = 1; // no such range: nowhere to place the score
        return false;
    }
    const qint16 kekka = m_module.kekka;

    // The player's own three best in this range; a tie goes above.
    auto &own = m_module.jikokiroku[hani];
    for (int k = 0; k < 3; ++k) {
        if (kekka >= own[k]) {
            for (int j = 1; j >= k; --j)
                own[j + 1] = own[j];
            own[k] = kekka;
            break;
        }
    }

    // The Best 5: the first row whose score is not above the new one.
    const int base = hani * rangeSize;
    ichi = static_cast<qint16>(base);
    while (ichi <= base + rangeSize - 1 && jikanhyo[ichi] > kekka)
        ++ichi;
    if (ichi > base + rangeSize - 1) {
        m_module.touroku = 1;
        return false;
    }
    for (int k = base + rangeSize - 2; k >= ichi; --k) {
        jikanhyo[k + 1] = jikanhyo[k];
        namaehyo[k + 1] = namaehyo[k];
        m_raw[k + 1] = m_raw[k];
    }
    jikanhyo[ichi] = kekka;
    namaehyo[ichi] = marker();
    m_raw[ichi].clear();
    return true;
}

bool RankingTable::save(const QString &name)
{
    if (!pending())
        return true;
    namaehyo[ichi] = name;
    m_raw[ichi].clear();

    QByteArray content;
    content.reserve(qMax<qsizetype>(m_file.size(), entryCount * recordSize));
    for (int i = 0; i < entryCount; ++i) {
        if (!m_raw[i].isEmpty()) {
            content += m_raw[i];
        } else {
            m_module.kr.namae = namaehyo[i];
            m_module.kr.jikan = jikanhyo[i];
            content += encodeRecord(m_module.kr);
        }
    }
    content += m_file.mid(content.size());
    if (!write(content))
        return false;
    m_file = content;
    return true;
}

bool RankingTable::clearRanges()
{
    const QByteArray blank = blankRecord();
    QByteArray content;
    for (int i = 0; i < rangesInUse * rangeSize; ++i)
        content += blank;
    content += m_file.mid(content.size());
    if (!write(content))
        return false;
    m_file = content;
    return true;
}

bool RankingTable::write(const QByteArray &content) const
{
    if (m_path.isEmpty())
        return false;
    // A new file renamed over the old one: a failure at any point leaves
    // the old file as it was. Unbuffered, so that a failed write shows here
    // and not only when commit() flushes: Qt 6.4's commit() renames the new
    // file even when that last flush fails, which would put a cut-off file
    // in place of the old one.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(content) != content.size() || !file.flush()) {
        file.cancelWriting(); // the new file is removed, never renamed
        return false;
    }
    return file.commit();
}

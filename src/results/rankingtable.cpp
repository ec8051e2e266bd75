#include "results/rankingtable.h"

#include "common/captions.h"
#include "common/grade.h"

RankingTable::RankingTable(Module1 &module) : m_module(module)
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

bool RankingTable::yomikomi(const RankingLocation &where)
{
    m_storage = where.storage();
    QByteArray content;
    const bool stored = m_storage->open(content);
    load(content);
    return stored;
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

bool RankingTable::update(const RankingStorage::Change &change)
{
    return m_storage && m_storage->update(change);
}

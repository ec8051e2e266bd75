#include "results/rankingrecord.h"

#include "common/cp932.h"

#include <QList>
#include <QtEndian>
#include <array>

QByteArray encodeRecord(const kiroku &record)
{
    QByteArray bytes = toCp932(record.namae, nameSize);
    bytes.append(nameSize - bytes.size(), ' ');
    char score[2];
    qToLittleEndian<qint16>(record.jikan, score);
    bytes.append(score, 2);
    return bytes;
}

kiroku decodeRecord(QByteArrayView bytes)
{
    Q_ASSERT(bytes.size() == recordSize);
    kiroku record;
    record.namae = fromCp932(bytes.first(nameSize));
    if (record.namae.size() < nameSize)
        record.namae.append(QString(nameSize - record.namae.size(), u' '));
    record.jikan = qFromLittleEndian<qint16>(bytes.data() + nameSize);
    return record;
}

QByteArray blankRecord()
{
    return encodeRecord(kiroku{});
}

QByteArray recordAt(const QByteArray &file, int i)
{
    const qsizetype at = qsizetype(i) * recordSize;
    return at + recordSize <= file.size() ? file.mid(at, recordSize) : blankRecord();
}

QByteArray allRecords(const QByteArray &file)
{
    const qsizetype fullSize = qsizetype(recordCount) * recordSize;
    QByteArray out;
    out.reserve(qMax(file.size(), fullSize));
    for (int i = 0; i < recordCount; ++i)
        out += recordAt(file, i);
    return out + file.mid(fullSize);
}

qsizetype placeOf(std::span<const qint16> rows, qint16 score)
{
    qsizetype at = 0;
    while (at < qsizetype(rows.size()) && rows[at] > score)
        ++at;
    return at;
}

bool placeRecord(QByteArray &records, int range, const QByteArray &record)
{
    const int base = range * rangeRecords;
    std::array<qint16, rangeRecords> scores;
    for (int n = 0; n < rangeRecords; ++n)
        scores[n] = decodeRecord(recordAt(records, base + n)).jikan;
    const int at = base + int(placeOf(scores, decodeRecord(record).jikan));
    if (at == base + rangeRecords)
        return false;
    for (int k = base + rangeRecords - 2; k >= at; --k)
        records.replace(qsizetype(k + 1) * recordSize, recordSize, recordAt(records, k));
    records.replace(qsizetype(at) * recordSize, recordSize, record);
    return true;
}

void mergeRows(QByteArray &file, const QByteArray &rows)
{
    file = allRecords(file);
    for (int range = 0; range < rangesInUse; ++range) {
        QList<QByteArray> held;
        for (int n = 0; n < rangeRecords; ++n)
            held << recordAt(file, range * rangeRecords + n);
        for (int n = rangeRecords - 1; n >= 0; --n) {
            const QByteArray row = recordAt(rows, range * rangeRecords + n);
            if (!held.removeOne(row) && decodeRecord(row).jikan > 0)
                placeRecord(file, range, row);
        }
    }
}

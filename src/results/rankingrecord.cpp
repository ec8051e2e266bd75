#include "results/rankingrecord.h"

#include "common/cp932.h"

#include <QtEndian>

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

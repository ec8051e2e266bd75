// The ranking file under libFuzzer: any bytes as the file, loaded; a score
// placed in a range and saved under a name, or the ranges cleared; then the
// file on disk is checked against what the save may change.
//
// The input: byte 0 chooses the range (its value modulo 6, less 1: -1 to 4,
// so that a range that does not exist comes up too), the grade (3 less its
// value divided by 6, modulo 3) and, with its top bit, the clearing
// instead of the save; bytes 1 and 2 are the score,
// little-endian; byte 3 is the length of the name in UTF-16 units, which
// follow, little-endian, any units at all; everything after them is the
// file.
#include "results/module1.h"
#include "results/rankinglocation.h"
#include "results/rankingrecord.h"
#include "results/rankingtable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, int entry = -1)
{
    std::fprintf(stderr, "ranking file: %s (entry %d)\n", what, entry);
    std::abort();
}

// One folder for the whole run, in the temporary folder (TMPDIR): the save
// syncs the file to disk, so a RAM disk there runs faster.
const QString &folder()
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        fail("no temporary folder");
    static const QString path = dir.path();
    return path;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail("cannot read the file back");
    return file.readAll();
}

// Entry i's record in a file; blank where the file has no whole record.
QByteArray recordOf(const QByteArray &file, int i)
{
    const qsizetype at = qsizetype(i) * recordSize;
    return at + recordSize <= file.size() ? file.mid(at, recordSize) : blankRecord();
}

qint16 scoreOf(const QByteArray &file, int i)
{
    return qFromLittleEndian<qint16>(recordOf(file, i).constData() + nameSize);
}

bool inOrder(const QByteArray &file, int range)
{
    for (int n = 1; n < RankingTable::rangeSize; ++n)
        if (scoreOf(file, range * 5 + n) > scoreOf(file, range * 5 + n - 1))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    const bool clearing = data[0] & 0x80;
    Module1 module;
    module.hani = static_cast<qint16>((data[0] & 0x7F) % 6 - 1);
    module.gakunen = static_cast<qint16>(3 - (data[0] & 0x7F) / 6 % 3);
    module.kekka = qFromLittleEndian<qint16>(data + 1);
    const size_t units = qMin<size_t>(data[3], (size - 4) / 2);
    QString name(static_cast<qsizetype>(units), Qt::Uninitialized);
    for (size_t u = 0; u < units; ++u)
        name[qsizetype(u)] = QChar(qFromLittleEndian<quint16>(data + 4 + 2 * u));
    const size_t fileAt = 4 + 2 * units;
    const QByteArray before(reinterpret_cast<const char *>(data + fileAt),
                            qsizetype(size - fileAt));

    const QString path = QDir(folder()).filePath(QString::fromLatin1(RankingLocation::fileName));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(before) != before.size())
            fail("cannot write the input");
    }

    RankingTable table(module);
    if (!table.yomikomi(RankingLocation(folder())))
        fail("the folder does not take the file");
    for (int i = 0; i < RankingTable::rangesInUse * RankingTable::rangeSize; ++i)
        if (table.namaehyo[i].size() != nameSize)
            fail("a name did not load as ten characters", i);
    const bool placed = table.jyunikime();
    if (!(clearing ? table.clearRanges() : table.save(name)))
        fail("the save failed");
    const QByteArray after = readAll(path);

    if (clearing) {
        // The grade's four ranges blank, every record before them whole,
        // and what lies after them as it was.
        const int first = RankingTable::fileRange(module.gakunen, 0) * RankingTable::rangeSize;
        const int end = first + RankingTable::rangesPerGrade * RankingTable::rangeSize;
        for (int i = 0; i < end; ++i)
            if (recordOf(after, i) != (i < first ? recordOf(before, i) : blankRecord()))
                fail("the clearing changed more than the grade's four ranges", i);
        if (after.mid(qsizetype(end) * recordSize) != before.mid(qsizetype(end) * recordSize))
            fail("the clearing changed records after the grade's", end);
        return 0;
    }
    if (!placed) {
        if (after != before)
            fail("nothing was placed, yet the file changed");
        return 0;
    }

    // Records 1 to 75, then the input's bytes beyond byte 900 as they were.
    const qsizetype full = qsizetype(RankingTable::entryCount) * recordSize;
    if (after.size() != qMax(full, before.size()) || after.mid(full) != before.mid(full))
        fail("the file is not 75 records and the old tail");
    const int ichi = table.ichi;
    const int last = ichi / 5 * 5 + 4;
    for (int i = 0; i < RankingTable::entryCount; ++i) {
        const QByteArray record = after.mid(qsizetype(i) * recordSize, recordSize);
        if (i == ichi) {
            if (record != encodeRecord(kiroku{name, module.kekka}))
                fail("the new record is not the name and the score", i);
            // The name is never cut inside a double-byte character.
            if (decodeRecord(record).namae.contains(QChar(QChar::ReplacementCharacter)))
                fail("the new name does not read back", i);
        } else if (record != recordOf(before, i > ichi && i <= last ? i - 1 : i)) {
            fail("a record changed its bytes", i);
        }
    }
    for (int range = 0; range < RankingTable::rangesInUse; ++range)
        if (inOrder(before, range) && !inOrder(after, range))
            fail("a range in order fell out of order", range);
    return 0;
}

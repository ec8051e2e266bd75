#include "results/rankingtable.h"

#include "results/rankinglocation.h"
#include "results/rankingrecord.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>

namespace {

constexpr qsizetype fullSize = qsizetype(RankingTable::entryCount) * recordSize;
constexpr int lockPollMs = 10;

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

bool readFile(const QString &path, QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential())
        return false;
    content = file.readAll();
    return file.error() == QFileDevice::NoError;
}

// A new file renamed over the old one: a failure at any point leaves the
// old file as it was. Unbuffered, so that a failed write shows here and
// not only when commit() flushes: Qt 6.4's commit() renames the new file
// even when that last flush fails, which would put a cut-off file in place
// of the old one.
bool replaceFile(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(content) != content.size() || !file.flush()) {
        file.cancelWriting(); // the new file is removed, never renamed
        return false;
    }
    return file.commit();
}

bool lockFile(QLockFile &lock)
{
    // Polled at a short, even pace: the lock is held for milliseconds, and
    // QLockFile's own waiting doubles its pauses up to seconds.
    lock.setStaleLockTime(RankingTable::staleLockMs);
    const QDeadlineTimer deadline(RankingTable::lockTimeoutMs);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        QThread::msleep(lockPollMs);
    }
    return true;
}

// A lock on the open file itself, for a folder in which no lock file can be
// made; it goes when the file is closed.
bool lockOpenFile(int fd)
{
    const QDeadlineTimer deadline(RankingTable::lockTimeoutMs);
    for (;;) {
        struct flock region = {};
        region.l_type = F_WRLCK;
        region.l_whence = SEEK_SET;
        if (fcntl(fd, F_SETLK, &region) == 0)
            return true;
        if ((errno != EACCES && errno != EAGAIN) || deadline.hasExpired())
            return false;
        QThread::msleep(lockPollMs);
    }
}

} // namespace

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
    m_source.clear();
    QByteArray content;
    const auto fileIn = [](const QString &folder) {
        return folder.isEmpty()
            ? QString()
            : QDir(folder).filePath(QString::fromLatin1(RankingLocation::fileName));
    };
    // An existing file that can be written; a pipe or a device of that name
    // is no ranking file (reading it would never end).
    const auto openWritable = [&](const QString &candidate) {
        QFile file(candidate);
        if (!QFileInfo(candidate).isFile() || !file.open(QIODevice::ReadWrite))
            return false;
        m_path = candidate;
        content = file.readAll();
        return true;
    };

    // A later folder gets a file only when the one before could not be
    // written; from then on it stays the file in use, so that its rows do
    // not drop out of view when the earlier file can be written again.
    const QStringList &folders = where.folders();
    for (qsizetype i = folders.size() - 1; i > 0; --i)
        if (openWritable(fileIn(folders[i]))) {
            load(content);
            return true;
        }

    for (const QString &folder : folders) {
        if (folder.isEmpty())
            continue;
        const QString candidate = fileIn(folder);
        const QFileInfo info(candidate);
        if (info.exists()) {
            if (!info.isFile())
                continue;
            if (openWritable(candidate))
                break;
            // Shown, and carried into the next folder by the first save.
            if (m_source.isEmpty() && readFile(candidate, content))
                m_source = candidate;
            continue;
        }
        if (!QDir().mkpath(folder))
            continue;
        if (!m_source.isEmpty()) {
            // Made from the file that can only be read, at the first save.
            if (QFileInfo(folder).isWritable()) {
                m_path = candidate;
                break;
            }
            continue;
        }
        // Opening for reading and writing creates the file empty and tells
        // whether the folder takes it at all.
        QFile file(candidate);
        if (file.open(QIODevice::ReadWrite)) {
            m_path = candidate;
            break;
        }
    }
    load(content);
    return !m_path.isEmpty();
}

void RankingTable::load(const QByteArray &file)
{
    // Records 21 to 75 and a part record at the end are not loaded; a save
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
    const qint16 kekka = m_module.kekka;
    const int base = m_module.hani * rangeSize;

    const bool saved = update([&](QByteArray &file) {
        QByteArray records = allRecords(file);
        // The place as the file holds the range now, found as jyunikime
        // finds it in the table.
        int at = base;
        while (at < base + rangeSize && decodeRecord(recordAt(records, at)).jikan > kekka)
            ++at;
        if (at == base + rangeSize)
            return false; // other copies have stored five better rows since
        for (int k = base + rangeSize - 2; k >= at; --k)
            records.replace(qsizetype(k + 1) * recordSize, recordSize, recordAt(records, k));
        records.replace(qsizetype(at) * recordSize, recordSize, newRecord);
        file = records;
        return true;
    });
    if (saved)
        namaehyo[ichi] = name;
    return saved;
}

bool RankingTable::clearRanges()
{
    return update([](QByteArray &file) {
        const QByteArray blank = blankRecord();
        QByteArray content;
        for (int i = 0; i < rangesInUse * rangeSize; ++i)
            content += blank;
        file = content + file.mid(content.size());
        return true;
    });
}

bool RankingTable::update(const std::function<bool(QByteArray &)> &change)
{
    if (m_path.isEmpty())
        return false;
    QByteArray content;

    if (!QFileInfo(QFileInfo(m_path).absolutePath()).isWritable()) {
        // The folder takes no new file, neither a lock file nor a new copy
        // to rename: the file is locked and written where it is, then read
        // back. It never shrinks, so no byte beyond the new content stays.
        QFile file(m_path);
        if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) || file.isSequential()
            || !lockOpenFile(file.handle()))
            return false;
        content = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return false;
        if (!change(content))
            return true;
        if (!file.seek(0) || file.write(content) != content.size() || !file.flush())
            return false;
        QByteArray stored;
        return readFile(m_path, stored) && stored == content;
    }

    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lockFile(lock))
        return false;
    if (QFileInfo::exists(m_path)) {
        if (!readFile(m_path, content))
            return false;
    } else if (!m_source.isEmpty() && QFileInfo::exists(m_source)) {
        if (!readFile(m_source, content))
            return false;
    }
    if (!change(content))
        return true;
    if (!replaceFile(m_path, content))
        return false;
    m_source.clear();
    return true;
}

// The Best 5 in memory and in the ranking file: placing a score, the
// player's own records, loading, saving and clearing, bad files and the
// folder the file goes to.
#include "results/rankinglocation.h"
#include "results/rankingrecord.h"
#include "results/rankingtable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QThread>

#include <thread>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using Scores = QList<int>;

namespace {

QByteArray record(const QString &name, int score)
{
    return encodeRecord(kiroku{name, static_cast<qint16>(score)});
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Entry i's record in a file; blank where the file has no whole record.
QByteArray recordOf(const QByteArray &file, int i)
{
    const qsizetype at = qsizetype(i) * recordSize;
    return at + recordSize <= file.size() ? file.mid(at, recordSize) : blankRecord();
}

// What a save must leave of `before`: the new record at entry ichi, the
// rows below it in its range one further down, every other record as it
// was, and whatever lies beyond record 75.
QByteArray afterSave(const QByteArray &before, int ichi, const QByteArray &newRecord)
{
    QByteArray out;
    const int last = ichi / 5 * 5 + 4;
    for (int i = 0; i < RankingTable::entryCount; ++i)
        out += i == ichi ? newRecord : recordOf(before, i > ichi && i <= last ? i - 1 : i);
    return out + before.mid(out.size());
}

// A file of `length` bytes of distinct records, scores falling from 100.
QByteArray numberedFile(int length)
{
    QByteArray bytes;
    for (int m = 1; bytes.size() < length; ++m)
        bytes += record(QStringLiteral("n%1").arg(m), 100 - m);
    return bytes.left(length);
}

#ifdef Q_OS_WIN
// Sets or lifts the read-only attribute, which binds administrators too.
bool immutable(const QString &path, bool on)
{
    return QFile::setPermissions(path,
                                 on ? QFile::ReadOwner : QFile::ReadOwner | QFile::WriteOwner);
}
#else
// Sets or lifts the immutable attribute, which binds root too; without
// root, the write permission stands in for it.
bool immutable(const QString &path, bool on)
{
    if (geteuid() != 0)
        return QFile::setPermissions(path,
                                     on ? QFile::ReadOwner : QFile::ReadOwner | QFile::WriteOwner);
    return QProcess::execute("chattr", {on ? "+i" : "-i", path}) == 0;
}
#endif

// A folder below a regular file: nobody can create anything there, root
// included.
QString unwritableFolder(const QTemporaryDir &dir)
{
    QFile file(dir.filePath("plain-file"));
    if (file.open(QIODevice::WriteOnly))
        file.write("x");
    return file.fileName() + "/program";
}

#ifndef Q_OS_WIN
// While it lives, every write beyond `bytes` into a file fails, as on a
// full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};
#endif

// The copies of the program that share one file in manyCopies(): this test
// program run again with copyWorker set to "<folder> <copy>".
constexpr const char *copyWorker = "ZENTA_COPY_WORKER";
constexpr int copies = 8;
constexpr int rounds = 20;
constexpr int sharedRange = 1;

// Every copy plays different scores, 1 to copies * rounds, rising from
// round to round so that nearly every game takes a place when it ends and
// the copies' saves meet.
int copyScore(int copy, int round)
{
    return 1 + round * copies + copy;
}

QString copyName(int copy, int round)
{
    return QStringLiteral("c%1r%2").arg(copy).arg(round);
}

// One copy: a game each round, placed and saved as the results window
// does; a save that finds the lock taken for too long is tried again, as
// the player would. Writes how many saves it made and how many of them
// had to be tried again.
int runCopy(const QString &folder, int copy)
{
    // All copies start together, when a line comes on standard input.
    QTextStream(stdin).readLine();
    int saves = 0, retried = 0;
    for (int round = 0; round < rounds; ++round) {
        Module1 module;
        module.hani = sharedRange;
        module.kekka = static_cast<qint16>(copyScore(copy, round));
        RankingTable table(module);
        if (!table.yomikomi(RankingLocation(folder)))
            return 2;
        if (!table.jyunikime())
            continue;
        int tries = 0;
        while (!table.save(copyName(copy, round)))
            if (++tries == 3)
                return 3;
        ++saves;
        retried += tries > 0;
    }
    QTextStream(stdout) << saves << ' ' << retried << Qt::endl;
    return 0;
}

} // namespace

class TestRankingTable : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

    RankingLocation here() const { return RankingLocation(m_dir.path()); }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath("zenta.rnk");
        QFile::remove(m_path);
    }

    void placement_data()
    {
        QTest::addColumn<int>("grade");
        QTest::addColumn<int>("hani");
        QTest::addColumn<Scores>("range");
        QTest::addColumn<int>("kekka");
        QTest::addColumn<int>("tourokuBefore");
        QTest::addColumn<Scores>("ownBefore");
        QTest::addColumn<int>("rank"); // 1 to 5; 0: no place
        QTest::addColumn<Scores>("after");
        QTest::addColumn<Scores>("ownAfter");

        const Scores full{50, 40, 30, 20, 10};
        const Scores empty{0, 0, 0, 0, 0};
        QTest::newRow("tie with rank 3 goes above it")
            << 3 << 1 << full << 30 << 0 << Scores{0, 0, 0} << 3 << Scores{50, 40, 30, 30, 20}
            << Scores{30, 0, 0};
        QTest::newRow("below all five, own list unchanged")
            << 3 << 1 << full << 9 << 0 << Scores{30, 20, 10} << 0 << full << Scores{30, 20, 10};
        QTest::newRow("misses the Best 5 but enters the own list")
            << 3 << 2 << full << 9 << 0 << Scores{0, 0, 0} << 0 << full << Scores{9, 0, 0};
        QTest::newRow("empty range: any score is rank 1")
            << 3 << 0 << empty << 1 << 0 << Scores{0, 0, 0} << 1 << Scores{1, 0, 0, 0, 0}
            << Scores{1, 0, 0};
        QTest::newRow("kekka 0 places nothing, not even on empty rows")
            << 3 << 1 << empty << 0 << 0 << Scores{30, 20, 10} << 0 << empty << Scores{30, 20, 10};
        QTest::newRow("touroku 1 places nothing")
            << 3 << 1 << full << 45 << 1 << Scores{30, 20, 10} << 0 << full << Scores{30, 20, 10};
        QTest::newRow("own 30 20 10 with a new 20")
            << 3 << 3 << full << 20 << 0 << Scores{30, 20, 10} << 4 << Scores{50, 40, 30, 20, 20}
            << Scores{30, 20, 20};
        QTest::newRow("own 30 20 10 with a new 5")
            << 3 << 3 << empty << 5 << 0 << Scores{30, 20, 10} << 1 << Scores{5, 0, 0, 0, 0}
            << Scores{30, 20, 10};
        QTest::newRow("a new best tops both lists")
            << 3 << 0 << full << 50 << 0 << Scores{40, 20, 10} << 1 << Scores{50, 50, 40, 30, 20}
            << Scores{50, 40, 20};
        QTest::newRow("last rank of the last range")
            << 3 << 3 << full << 15 << 0 << Scores{0, 0, 0} << 5 << Scores{50, 40, 30, 20, 15}
            << Scores{15, 0, 0};
        QTest::newRow("scores out of order: the first row not above")
            << 3 << 2 << Scores{10, 40, 5, 50, 0} << 20 << 0 << Scores{0, 0, 0} << 1
            << Scores{20, 10, 40, 5, 50} << Scores{20, 0, 0};
        QTest::newRow("negative scores are beaten")
            << 3 << 0 << Scores{-3, -5, -7, -9, -11} << 2 << 0 << Scores{0, 0, 0} << 1
            << Scores{2, -3, -5, -7, -9} << Scores{2, 0, 0};
        // The other grades' Best 5 in the same file, each range its own.
        QTest::newRow("中１, range 1: records 26 to 30")
            << 1 << 1 << full << 30 << 0 << Scores{0, 0, 0} << 3 << Scores{50, 40, 30, 30, 20}
            << Scores{30, 0, 0};
        QTest::newRow("中２, the last range: records 56 to 60")
            << 2 << 3 << full << 15 << 0 << Scores{0, 0, 0} << 5 << Scores{50, 40, 30, 20, 15}
            << Scores{15, 0, 0};
        QTest::newRow("中１ below all five")
            << 1 << 0 << full << 9 << 0 << Scores{30, 20, 10} << 0 << full << Scores{30, 20, 10};
    }

    void placement()
    {
        QFETCH(int, grade);
        QFETCH(int, hani);
        QFETCH(Scores, range);
        QFETCH(int, kekka);
        QFETCH(int, tourokuBefore);
        QFETCH(Scores, ownBefore);
        QFETCH(int, rank);
        QFETCH(Scores, after);
        QFETCH(Scores, ownAfter);

        // The other ranges of every grade are full, so that a write outside
        // the range would show in the file.
        const int at = RankingTable::fileRange(grade, hani);
        QByteArray before;
        for (int i = 0; i < 60; ++i)
            before += record(QStringLiteral("e%1").arg(i), i / 5 == at ? range[i % 5] : 45 - i % 5);
        writeAll(m_path, before);

        Module1 module;
        module.gakunen = static_cast<qint16>(grade);
        module.hani = static_cast<qint16>(hani);
        module.kekka = static_cast<qint16>(kekka);
        module.touroku = static_cast<qint16>(tourokuBefore);
        for (int k = 0; k < 3; ++k)
            module.jikokiroku[at][k] = static_cast<qint16>(ownBefore[k]);
        RankingTable table(module);
        QVERIFY(table.yomikomi(here()));

        QCOMPARE(table.jyunikime(), rank != 0);
        QCOMPARE(module.touroku, rank != 0 ? 0 : (kekka && !tourokuBefore ? 1 : tourokuBefore));
        for (int k = 0; k < 3; ++k)
            QCOMPARE(module.jikokiroku[at][k], ownAfter[k]);
        for (int n = 0; n < 5; ++n)
            QCOMPARE(table.jikanhyo[at * 5 + n], after[n]);
        if (rank) {
            QCOMPARE(table.ichi, at * 5 + rank - 1);
            QCOMPARE(table.namaehyo[table.ichi], QStringLiteral("ここです！"));
        }

        QVERIFY(table.save(QStringLiteral("ZZ")));
        QCOMPARE(readAll(m_path),
                 rank ? afterSave(before, table.ichi, record("ZZ", kekka)) : before);
    }

    // A missing file is created empty and loads blank; viewing leaves it
    // empty, the first save writes all 75 records.
    void missingFile()
    {
        Module1 module;
        RankingTable table(module);
        QVERIFY(table.yomikomi(here()));
        QCOMPARE(table.path(), m_path);
        QCOMPARE(readAll(m_path), QByteArray());
        QVERIFY(QFile::exists(m_path));
        for (int i = 0; i < 20; ++i)
            QVERIFY(table.namaehyo[i] == QString(10, u' ') && table.jikanhyo[i] == 0);
        QVERIFY(!table.jyunikime());
        QVERIFY(table.save(QString()));
        QCOMPARE(readAll(m_path), QByteArray());

        module.hani = 2;
        module.kekka = 37;
        RankingTable again(module);
        QVERIFY(again.yomikomi(here()));
        QVERIFY(again.jyunikime());
        QVERIFY(again.save(QStringLiteral("やまだ")));
        QCOMPARE(readAll(m_path), afterSave({}, 10, record("やまだ", 37)));
        QCOMPARE(readAll(m_path).mid(120, 12).toHex(' '), "82 e2 82 dc 82 be 20 20 20 20 25 00");
    }

    // Range 2, rank 4 is record 14, at byte 156.
    void recordOfRangeAndRank()
    {
        QByteArray bytes = numberedFile(240);
        bytes.replace(156, recordSize, record("ABC", 37));
        writeAll(m_path, bytes);
        Module1 module;
        RankingTable table(module);
        QVERIFY(table.yomikomi(here()));
        QCOMPARE(table.namaehyo[2 * 5 + 3], QStringLiteral("ABC       "));
        QCOMPARE(table.jikanhyo[2 * 5 + 3], 37);
    }

    void shortAndLongFiles_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("half a record") << 6;
        QTest::newRow("records and a part") << 12 * 7 + 5;
        QTest::newRow("four ranges") << 240;
        QTest::newRow("longer than 900") << 1000;
        QTest::newRow("ragged tail") << 12 * 80 + 7;
    }

    void shortAndLongFiles()
    {
        QFETCH(int, length);
        const QByteArray before = numberedFile(length);
        writeAll(m_path, before);
        Module1 module;
        module.kekka = 99;
        RankingTable table(module);
        QVERIFY(table.yomikomi(here()));
        for (int i = 0; i < 20; ++i)
            QCOMPARE(table.jikanhyo[i], (i + 1) * recordSize <= length ? 99 - i : 0);
        QVERIFY(table.jyunikime());
        QVERIFY(table.save(QStringLiteral("new")));
        QCOMPARE(readAll(m_path), afterSave(before, 0, record("new", 99)));
    }

    // Files of random bytes and random games: nothing crashes, names load
    // as ten characters, a record is always 12 bytes and every record the
    // placement did not move keeps its bytes.
    void randomFiles()
    {
        QRandomGenerator random(20240607);
        const QString pool = QStringLiteral("Aｱあ漢€😀¥－～ ");
        for (int round = 0; round < 2000; ++round) {
            QByteArray before(random.bounded(0, 1100), '\0');
            for (char &byte : before)
                byte = static_cast<char>(random.bounded(256));
            writeAll(m_path, before);

            Module1 module;
            module.hani = static_cast<qint16>(random.bounded(4));
            module.kekka = static_cast<qint16>(random.bounded(-5, 60));
            for (qint16 &own : module.jikokiroku[module.hani])
                own = static_cast<qint16>(random.bounded(-3, 60));
            QString name;
            for (int n = random.bounded(0, 16); n > 0; --n)
                name += pool[random.bounded(pool.size())];

            RankingTable table(module);
            QVERIFY(table.yomikomi(here()));
            for (int i = 0; i < 20; ++i)
                QCOMPARE(table.namaehyo[i].size(), nameSize);
            const bool placed = table.jyunikime();
            QVERIFY(table.save(name));
            const QByteArray expected
                = placed ? afterSave(before, table.ichi, record(name, module.kekka)) : before;
            if (readAll(m_path) != expected)
                QFAIL(qPrintable(QStringLiteral("round %1").arg(round)));
        }
    }

    // The clearing blanks records 1 to 20, keeps the rest, saves no
    // pending score and leaves the player's own list alone.
    void clearing_data()
    {
        QTest::addColumn<int>("grade");
        QTest::addColumn<int>("length");
        QTest::newRow("empty file") << 3 << 0;
        QTest::newRow("short") << 3 << 100;
        QTest::newRow("longer than 900") << 3 << 1003;
        QTest::newRow("中１: records 21 to 40 alone") << 1 << 1003;
        QTest::newRow("中２: records 41 to 60 alone") << 2 << 900;
    }

    void clearing()
    {
        QFETCH(int, grade);
        QFETCH(int, length);
        const QByteArray before = numberedFile(length);
        writeAll(m_path, before);
        Module1 module;
        module.gakunen = static_cast<qint16>(grade);
        module.hani = 1;
        module.kekka = 90;
        const int own = RankingTable::fileRange(grade, 1);
        module.jikokiroku[own] = {30, 20, 10};
        RankingTable table(module);
        QVERIFY(table.yomikomi(here()));
        QVERIFY(table.jyunikime());
        QVERIFY(table.clearRanges());
        QByteArray blank;
        for (int i = 0; i < 20; ++i)
            blank += blankRecord();
        const int first = RankingTable::fileRange(grade, 0) * 5 * 12;
        QCOMPARE(readAll(m_path), before.left(first) + blank + before.mid(first + blank.size()));
        QCOMPARE(module.jikokiroku[own], (std::array<qint16, 3>{90, 30, 20}));
    }

    // A save or clearing that cannot finish (the disk is full after 100
    // bytes) reports it and leaves the old file exactly as it was.
    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<bool>("clearing");
        QTest::newRow("save") << false;
        QTest::newRow("clearing") << true;
    }

    void failedWriteKeepsOldFile()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows has no limit that fills a disk for one program");
#else
        QFETCH(bool, clearing);
        const QByteArray before = numberedFile(96);
        writeAll(m_path, before);
        Module1 module;
        module.kekka = 100;
        RankingTable table(module);
        QVERIFY(table.yomikomi(here()));
        QVERIFY(table.jyunikime());
        {
            const FileSizeLimit full(100);
            QVERIFY(!(clearing ? table.clearRanges() : table.save(QStringLiteral("new"))));
        }
        QCOMPARE(readAll(m_path), before);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"zenta.rnk"});
#endif
    }

    // A pipe named zenta.rnk gives no end of file: the table does not read
    // it and takes the next folder.
    void pipeInPlaceOfTheFile()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows keeps no pipe among the files of a folder");
#else
        QVERIFY(mkfifo(QFile::encodeName(m_path).constData(), 0600) == 0);
        const QString data = m_dir.filePath("data");
        QDir(data).removeRecursively();
        Module1 module;
        module.kekka = 7;
        RankingTable table(module);
        QVERIFY(table.yomikomi(RankingLocation(m_dir.path(), data)));
        QCOMPARE(table.path(), RankingLocation(m_dir.path(), data).standIn());
        QVERIFY(table.jyunikime());
        QVERIFY(table.save(QStringLiteral("fifo")));
        QCOMPARE(readAll(table.path()).first(12), record("fifo", 7));
        QVERIFY(QFileInfo(m_path).exists() && !QFileInfo(m_path).isFile());
#endif
    }

    // The file beside the program where it can be written or made, else
    // this folder's stand-in in the data folder; with neither, the lists
    // load blank and storing reports failure. The data folder's file of the
    // old single name and the stand-in of another folder, one that no
    // longer exists, are never read nor written.
    void location_data()
    {
        QTest::addColumn<bool>("programWritable");
        QTest::addColumn<bool>("dataWritable");
        QTest::addColumn<bool>("otherFiles");
        QTest::newRow("program folder first") << true << true << false;
        QTest::newRow("its own file beside the others' files") << true << true << true;
        QTest::newRow("the stand-in when the program's folder cannot be written")
            << false << true << true;
        QTest::newRow("neither") << false << false << false;
    }

    void location()
    {
        QFETCH(bool, programWritable);
        QFETCH(bool, dataWritable);
        QFETCH(bool, otherFiles);
        const QString program = programWritable ? m_dir.path() : unwritableFolder(m_dir);
        const QString data = dataWritable ? m_dir.filePath("data/zenta") : program + "/data";
        QDir(data).removeRecursively();
        if (programWritable)
            writeAll(m_path, record("program", 6));
        const QStringList others{data + "/zenta.rnk",
                                 RankingLocation(m_dir.filePath("gone"), data).standIn()};
        if (otherFiles)
            for (const QString &other : others) {
                QVERIFY(QDir().mkpath(QFileInfo(other).path()));
                writeAll(other, record(other, 50));
            }

        Module1 module;
        module.kekka = 12;
        RankingTable table(module);
        QCOMPARE(table.yomikomi(RankingLocation(program, data)), dataWritable);
        const QString expected = programWritable ? m_path
            : dataWritable                       ? RankingLocation(program, data).standIn()
                                                 : "";
        QCOMPARE(table.path(), expected);
        QCOMPARE(table.jikanhyo[0], programWritable ? 6 : 0);
        QVERIFY(table.jyunikime());
        QCOMPARE(table.save(QStringLiteral("fb")), dataWritable);
        if (dataWritable)
            QCOMPARE(readAll(expected).first(12), record("fb", 12));
        for (const QString &other : others)
            QCOMPARE(readAll(other), otherFiles ? record(other, 50) : QByteArray());
        QCOMPARE(table.clearRanges(), dataWritable);
    }

    // The program's file read-only for a while (immutable, which binds
    // root too): saves go into the stand-in, made from that file. Once it
    // can be written again, the next opening places into it every row that
    // it does not hold, each once and in order, and removes the stand-in;
    // another copy's save into the file meanwhile is kept. While the file's
    // lock is held, both files stay as they were until the next opening.
    void standInGoesBack_data()
    {
        QTest::addColumn<int>("grade");
        QTest::addColumn<Scores>("saves"); // while read-only, named x, y, ...
        QTest::addColumn<int>("other");    // another copy's save "z" meanwhile
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("names"); // range 1 afterwards
        QTest::addColumn<Scores>("scores");
        QTest::newRow("one save") << 3 << Scores{37} << 0 << false << "abxcd"
                                  << Scores{45, 40, 37, 30, 20};
        QTest::newRow("two saves")
            << 3 << Scores{37, 42} << 0 << false << "aybxc" << Scores{45, 42, 40, 37, 30};
        QTest::newRow("and another copy's")
            << 3 << Scores{37, 42} << 38 << false << "aybzx" << Scores{45, 42, 40, 38, 37};
        QTest::newRow("lock held, then free")
            << 3 << Scores{37} << 0 << true << "abxcd" << Scores{45, 40, 37, 30, 20};
        QTest::newRow("中２'s rows, records 46 to 50")
            << 2 << Scores{37, 42} << 38 << false << "aybzx" << Scores{45, 42, 40, 38, 37};
    }

    void standInGoesBack()
    {
        QFETCH(int, grade);
        QFETCH(Scores, saves);
        QFETCH(int, other);
        QFETCH(bool, locked);
        QFETCH(QString, names);
        QFETCH(Scores, scores);
        QByteArray before = numberedFile(900);
        const Scores start{45, 40, 30, 20, 10};
        const int base = RankingTable::fileRange(grade, 1) * 5;
        for (int n = 0; n < 5; ++n)
            before.replace((base + n) * 12, 12, record(QString(QChar(u'a' + n)), start[n]));
        writeAll(m_path, before);
        const QString data = m_dir.filePath("stand-ins");
        const RankingLocation where(m_dir.path(), data);
        const auto play = [&](const RankingLocation &at, int score, const QString &name) {
            Module1 module;
            module.gakunen = static_cast<qint16>(grade);
            module.hani = 1;
            module.kekka = static_cast<qint16>(score);
            RankingTable table(module);
            return table.yomikomi(at) && table.jyunikime() && table.save(name);
        };

        QVERIFY(immutable(m_path, true));
        if (QFile probe(m_path); probe.open(QIODevice::ReadWrite)) {
            QVERIFY(immutable(m_path, false));
            QSKIP("a read-only file can be written here (Wine run as root)");
        }
        for (int i = 0; i < saves.size(); ++i)
            QVERIFY(play(where, saves[i], QString(QChar(u'x' + i))));
        QVERIFY(immutable(m_path, false));
        QCOMPARE(readAll(m_path), before);
        QVERIFY(QFile::exists(where.standIn()));
        if (other)
            QVERIFY(play(RankingLocation(m_dir.path()), other, "z"));
        const QByteArray standIn = readAll(where.standIn());

        for (const bool held : {locked, false}) {
            const QByteArray now = readAll(m_path);
            QLockFile lock(m_path + ".lock");
            QVERIFY(!held || lock.tryLock(0));
            Module1 module;
            RankingTable table(module);
            QVERIFY(table.yomikomi(where));
            QCOMPARE(table.path(), m_path);
            QCOMPARE(readAll(where.standIn()), held ? standIn : QByteArray());
            if (held)
                QCOMPARE(readAll(m_path), now);
        }
        const QByteArray after = readAll(m_path);
        for (int n = 0; n < 5; ++n)
            QCOMPARE(recordOf(after, base + n), record(names.mid(n, 1), scores[n]));
        QVERIFY(after.first(base * 12) == before.first(base * 12)
                && after.mid((base + 5) * 12) == before.mid((base + 5) * 12));
        QCOMPARE(QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    // Two copies on one file: A and B load it, B stores its row, then A
    // stores. A's score goes into the range as the file holds it then, so
    // B's row stays; a tie puts the later save above. Records that the
    // saves do not move, and the bytes beyond record 75, stay as they were.
    void twoCopiesInterleaved_data()
    {
        QTest::addColumn<int>("scoreA");
        QTest::addColumn<int>("scoreB");
        QTest::addColumn<QStringList>("names"); // range 1 afterwards
        QTest::addColumn<Scores>("scores");
        QTest::newRow("A above B")
            << 35 << 25 << QStringList{"a", "b", "A", "c", "B"} << Scores{45, 40, 35, 30, 25};
        QTest::newRow("B above A")
            << 25 << 35 << QStringList{"a", "b", "B", "c", "A"} << Scores{45, 40, 35, 30, 25};
        QTest::newRow("a tie: A, saved later, above B")
            << 30 << 30 << QStringList{"a", "b", "A", "B", "c"} << Scores{45, 40, 30, 30, 30};
        QTest::newRow("B pushes A's last place out")
            << 11 << 35 << QStringList{"a", "b", "B", "c", "d"} << Scores{45, 40, 35, 30, 20};
    }

    void twoCopiesInterleaved()
    {
        QFETCH(int, scoreA);
        QFETCH(int, scoreB);
        QFETCH(QStringList, names);
        QFETCH(Scores, scores);
        QByteArray before = numberedFile(900) + QByteArray(30, '\xA5');
        const Scores start{45, 40, 30, 20, 10};
        for (int n = 0; n < 5; ++n)
            before.replace((5 + n) * 12, 12, record(QString(QChar(u'a' + n)), start[n]));
        writeAll(m_path, before);

        Module1 moduleA, moduleB;
        moduleA.hani = moduleB.hani = 1;
        moduleA.kekka = static_cast<qint16>(scoreA);
        moduleB.kekka = static_cast<qint16>(scoreB);
        RankingTable a(moduleA), b(moduleB);
        QVERIFY(a.yomikomi(here()) && b.yomikomi(here()));
        QVERIFY(a.jyunikime() && b.jyunikime());
        QVERIFY(b.save(QStringLiteral("B")));
        QVERIFY(a.save(QStringLiteral("A")));

        const QByteArray after = readAll(m_path);
        QCOMPARE(after.size(), before.size());
        for (int n = 0; n < 5; ++n)
            QCOMPARE(recordOf(after, 5 + n), record(names[n], scores[n]));
        QVERIFY(after.first(60) == before.first(60) && after.mid(120) == before.mid(120));
    }

    // Another copy holds the lock (and is alive): the save gives up after
    // its wait, says so and leaves the file as it was. Tried again once the
    // lock is free, while that copy still reads the file for a moment, it
    // stores the same row: where the system refuses to replace an open file
    // (Windows), the save waits for it to be closed instead of failing.
    void heldByAnotherCopy()
    {
        const QByteArray before = numberedFile(900);
        writeAll(m_path, before);
        Module1 module;
        module.kekka = 100;
        RankingTable table(module);
        QVERIFY(table.yomikomi(here()));
        QVERIFY(table.jyunikime());
        QLockFile other(m_path + ".lock");
        QVERIFY(other.tryLock(0));
        QVERIFY(!table.save(QStringLiteral("again")));
        QCOMPARE(readAll(m_path), before);
        QFile reader(m_path);
        QVERIFY(reader.open(QIODevice::ReadOnly));
        other.unlock();
        std::thread closer([&reader] {
            QThread::msleep(300);
            reader.close();
        });
        const bool saved = table.save(QStringLiteral("again"));
        closer.join();
        QVERIFY(saved);
        QCOMPARE(readAll(m_path), afterSave(before, 0, record("again", 100)));
        QVERIFY(!QFile::exists(m_path + ".lock"));
    }

    // Eight copies of the program save into one range of one file at the
    // same time, twenty games each. Afterwards the range holds the best
    // five of all their scores, in order, each record whole under its own
    // name; every other record and the bytes beyond record 75 are kept.
    void manyCopies()
    {
        QByteArray before = numberedFile(900) + QByteArray("tail kept");
        for (int n = 0; n < 5; ++n)
            before.replace((sharedRange * 5 + n) * 12, 12, blankRecord());
        writeAll(m_path, before);

        std::vector<std::unique_ptr<QProcess>> running;
        for (int copy = 0; copy < copies; ++copy) {
            auto process = std::make_unique<QProcess>();
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(copyWorker, m_dir.path() + ' ' + QString::number(copy));
            process->setProcessEnvironment(env);
            process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            process->start(QCoreApplication::applicationFilePath(), {});
            QVERIFY(process->waitForStarted());
            running.push_back(std::move(process));
        }
        for (auto &process : running)
            process->write("go\n");
        for (auto &process : running)
            QVERIFY(process->waitForBytesWritten());
        int saves = 0, retried = 0;
        for (auto &process : running) {
            QVERIFY(process->waitForFinished(120000));
            QCOMPARE(process->exitStatus(), QProcess::NormalExit);
            QCOMPARE(process->exitCode(), 0);
            const QList<QByteArray> counts = process->readAllStandardOutput().trimmed().split(' ');
            saves += counts.value(0).toInt();
            retried += counts.value(1).toInt();
        }
        qInfo("%d copies, %d games each: %d saves, %d tried again", copies, rounds, saves, retried);

        QList<std::pair<int, QString>> all;
        for (int copy = 0; copy < copies; ++copy)
            for (int round = 0; round < rounds; ++round)
                all.append({copyScore(copy, round), copyName(copy, round)});
        std::sort(all.begin(), all.end(), [](const auto &x, const auto &y) { return x > y; });
        const QByteArray after = readAll(m_path);
        QCOMPARE(after.size(), before.size());
        for (int n = 0; n < 5; ++n)
            QCOMPARE(recordOf(after, sharedRange * 5 + n), record(all[n].second, all[n].first));
        QVERIFY(after.first(60) == before.first(60) && after.mid(120) == before.mid(120));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(copyWorker)) {
        const QStringList what = qEnvironmentVariable(copyWorker).split(u' ');
        return runCopy(what.value(0), what.value(1).toInt());
    }
    TestRankingTable tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_rankingtable.moc"

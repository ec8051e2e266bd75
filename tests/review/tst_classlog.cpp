#include "game/classlogwriter.h"
#include "results/rankinglocation.h"
#include "review/classtally.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using ClassLog::Row;

// The class's log: the bytes of its rows, the files it writes and the
// tally read back from a folder, hostile files included.
class TestClassLog : public QObject
{
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void hostileFiles();
    void periods_data();
    void periods();
    void partsAndWaitingRows();
    void standInCarriesRowsBack();
    void twoDevicesOnOneProgramFolder();
};

namespace {

const QDate today(2026, 12, 10); // a Thursday

Row row(const QString &shown, int asked, int answer, int points = 0, bool practice = false,
        const QString &name = QString())
{
    return Row{shown, 1, asked, answer, answer < 0 ? 22.0 : 4.3, points, practice, name};
}

QList<Row> game(const QString &name = QString(), const QString &day = "2026-12-10")
{
    QList<Row> rows;
    for (int q = 0; q < 5; ++q)
        rows << row(day + QStringLiteral("T09:15:0%1+09:00").arg(q), q, q, 9, false, name);
    return rows;
}

// A log file as the writer writes these rows.
QByteArray logFile(const QList<Row> &rows)
{
    QByteArray bytes = ClassLog::header();
    for (const Row &r : rows)
        bytes += ClassLog::encode(r);
    return bytes;
}

QByteArray fileOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

LogStorageSource folder(const QString &path)
{
    return [path] { return std::make_unique<LogFolder>(path); };
}

ClassTally tallyOf(const QString &path, ClassLog::Period period = ClassLog::Period::All)
{
    LogFolder storage(path);
    return ClassTally::read(storage, period, today);
}

} // namespace

void TestClassLog::rows_data()
{
    QTest::addColumn<Row>("row");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("right") << row("2026-12-10T09:15:03+09:00", 0, 0, 8)
                           << QByteArray(
                                  "2026-12-10T09:15:03+09:00,１～５,比例,比例,4.3,8,,,中３\r\n");
    QTest::newRow("wrong, practice")
        << row("2026-12-10T09:15:03-03:30", 1, 2, 0, true)
        << QByteArray("2026-12-10T09:15:03-03:30,１～５,反比例,一次関数,4.3,0,練習,,中３\r\n");
    QTest::newRow("time-out, stored name")
        << row("2026-12-10T09:15:03+09:00", 4, ClassLog::timedOut, 0, false, "やまだ")
        << QByteArray(
               "2026-12-10T09:15:03+09:00,１～５,どれでもない,時間切れ,22.0,0,,やまだ,中３\r\n");
    QTest::newRow("comma and quote")
        << row("2026-12-10T09:15:03+09:00", 3, 3, 10, false, "a,\"b\"")
        << QByteArray("2026-12-10T09:15:03+09:00,１～５,２乗に比例,２乗に比例,4.3,10,,"
                      "\"a,\"\"b\"\"\",中３\r\n");
    QTest::newRow("formula") << row(
        "2026-12-10T09:15:03+09:00", 0, 1, 0, false,
        "=1+1") << QByteArray("2026-12-10T09:15:03+09:00,１～５,比例,反比例,4.3,0,,'=1+1,中３\r\n");
    Row first = row("2026-12-10T09:15:03+09:00", 2, 4, 10);
    first.grade = 1;
    QTest::newRow("中１") << first
                          << QByteArray(
                                 "2026-12-10T09:15:03+09:00,１～５,一次関数,どれでもない,4.3,10,,,"
                                 "中１\r\n");
}

void TestClassLog::rows()
{
    QFETCH(Row, row);
    QFETCH(QByteArray, line);
    QCOMPARE(ClassLog::encode(row), line);
    const QByteArray before("\xEF\xBB\xBF日時,ｘの値,出題,答え,秒,点,練習,名前\r\n");
    QCOMPARE(ClassLog::header(), before.chopped(2) + ",学年\r\n");
    // A day's file begun before the column 学年 came: its rows are of 中３,
    // and the rows appended since have the column.
    const QByteArray old = line.first(line.lastIndexOf(',')) + "\r\n";
    QList<Row> back;
    ClassLog::parse(before + old + line, [&](const Row &r) { back << r; });
    QCOMPARE(back.size(), 2);
    QCOMPARE(ClassLog::encode(back[0]), old.chopped(2) + ",中３\r\n");
    QCOMPARE(ClassLog::encode(back[1]), line);
    QCOMPARE(back[1].name, row.name);
    // The local time with its offset in digits, to the second, as it was.
    const QDateTime shown(QDate(2026, 12, 10), QTime(0, 15, 3), Qt::UTC);
    const QString text = ClassLog::timeText(shown);
    QCOMPARE(text.size(), 25);
    QCOMPARE(QDateTime::fromString(text, Qt::ISODate), shown);
}

void TestClassLog::hostileFiles()
{
    QTemporaryDir dir;
    const QString good = ClassLog::encode(game()[2]);
    // Each file holds one good row among lines that are no rows.
    const QList<std::pair<QString, QByteArray>> files = {
        {"2026-12-10-0000000a.csv", ClassLog::header() + good.toUtf8()},
        {"2026-12-10-0000000b.csv", good.toUtf8() + good.toLocal8Bit().replace(",", ",,")},
        {"2026-12-10-0000000c.csv",
         QString(good).replace("一次関数", "二次関数").toUtf8()
             + QString(good).replace("中３", "中４").toUtf8() + good.toUtf8() + "\"open,"},
        {"2026-12-10-0000000d.csv",
         QStringEncoder("Shift_JIS").encode(good) + "\r\n" + good.toUtf8()},
        {"2026-12-10-0000000e-2.csv", good.toUtf8().replace("09:15", "25:15") + good.toUtf8()},
        {"2026-12-10-0000000f.csv",
         good.toUtf8() + QByteArray(ClassLog::partLimit - good.toUtf8().size() - 10, '\n')
             + good.toUtf8()},
        // Not of the pattern: never read (and no other file's name on a
        // file system that ignores case).
        {"2026-12-10-000000AF.csv", good.toUtf8()},
        {"2026-12-10-00000010-1.csv", good.toUtf8()},
        {"notes.csv", good.toUtf8()},
    };
    for (const auto &[name, bytes] : files)
        put(dir.filePath(name), bytes);
    QDir(dir.path()).mkdir("2026-12-10-00000011.csv");
    const ClassTally tally = tallyOf(dir.path());
    QCOMPARE(tally.counts.questions(), 6);
    QCOMPARE(tally.counts.right(2), 6);
    QCOMPARE(tally.devices.size(), 6);
    QCOMPARE(tally.heading(), "答えた問題 6問（うち練習 0問）　正解 6問（100％）　端末 6台");
    for (const auto &[name, bytes] : files)
        QCOMPARE(fileOf(dir.filePath(name)), bytes); // nothing read is rewritten
}

void TestClassLog::periods_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QList<bool>>("in"); // today, this week, this month, all
    QTest::newRow("today") << "2026-12-10" << QList<bool>{true, true, true, true};
    QTest::newRow("monday") << "2026-12-07" << QList<bool>{false, true, true, true};
    QTest::newRow("sunday after") << "2026-12-13" << QList<bool>{false, true, true, true};
    QTest::newRow("sunday before") << "2026-12-06" << QList<bool>{false, false, true, true};
    QTest::newRow("month before") << "2026-11-30" << QList<bool>{false, false, false, true};
    QTest::newRow("a year before") << "2025-12-10" << QList<bool>{false, false, false, true};
}

void TestClassLog::periods()
{
    QFETCH(QString, day);
    QFETCH(QList<bool>, in);
    QTemporaryDir dir;
    ClassLogWriter writer(folder(dir.path()), dir.path());
    QVERIFY(writer.write(game(QString(), day)));
    for (int p = 0; p < 4; ++p)
        QCOMPARE(tallyOf(dir.path(), ClassLog::Period(p)).counts.questions(), in[p] ? 5 : 0);
}

void TestClassLog::partsAndWaitingRows()
{
    QTemporaryDir dir;
    const QString log = dir.filePath("log");
    put(log, "a file where the folder should be");
    ClassLogWriter writer(folder(log), dir.path());
    QVERIFY(!writer.write(game()));
    QVERIFY(!writer.write(game("ゆき")));
    QCOMPARE(writer.waiting().size(), 10);

    // The folder can be made now: every row goes, in order, in one file.
    QVERIFY(QFile::remove(log));
    QVERIFY(writer.write({}));
    const QString first = QDir(log).filePath(ClassLog::fileName(today, writer.device()));
    const QByteArray expected = logFile(game() + game("ゆき"));
    QCOMPARE(fileOf(first), expected);

    // A file that the next game would take past the limit stays as it is.
    const QByteArray full
        = expected + QByteArray(ClassLog::partLimit - expected.size() - 100, '\n');
    put(first, full);
    QVERIFY(writer.write(game()));
    QCOMPARE(fileOf(first), full);
    QCOMPARE(tallyOf(log).counts.questions(), 15);
    QCOMPARE(QDir(log).entryList(QDir::Files).size(), 2);
    QVERIFY(QFile::exists(QDir(log).filePath(ClassLog::fileName(today, writer.device(), 2))));
}

void TestClassLog::standInCarriesRowsBack()
{
    QTemporaryDir dir;
    const QString log = dir.filePath("log"), standIn = dir.filePath("stand-in");
    put(log, "a file where the folder should be");
    ClassLogWriter writer(folder(log), dir.path(), folder(standIn));
    QVERIFY(writer.write(game()) && writer.write(game("ゆき")));
    QCOMPARE(tallyOf(standIn).counts.questions(), 10);
    // Its file begun by an older version, under the header of eight columns.
    const QString kept = QDir(standIn).filePath(ClassLog::fileName(today, writer.device()));
    QByteArray older = fileOf(kept);
    older.replace("名前,学年\r\n", "名前\r\n");
    put(kept, older);
    // Taken again: the stand-in's rows first, then the new game's.
    QVERIFY(QFile::remove(log));
    QVERIFY(writer.write(game("はな")));
    QCOMPARE(fileOf(QDir(log).filePath(ClassLog::fileName(today, writer.device()))),
             logFile(game() + game("ゆき") + game("はな")));
    QCOMPARE(QDir(standIn).entryList(QDir::Files), QStringList());
}

void TestClassLog::twoDevicesOnOneProgramFolder()
{
    QTemporaryDir program, dataA, dataB;
    const RankingLocation a(program.path(), dataA.path()), b(program.path(), dataB.path());
    QCOMPARE(a.logFolder(), QDir(program.path()).filePath("zenta-log"));
    QCOMPARE(b.logFolder(), a.logFolder());
    ClassLogWriter first(folder(a.logFolder()), dataA.path());
    ClassLogWriter second(folder(b.logFolder()), dataB.path());
    QVERIFY(first.write(game()) && second.write(game()) && first.write(game()));
    QVERIFY(ClassLog::isDeviceId(first.device()) && first.device() != second.device());
    // The device keeps its name in its data folder from run to run.
    QCOMPARE(ClassLogWriter(folder(a.logFolder()), dataA.path()).device(), first.device());
    const ClassTally tally = tallyOf(a.logFolder(), ClassLog::Period::Today);
    QCOMPARE(tally.counts.questions(), 15);
    QCOMPARE(tally.devices, (QSet<QString>{first.device(), second.device()}));
    QCOMPARE(QDir(a.logFolder()).entryList(QDir::Files).size(), 2);
}

QTEST_GUILESS_MAIN(TestClassLog)
#include "tst_classlog.moc"

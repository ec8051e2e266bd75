// The stand-in's rows carried back into the file in use, as every platform
// carries them (a folder on disk, the page's server): which rows go in,
// and that the stand-in goes only once they are written.
#include "results/rankingrecord.h"
#include "results/rankingstorage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Outcome = RankingStorage::Outcome;

namespace {

// Range 1 of a file holding these rows ("a45 b40", rank 1 first); every
// other record blank.
QByteArray rangeOne(const QString &rows)
{
    QByteArray file = allRecords({});
    int n = 5;
    for (const QString &row : rows.split(u' ', Qt::SkipEmptyParts))
        file.replace(n++ * recordSize, recordSize,
                     encodeRecord(kiroku{row.left(1), qint16(row.mid(1).toInt())}));
    return file;
}

} // namespace

class TestCarryBack : public QObject
{
    Q_OBJECT
private slots:
    void carryBack_data()
    {
        QTest::addColumn<QString>("inUse");
        QTest::addColumn<QString>("standIn"); // "folder": one that cannot be read
        QTest::addColumn<bool>("locked");     // the stand-in's lock was had
        QTest::addColumn<int>("answer");      // what the file in use's change answers
        QTest::addColumn<QString>("after");   // the file in use afterwards
        QTest::addColumn<bool>("gone");       // the stand-in was removed
        QTest::addColumn<int>("outcome");
        const int done = int(Outcome::Done), refused = int(Outcome::Refused),
                  failed = int(Outcome::Failed);
        const QString start = "a45 b40 c30 d20 e10";
        QTest::newRow("its new row placed, the copied ones not again")
            << start << "a45 b40 x37 c30 d20" << true << done << "a45 b40 x37 c30 d20" << true
            << done;
        QTest::newRow("in order, beside another copy's row")
            << "a45 b40 z38 c30 d20"
            << "a45 y42 b40 x37 c30" << true << done << "a45 y42 b40 z38 x37" << true << done;
        QTest::newRow("empty: another copy carried it, nothing written")
            << start << "" << true << done << start << true << done;
        QTest::newRow("its lock held by another")
            << start << "a45 b40 x37 c30 d20" << false << done << start << false << failed;
        QTest::newRow("the write failed")
            << start << "a45 b40 x37 c30 d20" << true << failed << start << false << failed;
        QTest::newRow("the server refused")
            << start << "a45 b40 x37 c30 d20" << true << refused << start << false << refused;
        QTest::newRow("the stand-in cannot be read")
            << start << "folder" << true << done << start << false << failed;
    }

    void carryBack()
    {
        QFETCH(QString, inUse);
        QFETCH(QString, standIn);
        QFETCH(bool, locked);
        QFETCH(int, answer);
        QFETCH(QString, after);
        QFETCH(bool, gone);
        QFETCH(int, outcome);
        QTemporaryDir dir;
        const QString path = dir.filePath("zenta.rnk");
        if (standIn == "folder") {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile file(path);
            const QByteArray rows = standIn.isEmpty() ? QByteArray() : rangeOne(standIn);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(rows) == rows.size());
        }

        QByteArray file = rangeOne(inUse);
        bool standInWhileWritten = false;
        const auto update = [&](const RankingStorage::Change &change) {
            QByteArray changed = file;
            if (Outcome(answer) == Outcome::Done && change(changed)) {
                standInWhileWritten = QFile::exists(path);
                file = changed;
            }
            return Outcome(answer);
        };
        const auto lock
            = [locked](const std::function<bool()> &carry) { return locked && carry(); };
        QCOMPARE(int(::carryBack(path, lock, update)), outcome);
        QCOMPARE(file, rangeOne(after));
        QCOMPARE(!QFile::exists(path), gone);
        QVERIFY(standInWhileWritten || file == rangeOne(inUse));
    }
};

QTEST_GUILESS_MAIN(TestCarryBack)
#include "tst_carryback.moc"

// Where the ranking file goes for a program file in a given folder: beside
// a copy of its own, never beside an installed one.
#include "results/rankinglocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestInstalledLocation : public QObject
{
    Q_OBJECT
private slots:
    void folders_data()
    {
        QTest::addColumn<QString>("program");  // the program's folder under the root
        QTest::addColumn<QString>("metainfo"); // our AppStream file under the root, or none
        QTest::addColumn<bool>("beside");      // the program's folder comes first
        const QString ours = "share/metainfo/io.github.zenta.zenta.metainfo.xml";
        QTest::newRow("package, /usr/games") << "usr/games"
                                             << "usr/" + ours << false;
        QTest::newRow("cmake --install, bin") << "bin" << ours << false;
        QTest::newRow("bin of another prefix") << "usr/bin"
                                               << "opt/" + ours << true;
        QTest::newRow("a build folder") << "build" << ours << true;
        QTest::newRow("bin without our file") << "bin" << QString() << true;
        QTest::newRow("another program's file")
            << "bin"
            << "share/metainfo/org.example.other.metainfo.xml" << true;
    }

    void folders()
    {
        QFETCH(QString, program);
        QFETCH(QString, metainfo);
        QFETCH(bool, beside);
        QTemporaryDir root;
        const QString programFolder = root.filePath(program);
        QVERIFY(QDir().mkpath(programFolder));
        if (!metainfo.isEmpty()) {
            QVERIFY(QDir().mkpath(QFileInfo(root.filePath(metainfo)).path()));
            QFile file(root.filePath(metainfo));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString data = root.filePath("home/.local/share/zenta");
        const RankingLocation where = RankingLocation::forProgram(programFolder, data);
        QCOMPARE(where.programFolder(), beside ? programFolder : QString());
        QCOMPARE(where.dataFolder(), data);
    }
};

QTEST_GUILESS_MAIN(TestInstalledLocation)
#include "tst_installedlocation.moc"

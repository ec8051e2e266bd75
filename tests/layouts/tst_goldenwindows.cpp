// window test
// The three windows as the player first sees them, pixel for pixel against
// pictures kept in golden/: a change meant only to make the program faster
// must not move a pixel. The pictures come from the offscreen platform; on a
// real X server fonts may be rendered otherwise, so there the pictures are
// only saved to be looked at.
//
// After a change that is meant to alter a window, draw the pictures anew:
//   ZENTA_UPDATE_GOLDEN=1 QT_QPA_PLATFORM=offscreen build/tst_goldenwindows
// and look at every changed picture before committing it.
#include "layouts/form1layout.h"
#include "layouts/form2.h"
#include "recordingplatform.h"
#include "results/form3.h"
#include "results/module1.h"
#include "results/rankingrecord.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QTemporaryDir>
#include <memory>

namespace {

QString goldenDir()
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/golden");
}

// Range 1 of the ranking file: full-width, half-width and kana names.
QByteArray rankingFile()
{
    const QStringList names{"やまだ", "ＴＡＲＯ", "hanako", "ｽｽﾞｷ", "佐藤一郎"};
    const QList<qint16> scores{48, 41, 37, 22, 9};
    QByteArray bytes;
    for (int i = 0; i < 20; ++i)
        bytes += i / 5 == 1 ? encodeRecord(kiroku{names[i % 5], scores[i % 5]}) : blankRecord();
    return bytes;
}

} // namespace

class TestGoldenWindows : public QObject
{
    Q_OBJECT
private slots:
    void windows_data();
    void windows();

private:
    void compare(QWidget *window, const QString &name);
};

void TestGoldenWindows::windows_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Form1") << "form1";
    QTest::newRow("Form2") << "form2";
    QTest::newRow("Form3") << "form3";
}

void TestGoldenWindows::windows()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    Module1 module;
    RecordingPlatform platform;
    std::unique_ptr<QWidget> window;
    if (name == "form1") {
        auto *main = new QMainWindow;
        window.reset(main);
        Form1Ui ui;
        ui.setupUi(main);
    } else if (name == "form2") {
        window = std::make_unique<Form2>(nullptr);
    } else {
        QFile file(dir.filePath(RankingLocation::fileName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(rankingFile());
        file.close();
        module.hani = 1;
        module.jikokiroku[1] = {30, 12, 0};
        window = std::make_unique<Form3>(module, platform, RankingLocation(dir.path()));
        window->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    compare(window.get(), name);
}

void TestGoldenWindows::compare(QWidget *window, const QString &name)
{
    const QImage actual = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString golden = goldenDir() + '/' + name + ".png";
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        saveShot(window, "golden-" + name);
        QSKIP("the pictures are drawn on the offscreen platform");
    }
    if (qEnvironmentVariableIsSet("ZENTA_UPDATE_GOLDEN")) {
        QDir().mkpath(goldenDir());
        QVERIFY(actual.save(golden));
        return;
    }
    const QImage expected = QImage(golden).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!expected.isNull(), qPrintable("missing " + golden));
    const QString shot = saveShot(window, "golden-" + name);
    QVERIFY2(actual.size() == expected.size(),
             qPrintable(QStringLiteral("%1: %2 x %3 px, expected %4 x %5 (see %6)")
                            .arg(name)
                            .arg(actual.width())
                            .arg(actual.height())
                            .arg(expected.width())
                            .arg(expected.height())
                            .arg(shot)));
    int differing = 0;
    QPoint first;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y) && differing++ == 0)
                first = QPoint(x, y);
    QVERIFY2(differing == 0,
             qPrintable(QStringLiteral("%1: %2 pixels differ, the first at (%3, %4)"
                                       " (see %5)")
                            .arg(name)
                            .arg(differing)
                            .arg(first.x())
                            .arg(first.y())
                            .arg(shot)));
}

ZENTA_TEST_MAIN(TestGoldenWindows)
#include "tst_goldenwindows.moc"

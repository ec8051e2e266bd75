// window test
#include "common/captions.h"
#include "common/grade.h"
#include "gamefixture.h"
#include "layouts/label.h"
#include "results/form3.h"
#include "results/rankingrecord.h"
#include "testmain.h"

#include <QDir>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>

// The main window after start-up, Start, and the greeting.
class TestForm1Start : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void afterLoad();
    void start_data();
    void start();
    void startInTheMiddleOfAGame_data();
    void startInTheMiddleOfAGame();
    void questionNumbersRunOneToFive();
    void greetsOnceAtStartUp();
    void greetsOnReturnFromAnotherWindowOfOurs();
    void noGreetingAfterAMessageBoxOrAnotherApplication();
    void screenshotOfAQuestion();
    void gradeGame_data();
    void gradeGame();
};

void TestForm1Start::cleanup()
{
    QCOMPARE(visibleTopLevels(), 0);
}

void TestForm1Start::afterLoad()
{
    GameFixture game;
    Form1 &f = *game.form;
    for (QPushButton *button : f.ui.kotae)
        QVERIFY(!button->isEnabled());
    QVERIFY(f.ui.en[0]->isChecked());
    for (int i = 1; i < 4; ++i)
        QVERIFY(!f.ui.en[i]->isChecked());
    QCOMPARE(f.ui.Command3->text(), QStringLiteral("ｘの値：－２～２"));
    QCOMPARE(f.Timer1.interval(), 0);
    QCOMPARE(game.module.hani, 0);
    QCOMPARE(f.ui.tokuten->text(), QStringLiteral("点"));
    QCOMPARE(f.ui.tokutenyo->text(), QStringLiteral("得点"));
    QCOMPARE(f.ui.monbang->text(), QStringLiteral("番  号"));
    for (Label *cell : f.ui.mondai)
        QVERIFY(cell->text().isEmpty());
    for (Label *mark : f.ui.sikiyo)
        QVERIFY(mark->text().isEmpty());
    QCOMPARE(f.xchi[3], (XRow{0, 0, 0, 0, 0}));

    // A click on a greyed answer button does nothing.
    game.show();
    QTest::mouseClick(f.ui.kotae[0], Qt::LeftButton);
    QVERIFY(f.ui.sikiyo[0]->text().isEmpty());
    QCOMPARE(game.platform.beeps, 0);
    QCOMPARE(QApplication::focusWidget(), f.ui.Command1);
}

void TestForm1Start::start_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("button") << false;
    QTest::newRow("menu item") << true;
}

void TestForm1Start::start()
{
    QFETCH(bool, byMenu);
    GameFixture game;
    Form1 &f = *game.form;
    game.show();
    game.module.touroku = 1;
    if (byMenu)
        f.ui.m1a->trigger();
    else
        QTest::mouseClick(f.ui.Command1, Qt::LeftButton);

    for (QPushButton *button : f.ui.kotae)
        QVERIFY(button->isEnabled());
    QCOMPARE(f.mon, 1);
    QCOMPARE(f.ten, 10);
    QCOMPARE(game.module.touroku, 0);
    QCOMPARE(f.ui.tokutenyo->text(), QStringLiteral(" 0"));
    QCOMPARE(f.ui.tokuten->text(), QStringLiteral("10"));
    QCOMPARE(f.ui.monbang->text(), QStringLiteral("第 1問"));
    QCOMPARE(f.Timer1.interval(), 2000);
    QCOMPARE(f.Timer1.timerType(), Qt::PreciseTimer);
    QVERIFY(f.Timer1.isActive());
    const QStringList x = {"-2", "-1", " 0", " 1", " 2"};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(f.ui.mondai[i]->text(), x[i]);
        QVERIFY(!f.ui.mondai[i + 5]->text().isEmpty());
    }
    QVERIFY(f.seikai >= 0 && f.seikai < 5);
}

void TestForm1Start::startInTheMiddleOfAGame_data()
{
    start_data();
}

void TestForm1Start::startInTheMiddleOfAGame()
{
    QFETCH(bool, byMenu);
    GameFixture game;
    Form1 &f = *game.form;
    game.show();
    QTest::mouseClick(f.ui.Command1, Qt::LeftButton);
    game.answer(true);
    game.answer(false);
    f.Timer1_Timer();
    QCOMPARE(f.mon, 3);
    QCOMPARE(f.ui.tokutenyo->text(), QStringLiteral(" 10"));

    if (byMenu)
        f.ui.m1a->trigger();
    else
        QTest::mouseClick(f.ui.Command1, Qt::LeftButton);
    for (Label *mark : f.ui.sikiyo)
        QVERIFY(mark->text().isEmpty());
    QCOMPARE(f.ui.tokutenyo->text(), QStringLiteral(" 0"));
    QCOMPARE(f.ui.monbang->text(), QStringLiteral("第 1問"));
    QCOMPARE(f.ui.tokuten->text(), QStringLiteral("10"));
    QCOMPARE(f.mon, 1);
    QCOMPARE(f.Timer1.interval(), 2000);
}

void TestForm1Start::questionNumbersRunOneToFive()
{
    GameFixture game;
    Form1 &f = *game.form;
    f.Command1_Click();
    for (int n = 1; n <= 5; ++n) {
        QCOMPARE(f.ui.monbang->text(), QStringLiteral("第 %1問").arg(n));
        QCOMPARE(f.ui.tokuten->text(), QStringLiteral("10"));
        if (n < 5)
            f.kotae_Click(f.seikai);
    }
}

void TestForm1Start::greetsOnceAtStartUp()
{
    GameFixture game;
    game.show();
    QTRY_COMPARE(game.greetings(), 1);
    const RecordingPlatform::Box box = game.platform.boxes.first();
    QCOMPARE(box.text, QStringLiteral("「スタート」ボタンをクリックすると，始まります。"));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QTest::qWait(50);
    QCOMPARE(game.greetings(), 1);
}

void TestForm1Start::greetsOnReturnFromAnotherWindowOfOurs()
{
    GameFixture game;
    game.show();
    QTRY_COMPARE(game.greetings(), 1);

    // In the middle of a game, too.
    game.form->Command1_Click();
    QWidget other; // stands in for the help or the results window
    other.resize(200, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(game.greetings(), 1);

    game.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(game.form.get()));
    QTRY_COMPARE(game.greetings(), 2);
    QCOMPARE(game.form->mon, 1);
    other.close();
}

void TestForm1Start::noGreetingAfterAMessageBoxOrAnotherApplication()
{
    GameFixture game;
    game.show();
    QTRY_COMPARE(game.greetings(), 1);

    // A message box over the main window takes the focus and gives it back.
    // Not every platform moves the focus to a box in a test, so the focus
    // changes are sent as the desktop sends them.
    QMessageBox box(QMessageBox::Warning, "t", "x", QMessageBox::Ok, game.form.get());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    emit qApp->focusWindowChanged(box.windowHandle());
    box.close();
    game.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(game.form.get()));
    emit qApp->focusWindowChanged(game.form->windowHandle());
    QTest::qWait(50);
    QCOMPARE(game.greetings(), 1);

    // The focus leaves the program and comes back.
    emit qApp->focusWindowChanged(nullptr);
    emit qApp->focusWindowChanged(game.form->windowHandle());
    QTest::qWait(50);
    QCOMPARE(game.greetings(), 1);
}

void TestForm1Start::screenshotOfAQuestion()
{
    GameFixture game;
    game.show();
    game.form->Command1_Click();
    game.form->kotae_Click(game.form->seikai);
    game.form->Timer1_Timer();
    saveShot(game.form.get(), "form1-question");
}

void TestForm1Start::gradeGame_data()
{
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("chosenDuring"); // another grade, chosen mid-game
    QTest::addColumn<QString>("enabled");  // bits, the last button first
    QTest::addColumn<QString>("last");
    QTest::newRow("中１") << 1 << 2 << "10011"
                          << "比例でも反比例でもない関係";
    QTest::newRow("中２") << 2 << 1 << "10111"
                          << "上の３つには，あてはまらない関係";
}

// A game in a grade: its buttons alone, its own Best 5 in the file, and the
// grade chosen for the next start.
void TestForm1Start::gradeGame()
{
    QFETCH(int, grade);
    QFETCH(int, chosenDuring);
    QFETCH(QString, enabled);
    QFETCH(QString, last);
    GameFixture game;
    Form1 &f = *game.form;
    game.show();
    const int boxes = game.platform.boxes.size();
    f.ui.gakunen[grade - 1]->trigger();
    QCOMPARE(game.platform.boxes.size(), boxes); // no message
    QCOMPARE(f.ui.kotae[4]->text(), last);
    QVERIFY(f.ui.gakunen[grade - 1]->isChecked() && !f.ui.gakunen[2]->isChecked());

    f.Command1_Click();
    for (int i = 0; i < 5; ++i)
        QCOMPARE(f.ui.kotae[i]->isEnabled(), enabled[4 - i] == u'1');
    QTest::keyClick(&f, Qt::Key_4); // 2乗に比例: not learned, no answer
    QVERIFY(f.ui.sikiyo[0]->text().isEmpty());
    saveShot(&f, QStringLiteral("form1-grade%1").arg(grade));
    game.onResults = [grade](Form3 &results) {
        saveShot(&results, QStringLiteral("form3-grade%1").arg(grade));
    };
    f.ui.gakunen[chosenDuring - 1]->trigger(); // the game goes on as it began
    QCOMPARE(f.ui.kotae[4]->text(), last);
    for (int q = 0; q < 5; ++q)
        game.answer(true);
    for (Label *mark : f.ui.sikiyo)
        QCOMPARE(mark->text(), maruMark);
    QCOMPARE(f.keptGame()->grade, grade);
    QCOMPARE(f.ui.kotae[4]->text(), lastAnswerCaption(chosenDuring));

    // The score in range 0 of the grade: records 21 (中１) or 41 (中２).
    QFile file(QDir(game.rankingFolder.path()).filePath("zenta.rnk"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 900);
    const int at = 20 * grade * 12 + 10;
    QCOMPARE(qint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8), game.module.kekka);
    QCOMPARE(bytes.count(blankRecord()), 74);

    // The grade chosen last is the next start's.
    Form1 again(game.module, game.platform, game.random, RankingLocation(QString()));
    QCOMPARE(again.gakunen, chosenDuring);
    QVERIFY(again.ui.gakunen[chosenDuring - 1]->isChecked());
    // On the desktop, in the user's settings.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    DesktopPlatform().storeGrade(grade);
    QCOMPARE(DesktopPlatform().storedGrade(), grade);
    QVERIFY(QFile::exists(settings.filePath("zenta/zenta.ini")));
}

ZENTA_TEST_MAIN(TestForm1Start)
#include "tst_form1start.moc"

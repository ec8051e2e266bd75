// window test
#include "common/captions.h"
#include "gamefixture.h"
#include "layouts/form2.h"
#include "layouts/label.h"
#include "testmain.h"

#include <QMessageBox>

// The range button and menu, the list, quit and help commands.
class TestForm1Commands : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void rangeButtonCycles();
    void rangeMenu_data();
    void rangeMenu();
    void rangeButtonFreezesThePoints();
    void rangeMenuKeepsTheCountdown();
    void startAfterAGameKeepsTheRange();
    void listCommandLeavesTheGameAlone_data();
    void listCommandLeavesTheGameAlone();
    void quit_data();
    void quit();
    void randomRangeThroughTheWindow();
    void helpOpensOneWindow();
    void helpBackLeavesTheGameRunning();
    void helpClosedThroughItsFrameOpensAnew();

private:
    static QString announcement(int range)
    {
        return QStringLiteral("ｘの値を ") + rangeCaptions()[range]
            + QStringLiteral(" の範囲にします。\r「スタート」ボタンをクリックしてください。");
    }
    static int checkedItem(const Form1 &f)
    {
        int checked = -1;
        for (int i = 0; i < 4; ++i)
            if (f.ui.en[i]->isChecked()) {
                if (checked != -1)
                    return -2; // more than one
                checked = i;
            }
        return checked;
    }
};

void TestForm1Commands::cleanup()
{
    QCOMPARE(visibleTopLevels(), 0);
}

void TestForm1Commands::rangeButtonCycles()
{
    GameFixture game;
    game.show();
    QTRY_COMPARE(game.greetings(), 1);
    Form1 &f = *game.form;
    const int expected[4] = {1, 2, 3, 0};
    for (int click = 0; click < 4; ++click) {
        QTest::mouseClick(f.ui.Command3, Qt::LeftButton);
        const int range = expected[click];
        QCOMPARE(int(game.module.hani), range);
        QCOMPARE(checkedItem(f), range);
        QCOMPARE(f.ui.Command3->text(), QStringLiteral("ｘの値：") + rangeCaptions()[range]);
        QCOMPARE(game.platform.boxes.size(), click + 2);
        const RecordingPlatform::Box box = game.platform.boxes.last();
        QCOMPARE(box.text, announcement(range));
        QCOMPARE(box.title, QStringLiteral("ｘの値の変更"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    QCOMPARE(announcement(1),
             QStringLiteral(
                 "ｘの値を １～５ の範囲にします。\r「スタート」ボタンをクリックしてください。"));
}

void TestForm1Commands::rangeMenu_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("the current range") << 0 << 0;
    QTest::newRow("another range") << 0 << 2;
    QTest::newRow("random, then the same again") << 3 << 3;
    QTest::newRow("back to the first") << 3 << 0;
}

void TestForm1Commands::rangeMenu()
{
    QFETCH(int, from);
    QFETCH(int, to);
    GameFixture game;
    Form1 &f = *game.form;
    if (from != 0)
        f.ui.en[from]->trigger();
    const QString caption = f.ui.Command3->text();
    const qsizetype boxes = game.platform.boxes.size();

    f.ui.en[to]->trigger();
    QCOMPARE(int(game.module.hani), to);
    QCOMPARE(checkedItem(f), to);
    if (from == to) {
        QCOMPARE(game.platform.boxes.size(), boxes);
        QCOMPARE(f.ui.Command3->text(), caption);
    } else {
        QCOMPARE(game.platform.boxes.size(), boxes + 1);
        QCOMPARE(game.platform.boxes.last().text, announcement(to));
        QCOMPARE(f.ui.Command3->text(), QStringLiteral("ｘの値：") + rangeCaptions()[to]);
    }
}

void TestForm1Commands::rangeButtonFreezesThePoints()
{
    GameFixture game;
    Form1 &f = *game.form;
    f.Command1_Click();
    const QStringList table = {f.ui.mondai[0]->text(), f.ui.mondai[5]->text()};
    for (int t = 0; t < 3; ++t)
        f.Timer1_Timer();
    QTest::mouseClick(f.ui.Command3, Qt::LeftButton);
    QCOMPARE(f.Timer1.interval(), 0);
    QVERIFY(!f.Timer1.isActive());
    QCOMPARE(f.ui.tokuten->text(), QStringLiteral(" 7"));
    // The question on show keeps its table and its buttons.
    QCOMPARE(f.ui.mondai[0]->text(), table[0]);
    QCOMPARE(f.ui.mondai[5]->text(), table[1]);
    for (QPushButton *button : f.ui.kotae)
        QVERIFY(button->isEnabled());

    game.answer(true);
    QCOMPARE(f.ui.tokutenyo->text(), QStringLiteral(" 7"));
    // The next question is in the new range, counting down again.
    QCOMPARE(f.ui.mondai[0]->text(), QStringLiteral(" 1"));
    QCOMPARE(f.ui.mondai[4]->text(), QStringLiteral(" 5"));
    QCOMPARE(f.Timer1.interval(), 2000);
}

void TestForm1Commands::rangeMenuKeepsTheCountdown()
{
    GameFixture game;
    Form1 &f = *game.form;
    f.Command1_Click();
    f.Timer1_Timer();
    f.ui.en[2]->trigger();
    QCOMPARE(f.Timer1.interval(), 2000);
    QVERIFY(f.Timer1.isActive());
    QCOMPARE(f.ui.mondai[0]->text(), QStringLiteral("-2")); // the table on show stays
    f.Timer1_Timer();
    QCOMPARE(f.ui.tokuten->text(), QStringLiteral(" 8"));
    game.answer(false);
    QCOMPARE(f.ui.mondai[0]->text(), QStringLiteral("-5"));
    QCOMPARE(f.ui.mondai[4]->text(), QStringLiteral("-1"));
}

void TestForm1Commands::startAfterAGameKeepsTheRange()
{
    GameFixture game;
    Form1 &f = *game.form;
    f.ui.en[1]->trigger();
    f.Command1_Click();
    for (int q = 0; q < 5; ++q)
        game.answer(true);
    f.Command1_Click();
    QCOMPARE(int(game.module.hani), 1);
    QCOMPARE(f.ui.mondai[0]->text(), QStringLiteral(" 1"));
    QCOMPARE(checkedItem(f), 1);
}

void TestForm1Commands::listCommandLeavesTheGameAlone_data()
{
    QTest::addColumn<bool>("byTotal");
    QTest::newRow("menu item 一覧") << false;
    QTest::newRow("click on the total") << true;
}

void TestForm1Commands::listCommandLeavesTheGameAlone()
{
    QFETCH(bool, byTotal);
    GameFixture game;
    game.show();
    Form1 &f = *game.form;
    game.module.kekka = 33;
    // Before the first game the total button still reads "得点".
    if (byTotal)
        QTest::mouseClick(f.ui.tokutenyo, Qt::LeftButton);
    else
        f.ui.m1c->trigger();
    QCOMPARE(game.module.kekka, 0);
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != &f && w->isVisible())
            w->close();

    f.Command1_Click();
    game.answer(true);
    f.Timer1_Timer();
    const QString total = f.ui.tokutenyo->text();
    if (byTotal)
        QTest::mouseClick(f.ui.tokutenyo, Qt::LeftButton);
    else
        f.ui.m1c->trigger();
    QCOMPARE(f.mon, 2);
    QCOMPARE(f.ui.tokutenyo->text(), total);
    QCOMPARE(f.ui.sikiyo[0]->text(), QStringLiteral("○"));
    QVERIFY(f.ui.sikiyo[1]->text().isEmpty());
    QCOMPARE(f.ui.tokuten->text(), QStringLiteral(" 9"));
    QCOMPARE(f.Timer1.interval(), 2000);
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != &f && w->isVisible())
            w->close();
}

void TestForm1Commands::quit_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("button 終了") << 0;
    QTest::newRow("menu item 終了") << 1;
    QTest::newRow("the window's close box") << 2;
}

void TestForm1Commands::quit()
{
    QFETCH(int, how);
    GameFixture game;
    game.show();
    Form1 &f = *game.form;
    f.Command1_Click(); // in the middle of a game
    if (how == 0)
        QTest::mouseClick(f.ui.Command5, Qt::LeftButton);
    else if (how == 1)
        f.ui.m1d->trigger();
    else
        f.close();
    QCOMPARE(game.platform.ends, 1);
    QCOMPARE(game.platform.boxes.size(), game.greetings()); // no question asked
}

void TestForm1Commands::randomRangeThroughTheWindow()
{
    GameFixture game(77);
    Form1 &f = *game.form;
    f.ui.en[3]->trigger();
    f.Command1_Click();
    for (int n = 0; n < 400; ++n) {
        QStringList x;
        for (int i = 0; i < 5; ++i)
            x << f.ui.mondai[i]->text();
        if (f.seikai == 1) {
            QCOMPARE(x, (QStringList{"-4", "-1", " 3", " 5", " 6"}));
        } else {
            QVERIFY(x[0].toInt() >= -7 && x[0].toInt() <= 1);
            for (int i = 1; i < 5; ++i) {
                const int step = x[i].toInt() - x[i - 1].toInt();
                QVERIFY(step >= 1 && step <= 3);
            }
        }
        QCOMPARE(f.xchi[0], initialXTable()[0]);
        if (f.mon == 5)
            f.Command1_Click();
        else
            f.kotae_Click(f.seikai);
    }
}

void TestForm1Commands::helpOpensOneWindow()
{
    GameFixture game;
    game.show();
    Form1 &f = *game.form;
    QTest::mouseClick(f.ui.helpyo, Qt::LeftButton);
    Form2 *help = f.helpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QVERIFY(!help->parentWidget()); // a window of its own, not kept above the main window
    f.ui.m5c->trigger();
    QCOMPARE(f.helpWindow(), help);
    QCOMPARE(visibleTopLevels(), 2);
    QVERIFY(QTest::qWaitForWindowActive(help));
}

void TestForm1Commands::helpBackLeavesTheGameRunning()
{
    GameFixture game;
    game.show();
    QTRY_COMPARE(game.greetings(), 1);
    Form1 &f = *game.form;
    f.Command1_Click();
    f.Timer1_Timer();
    f.ui.m5c->trigger();
    Form2 *help = f.helpWindow();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QCOMPARE(f.Timer1.interval(), 2000); // the question keeps counting down

    QTest::mouseClick(help->ui.Command1, Qt::LeftButton);
    QVERIFY(!help->isVisible());
    QCOMPARE(f.helpWindow(), help); // hidden, not destroyed
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTRY_COMPARE(game.greetings(), 2); // back from another window of ours
    QCOMPARE(f.mon, 1);
    // Still counting down from the tick above; a slow trip may add a real one.
    const int points = f.ui.tokuten->text().toInt();
    QVERIFY2(points >= 7 && points <= 9, qPrintable(f.ui.tokuten->text()));
    QCOMPARE(f.Timer1.interval(), 2000);
    for (QPushButton *button : f.ui.kotae)
        QVERIFY(button->isEnabled());

    f.ui.helpyo->click();
    QCOMPARE(f.helpWindow(), help);
    QVERIFY(help->isVisible());
}

void TestForm1Commands::helpClosedThroughItsFrameOpensAnew()
{
    GameFixture game;
    game.show();
    Form1 &f = *game.form;
    f.ui.helpyo->click();
    QPointer<Form2> first = f.helpWindow();
    const QString text = first->ui.Label3->text();
    first->close();
    QTRY_VERIFY(first.isNull());
    f.ui.m5c->trigger();
    QVERIFY(f.helpWindow());
    QCOMPARE(f.helpWindow()->ui.Label3->text(), text);
    QCOMPARE(f.helpWindow()->ui.Label3->geometry(), QRect(24, 104, 369, 97));
    saveShot(f.helpWindow(), "form2-from-main");
}

ZENTA_TEST_MAIN(TestForm1Commands)
#include "tst_form1commands.moc"

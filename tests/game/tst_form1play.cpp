// window test
#include "common/captions.h"
#include "gamefixture.h"
#include "layouts/label.h"
#include "testmain.h"

#include <QMessageBox>

// Answers, the countdown and the score of a whole game.
class TestForm1Play : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void rightAnswerBeforeTheFirstTick();
    void pointsCountDown();
    void rightAnswerAtZeroScoresNothing();
    void timeOutOfQuestionsOneToFour();
    void timeOutOfQuestionFive();
    void fiveQuickRightAnswers();
    void totals_data();
    void totals();
    void timerRunsOnlyWhileAQuestionIsShown();

private:
    // Plays one question: ticks, then an answer, or a time-out when
    // ticks > 10.
    static void play(GameFixture &game, int ticks, bool right);
};

void TestForm1Play::cleanup()
{
    QCOMPARE(visibleTopLevels(), 0);
}

void TestForm1Play::play(GameFixture &game, int ticks, bool right)
{
    for (int t = 0; t < ticks && t < 11; ++t)
        game.form->Timer1_Timer();
    if (ticks <= 10)
        game.answer(right);
}

void TestForm1Play::rightAnswerBeforeTheFirstTick()
{
    GameFixture game;
    game.show();
    Form1 &f = *game.form;
    f.Command1_Click();
    game.answer(true);
    QCOMPARE(f.ui.sikiyo[0]->text(), QStringLiteral("○"));
    QCOMPARE(f.ui.tokutenyo->text(), QStringLiteral(" 10"));
    QCOMPARE(game.platform.beeps, 1);
    // The next question follows at once.
    QCOMPARE(f.ui.monbang->text(), QStringLiteral("第 2問"));
    QCOMPARE(f.ui.tokuten->text(), QStringLiteral("10"));
    QCOMPARE(f.Timer1.interval(), 2000);

    // Both digits of "10" show whole in the points label: the "0" reaches
    // into the right quarter but stops short of the edge that would cut it.
    const QImage image = f.ui.tokuten->grab().toImage();
    auto greenInColumns = [&](int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixelColor(x, y) == QColor(0, 255, 0))
                    return true;
        return false;
    };
    QVERIFY(greenInColumns(image.width() * 3 / 4, image.width()));
    QVERIFY(!greenInColumns(image.width() - 2, image.width()));
    saveShot(f.ui.tokuten, "tokuten-10");
}

void TestForm1Play::pointsCountDown()
{
    GameFixture game;
    Form1 &f = *game.form;
    f.Command1_Click();
    // The timer's own signal reaches the tick handler.
    emit f.Timer1.timeout();
    QCOMPARE(f.ui.tokuten->text(), QStringLiteral(" 9"));
    for (int shown = 8; shown >= 0; --shown) {
        f.Timer1_Timer();
        QCOMPARE(f.ui.tokuten->text(), QStringLiteral(" %1").arg(shown));
        QCOMPARE(f.ten, shown);
    }
    QVERIFY(f.ui.sikiyo[0]->text().isEmpty());
    QCOMPARE(f.mon, 1);
    QCOMPARE(game.platform.beeps, 0);
}

void TestForm1Play::rightAnswerAtZeroScoresNothing()
{
    GameFixture game;
    Form1 &f = *game.form;
    f.Command1_Click();
    play(game, 0, true);
    play(game, 10, true);
    QCOMPARE(f.ui.sikiyo[1]->text(), QStringLiteral("○"));
    QCOMPARE(f.ui.tokutenyo->text(), QStringLiteral(" 10"));
}

void TestForm1Play::timeOutOfQuestionsOneToFour()
{
    GameFixture game;
    Form1 &f = *game.form;
    f.Command1_Click();
    play(game, 3, true); // " 7"
    for (int q = 2; q <= 5; ++q) {
        const int beeps = game.platform.beeps;
        play(game, 11, false);
        QCOMPARE(f.ui.sikiyo[q - 1]->text(), QStringLiteral("×"));
        QCOMPARE(game.platform.beeps, beeps + 1);
        QCOMPARE(f.ui.tokutenyo->text(), QStringLiteral(" 7"));
        if (q < 5) {
            QCOMPARE(f.mon, q + 1);
            QCOMPARE(f.ui.tokuten->text(), QStringLiteral("10"));
            QCOMPARE(f.Timer1.interval(), 2000);
        }
    }
}

void TestForm1Play::timeOutOfQuestionFive()
{
    GameFixture game;
    Form1 &f = *game.form;
    f.Command1_Click();
    for (int q = 1; q <= 4; ++q)
        play(game, 1, true); // 9 each
    play(game, 11, true);
    QCOMPARE(f.ui.sikiyo[4]->text(), QStringLiteral("×"));
    QCOMPARE(game.module.kekka, 36);
    QCOMPARE(f.ui.tokutenyo->text(), QStringLiteral(" 36"));
    QCOMPARE(f.Timer1.interval(), 0);
    for (QPushButton *button : f.ui.kotae)
        QVERIFY(!button->isEnabled());
    QCOMPARE(game.platform.count(QStringLiteral("再スタート")), 0);
    QCOMPARE(game.platform.beeps, 5);
}

void TestForm1Play::fiveQuickRightAnswers()
{
    GameFixture game;
    game.show();
    Form1 &f = *game.form;
    QTest::mouseClick(f.ui.Command1, Qt::LeftButton);
    for (int q = 1; q <= 5; ++q)
        game.answer(true);
    QCOMPARE(f.ui.tokutenyo->text(), QStringLiteral(" 50"));
    QCOMPARE(game.module.kekka, 50);
    for (int q = 0; q < 5; ++q)
        QCOMPARE(f.ui.sikiyo[q]->text(), QStringLiteral("○"));
    for (QPushButton *button : f.ui.kotae)
        QVERIFY(!button->isEnabled());
    QCOMPARE(f.Timer1.interval(), 0);
    QCOMPARE(f.ui.Command1->text(), QStringLiteral("スタート"));

    QCOMPARE(game.platform.count(QStringLiteral("再スタート")), 1);
    const auto restart = std::find_if(game.platform.boxes.begin(), game.platform.boxes.end(),
                                      [](const auto &box) { return box.title == "再スタート"; });
    QCOMPARE(restart->text, QStringLiteral("再スタートは，\r「スタート」ボタンをクリック!!"));
    QCOMPARE(restart->icon, QMessageBox::Warning);
    QCOMPARE(restart->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestForm1Play::totals_data()
{
    // Per question: the ticks before the answer (11 = timed out) and
    // whether the answer is right; the marks and the total that follow.
    QTest::addColumn<QList<int>>("ticks");
    QTest::addColumn<QList<bool>>("right");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<int>("total");
    QTest::newRow("all wrong") << QList<int>{0, 0, 0, 0, 0}
                               << QList<bool>{false, false, false, false, false} << "×××××" << 0;
    QTest::newRow("all timed out") << QList<int>{11, 11, 11, 11, 11}
                                   << QList<bool>{true, true, true, true, true} << "×××××" << 0;
    QTest::newRow("mixed") << QList<int>{0, 3, 10, 11, 2}
                           << QList<bool>{true, true, true, true, true} << "○○○×○"
                           << 10 + 7 + 0 + 8;
    QTest::newRow("wrong answers bank nothing")
        << QList<int>{1, 1, 1, 1, 1} << QList<bool>{true, false, true, false, true} << "○×○×○"
        << 27;
    QTest::newRow("slow but right")
        << QList<int>{9, 8, 7, 6, 5} << QList<bool>{true, true, true, true, true} << "○○○○○" << 15;
}

void TestForm1Play::totals()
{
    QFETCH(QList<int>, ticks);
    QFETCH(QList<bool>, right);
    QFETCH(QString, marks);
    QFETCH(int, total);
    GameFixture game;
    Form1 &f = *game.form;
    f.Command1_Click();
    double shownBefore = 0;
    for (int q = 0; q < 5; ++q) {
        play(game, ticks[q], right[q]);
        // The marks fill the rows in order, and the total never falls.
        QCOMPARE(f.ui.sikiyo[q]->text(), marks.mid(q, 1));
        if (q + 1 < 5)
            QVERIFY(f.ui.sikiyo[q + 1]->text().isEmpty());
        const double shown = f.ui.tokutenyo->text().toDouble();
        QVERIFY(shown >= shownBefore);
        shownBefore = shown;
    }
    QCOMPARE(f.ui.tokutenyo->text(), QStringLiteral(" %1").arg(total));
    QCOMPARE(int(game.module.kekka), total);
}

void TestForm1Play::timerRunsOnlyWhileAQuestionIsShown()
{
    GameFixture game;
    Form1 &f = *game.form;
    QVERIFY(!f.Timer1.isActive());
    f.Command1_Click();
    QVERIFY(f.Timer1.isActive());
    QCOMPARE(f.Timer1.interval(), 2000);
    QCOMPARE(f.Timer1.timerType(), Qt::PreciseTimer);
    for (int q = 1; q <= 5; ++q) {
        QVERIFY(f.Timer1.isActive());
        game.answer(q % 2 == 0);
    }
    QVERIFY(!f.Timer1.isActive());
    QCOMPARE(f.Timer1.interval(), 0);
}

ZENTA_TEST_MAIN(TestForm1Play)
#include "tst_form1play.moc"

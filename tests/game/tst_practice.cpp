// window test
#include "common/captions.h"
#include "gamefixture.h"
#include "layouts/label.h"
#include "results/form3.h"
#include "review/runtally.h"
#include "testmain.h"

#include <QAccessible>
#include <QDir>
#include <QMenuBar>

// The menu "練習": games without the clock, games of the relations that were
// missed, and the tally of the run.
class TestPractice : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void practiceGameHasNoClockAndStoresNothing();
    void missedSet_data();
    void missedSet();
    void missedRelationsAndTallyThroughGames();
    void classLogAndClassTally();
};

void TestPractice::cleanup()
{
    QCOMPARE(visibleTopLevels(), 0);
}

void TestPractice::practiceGameHasNoClockAndStoresNothing()
{
    GameFixture game;
    game.module.kekka = 17;
    game.module.touroku = 1;
    game.module.jikokiroku[0] = {30, 12, 0};
    game.show();
    Form1 &f = *game.form;
    PracticeMenuUi &menu = f.practice.ui;

    QStringList bar;
    for (QAction *item : f.menuBar()->actions())
        bar << item->text();
    QCOMPARE(bar, (QStringList{"ゲーム", "ｘの値", "学年", "練習", "ヘルプ"}));
    QStringList items;
    for (QAction *item : menu.m6->actions()) {
        items << item->text();
        QVERIFY(item->shortcut().isEmpty() && !item->text().contains('&'));
    }
    QCOMPARE(items,
             (QStringList{"時間なしで練習", "まちがえた関係を練習", "成績表", "クラスの成績表"}));
    QVERIFY(!menu.m6a->isChecked() && !menu.m6b->isEnabled() && menu.m6c->isEnabled());

    menu.m6a->trigger();
    QVERIFY(menu.m6a->isChecked());
    menu.m6->popup(f.mapToGlobal(QPoint(f.width(), 0)));
    QVERIFY(QTest::qWaitForWindowExposed(menu.m6));
    saveShot(menu.m6, "practice-menu");
    menu.m6->hide();

    // Far more than 22 seconds of ticks at every question; one wrong answer.
    QTest::mouseClick(f.ui.Command1, Qt::LeftButton);
    for (int q = 0; q < 5; ++q) {
        QCOMPARE(f.Timer1.interval(), 0);
        QCOMPARE(f.ui.tokuten->text(), QStringLiteral("練習"));
        for (int t = 0; t < 50; ++t)
            f.Timer1_Timer();
        QCOMPARE(f.mon, q + 1);
        QVERIFY(f.ui.sikiyo[q]->text().isEmpty());
        if (q == 2)
            saveShot(&f, "practice-game");
        game.answer(q != 2);
        QCOMPARE(f.ui.sikiyo[q]->text(), q != 2 ? maruMark : batsuMark);
    }
    QCOMPARE(game.modalResults, 0);
    QCOMPARE(game.module.kekka, 17);
    QCOMPARE(game.module.touroku, 1);
    QCOMPARE(game.module.jikokiroku[0], (std::array<qint16, 3>{30, 12, 0}));
    // No ranking file: only the class's log and the device's name.
    QCOMPARE(QDir(game.rankingFolder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             (QStringList{"zenta-device.txt", "zenta-log"}));
    QCOMPARE(game.platform.titles().mid(1), (QStringList{"練習", "再スタート"}));
    QCOMPARE(game.platform.boxes[1].text,
             QStringLiteral("練習が終わりました。\r正解は 5問中 4問です。"));
    QCOMPARE(f.keptGame()->questions[2].mark, batsuMark);

    // Unchecked, the next game is a normal one again.
    menu.m6a->trigger();
    f.Command1_Click();
    QCOMPARE(f.Timer1.interval(), 2000);
    QCOMPARE(f.ui.tokuten->text(), QStringLiteral("10"));
    QCOMPARE(f.ui.tokuten->font().pointSizeF(), 120.0);
    QCOMPARE(game.module.touroku, 0);
    for (int q = 0; q < 5; ++q)
        game.answer(true);
    QCOMPARE(game.modalResults, 1);
    QCOMPARE(game.module.kekka, 50);
}

// One relation's answers in turn, from the start of a run: r right, w wrong,
// t timed out.
void TestPractice::missedSet_data()
{
    QTest::addColumn<QString>("answers");
    QTest::addColumn<bool>("missed");
    QTest::newRow("never missed") << "rr" << false;
    QTest::newRow("wrong") << "w" << true;
    QTest::newRow("timed out") << "t" << true;
    QTest::newRow("right once since") << "wr" << true;
    QTest::newRow("right twice since") << "trr" << false;
    QTest::newRow("wrong between") << "wrwr" << true;
    QTest::newRow("twice after a wrong between") << "wrwrr" << false;
    QTest::newRow("missed again") << "wrrw" << true;
    // Right in 中１ is the last button, which holds the missed set.
    QTest::newRow("中１ right twice since") << "wrr" << false;
}

void TestPractice::missedSet()
{
    QFETCH(QString, answers);
    QFETCH(bool, missed);
    GameFixture game;
    Practice &practice = game.form->practice;
    const int grade = QByteArray(QTest::currentDataTag()).startsWith("中１") ? 1 : 3;
    const int right = rightAnswer(3, grade);
    practice.startGame(grade);
    for (QChar c : answers) {
        practice.record(3, c == 'r' ? right : c == 'w' ? 1 : KeptQuestion::timedOut);
        practice.record(0, 2); // another relation's answers do not count
    }
    QCOMPARE(practice.missed(right), missed);
    QVERIFY(practice.ui.m6b->isEnabled());
    // Another grade has missed nothing yet.
    practice.showGrade(grade % 3 + 1);
    QVERIFY(!practice.ui.m6b->isEnabled() && practice.tally().questions() == 0);
}

void TestPractice::missedRelationsAndTallyThroughGames()
{
    GameFixture game;
    game.show();
    Form1 &f = *game.form;
    PracticeMenuUi &menu = f.practice.ui;
    int expected[kindCount][RunTally::columnCount] = {};

    // A normal game missed whole: four wrong answers and a time-out.
    KindSet missed;
    f.Command1_Click();
    for (int q = 0; q < 5; ++q) {
        const int kind = f.seikai;
        missed.set(kind);
        if (q == 4) {
            for (int t = 0; t < 11; ++t)
                f.Timer1_Timer();
            ++expected[kind][RunTally::timedOutColumn];
        } else {
            ++expected[kind][(kind + 1) % 5];
            game.answer(false);
        }
    }
    for (int kind = 0; kind < kindCount; ++kind)
        QCOMPARE(f.practice.missed(kind), missed[kind]);

    // Practice of the missed relations only, every answer right, until the
    // set is empty: each relation leaves it at its second right answer.
    int rightSince[kindCount] = {};
    for (int games = 0; menu.m6b->isEnabled(); ++games) {
        QVERIFY(games < 10);
        const KindSet asked = missed;
        menu.m6b->trigger();
        for (int q = 0; q < 5; ++q) {
            QCOMPARE(f.Timer1.interval(), 0);
            QVERIFY(asked[f.seikai]);
            ++expected[f.seikai][f.seikai];
            if (++rightSince[f.seikai] == 2)
                missed.reset(f.seikai);
            game.answer(true);
        }
        for (int kind = 0; kind < kindCount; ++kind)
            QCOMPARE(f.practice.missed(kind), missed[kind]);
    }
    QVERIFY(missed.none());
    QCOMPARE(game.modalResults, 1);

    menu.m6c->trigger();
    TallyWindow *tally = f.practice.tallyWindow();
    QVERIFY(QTest::qWaitForWindowActive(tally));
    QCOMPARE(tally->windowTitle(), QStringLiteral("成績表"));
    const int questions = 5 + 5 * game.platform.count(QStringLiteral("練習"));
    for (int row = 0; row < kindCount; ++row) {
        int asked = 0;
        for (int col = 0; col < RunTally::columnCount; ++col) {
            QCOMPARE(tally->ui.count[row * 6 + col]->text(), QString::number(expected[row][col]));
            asked += expected[row][col];
        }
        QCOMPARE(tally->ui.right[row]->text(),
                 QStringLiteral("%1/%2").arg(expected[row][row]).arg(asked));
    }
    QCOMPARE(tally->ui.total->text(),
             QStringLiteral("答えた問題 %1問（うち練習 %2問）　正解 %2問（%3%）")
                 .arg(questions)
                 .arg(questions - 5)
                 .arg(std::lround(100.0 * (questions - 5) / questions)));
    QVERIFY(tally->frameGeometry().width() <= 1024 && tally->frameGeometry().height() <= 768);
    for (QLabel *label : tally->findChildren<QLabel *>())
        QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name),
                 label->text());
    saveShot(tally, "tally");
    // The tally of 中１ apart, when it is chosen: a 一次関数 table is right
    // with the last button.
    f.practice.startGame(1);
    f.practice.record(2, 4);
    f.practice.record(3, 3);
    f.practice.showGrade(1);
    QCOMPARE(tally->windowTitle(), QStringLiteral("成績表（中１）"));
    QCOMPARE(tally->ui.total->text(), QStringLiteral("答えた問題 2問　正解 1問（50%）"));
    QCOMPARE(tally->ui.count[3 * 6 + 3]->text(), QStringLiteral("－"));
    saveShot(tally, "tally-1");

    // The way back works from the keyboard and greets as any window of ours.
    const int greetings = game.greetings();
    QTest::keyClick(tally->ui.Command1, Qt::Key_Return);
    QTRY_VERIFY(!f.practice.tallyWindow());
    QTRY_COMPARE(game.greetings(), greetings + 1);
}

void TestPractice::classLogAndClassTally()
{
    GameFixture game;
    Form1 &f = *game.form;
    QDateTime now(QDate(2026, 12, 10), QTime(9, 15, 0));
    f.clock = [&now] { return now; };
    game.onResults = [](Form3 &results) { results.ui.Text1->setText("山田,花子"); };
    game.show();
    const QStringList kinds{"比例", "反比例", "一次関数", "２乗に比例", "どれでもない"};
    QStringList lines;
    // Each question: seconds until the answer, then right, wrong or timed out.
    auto play = [&](const QList<std::pair<int, int>> &answers, const QString &tail) {
        f.Command1_Click();
        for (const auto &[ms, how] : answers) {
            QString line = ClassLog::timeText(now) + ",－２～２," + kinds[f.seikai];
            now = now.addMSecs(ms);
            const int points = f.practice.running() ? 0 : 10 - ms / 2000;
            if (how < 0)
                lines << line + ",時間切れ,22.0,0," + tail;
            else
                lines << line + u',' + kinds[(f.seikai + how) % 5]
                        + QString(",%1,%2,").arg(ms / 1000.0, 0, 'f', 1).arg(how ? 0 : points)
                        + tail;
            for (int t = 0; t < (how < 0 ? 11 : ms / 2000); ++t)
                f.Timer1_Timer();
            if (how >= 0)
                game.answer(how == 0);
        }
    };
    play({{3040, 0}, {1260, 1}, {22000, -1}, {0, 0}, {500, 0}}, ",\"山田,花子\",中３");
    f.practice.ui.m6a->trigger();
    play({{4000, 0}, {1000, 0}, {25000, 0}, {0, 0}, {100, 0}}, "練習,,中３");
    const QString log = QDir(game.rankingFolder.path()).filePath("zenta-log");
    QFile written(QDir(log).filePath(ClassLog::fileName(now.date(), f.classLog.device())));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QCOMPARE(bytes, ClassLog::header() + (lines.join("\r\n") + "\r\n").toUtf8());

    // Another device wrote a game the day before.
    QTemporaryDir otherDevice;
    ClassLogWriter other([log] { return std::make_unique<LogFolder>(log); }, otherDevice.path());
    QList<ClassLog::Row> yesterday;
    for (int q = 0; q < 5; ++q)
        yesterday << ClassLog::Row{
            "2026-12-09T10:00:00+09:00", 3, q, q == 2 ? 1 : q, 5.0, 0, false, {}};
    QVERIFY(other.write(yesterday));
    QList<ClassLog::Row> firstGrade = yesterday; // and a game of 中１
    for (ClassLog::Row &r : firstGrade)
        r.grade = 1;
    QVERIFY(other.write(firstGrade));

    f.practice.ui.m6d->trigger();
    ClassTallyWindow *window = f.practice.classTallyWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->today = [] { return QDate(2026, 12, 10); };
    const QStringList headings{
        "答えた問題 10問（うち練習 5問）　正解 8問（80％）　端末 1台",
        "答えた問題 15問（うち練習 5問）　正解 12問（80％）　端末 2台",
    };
    for (int period : {0, 1, 2, 3}) {
        QTest::mouseClick(window->ui.period[period], Qt::LeftButton);
        QVERIFY(window->ui.period[period]->isChecked());
        QCOMPARE(window->ui.total->text(), headings[period > 0]);
    }
    for (QLabel *label : window->findChildren<QLabel *>())
        QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name),
                 label->text());
    saveShot(window, "class-tally");
    // 中１'s rows alone, by its rule: 一次関数 and ２乗に比例 are right with
    // the last button only, whose caption is the grade's.
    QTest::mouseClick(window->ui.grade[0], Qt::LeftButton);
    QVERIFY(window->ui.grade[0]->isChecked() && window->ui.period[3]->isChecked());
    QCOMPARE(window->ui.total->text(),
             "答えた問題 5問（うち練習 0問）　正解 3問（60％）　端末 1台");
    QCOMPARE(window->ui.count[2 * 6 + 3]->text(), "－");
    QCOMPARE(window->ui.heading[4]->text(), "比例でも\n反比例でも\nない関係");
    saveShot(window, "class-tally-1");

    QTemporaryDir saved;
    window->askSavePath = [&saved](QWidget *) { return saved.filePath("class.csv"); };
    QTest::mouseClick(window->ui.Command2, Qt::LeftButton);
    QFile csv(saved.filePath("class.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QByteArray before = ClassLog::header();
    for (const ClassLog::Row &r : yesterday + firstGrade)
        before += ClassLog::encode(r);
    QCOMPARE(csv.readAll(), before + bytes.mid(ClassLog::header().size()));
    window->close();
}

ZENTA_TEST_MAIN(TestPractice)
#include "tst_practice.moc"

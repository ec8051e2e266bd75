// window test
#include "common/captions.h"
#include "gamefixture.h"
#include "layouts/label.h"
#include "layouts/screenfit.h"
#include "review/evidence.h"
#include "review/linebreaks.h"
#include "review/reviewwindow.h"
#include "review/runtally.h"
#include "review/tallywindow.h"
#include "testmain.h"

#include <QAccessible>
#include <QLabel>
#include <QRandomGenerator>
#include <QScreen>
#include <QTextLayout>

// The review of the last finished game, and answering with the keys 1 to 5.
class TestReview : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void keys_data();
    void keys();
    void keysDoNothingWhileTheButtonsAreDisabled();
    void wholeGameWithKeysThenReview();
    void startInALaterGameKeepsTheFinishedOne();
    void windowsFitTheScreen_data();
    void windowsFitTheScreen();
    void linesBreakBetweenWords();

private:
    // What a question showed and how it was answered, read off the main window.
    struct Seen
    {
        QStringList cells;
        int answer;
        QString mark;
        QString points;
    };
    static void pressKey(GameFixture &game, int key, Qt::KeyboardModifiers modifiers = {});
    static QStringList cellsOf(const Form1 &form);
    static QStringList texts(const ReviewWindow &review, int question);
    static QStringList accessibleNames(QAccessibleInterface *node);
};

void TestReview::cleanup()
{
    QCOMPARE(visibleTopLevels(), 0);
}

// A key press as the player makes it: to the widget that has the focus in
// the main window.
void TestReview::pressKey(GameFixture &game, int key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = game.form->focusWidget() ? game.form->focusWidget() : game.form.get();
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

QStringList TestReview::cellsOf(const Form1 &form)
{
    QStringList list;
    for (const Label *cell : form.ui.mondai)
        list << cell->text();
    return list;
}

// The texts of one question of the review, top to bottom.
QStringList TestReview::texts(const ReviewWindow &review, int question)
{
    QStringList list;
    const auto *card = review.findChild<QWidget *>(QStringLiteral("question(%1)").arg(question));
    for (const QLabel *label : card->findChildren<QLabel *>())
        list << label->text();
    return list;
}

QStringList TestReview::accessibleNames(QAccessibleInterface *node)
{
    QStringList names{node->text(QAccessible::Name)};
    for (int i = 0; i < node->childCount(); ++i)
        names << accessibleNames(node->child(i));
    return names;
}

void TestReview::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("answer"); // -1: the key does nothing
    QTest::newRow("1") << int(Qt::Key_1) << Qt::KeyboardModifiers() << 0;
    QTest::newRow("3") << int(Qt::Key_3) << Qt::KeyboardModifiers() << 2;
    QTest::newRow("5") << int(Qt::Key_5) << Qt::KeyboardModifiers() << 4;
    QTest::newRow("keypad 2") << int(Qt::Key_2) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 1;
    QTest::newRow("keypad 5") << int(Qt::Key_5) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 4;
    QTest::newRow("0") << int(Qt::Key_0) << Qt::KeyboardModifiers() << -1;
    QTest::newRow("6") << int(Qt::Key_6) << Qt::KeyboardModifiers() << -1;
    QTest::newRow("ctrl 1") << int(Qt::Key_1) << Qt::KeyboardModifiers(Qt::ControlModifier) << -1;
    QTest::newRow("alt 2") << int(Qt::Key_2) << Qt::KeyboardModifiers(Qt::AltModifier) << -1;
    QTest::newRow("space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << -1;
}

void TestReview::keys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, answer);
    GameFixture game;
    game.show();
    Form1 &f = *game.form;
    f.Command1_Click();
    f.ui.Command3->setFocus(); // not an answer button: Space must not press one
    const int seikai = f.seikai;
    pressKey(game, key, modifiers);
    if (answer < 0) {
        QCOMPARE(f.mon, 1);
        QVERIFY(f.ui.sikiyo[0]->text().isEmpty());
        QCOMPARE(game.platform.beeps, 0);
        return;
    }
    QCOMPARE(f.mon, 2);
    QCOMPARE(f.ui.sikiyo[0]->text(), answer == seikai ? maruMark : batsuMark);
    QCOMPARE(f.ui.tokutenyo->text(),
             answer == seikai ? QStringLiteral(" 10") : QStringLiteral(" 0"));
    QCOMPARE(game.platform.beeps, 1);
}

void TestReview::keysDoNothingWhileTheButtonsAreDisabled()
{
    GameFixture game;
    game.show();
    for (int key = Qt::Key_1; key <= Qt::Key_5; ++key)
        pressKey(game, key);
    QCOMPARE(game.form->mon, 0);
    QCOMPARE(game.platform.beeps, 0);
    QCOMPARE(game.form->ui.monbang->text(), QStringLiteral("番  号"));
}

void TestReview::wholeGameWithKeysThenReview()
{
    GameFixture game;
    game.show();
    Form1 &f = *game.form;
    QVERIFY(!f.ui.m1e->isEnabled());
    QTest::mouseClick(f.ui.Command1, Qt::LeftButton);

    // Right, wrong, time-out, right after two ticks, wrong on the keypad.
    QList<Seen> seen;
    for (int q = 0; q < 5; ++q) {
        Seen s{cellsOf(f), -1, {}, {}};
        if (q == 2) {
            for (int t = 0; t < 11; ++t)
                f.Timer1_Timer();
        } else {
            if (q == 3) {
                f.Timer1_Timer();
                f.Timer1_Timer();
            }
            const bool right = q == 0 || q == 3;
            s.answer = right ? f.seikai : (f.seikai + 2) % 5;
            pressKey(game, Qt::Key_1 + s.answer, q == 4 ? Qt::KeypadModifier : Qt::NoModifier);
        }
        s.mark = f.ui.sikiyo[q]->text();
        s.points = s.mark == maruMark ? (q == 0 ? "10点" : "8点") : "0点";
        QVERIFY(f.ui.m1e->isEnabled() == (q == 4));
        seen << s;
    }
    QCOMPARE(game.modalResults, 1);
    QCOMPARE(f.ui.tokutenyo->text(), QStringLiteral(" 18"));
    QCOMPARE(game.platform.count(QStringLiteral("再スタート")), 1);
    for (QPushButton *button : f.ui.kotae)
        QVERIFY(!button->isEnabled());

    f.ui.m1e->trigger();
    ReviewWindow *review = f.reviewWindow();
    QVERIFY(review);
    QVERIFY(QTest::qWaitForWindowExposed(review));
    QCOMPARE(review->windowTitle(), QStringLiteral("振り返り"));
    for (int q = 0; q < 5; ++q) {
        const QStringList t = texts(*review, q);
        QCOMPARE(t.mid(0, 3),
                 (QStringList{QStringLiteral("第 %1問").arg(q + 1), seen[q].mark, seen[q].points}));
        QCOMPARE(t.mid(3, 12).filter(QRegularExpression("^[^ｘｙ]")), seen[q].cells);
        const QString answer = seen[q].answer < 0 ? "時間切れ" : relationName(seen[q].answer);
        QCOMPARE(withoutWordJoiners(t[15]), QStringLiteral("あなたの答え：") + answer);
        const KeptQuestion &kept = f.keptGame()->questions[q];
        QCOMPARE(withoutWordJoiners(t[16]), QStringLiteral("正解：") + relationName(kept.seikai));
        QVERIFY(t[17].startsWith(QStringLiteral("ｙ＝")));
        QCOMPARE(withoutWordJoiners(t[18]), explanationText(kept));
    }

    // Every text on show is read out as it is shown.
    const QStringList names = accessibleNames(QAccessible::queryAccessibleInterface(review));
    for (const QLabel *label : review->findChildren<QLabel *>())
        QVERIFY2(names.contains(withoutWordJoiners(label->text())), qPrintable(label->text()));
    QVERIFY(!names.join(QString()).contains(QChar(wordJoiner)));
    QAccessibleInterface *button = QAccessible::queryAccessibleInterface(f.ui.kotae[2]);
    QCOMPARE(button->text(QAccessible::Name), f.ui.kotae[2]->text());
    QCOMPARE(button->text(QAccessible::Description), QStringLiteral("キー 3"));

    saveShot(review, "review");

    // Opening it again keeps one window.
    f.m1e_Click();
    QCOMPARE(f.findChildren<ReviewWindow *>().size(), 1);

    // Its way back works from the keyboard as every button does.
    auto *back = review->findChild<QPushButton *>(QStringLiteral("Command1"));
    back->setFocus();
    QTest::keyClick(back, Qt::Key_Return);
    QVERIFY(!review->isVisible());

    // Not while a question runs: the next Start closes an open review.
    f.ui.m1e->trigger();
    QTest::mouseClick(f.ui.Command1, Qt::LeftButton);
    QVERIFY(!f.ui.m1e->isEnabled());
    QTRY_VERIFY(!f.reviewWindow());
    f.m1e_Click();
    QVERIFY(!f.reviewWindow());
}

void TestReview::startInALaterGameKeepsTheFinishedOne()
{
    GameFixture game;
    Form1 &f = *game.form;
    f.Command1_Click();
    for (int q = 0; q < 5; ++q)
        game.answer(true);
    const KeptGame first = *f.keptGame();
    QCOMPARE(first.questions[4].mark, maruMark);

    // A later game abandoned by Start, twice, leaves the finished one.
    f.Command1_Click();
    game.answer(false);
    game.answer(false);
    f.m1a_Click();
    game.answer(false);
    f.m1e_Click();
    QVERIFY(!f.reviewWindow());
    for (int q = 0; q < 5; ++q)
        QCOMPARE(f.keptGame()->questions[q].cells, first.questions[q].cells);

    // A game that finishes replaces it.
    for (int q = 2; q <= 5; ++q)
        game.answer(false);
    f.m1e_Click();
    ReviewWindow *review = f.reviewWindow();
    QCOMPARE(texts(*review, 0)[1], batsuMark);
    QCOMPARE(texts(*review, 4)[1], batsuMark);
    QCOMPARE(f.findChildren<ReviewWindow *>().size(), 1);
}

// The review of five questions with the longest evidence and a wrong
// answer, and the tally of a long run, laid out for a screen: each window
// with its frame on it, every control inside its window, the questions two
// a row only where two fit, the tally's captions whole.
void TestReview::windowsFitTheScreen_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("1024 x 768") << QRect(0, 0, 1024, 728) << 2 << false;
    QTest::newRow("Chromebook") << QRect(0, 0, 1366, 720) << 2 << false;
    QTest::newRow("iPad upright") << QRect(0, 0, 810, 1080) << 1 << false;
    QTest::newRow("netbook") << QRect(0, 24, 1024, 576) << 2 << true;
    QTest::newRow("grade 1, 1024 x 768") << QRect(0, 0, 1024, 728) << 2 << false;
}

void TestReview::windowsFitTheScreen()
{
    QFETCH(QRect, available);
    QFETCH(int, columns);
    QFETCH(bool, scrolls);
    KeptQuestion q;
    q.cells = {"-5", "-4", "-3", "-2", "-1", " 96", " 65", " 40", " 21", " 8"};
    q.seikai = 4;
    q.a = 3;
    q.b = -4;
    q.c = 1;
    q.answer = 0;
    q.mark = batsuMark;
    KeptGame game;
    game.questions.fill(q);
    game.grade = QByteArray(QTest::currentDataTag()).startsWith("grade 1") ? 1 : 3;
    ReviewWindow review;
    review.showGame(game);
    review.layOutFor(available);
    RunTally run(game.grade);
    for (int n = 0; n < 250; ++n)
        run.record(n % kindCount, n % RunTally::columnCount, n % 3);
    TallyWindow tally(nullptr);
    tally.showTally(run);
    tally.ui.layOut(&tally, clientRoom(available).width());

    auto *sheet = review.findChild<QWidget *>(QStringLiteral("sheet"));
    QSet<int> lefts;
    for (const QWidget *card : sheet->findChildren<QWidget *>(QRegularExpression("^question")))
        lefts << card->x();
    QCOMPARE(lefts.size(), columns);
    QCOMPARE(sheet->height() > review.height(), scrolls);
    QVERIFY(sheet->width() <= review.width());
    for (QWidget *window : std::initializer_list<QWidget *>{&review, &tally}) {
        QWidget *client = window == &review ? sheet : window;
        for (const QWidget *child : client->findChildren<QWidget *>())
            QVERIFY2(client->rect().contains(QRect(child->mapTo(client, QPoint()), child->size())),
                     qPrintable(child->objectName()));
        // Shown back on the screen from its corner (on the test's screen too,
        // where Windows would never draw it).
        window->move(available.intersected(window->screen()->geometry()).bottomRight()
                     - QPoint(40, 40));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        keepInside(window, available);
        const QSize frame = window->size() + frameAllowance;
        QVERIFY(available.contains(window->frameGeometry())
                && frame.boundedTo(available.size()) == frame);
        saveShot(window, window->objectName() + u'-' + QLatin1String(QTest::currentDataTag()));
    }
    for (const Label *label : tally.findChildren<Label *>()) {
        const QStringList lines = label->text().split(u'\n');
        for (const QString &line : lines)
            QVERIFY2(label->fontMetrics().horizontalAdvance(line) <= label->width(),
                     qPrintable(line));
        QVERIFY2(lines.size() * label->linePitch() <= label->height(), qPrintable(label->text()));
    }
}

// Every text of the review as its label lays it out, over 500 games of random questions and
// every answer (each laid out anew on its sheet, which costs time under the sanitizers): no
// line breaks inside a number ("－|３", "３分|の２") nor leaves the end of a sentence alone.
void TestReview::linesBreakBetweenWords()
{
    static const QRegularExpression inNumber(
        QStringLiteral("[－０-９．]\\|[０-９．]|[０-９]\\|分の|[０-９]分\\|の|分の\\|[０-９]"));
    ReviewWindow review;
    review.show();
    QVERIFY(QTest::qWaitForWindowExposed(&review));
    ClockRandom random(QRandomGenerator::global()->generate());
    XTable xchi = initialXTable();
    Question q;
    KeptGame game;
    QStringList faults;
    for (int n = 0; n < 2500; ++n) {
        q = makeQuestion(random, n % 4, xchi, q.coefficients);
        xchi = q.xchi;
        game.questions[n % 5].cells = q.cells;
        game.questions[n % 5].seikai = q.seikai;
        for (int answer = KeptQuestion::timedOut; n % 5 == 4 && answer < kindCount; ++answer) {
            for (KeptQuestion &kept : game.questions)
                kept.answer = answer;
            review.showGame(game);
            for (const QLabel *label : review.findChildren<QLabel *>()) {
                if (!label->wordWrap())
                    continue;
                QTextLayout layout(label->text(), label->font(), &review);
                layout.beginLayout();
                QString before; // the line before, read without joiners
                for (QTextLine line = layout.createLine(); line.isValid();
                     line = layout.createLine()) {
                    line.setLineWidth(label->contentsRect().width());
                    const QString shown = withoutWordJoiners(
                        label->text().mid(line.textStart(), line.textLength()));
                    const bool last = line.textStart() + line.textLength() == label->text().size();
                    if (!before.isEmpty()
                        && (uint(shown.indexOf(u'。')) < 3 || (last && shown.size() <= 3)
                            || inNumber.match(before.right(2) + u'|' + shown.left(3)).hasMatch()))
                        faults << before + u'|' + shown;
                    before = shown;
                }
                layout.endLayout();
            }
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(QString::number(faults.size()) + faults.value(0)));
}

ZENTA_TEST_MAIN(TestReview)
#include "tst_review.moc"

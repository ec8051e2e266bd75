#include "game/question.h"
#include "recordingplatform.h"

#include <QSet>
#include <QTest>
#include <cmath>
#include <numeric>
#include <optional>

namespace {

// Recognises the relation of a table from its ten cell texts alone, from
// the mathematics: y = kx, y = k/x, y = mx + n (n != 0), y = kx^2, or
// none of these. Returns -1 for a table that is not well formed.
int classify(const std::array<QString, 10> &cells)
{
    double x[5];
    std::optional<double> y[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        x[i] = cells[i].toDouble(&ok);
        if (!ok)
            return -1;
        const QString yText = cells[i + 5];
        if (yText == QStringLiteral(" ×")) {
            if (x[i] != 0)
                return -1;
        } else {
            y[i] = yText.toDouble(&ok);
            if (!ok)
                return -1;
        }
    }
    auto near = [](double p, double q) { return std::fabs(p - q) < 1e-9; };
    auto allFit = [&](auto model) {
        for (int i = 0; i < 5; ++i)
            if (!y[i] || !near(*y[i], model(x[i])))
                return false;
        return true;
    };

    // Inversely proportional: x * y is one constant wherever x is not 0,
    // and there is no y at x = 0.
    {
        std::optional<double> k;
        bool fits = true;
        for (int i = 0; i < 5 && fits; ++i) {
            if (x[i] == 0) {
                fits = !y[i];
            } else if (!y[i]) {
                fits = false;
            } else {
                if (!k)
                    k = x[i] * *y[i];
                fits = near(*k, x[i] * *y[i]);
            }
        }
        if (fits && k && *k != 0)
            return 1;
    }
    for (int i = 0; i < 5; ++i)
        if (!y[i])
            return -1;

    // Fit y = p x^2 + q x + r through the first three points and check the
    // other two; a table fits exactly one such curve.
    const double x0 = x[0], x1 = x[1], x2 = x[2];
    const double y0 = *y[0], y1 = *y[1], y2 = *y[2];
    const double d01 = (y1 - y0) / (x1 - x0), d12 = (y2 - y1) / (x2 - x1);
    const double p = (d12 - d01) / (x2 - x0);
    const double q = d01 - p * (x0 + x1);
    const double r = y0 - p * x0 * x0 - q * x0;
    if (!allFit([&](double v) { return p * v * v + q * v + r; }))
        return -1; // not even a quadratic: no kind makes such a table
    const bool zp = near(p, 0), zq = near(q, 0), zr = near(r, 0);
    if (zp && !zq && zr)
        return 0;
    if (zp && !zq && !zr)
        return 2;
    if (!zp && zq && zr)
        return 3;
    return 4;
}

const QSet<double> &quotients()
{
    static const QSet<double> values = [] {
        QSet<double> set;
        for (double v : {1.0, 1.2, 1.5, 2.0, 2.4, 3.0, 3.6, 4.0, 4.5, 6.0, 9.0, 12.0, 18.0}) {
            set.insert(v);
            set.insert(-v);
        }
        return set;
    }();
    return values;
}

} // namespace

class TestQuestion : public QObject
{
    Q_OBJECT
private slots:
    void workedExamples_data();
    void workedExamples();
    void zeroCoefficientsAreDrawnAgain();
    void unusedCoefficientsKeepTheirValues();
    void kindFromASet_data();
    void kindFromASet();
    void everyTableOfAGrade();
    void manyQuestions_data();
    void manyQuestions();
};

void TestQuestion::workedExamples_data()
{
    QTest::addColumn<int>("hani");
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<int>("seikai");
    QTest::addColumn<QStringList>("cells");

    // A draw R for which floor(R * n) == k.
    auto w = [](int k, int n) { return (k + 0.5) / n; };
    QTest::newRow("proportional a=3, -2..2")
        << 0 << QList<double>{w(0, 5), w(7, 9)} << 0
        << QStringList{"-2", "-1", " 0", " 1", " 2", "-6", "-3", " 0", " 3", " 6"};
    QTest::newRow("inverse a=6, -2..2")
        << 0 << QList<double>{w(1, 5), w(0, 3), 0.75} << 1
        << QStringList{"-2", "-1", " 0", " 1", " 2", "-3", "-6", " ×", " 6", " 3"};
    QTest::newRow("inverse a=-12, 1..5")
        << 1 << QList<double>{w(1, 5), w(1, 3), 0.25} << 1
        << QStringList{" 1", " 2", " 3", " 4", " 5", "-12", "-6", "-4", "-3", "-2.4"};
    QTest::newRow("inverse a=6, -5..-1")
        << 2 << QList<double>{w(1, 5), w(0, 3), 0.5} << 1
        << QStringList{"-5", "-4", "-3", "-2", "-1", "-1.2", "-1.5", "-2", "-3", "-6"};
    QTest::newRow("inverse a=18, random")
        << 3 << QList<double>{w(1, 5), w(2, 3), 0.99} << 1
        << QStringList{"-4", "-1", " 3", " 5", " 6", "-4.5", "-18", " 6", " 3.6", " 3"};
    QTest::newRow("linear a=-2 b=3, -5..-1")
        << 2 << QList<double>{w(2, 5), w(2, 9), w(7, 9)} << 2
        << QStringList{"-5", "-4", "-3", "-2", "-1", " 13", " 11", " 9", " 7", " 5"};
    QTest::newRow("square a=2, -2..2")
        << 0 << QList<double>{w(3, 5), w(5, 7)} << 3
        << QStringList{"-2", "-1", " 0", " 1", " 2", " 8", " 2", " 0", " 2", " 8"};
    QTest::newRow("none a=1 b=-2 c=0, 1..5")
        << 1 << QList<double>{w(4, 5), w(5, 9), w(2, 9), w(4, 9)} << 4
        << QStringList{" 1", " 2", " 3", " 4", " 5", "-1", " 0", " 3", " 8", " 15"};
    QTest::newRow("none a=-1 b=4 c=-2, random -3 +2 +1 +3 +1")
        << 3 << QList<double>{w(4, 5), w(3, 9), w(8, 9), w(2, 9), w(4, 9),
                              w(1, 3), w(0, 3), w(2, 3), w(0, 3)}
        << 4 << QStringList{"-3", "-1", " 0", " 3", " 4", "-23", "-7", "-2", " 1", "-2"};
}

void TestQuestion::workedExamples()
{
    QFETCH(int, hani);
    QFETCH(QList<double>, draws);
    QFETCH(int, seikai);
    QFETCH(QStringList, cells);

    ScriptedRandom random;
    for (double r : draws)
        random.push(r);
    const Question q = makeQuestion(random, hani, initialXTable(), {});
    QCOMPARE(random.remaining(), 0);
    QVERIFY(!random.exhausted());
    QCOMPARE(q.seikai, seikai);
    QCOMPARE(QStringList(q.cells.begin(), q.cells.end()), cells);
}

void TestQuestion::zeroCoefficientsAreDrawnAgain()
{
    // Kind 4: a draws 0 twice, b draws 0 once; c may be 0 with one draw.
    ScriptedRandom random{0.9, 4.5 / 9, 4.5 / 9, 1.5 / 9, 4.5 / 9, 8.5 / 9, 4.5 / 9};
    const Question q = makeQuestion(random, 0, initialXTable(), {});
    QCOMPARE(random.remaining(), 0);
    QCOMPARE(q.seikai, 4);
    QCOMPARE(q.coefficients.a, -3);
    QCOMPARE(q.coefficients.b, 4);
    QCOMPARE(q.coefficients.c, 0);
    QCOMPARE(q.cells[7], " 0"); // y at x = 0 is c
}

void TestQuestion::unusedCoefficientsKeepTheirValues()
{
    ScriptedRandom random{0.1, 7.5 / 9}; // kind 0, a = 3
    const Question q = makeQuestion(random, 0, initialXTable(), {-4, 2, -1});
    QCOMPARE(q.coefficients.a, 3);
    QCOMPARE(q.coefficients.b, 2);
    QCOMPARE(q.coefficients.c, -1);
}

void TestQuestion::kindFromASet_data()
{
    QTest::addColumn<QString>("kinds"); // bits, kind 4 first
    QTest::addColumn<int>("grade");
    QTest::addColumn<double>("draw");
    QTest::addColumn<int>("seikai"); // the next draws are 0.9
    QTest::newRow("1 and 3, first") << "01010" << 3 << 0.49 << 1;
    QTest::newRow("1 and 3, second") << "01010" << 3 << 0.5 << 3;
    QTest::newRow("4 alone") << "10000" << 3 << 0.99 << 4;
    QTest::newRow("0, 2, 4, middle") << "10101" << 3 << 0.5 << 2;
    QTest::newRow("none stands for all") << "00000" << 3 << 0.3 << 1;
    // 中１: floor(R * 3), then the last button's 2 + floor(R * 3).
    QTest::newRow("中１ 反比例") << "00000" << 1 << 0.5 << 1;
    QTest::newRow("中１ last: ２乗 or none") << "00000" << 1 << 0.7 << 4;
    QTest::newRow("中１ missed 反比例 and last") << "10010" << 1 << 0.3 << 1;
    QTest::newRow("中１ unlearned stands for all") << "00100" << 1 << 0.3 << 0;
    // 中２: floor(R * 4), then the last button's 3 + floor(R * 2).
    QTest::newRow("中２ 一次関数") << "00000" << 2 << 0.6 << 2;
    QTest::newRow("中２ last") << "00000" << 2 << 0.8 << 4;
}

void TestQuestion::kindFromASet()
{
    QFETCH(QString, kinds);
    QFETCH(int, grade);
    QFETCH(double, draw);
    QFETCH(int, seikai);
    ScriptedRandom random{draw, 0.9, 0.9, 0.9, 0.9, 0.9};
    const Question q
        = makeQuestion(random, 0, initialXTable(), {}, grade, KindSet(kinds.toStdString()));
    QCOMPARE(q.seikai, seikai);
}

// Every table that a game can show, each coefficient and x row, drawn in
// 中１ or 中２ in turn: it is of the kind drawn, so exactly one of the
// grade's buttons names it, the last one where the grade has not learned
// the kind.
void TestQuestion::everyTableOfAGrade()
{
    auto w = [](int k, int n) { return (k + 0.5) / n; };
    // Each kind's draws: how many of each coefficient's values (n: floor(R
    // * n)) and which of them are not drawn (the zero); kind 1's sign last.
    const QList<QList<std::pair<int, int>>> draws
        = {{{9, 4}}, {{3, -1}, {2, -1}}, {{9, 4}, {9, 4}}, {{7, 3}}, {{9, 4}, {9, 4}, {9, -1}}};
    int tables = 0;
    for (int kind = 0; kind < kindCount; ++kind) {
        const int sets = std::accumulate(draws[kind].begin(), draws[kind].end(), 1,
                                         [](int p, auto d) { return p * d.first; });
        for (int set = 0; set < sets; ++set)
            for (int row = 0; row < (kind == 1 ? 4 : 3 + 729); ++row) {
                ScriptedRandom random;
                const int grade = 1 + tables % 2, answer = rightAnswer(kind, grade);
                const KindSet answers = gradeAnswers(grade);
                const int learned = int(answers.count()) - 1;
                random.push(w(int((answers << (kindCount - answer)).count()), learned + 1));
                if (answer == lastAnswer)
                    random.push(w(kind - learned, kindCount - learned));
                bool zero = false;
                for (int i = 0, rest = set; i < draws[kind].size();
                     rest /= draws[kind][i++].first) {
                    random.push(w(rest % draws[kind][i].first, draws[kind][i].first));
                    zero = zero || rest % draws[kind][i].first == draws[kind][i].second;
                }
                if (row >= 3 && kind != 1) { // the random x row: its first, four steps
                    random.push(w((row - 3) / 81, 9));
                    for (int digit = 1; digit <= 27; digit *= 3)
                        random.push(w((row - 3) / digit % 3, 3));
                }
                if (zero)
                    continue; // drawn again: a table of other draws
                ++tables;
                const Question q
                    = makeQuestion(random, std::min(row, 3), initialXTable(), {}, grade);
                QVERIFY(random.remaining() == 0 && !random.exhausted());
                QCOMPARE(q.seikai, kind);
                QCOMPARE(classify(q.cells), kind);
            }
    }
    QCOMPARE(tables, 660 * 3 + 654 * 729 + 6);
}

void TestQuestion::manyQuestions_data()
{
    QTest::addColumn<int>("grade");
    QTest::newRow("中１") << 1;
    QTest::newRow("中２") << 2;
    QTest::newRow("中３") << 3;
}

void TestQuestion::manyQuestions()
{
    ClockRandom random(4242);
    XTable xchi = initialXTable();
    const XTable initial = initialXTable();
    Coefficients previous;
    QFETCH(int, grade);
    int answers[5] = {};
    bool sawZeroInRandomRange = false;
    for (int n = 0; n < 100000; ++n) {
        const int hani = n % 4;
        const Question q = makeQuestion(random, hani, xchi, previous, grade);
        xchi = q.xchi;
        previous = q.coefficients;
        const Coefficients &k = q.coefficients;

        QCOMPARE(classify(q.cells), int(q.seikai));
        ++answers[rightAnswer(q.seikai, grade)];
        for (int r = 0; r < 3; ++r)
            QCOMPARE(q.xchi[r], initial[r]);

        const auto inAbs
            = [](int v, int lo, int hi) { return std::abs(v) >= lo && std::abs(v) <= hi; };
        switch (q.seikai) {
        case 0:
            QVERIFY(inAbs(k.a, 1, 4));
            break;
        case 1:
            QVERIFY(k.a % 6 == 0 && inAbs(k.a, 6, 18));
            for (int i = 5; i < 10; ++i)
                if (q.cells[i] != QStringLiteral(" ×"))
                    QVERIFY2(quotients().contains(q.cells[i].toDouble()), qPrintable(q.cells[i]));
            break;
        case 2:
            QVERIFY(inAbs(k.a, 1, 4) && inAbs(k.b, 1, 4));
            break;
        case 3:
            QVERIFY(inAbs(k.a, 1, 3));
            break;
        default:
            QVERIFY(inAbs(k.a, 1, 4) && inAbs(k.b, 1, 4) && inAbs(k.c, 0, 4));
        }
        if (q.seikai != 1)
            for (int i = 5; i < 10; ++i)
                QVERIFY(q.cells[i] != QStringLiteral(" ×"));

        if (hani == 3) {
            const XRow &x = q.xchi[3];
            if (q.seikai == 1) {
                QCOMPARE(x, (XRow{-4, -1, 3, 5, 6}));
            } else {
                QVERIFY(x[0] >= -7 && x[0] <= 1);
                for (int i = 1; i < 5; ++i)
                    QVERIFY(x[i] - x[i - 1] >= 1 && x[i] - x[i - 1] <= 3);
                sawZeroInRandomRange |= std::find(x.begin(), x.end(), 0) != x.end();
            }
        }
    }
    // Each of the grade's answers equally likely, the others never right.
    const KindSet own = gradeAnswers(grade);
    const int expected = 100000 / int(own.count());
    for (int answer = 0; answer < 5; ++answer)
        QVERIFY2(own[answer] ? std::abs(answers[answer] - expected) < expected / 10
                             : answers[answer] == 0,
                 qPrintable(QString::number(answers[answer])));
    QVERIFY(sawZeroInRandomRange);
}

QTEST_APPLESS_MAIN(TestQuestion)
#include "tst_question.moc"

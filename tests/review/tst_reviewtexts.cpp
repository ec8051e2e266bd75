#include "common/numbertext.h"
#include "game/question.h"
#include "review/evidence.h"
#include "review/formula.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <optional>

using Cells = std::array<QString, 10>;
Q_DECLARE_METATYPE(Cells)

namespace {

Cells cells(const QStringList &x, const QStringList &y)
{
    Cells c;
    for (int i = 0; i < 5; ++i) {
        c[i] = x[i];
        c[i + 5] = y[i];
    }
    return c;
}

// Reads a formula back: "ｙ＝" and terms "－３ｘ²", "＋ｘ", "－４", "－１２／ｘ".
// Returns the y text the table shows for x (" ×" where y/x has no value),
// or nothing when the formula is not written as expected.
std::optional<QString> evaluate(const QString &formula, int x)
{
    static const QRegularExpression term(QStringLiteral("^([-+]?)(\\d*)(x²|x|/x)?"));
    QString ascii = formula; // read in half-width
    for (QChar &ch : ascii)
        ch = ch.unicode() > 0xFF00 && ch.unicode() < 0xFF5F ? QChar(ch.unicode() - 0xFEE0) : ch;
    if (!ascii.startsWith(QStringLiteral("y=")) || ascii.contains(u' '))
        return std::nullopt;
    QString rest = ascii.mid(2);
    double y = 0;
    bool first = true;
    while (!rest.isEmpty()) {
        const auto m = term.match(rest);
        if (!m.hasMatch() || m.capturedLength() == 0)
            return std::nullopt;
        const QString sign = m.captured(1), digits = m.captured(2), power = m.captured(3);
        if ((first ? sign == u'+' : sign.isEmpty()) || (digits.isEmpty() && power.isEmpty())
            || digits.startsWith(u'0')
            || (digits == QStringLiteral("1") && !power.isEmpty() && power != QStringLiteral("/x")))
            return std::nullopt; // a sign out of place, "1x", "0", ...
        const double k = (sign.contains(u'-') ? -1 : 1) * (digits.isEmpty() ? 1 : digits.toInt());
        if (power == QStringLiteral("x²"))
            y += k * x * x;
        else if (power == QStringLiteral("x"))
            y += k * x;
        else if (power == QStringLiteral("/x"))
            return x == 0 ? QStringLiteral(" ×") : numberText(k / x);
        else
            y += k;
        rest = rest.mid(m.capturedLength());
        first = false;
    }
    return numberText(y);
}

} // namespace

// The formula and the evidence shown for each question of a game.
class TestReviewTexts : public QObject
{
    Q_OBJECT
private slots:
    void formula_data();
    void formula();
    void japaneseNumbers_data();
    void japaneseNumbers();
    void evidenceOfTheWorkedExamples_data();
    void evidenceOfTheWorkedExamples();
    void formulaGivesTheTableOfRandomQuestions();
};

void TestReviewTexts::formula_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<QString>("expected");
    QTest::newRow("proportional") << 0 << 3 << 0 << 0 << "y = 3x";
    QTest::newRow("proportional -1") << 0 << -1 << 0 << 0 << "y = -x";
    QTest::newRow("proportional 1") << 0 << 1 << 0 << 0 << "y = x";
    // Coefficients that the kind does not use are left from earlier questions.
    QTest::newRow("proportional, stale b c") << 0 << -4 << 3 << -2 << "y = -4x";
    QTest::newRow("inverse") << 1 << 6 << 0 << 0 << "y = 6/x";
    QTest::newRow("inverse negative") << 1 << -12 << 4 << 0 << "y = -12/x";
    QTest::newRow("linear") << 2 << -2 << 3 << 0 << "y = -2x + 3";
    QTest::newRow("linear 1, b negative") << 2 << 1 << -4 << 0 << "y = x - 4";
    QTest::newRow("linear -1, b -1") << 2 << -1 << -1 << 0 << "y = -x - 1";
    QTest::newRow("linear, stale c") << 2 << 4 << 1 << 3 << "y = 4x + 1";
    QTest::newRow("square") << 3 << 2 << 0 << 0 << "y = 2x²";
    QTest::newRow("square -1") << 3 << -1 << 0 << 0 << "y = -x²";
    QTest::newRow("square 1, stale b") << 3 << 1 << 2 << 0 << "y = x²";
    QTest::newRow("none, c 0") << 4 << 1 << -2 << 0 << "y = x² - 2x";
    QTest::newRow("none, b 1") << 4 << -3 << 1 << -4 << "y = -3x² + x - 4";
    QTest::newRow("none, b -1") << 4 << 2 << -1 << 3 << "y = 2x² - x + 3";
    QTest::newRow("none, a -1") << 4 << -1 << 4 << -2 << "y = -x² + 4x - 2";
}

void TestReviewTexts::formula()
{
    QFETCH(int, kind);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(QString, expected);
    QCOMPARE(formulaText(kind, qint16(a), qint16(b), qint16(c)), fullWidth(expected.remove(u' ')));
}

void TestReviewTexts::japaneseNumbers_data()
{
    QTest::addColumn<int>("num");
    QTest::addColumn<int>("den");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 18 << 1 << "１８";
    QTest::newRow("zero") << 0 << 5 << "０";
    QTest::newRow("decimal") << -12 << 10 << "－１．２";
    QTest::newRow("half") << -1 << 2 << "－０．５";
    QTest::newRow("reduced") << 14 << 4 << "３．５";
    QTest::newRow("fraction") << 7 << 3 << "３分の７";
    QTest::newRow("four places") << -3 << 16 << "－１６分の３";
    QTest::newRow("negative fraction") << 23 << -9 << "－９分の２３";
    QTest::newRow("no value") << 1 << 0 << "";
}

void TestReviewTexts::japaneseNumbers()
{
    QFETCH(int, num);
    QFETCH(int, den);
    QFETCH(QString, expected);
    QCOMPARE(japaneseNumber(num, den), expected);
}

void TestReviewTexts::evidenceOfTheWorkedExamples_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<Cells>("table");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("wrong"); // why answers 0 to 4 do not fit, if given
    const QString no = QStringLiteral("で，一定ではないので，");
    const QString none = QStringLiteral("ので，どれでもない関係ではありません。");
    const QStringList range0{"-2", "-1", " 0", " 1", " 2"};
    const QStringList range1{" 1", " 2", " 3", " 4", " 5"};
    const QStringList range2{"-5", "-4", "-3", "-2", "-1"};
    QTest::newRow("kind 0, a 3, range 0")
        << 0 << cells(range0, {"-6", "-3", " 0", " 3", " 6"})
        << "ｘ＝０のときを除くと，ｙ÷ｘの値がいつも３なので，ｙはｘに比例します。"
           "比例定数は３で，グラフは原点を通る直線です。"
        << QStringList{"", "ｘ×ｙの値は１２や３" + no + "反比例ではありません。",
                       "比例は一次関数ｙ＝ａｘ＋ｂでｂ＝０の場合ともいえますが，このゲームでは比例"
                       "と答えます。",
                       "ｙ÷ｘ²の値は－１．５や－３" + no + "ｙはｘの２乗に比例しません。",
                       "ｙはｘに比例する" + none};
    QTest::newRow("kind 1, a 6, range 0")
        << 1 << cells(range0, {"-3", "-6", " ×", " 6", " 3"})
        << "ｘ＝０のときを除くと，ｘ×ｙの値がいつも６なので，ｙはｘに反比例します。"
           "比例定数は６で，グラフは双曲線です。"
        << QStringList{"ｙ÷ｘの値は１．５や６" + no + "比例ではありません。", "",
                       "変化の割合は－３や６" + no + "一次関数ではありません。", // across x = 0
                       "ｙ÷ｘ²の値は－０．７５や－６" + no + "ｙはｘの２乗に比例しません。",
                       "ｙはｘに反比例する" + none};
    QTest::newRow("kind 1, a -12, range 1")
        << 1 << cells(range1, {"-12", "-6", "-4", "-3", "-2.4"})
        << "ｘ×ｙの値がいつも－１２なので，ｙはｘに反比例します。"
           "比例定数は－１２で，グラフは双曲線です。"
        << QStringList();
    QTest::newRow("kind 1, a 6, range 2")
        << 1 << cells(range2, {"-1.2", "-1.5", "-2", "-3", "-6"})
        << "ｘ×ｙの値がいつも６なので，ｙはｘに反比例します。比例定数は６で，グラフは双曲線です。"
        << QStringList();
    QTest::newRow("kind 1, a 18, range 3")
        << 1 << cells({"-4", "-1", " 3", " 5", " 6"}, {"-4.5", "-18", " 6", " 3.6", " 3"})
        << "ｘ×ｙの値がいつも１８なので，ｙはｘに反比例します。"
           "比例定数は１８で，グラフは双曲線です。"
        << QStringList();
    QTest::newRow("kind 2, a -2, b 3, range 2")
        << 2 << cells(range2, {" 13", " 11", " 9", " 7", " 5"})
        << "変化の割合がいつも－２なので，ｙはｘの一次関数です。"
           "ｘ＝０のときのｙの値は３で，０ではないので，グラフは原点を通らない直線です。"
        << QStringList{"ｙ÷ｘの値は－２．６や－２．７５" + no + "比例ではありません。",
                       "ｘ×ｙの値は－６５や－４４" + no + "反比例ではありません。", "",
                       "ｙ÷ｘ²の値は０．５２や１６分の１１" + no + "ｙはｘの２乗に比例しません。",
                       "ｙはｘの一次関数な" + none};
    QTest::newRow("kind 3, a 2, range 0")
        << 3 << cells(range0, {" 8", " 2", " 0", " 2", " 8"})
        << "ｘ＝０のときを除くと，ｙ÷ｘ²の値がいつも２なので，ｙはｘの２乗に比例します。"
           "比例定数は２で，グラフは原点を頂点とする放物線です。"
        << QStringList{"ｙ÷ｘの値は－４や－２" + no + "比例ではありません。",
                       "ｘ×ｙの値は－１６や－２" + no + "反比例ではありません。",
                       "変化の割合は－６や－２" + no + "一次関数ではありません。", "",
                       "ｙはｘの２乗に比例する" + none};
    QTest::newRow("kind 4, a 1, b -2, c 0, range 1")
        << 4 << cells(range1, {"-1", " 0", " 3", " 8", " 15"})
        << "ｙ÷ｘの値は－１や０，ｘ×ｙの値は－１や０，変化の割合は１や３，ｙ÷ｘ²の値は－１や０で，"
           "どれも一定ではないので，４つのどれにもあてはまりません。"
        << QStringList{"ｙ÷ｘの値が一定ではないので，比例ではありません。",
                       "ｘ×ｙの値が一定ではないので，反比例ではありません。",
                       "変化の割合が一定ではないので，一次関数ではありません。",
                       "ｙ÷ｘ²の値が一定ではないので，ｙはｘの２乗に比例しません。", ""};
    QTest::newRow("kind 4, range 3")
        << 4 << cells({"-3", "-1", " 0", " 3", " 4"}, {"-23", "-7", "-2", " 1", "-2"})
        << "ｙ÷ｘの値は３分の２３や７，ｘ×ｙの値は６９や７，変化の割合は８や５，"
           "ｙ÷ｘ²の値は－９分の２３や－７で，"
           "どれも一定ではないので，４つのどれにもあてはまりません。"
        << QStringList();
    // Rows named after a grade are said in its words: a relation it has not
    // learned is none of those it has.
    QTest::newRow("中１ kind 2, a 2, b 1, range 0")
        << 2 << cells(range0, {"-3", "-1", " 1", " 3", " 5"})
        << "ｙ÷ｘの値は１．５や１，ｘ×ｙの値は６や１で，"
           "どちらも一定ではないので，比例でも反比例でもありません。"
        << QStringList{"ｙ÷ｘの値が一定ではないので，比例ではありません。",
                       "ｘ×ｙの値が一定ではないので，反比例ではありません。", "", "", ""};
    QTest::newRow("中１ kind 0, a 3, range 0")
        << 0 << cells(range0, {"-6", "-3", " 0", " 3", " 6"})
        << "ｘ＝０のときを除くと，ｙ÷ｘの値がいつも３なので，ｙはｘに比例します。"
           "比例定数は３で，グラフは原点を通る直線です。"
        << QStringList{"", "ｘ×ｙの値は１２や３" + no + "反比例ではありません。", "", "",
                       "ｙはｘに比例するので，比例でも反比例でもない関係ではありません。"};
    QTest::newRow("中２ kind 3, a 2, range 0")
        << 3 << cells(range0, {" 8", " 2", " 0", " 2", " 8"})
        << "ｙ÷ｘの値は－４や－２，ｘ×ｙの値は－１６や－２，変化の割合は－６や－２で，"
           "どれも一定ではないので，比例，反比例，一次関数のどれにもあてはまりません。"
        << QStringList{"ｙ÷ｘの値が一定ではないので，比例ではありません。",
                       "ｘ×ｙの値が一定ではないので，反比例ではありません。",
                       "変化の割合が一定ではないので，一次関数ではありません。", "", ""};
}

void TestReviewTexts::evidenceOfTheWorkedExamples()
{
    QFETCH(int, kind);
    QFETCH(Cells, table);
    QFETCH(QString, expected);
    QFETCH(QStringList, wrong);
    const QString tag = QTest::currentDataTag();
    const int grade = tag.startsWith("中１") ? 1 : tag.startsWith("中２") ? 2 : 3;
    QCOMPARE(evidenceText(kind, table, grade), expected);
    for (int answer = 0; answer < wrong.size(); ++answer)
        QCOMPARE(wrongChoiceText(kind, answer, table, grade), wrong[answer]);
}

// The formula, read back and worked out at the five x values, gives the
// five y cells exactly; the evidence finds the deciding quantity constant
// for every table of the first four kinds, and none constant for the last,
// in each grade, where it never names a relation the grade has not learned.
void TestReviewTexts::formulaGivesTheTableOfRandomQuestions()
{
    const QRegularExpression unlearned[]
        = {QRegularExpression(QStringLiteral("一次関数|変化の割合|２乗|²")),
           QRegularExpression(QStringLiteral("２乗|²")),
           QRegularExpression(QStringLiteral("(?!)"))}; // 中３ has learned them all
    const quint32 seed = QRandomGenerator::global()->generate();
    ClockRandom random(seed);
    XTable xchi = initialXTable();
    Coefficients previous;
    for (int n = 0; n < 100000; ++n) {
        const int hani = n % 4, grade = n / 4 % 3 + 1;
        const Question q = makeQuestion(random, hani, xchi, previous, grade);
        xchi = q.xchi;
        previous = q.coefficients;
        const Coefficients &k = q.coefficients;
        const QString formula = formulaText(q.seikai, k.a, k.b, k.c);
        for (int i = 0; i < 5; ++i) {
            const std::optional<QString> y = evaluate(formula, xchi[hani][i]);
            if (!y || *y != q.cells[i + 5])
                QFAIL(qPrintable(QStringLiteral("seed %1, question %2: %3 gives \"%4\" at x = %5, "
                                                "the table shows \"%6\"")
                                     .arg(seed)
                                     .arg(n)
                                     .arg(formula, y.value_or("?"), q.cells[i])
                                     .arg(q.cells[i + 5])));
        }
        const int right = rightAnswer(q.seikai, grade);
        QString evidence = evidenceText(q.seikai, q.cells, grade);
        bool decided = right < 4 ? evidence.contains(QStringLiteral("いつも"))
                                 : evidence.contains(QStringLiteral("も一定ではないので"));
        for (int answer = KeptQuestion::timedOut; answer < 5; ++answer) { // no word on a time-out
            const QString why = wrongChoiceText(q.seikai, answer, q.cells, grade);
            decided = decided
                && (answer == right || answer < 0 || !gradeAnswers(grade)[answer]) == why.isEmpty();
            evidence += why;
        }
        decided = decided && !unlearned[grade - 1].match(evidence).hasMatch();
        if (!decided)
            QFAIL(qPrintable(
                QStringLiteral("seed %1, question %2: %3").arg(seed).arg(n).arg(evidence)));
    }
}

QTEST_GUILESS_MAIN(TestReviewTexts)
#include "tst_reviewtexts.moc"

#include "review/evidence.h"

#include "common/captions.h"
#include "review/formula.h"

#include <QStringList>
#include <algorithm>
#include <numeric>
#include <optional>
#include <vector>

namespace {

// An exact rational number; the cells hold at most one decimal digit, so
// every quotient of them is one of these.
struct Fraction
{
    long long num = 0;
    long long den = 1;

    Fraction() = default;
    explicit Fraction(long long n, long long d = 1)
    {
        if (d < 0) {
            n = -n;
            d = -d;
        }
        const long long g = std::gcd(n, d);
        num = g ? n / g : 0;
        den = g ? d / g : 1;
    }
    bool operator==(const Fraction &) const = default;
};

Fraction operator-(Fraction p, Fraction q)
{
    return Fraction(p.num * q.den - q.num * p.den, p.den * q.den);
}
Fraction operator*(Fraction p, Fraction q)
{
    return Fraction(p.num * q.num, p.den * q.den);
}
Fraction operator/(Fraction p, Fraction q)
{
    return Fraction(p.num * q.den, p.den * q.num);
}

// A cell's number: " 7", "-2.4"; none for " ×", an empty cell or a text
// that is not a plain decimal number.
std::optional<Fraction> cellValue(const QString &text)
{
    const QString t = text.trimmed();
    long long num = 0, den = 1;
    bool digits = false, point = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar ch = t[i];
        if (i == 0 && ch == u'-')
            continue;
        if (ch == u'.' && !point) {
            point = true;
        } else if (ch >= u'0' && ch <= u'9' && num < 100000000) {
            num = num * 10 + (ch.unicode() - u'0');
            if (point)
                den *= 10;
            digits = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    return Fraction(t.startsWith(u'-') ? -num : num, den);
}

// The values of one quantity over the table, left to right.
struct Quantity
{
    QString name; // "ｙ÷ｘの値"
    std::vector<Fraction> values;

    bool constant() const
    {
        return !values.empty() && std::all_of(values.begin(), values.end(), [&](const Fraction &v) {
            return v == values.front();
        });
    }
    // "ｙ÷ｘの値がいつも３"
    QString always() const { return name + QStringLiteral("がいつも") + number(values[0]); }
    // "ｙ÷ｘの値は－１や０": the first value and the first that differs.
    QString differ() const
    {
        const auto other = std::find_if(values.begin(), values.end(),
                                        [&](const Fraction &v) { return !(v == values.front()); });
        const Fraction second = other == values.end() ? values.front() : *other;
        return name + QStringLiteral("は") + number(values[0]) + QStringLiteral("や")
            + number(second);
    }
    static QString number(Fraction f) { return japaneseNumber(f.num, f.den); }
};

// What the numbers of a table show: the four quantities that decide a
// relation, and where a linear function through the table meets x = 0.
struct Table
{
    std::optional<Fraction> x[5], y[5];
    bool zeroColumn = false; // an x of 0, where y ÷ x has no value
    Quantity quotient{QStringLiteral("ｙ÷ｘの値"), {}};
    Quantity product{QStringLiteral("ｘ×ｙの値"), {}};
    Quantity rate{QStringLiteral("変化の割合"), {}};
    Quantity squareQuotient{QStringLiteral("ｙ÷ｘ²の値"), {}};

    explicit Table(const std::array<QString, 10> &cells)
    {
        int last = -1; // the last column with both values
        for (int i = 0; i < 5; ++i) {
            x[i] = cellValue(cells[i]);
            y[i] = cellValue(cells[i + 5]);
            zeroColumn = zeroColumn || (x[i] && x[i]->num == 0);
            if (!x[i] || !y[i])
                continue;
            if (x[i]->num != 0) {
                quotient.values.push_back(*y[i] / *x[i]);
                product.values.push_back(*x[i] * *y[i]);
                squareQuotient.values.push_back(*y[i] / (*x[i] * *x[i]));
            }
            // From one value to the next, over a column without one: 6 ÷ x
            // has no rate of its own across x = 0.
            if (last >= 0 && !(*x[i] == *x[last]))
                rate.values.push_back((*y[i] - *y[last]) / (*x[i] - *x[last]));
            last = i;
        }
    }

    // The quantity that is constant in a table of the kind (0 to 3).
    const Quantity *deciding(int kind) const
    {
        switch (kind) {
        case 0:
            return &quotient;
        case 1:
            return &product;
        case 2:
            return &rate;
        case 3:
            return &squareQuotient;
        default:
            return nullptr;
        }
    }

    // The value of y at x = 0 on the straight line through the table;
    // none unless the rate of change is constant.
    std::optional<Fraction> atZero() const
    {
        if (!rate.constant())
            return std::nullopt;
        for (int i = 0; i < 5; ++i)
            if (x[i] && y[i])
                return *y[i] - rate.values[0] * *x[i];
        return std::nullopt;
    }
};

// How each kind (0 to 3) is said to hold, and not to hold.
const QString holds[4] = {
    QStringLiteral("ｙはｘに比例します。"),
    QStringLiteral("ｙはｘに反比例します。"),
    QStringLiteral("ｙはｘの一次関数です。"),
    QStringLiteral("ｙはｘの２乗に比例します。"),
};
const QString holdsBecause[4] = {
    QStringLiteral("ｙはｘに比例するので"),
    QStringLiteral("ｙはｘに反比例するので"),
    QStringLiteral("ｙはｘの一次関数なので"),
    QStringLiteral("ｙはｘの２乗に比例するので"),
};
const QString fails[4] = {
    QStringLiteral("比例ではありません。"),
    QStringLiteral("反比例ではありません。"),
    QStringLiteral("一次関数ではありません。"),
    QStringLiteral("ｙはｘの２乗に比例しません。"),
};
const QString none = QStringLiteral("比例，反比例，一次関数，２乗に比例のどれでもない関係");

// How many of the four relations the grade has learned: 2, 3 or 4.
int learnedIn(int grade)
{
    return int(gradeAnswers(grade).count()) - 1;
}

// The end of the evidence for a table that none of the grade's relations
// fits, after the quantities that are not constant.
QString fitsNone(int grade)
{
    switch (learnedIn(grade)) {
    case 2:
        return QStringLiteral("で，どちらも一定ではないので，比例でも反比例でもありません。");
    case 3:
        return QStringLiteral(
            "で，どれも一定ではないので，比例，反比例，一次関数のどれにもあてはまりません。");
    default:
        return QStringLiteral("で，どれも一定ではないので，４つのどれにもあてはまりません。");
    }
}

// The last button, as a sentence that denies it names it.
QString lastAnswerShort(int grade)
{
    return learnedIn(grade) == 2 ? QStringLiteral("比例でも反比例でもない関係")
                                 : QStringLiteral("どれでもない関係");
}

} // namespace

QString japaneseNumber(long long num, long long den)
{
    if (den == 0)
        return QString();
    const Fraction f(num, den);
    // A decimal of at most two places, as 100 / den ends; a fraction
    // otherwise: "０．７５", but "１６分の３" rather than "０．１８７５".
    if (100 % f.den != 0) {
        const QString sign = f.num < 0 ? QStringLiteral("-") : QString();
        return fullWidth(sign + QString::number(f.den) + QStringLiteral("分の")
                         + QString::number(f.num < 0 ? -f.num : f.num));
    }
    const int decimals = f.den == 1 ? 0 : (10 % f.den == 0 ? 1 : 2);
    const long long scaled = f.num * (decimals == 0 ? 1 : decimals == 1 ? 10 : 100) / f.den;
    QString digits
        = QString::number(scaled < 0 ? -scaled : scaled).rightJustified(decimals + 1, u'0');
    if (decimals > 0)
        digits.insert(digits.size() - decimals, u'.');
    return fullWidth((scaled < 0 ? QStringLiteral("-") : QString()) + digits);
}

QString relationName(int kind, int grade)
{
    kind = qBound(0, kind, kindCount - 1);
    if (rightAnswer(kind, grade) != lastAnswer)
        return relationCaptions()[kind];
    return gradeAnswers(grade).all() ? none : lastAnswerCaption(grade);
}

QString evidenceText(int kind, const std::array<QString, 10> &cells, int grade)
{
    const Table table(cells);
    const Quantity *deciding
        = rightAnswer(kind, grade) == lastAnswer ? nullptr : table.deciding(kind);
    if (deciding) {
        if (deciding->values.empty())
            return QString();
        if (!deciding->constant())
            return deciding->differ() + QStringLiteral("で，一定ではありません。");
        const QString constant = Quantity::number(deciding->values[0]);
        switch (kind) {
        case 2: {
            // The value of y at x = 0 tells a linear function from a proportion.
            QString text = deciding->always() + QStringLiteral("なので，") + holds[kind];
            const std::optional<Fraction> atZero = table.atZero();
            if (atZero && atZero->num != 0)
                text += QStringLiteral("ｘ＝０のときのｙの値は") + Quantity::number(*atZero)
                    + QStringLiteral("で，０ではないので，グラフは原点を通らない直線です。");
            return text;
        }
        case 0:
        case 1:
        case 3: {
            static const QString shapes[4] = {
                QStringLiteral("原点を通る直線"),
                QStringLiteral("双曲線"),
                QString(),
                QStringLiteral("原点を頂点とする放物線"),
            };
            return (table.zeroColumn ? QStringLiteral("ｘ＝０のときを除くと，") : QString())
                + deciding->always() + QStringLiteral("なので，") + holds[kind]
                + QStringLiteral("比例定数は") + constant + QStringLiteral("で，グラフは")
                + shapes[kind] + QStringLiteral("です。");
        }
        }
    }

    QStringList differing;
    for (int k = 0; k < learnedIn(grade); ++k) {
        const Quantity *q = table.deciding(k);
        if (!q->values.empty() && !q->constant())
            differing << q->differ();
    }
    if (differing.isEmpty())
        return QString();
    return differing.join(u'，') + fitsNone(grade);
}

QString wrongChoiceText(int kind, int answer, const std::array<QString, 10> &cells, int grade)
{
    if (answer < 0 || answer > 4 || kind < 0 || kind > 4 || !gradeAnswers(grade)[answer])
        return QString();
    const int right = rightAnswer(kind, grade);
    if (answer == right)
        return QString();
    const Table table(cells);
    if (answer == lastAnswer) // the table is of a relation the grade has learned
        return holdsBecause[kind] + u'，' + lastAnswerShort(grade)
            + QStringLiteral("ではありません。");
    const Quantity &chosen = *table.deciding(answer);
    if (chosen.values.empty())
        return QString();
    if (answer == 2 && kind == 0 && chosen.constant())
        return QStringLiteral("比例は一次関数ｙ＝ａｘ＋ｂでｂ＝０の場合ともいえますが，"
                              "このゲームでは比例と答えます。");
    if (chosen.constant())
        return QString(); // the table fits the chosen relation too
    // A table of the last button has had all the grade's quantities listed already.
    return (right == lastAnswer ? chosen.name + QStringLiteral("が")
                                : chosen.differ() + QStringLiteral("で，"))
        + QStringLiteral("一定ではないので，") + fails[answer];
}

QString explanationText(const KeptQuestion &question, int grade)
{
    return evidenceText(question.seikai, question.cells, grade)
        + wrongChoiceText(question.seikai, question.answer, question.cells, grade);
}

#include "review/evidence.h"

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

QString fullWidth(const QString &ascii)
{
    QString out;
    for (const QChar ch : ascii) {
        if (ch == u'-')
            out += QChar(0xFF0D);
        else if (ch == u'.')
            out += QChar(0xFF0E);
        else if (ch >= u'0' && ch <= u'9')
            out += QChar(0xFF10 + (ch.unicode() - u'0'));
        else
            out += ch;
    }
    return out;
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
    QString always() const
    {
        return name + QStringLiteral("がいつも") + japaneseNumber(values[0].num, values[0].den);
    }
    // "ｙ÷ｘの値は－１や０": the first value and the first that differs.
    QString differ() const
    {
        const auto other = std::find_if(values.begin(), values.end(),
                                        [&](const Fraction &v) { return !(v == values.front()); });
        const Fraction second = other == values.end() ? values.front() : *other;
        return name + QStringLiteral("は") + japaneseNumber(values[0].num, values[0].den)
            + QStringLiteral("や") + japaneseNumber(second.num, second.den);
    }
};

} // namespace

QString japaneseNumber(long long num, long long den)
{
    if (den == 0)
        return QString();
    const Fraction f(num, den);
    long long rest = f.den;
    while (rest % 2 == 0)
        rest /= 2;
    while (rest % 5 == 0)
        rest /= 5;
    if (rest != 1) {
        const QString sign = f.num < 0 ? QStringLiteral("-") : QString();
        return fullWidth(sign + QString::number(f.den) + QStringLiteral("分の")
                         + QString::number(f.num < 0 ? -f.num : f.num));
    }
    // A decimal that ends: scale to a power of ten.
    long long scale = 1;
    int decimals = 0;
    while (scale % f.den != 0) {
        scale *= 10;
        ++decimals;
    }
    const long long scaled = f.num * (scale / f.den);
    QString digits
        = QString::number(scaled < 0 ? -scaled : scaled).rightJustified(decimals + 1, u'0');
    if (decimals > 0)
        digits.insert(digits.size() - decimals, u'.');
    return fullWidth((scaled < 0 ? QStringLiteral("-") : QString()) + digits);
}

QString evidenceText(int kind, const std::array<QString, 10> &cells)
{
    std::optional<Fraction> x[5], y[5];
    bool zeroColumn = false;
    for (int i = 0; i < 5; ++i) {
        x[i] = cellValue(cells[i]);
        y[i] = cellValue(cells[i + 5]);
        zeroColumn = zeroColumn || (x[i] && x[i]->num == 0);
    }

    Quantity quotient{QStringLiteral("ｙ÷ｘの値"), {}};
    Quantity product{QStringLiteral("ｘ×ｙの値"), {}};
    Quantity rate{QStringLiteral("変化の割合"), {}};
    Quantity squareQuotient{QStringLiteral("ｙ÷ｘ²の値"), {}};
    for (int i = 0; i < 5; ++i) {
        if (x[i] && y[i] && x[i]->num != 0) {
            quotient.values.push_back(*y[i] / *x[i]);
            product.values.push_back(*x[i] * *y[i]);
            squareQuotient.values.push_back(*y[i] / (*x[i] * *x[i]));
        }
        if (i < 4 && x[i] && y[i] && x[i + 1] && y[i + 1] && !(*x[i + 1] == *x[i]))
            rate.values.push_back((*y[i + 1] - *y[i]) / (*x[i + 1] - *x[i]));
    }

    const QString apartFromZero
        = zeroColumn ? QStringLiteral("ｘ＝０のところを除くと，") : QString();
    const Quantity *deciding = nullptr;
    QString conclusion;
    switch (kind) {
    case 0:
        deciding = &quotient;
        conclusion = QStringLiteral("なので，ｙはｘに比例します。");
        break;
    case 1:
        deciding = &product;
        conclusion = QStringLiteral("なので，ｙはｘに反比例します。");
        break;
    case 2:
        deciding = &rate;
        conclusion = QStringLiteral("なので，ｙはｘの一次関数です。");
        break;
    case 3:
        deciding = &squareQuotient;
        conclusion = QStringLiteral("なので，ｙはｘの２乗に比例します。");
        break;
    default:
        break;
    }

    if (deciding) {
        if (deciding->values.empty())
            return QString();
        if (!deciding->constant())
            return deciding->differ() + QStringLiteral("で，一定ではありません。");
        if (kind != 2)
            return apartFromZero + deciding->always() + conclusion;
        // The value of y at x = 0 tells a linear function from a proportion.
        QString text = deciding->always() + conclusion;
        for (int i = 0; i < 5; ++i) {
            if (x[i] && y[i]) {
                const Fraction atZero = *y[i] - rate.values[0] * *x[i];
                if (atZero.num != 0)
                    text += QStringLiteral("ｘ＝０のときのｙの値は")
                        + japaneseNumber(atZero.num, atZero.den)
                        + QStringLiteral("で，０ではないので，ｙはｘに比例しません。");
                break;
            }
        }
        return text;
    }

    QStringList differing;
    for (const Quantity *q : {&quotient, &product, &rate, &squareQuotient})
        if (!q->values.empty() && !q->constant())
            differing << q->differ();
    if (differing.isEmpty())
        return QString();
    return differing.join(u'，')
        + QStringLiteral("で，どれも一定ではないので，比例，反比例，一次関数，２乗に比例の"
                         "どれにもあてはまりません。");
}

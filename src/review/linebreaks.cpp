#include "review/linebreaks.h"

#include <vector>

namespace {

bool isDigit(QChar ch)
{
    return ch >= QChar(0xFF10) && ch <= QChar(0xFF19);
}

// Characters of numbers and formulas: full-width digits and Latin letters,
// the signs between them, ², ×, ÷.
bool isFormulaChar(QChar ch)
{
    static const QString signs = QStringLiteral("－＋．＝／²×÷");
    return isDigit(ch) || (ch >= QChar(0xFF41) && ch <= QChar(0xFF5A)) || signs.contains(ch);
}

} // namespace

QString withWordJoiners(const QString &text)
{
    const QString plain = withoutWordJoiners(text);
    const qsizetype n = plain.size();
    // tied[i]: no break between plain[i - 1] and plain[i].
    std::vector<bool> tied(n, false);
    for (qsizetype i = 1; i < n; ++i)
        tied[i] = isFormulaChar(plain[i - 1]) && isFormulaChar(plain[i]);
    // "３分の２３" is one number.
    for (qsizetype i = plain.indexOf(QStringLiteral("分の")); i > 0 && i + 2 < n;
         i = plain.indexOf(QStringLiteral("分の"), i + 1))
        if (isDigit(plain[i - 1]) && isDigit(plain[i + 2]))
            tied[i] = tied[i + 1] = tied[i + 2] = true;
    // The ends of sentences and of the text.
    const auto tieEnd = [&](qsizetype last) {
        for (qsizetype i = std::max<qsizetype>(1, last - 2); i <= last; ++i)
            tied[i] = true;
    };
    for (qsizetype i = plain.indexOf(u'。'); i >= 0; i = plain.indexOf(u'。', i + 1))
        tieEnd(i);
    if (n > 0)
        tieEnd(n - 1);

    QString out;
    out.reserve(n * 2);
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && tied[i])
            out += QChar(wordJoiner);
        out += plain[i];
    }
    return out;
}

QString withoutWordJoiners(QString text)
{
    return text.remove(QChar(wordJoiner));
}

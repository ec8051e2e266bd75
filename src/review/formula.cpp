#include "review/formula.h"

namespace {

// Appends the term coefficient * variable to a right-hand side, with its
// sign between terms ("+", "-") or in front of the first ("-").
void addTerm(QString &side, int coefficient, const QString &variable)
{
    if (coefficient == 0)
        return;
    const bool negative = coefficient < 0;
    if (side.isEmpty())
        side += negative ? QStringLiteral("-") : QString();
    else
        side += negative ? u'-' : u'+';
    const int size = negative ? -coefficient : coefficient;
    if (size != 1 || variable.isEmpty())
        side += QString::number(size);
    side += variable;
}

} // namespace

QString formulaText(int kind, qint16 a, qint16 b, qint16 c)
{
    const QString x = QStringLiteral("x");
    const QString x2 = QStringLiteral("x²");
    QString side;
    switch (kind) {
    case 0:
        addTerm(side, a, x);
        break;
    case 1:
        side = QString::number(a) + QStringLiteral("/x");
        break;
    case 2:
        addTerm(side, a, x);
        addTerm(side, b, QString());
        break;
    case 3:
        addTerm(side, a, x2);
        break;
    default:
        addTerm(side, a, x2);
        addTerm(side, b, x);
        addTerm(side, c, QString());
        break;
    }
    if (side.isEmpty())
        side = QStringLiteral("0");
    return fullWidth(QStringLiteral("y=") + side);
}

QString fullWidth(const QString &ascii)
{
    QString out = ascii;
    for (QChar &ch : out)
        if (ch.unicode() > u' ' && ch.unicode() < 0x7F)
            ch = QChar(ch.unicode() + 0xFEE0);
    return out;
}

#include "common/numbertext.h"

#include <QLocale>
#include <cmath>

QString plainNumberText(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // also for -0.0
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString numberText(double value)
{
    const QString plain = plainNumberText(value);
    return plain.startsWith(u'-') ? plain : u' ' + plain;
}

double readNumber(const QString &caption)
{
    qsizetype i = 0;
    const qsizetype n = caption.size();
    while (i < n && (caption[i] == u' ' || caption[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (caption[i] == u'-' || caption[i] == u'+'))
        ++i;
    bool digits = false;
    while (i < n && caption[i].isDigit() && caption[i].unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < n && caption[i] == u'.') {
        ++i;
        while (i < n && caption[i].isDigit() && caption[i].unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    return caption.mid(start, i - start).toDouble();
}

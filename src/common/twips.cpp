#include "common/twips.h"

#include <QStringList>
#include <cmath>

int twips(int value)
{
    return static_cast<int>(std::lround(value / 15.0));
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

QFont gothicFont(double points, bool bold)
{
    QFont font(QString::fromUtf8(gothicFamily));
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void registerFontSubstitutes()
{
    QFont::insertSubstitutions(QString::fromUtf8(gothicFamily),
                               {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                                QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans CJK JP")});
}

#include "common/twips.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>

namespace {

QStringList gothicSubstitutes()
{
    return {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
            QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans CJK JP")};
}

} // namespace

int twips(int value)
{
    return static_cast<int>(std::lround(value / 15.0));
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

QString gothicFace()
{
    // Asked for a family it does not have, Qt searches fontconfig's
    // fallbacks again for every size and weight before it reaches a
    // substitute; the installed face, named directly, draws the same glyphs
    // without that search.
    static const QString face = [] {
        const QString designed = QString::fromUtf8(gothicFamily);
        const QStringList installed = QFontDatabase::families();
        for (const QString &family : QStringList{designed} + gothicSubstitutes())
            if (installed.contains(family, Qt::CaseInsensitive))
                return family;
        return designed;
    }();
    return face;
}

QFont gothicFont(double points, bool bold)
{
    QFont font(gothicFace());
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void registerFontSubstitutes()
{
    QFont::insertSubstitutions(QString::fromUtf8(gothicFamily), gothicSubstitutes());
}

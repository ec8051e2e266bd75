#include "review/tablecells.h"

QString xCellDescription(int position)
{
    return QStringLiteral("ｘの値，左から%1列目").arg(position + 1);
}

QString yCellDescription(int position, const QString &xText)
{
    const QString x = xText.trimmed();
    if (x.isEmpty())
        return QStringLiteral("ｙの値，左から%1列目").arg(position + 1);
    return QStringLiteral("ｘが %1 のときのｙの値").arg(x);
}

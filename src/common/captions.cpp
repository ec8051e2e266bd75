#include "common/captions.h"

const std::array<QString, kindCount> &relationCaptions()
{
    static const std::array<QString, kindCount> captions = {
        QStringLiteral("ｙはｘに比例"),
        QStringLiteral("ｙはｘに反比例"),
        QStringLiteral("ｙはｘの一次関数"),
        QStringLiteral("ｙはｘの２乗に比例"),
        QStringLiteral("上の４つには，あてはまらない関係"),
    };
    return captions;
}

const std::array<QString, rangeCount> &rangeCaptions()
{
    static const std::array<QString, rangeCount> captions = {
        QStringLiteral("－２～２"),
        QStringLiteral("１～５"),
        QStringLiteral("－５～－１"),
        QStringLiteral("ランダム"),
    };
    return captions;
}

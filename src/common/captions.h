#pragma once

#include <QString>
#include <array>

// The five relation kinds, in the order of the answer buttons: the index of
// a kind is the index of the button that names it.
inline constexpr int kindCount = 5;
const std::array<QString, kindCount> &relationCaptions();

// The four x-value ranges, captioned in full-width characters.
inline constexpr int rangeCount = 4;
const std::array<QString, rangeCount> &rangeCaptions();

// The marks of the results list.
inline const QString maruMark = QStringLiteral("○");
inline const QString batsuMark = QStringLiteral("×");

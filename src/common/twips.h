#pragma once

#include <QFont>
#include <QRect>

// The windows are measured in twips: 15 twips make one logical pixel.
int twips(int value);
QRect twipsRect(int left, int top, int width, int height);

// The face every window is laid out for. Where it is missing, the
// substitutes registered by registerFontSubstitutes() stand in with the
// same metrics.
inline constexpr const char *gothicFamily = "ＭＳ Ｐゴシック";
QFont gothicFont(double points, bool bold = false);
void registerFontSubstitutes();

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
// The family the windows' fonts name: gothicFamily where it is installed,
// otherwise the first of its substitutes that is (found once, at the first
// call, which needs the application).
QString gothicFace();
QFont gothicFont(double points, bool bold = false);
void registerFontSubstitutes();

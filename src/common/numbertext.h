#pragma once

#include <QString>

// How numbers are written into captions. Number text puts one blank in
// front of zero and positive numbers (" 0", " 7", "-3", " 1.2"); plain
// number text leaves it out ("0", "37"). Whole numbers have no decimal
// point, other numbers are written in plain decimal without trailing zeros.
QString numberText(double value);
QString plainNumberText(double value);

// The number at the start of a caption, blanks before it skipped; 0 when
// the caption does not start with a number (" 17" -> 17, "10" -> 10,
// "得点" -> 0).
double readNumber(const QString &caption);

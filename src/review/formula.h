#pragma once

#include <QString>
#include <QtGlobal>

// The formula of a relation kind (0 to 4) with its coefficients, written
// as a textbook writes it: "ｙ＝３ｘ", "ｙ＝－１２／ｘ", "ｙ＝ｘ－４",
// "ｙ＝－ｘ²", "ｙ＝－３ｘ²＋ｘ－４". Full-width characters without spaces,
// terms with a zero coefficient left out, a coefficient of 1 or -1 not
// written.
QString formulaText(int kind, qint16 a, qint16 b, qint16 c);

// The full-width form of a text of printable ASCII characters: "-2.4" is
// "－２．４", "y=x" is "ｙ＝ｘ". Other characters stay as they are.
QString fullWidth(const QString &ascii);

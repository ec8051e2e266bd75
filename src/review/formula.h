#pragma once

#include <QString>
#include <QtGlobal>

// The formula of a relation kind (0 to 4) with its coefficients, written
// the way it is taught: "y = 3x", "y = -12/x", "y = x - 4", "y = -x²",
// "y = -3x² + x - 4". Half-width characters, "-" for minus, terms with a
// zero coefficient left out, a coefficient of 1 or -1 not written.
QString formulaText(int kind, qint16 a, qint16 b, qint16 c);

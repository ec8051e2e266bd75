#pragma once

#include <QString>
#include <array>

// The sentence that shows why a table is of its relation kind (0 to 4),
// worked out from the ten cell texts as shown (x row, then y row) in the
// words of the classroom: y÷x constant for 比例, x×y for 反比例, the rate
// of change for 一次関数 (and y not 0 at x = 0), y÷x² for ２乗に比例, and
// none of them constant for the last kind. Numbers in the sentence are
// full-width ("－２．４"); a quotient that does not end is a fraction
// ("３分の７").
QString evidenceText(int kind, const std::array<QString, 10> &cells);

// How a value of the table is written inside a Japanese sentence: "３",
// "－１２", "１．２", "－３分の７". The value is num / den; empty for den 0.
QString japaneseNumber(long long num, long long den = 1);

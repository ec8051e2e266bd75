#pragma once

#include <QString>

// Japanese text may break between any two characters; these keep a review
// text from breaking where a reader would stumble. withWordJoiners ties
// with U+2060 WORD JOINER each run of a number or formula ("－２．４",
// "３分の２３", "ｙ÷ｘ²", "ｘ＝０") and the last four characters of each
// sentence and of the whole text, so that no line ends inside a number and
// no line holds only the last two or three characters of a sentence.
// withoutWordJoiners gives the text back as it reads.
QString withWordJoiners(const QString &text);
QString withoutWordJoiners(QString text);

inline constexpr char16_t wordJoiner = 0x2060;

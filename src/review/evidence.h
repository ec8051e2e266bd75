#pragma once

#include "common/grade.h"
#include "review/keptgame.h"

#include <QString>
#include <array>

// The sentences that show why a table is of its relation kind (0 to 4),
// worked out from the ten cell texts as shown (x row, then y row) in the
// words of the classroom: y÷x constant for 比例, x×y for 反比例, the rate
// of change for 一次関数 (and y not 0 at x = 0), y÷x² for ２乗に比例, and
// none of them constant for the last kind; then the constant of the
// proportion and the shape of its graph. Numbers in the sentences are
// full-width ("－２．４"); a quotient that does not end within two decimal
// places is a fraction ("３分の７").
//
// Said in the words of the grade: a table of a relation the grade has not
// learned is one whose quantities of the relations it has learned are not
// constant, "比例でも反比例でもありません" in 中１, with no word of the
// relations still to come.
QString evidenceText(int kind, const std::array<QString, 10> &cells, int grade = defaultGrade);

// Why the button the player chose (answer, 0 to 4) does not fit a table of
// the kind, from the table's own numbers: "ｘ×ｙの値は６や１２で，一定
// ではないので，反比例ではありません。" Empty for the grade's right answer,
// and for a button the grade does not have.
QString wrongChoiceText(int kind, int answer, const std::array<QString, 10> &cells,
                        int grade = defaultGrade);

// What the review says under a question of a game in `grade`: its
// evidence, and after a wrong answer (not a time-out) why the chosen
// relation does not fit.
QString explanationText(const KeptQuestion &question, int grade = defaultGrade);

// A relation kind, or an answer button, named so that it stands on its
// own in the grade: the caption of its answer button, save the last kind,
// whose caption in 中３ speaks of the buttons above it. A kind the grade
// has not learned is named as the button that answers it.
QString relationName(int kind, int grade = defaultGrade);

// How a value of the table is written inside a Japanese sentence: "３",
// "－１２", "１．２", "０．７５", "－３分の７", "１６分の３". The value is
// num / den; empty for den 0.
QString japaneseNumber(long long num, long long den = 1);

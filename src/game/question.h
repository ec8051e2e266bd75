#pragma once

#include "common/captions.h"
#include "common/grade.h"
#include "common/randomsource.h"

#include <QString>
#include <QtGlobal>
#include <array>

// The x values of the four ranges, five positions each (left to right).
using XRow = std::array<qint16, 5>;
using XTable = std::array<XRow, 4>;

// The x values as the main window loads them; range 3 stays zero until the
// first question asked in it.
XTable initialXTable();

struct Coefficients
{
    qint16 a = 0, b = 0, c = 0;
};

// One question: its relation kind (the index of the right answer button),
// its coefficients, the x table it was drawn with and the ten cell texts,
// x row first (cells[i + 5] is the y of cells[i]).
struct Question
{
    qint16 seikai = 0;
    Coefficients coefficients;
    XTable xchi{};
    std::array<QString, 10> cells;
};

inline KindSet allKinds()
{
    return KindSet().set();
}

// Draws the next question in range hani (0 to 3) for a class of `grade`.
// Coefficients that the drawn kind does not use keep their previous values;
// in range 3 the x values are drawn anew. The draws are taken from random
// in a fixed order: the kind, its coefficients, then the random x values.
// The kind is drawn through its right answer: the floor(R * n)-th of the n
// answer buttons in `answers` that the grade has (an empty set: all of
// them; in 中３ all five, floor(R * 5)); where that is the last button of a
// grade that has not learned every relation, one more draw picks among the
// relations it stands for (中１ 2 + floor(R * 3), 中２ 3 + floor(R * 2)).
Question makeQuestion(RandomSource &random, int hani, const XTable &xchi, Coefficients previous,
                      int grade = defaultGrade, const KindSet &answers = KindSet());

#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

// One record of the ranking file: a name of 10 characters and a score.
struct kiroku
{
    QString namae;
    qint16 jikan = 0;
};

// The state that the main window and the results window share. One
// instance lives for the whole run; every field but the grade starts at
// zero.
struct Module1
{
    kiroku kr;          // the one record buffer of the ranking file
    qint16 kekka = 0;   // score of the game just finished; 0: nothing to place
    qint16 touroku = 0; // 1: that score found no place in the Best 5
    qint16 hani = 0;    // the current x-value range, 0 to 3
    // The grade (学年) whose Best 5 the results window shows: 1, 2 or 3
    // (the game as it always was).
    qint16 gakunen = 3;
    // The player's three best scores per range since the program started,
    // highest first; 0: no score yet. Never stored. Each grade has its own
    // four ranges, numbered as in the ranking file (see RankingTable).
    std::array<std::array<qint16, 3>, 16> jikokiroku{};
};

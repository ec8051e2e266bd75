#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <array>

// One question of a finished game as the player saw and answered it.
struct KeptQuestion
{
    std::array<QString, 10> cells; // x row, then y row, as shown
    int seikai = 0;                // the relation kind, the index of the right button
    qint16 a = 0, b = 0, c = 0;    // the coefficients the table was made with
    int answer = timedOut;         // the answer button used, or timedOut
    QString mark;                  // "○" or "×"
    double points = 0;             // the points banked
    int range = 0;                 // the x values' range it was asked in
    QDateTime shown;               // when it was put on show
    double seconds = 0;            // from then to the answer or the time-out

    static constexpr int timedOut = -1;
};

// The last finished game: its five questions in order. It lives in memory
// only, for the review window.
struct KeptGame
{
    std::array<KeptQuestion, 5> questions;
    int grade = 3; // the grade (学年) it was started in: 1, 2 or 3
};

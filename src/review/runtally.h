#pragma once

#include "common/captions.h"
#include "common/grade.h"

#include <array>

// Every question decided since the program started, practice games
// included: for each relation asked, how often each answer was given. It
// lives in memory only, for the run. A tally holds the games of one grade
// and judges them by its rule.
class RunTally
{
public:
    explicit RunTally(int grade = defaultGrade) : m_grade(grade) { }

    // The answer columns: the five kinds by index, then the time-outs.
    static constexpr int timedOutColumn = kindCount;
    static constexpr int columnCount = kindCount + 1;

    // A question of relation `asked` answered with button `answer`, or
    // timed out (any answer outside 0 to 4).
    void record(int asked, int answer, bool practice);

    int count(int asked, int column) const { return m_counts[asked][column]; }
    int asked(int kind) const;
    int grade() const { return m_grade; }
    // The column of the answers that are right for relation `kind`.
    int rightColumn(int kind) const { return rightAnswer(kind, m_grade); }
    int right(int kind) const { return m_counts[kind][rightColumn(kind)]; }
    int questions() const;
    int rightAnswers() const;
    int practiceQuestions() const { return m_practice; }

private:
    std::array<std::array<int, columnCount>, kindCount> m_counts{};
    int m_practice = 0;
    int m_grade = defaultGrade;
};

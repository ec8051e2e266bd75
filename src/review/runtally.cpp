#include "review/runtally.h"

#include <numeric>

void RunTally::record(int asked, int answer, bool practice)
{
    if (asked < 0 || asked >= kindCount)
        return;
    ++m_counts[asked][answer >= 0 && answer < kindCount ? answer : timedOutColumn];
    if (practice)
        ++m_practice;
}

int RunTally::asked(int kind) const
{
    return std::accumulate(m_counts[kind].begin(), m_counts[kind].end(), 0);
}

int RunTally::questions() const
{
    int sum = 0;
    for (int kind = 0; kind < kindCount; ++kind)
        sum += asked(kind);
    return sum;
}

int RunTally::rightAnswers() const
{
    int sum = 0;
    for (int kind = 0; kind < kindCount; ++kind)
        sum += right(kind);
    return sum;
}

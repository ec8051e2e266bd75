// Prints the right answers (the answer buttons' indexes) of the first game
// of a program started at this moment, in the range of x values it starts
// with; the end-to-end test stops the clock to know them.
#include "common/randomsource.h"
#include "game/question.h"

#include <cstdio>

int main()
{
    ClockRandom random;
    XTable xchi = initialXTable();
    Coefficients previous;
    for (int i = 0; i < 5; ++i) {
        const Question q = makeQuestion(random, 0, xchi, previous);
        std::printf(i ? " %d" : "%d", q.seikai);
        xchi = q.xchi;
        previous = q.coefficients;
    }
    std::printf("\n");
    return 0;
}

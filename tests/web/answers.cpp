// Prints the right answers (the answer buttons' indexes) of the first game
// of a program started at this moment, in the range of x values it starts
// with or the one its first argument names (0 to 3), in the grade its
// second names (1 to 3; 3 where it names none); the end-to-end test stops
// the clock to know them.
#include "common/randomsource.h"
#include "game/question.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    const int hani = argc > 1 ? std::atoi(argv[1]) : 0;
    const int gakunen = argc > 2 ? std::atoi(argv[2]) : defaultGrade;
    ClockRandom random;
    XTable xchi = initialXTable();
    Coefficients previous;
    for (int i = 0; i < 5; ++i) {
        const Question q = makeQuestion(random, hani, xchi, previous, gakunen);
        std::printf(i ? " %d" : "%d", rightAnswer(q.seikai, gakunen));
        xchi = q.xchi;
        previous = q.coefficients;
    }
    std::printf("\n");
    return 0;
}

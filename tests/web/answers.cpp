// Prints the right answers (the answer buttons' indexes) of the first game
// of a program started at this moment, in the range of x values it starts
// with or the one ZENTA_RANGE names (0 to 3), in the grade ZENTA_GRADE
// names (1 to 3; 3 where it names none); the end-to-end test stops the
// clock to know them.
#include "common/randomsource.h"
#include "game/question.h"

#include <cstdio>
#include <cstdlib>

int main()
{
    const char *range = std::getenv("ZENTA_RANGE");
    const int hani = range ? std::atoi(range) : 0;
    const char *grade = std::getenv("ZENTA_GRADE");
    const int gakunen = grade ? std::atoi(grade) : defaultGrade;
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

#include "game/question.h"

#include "common/numbertext.h"

#include <cmath>

XTable initialXTable()
{
    return {{{-2, -1, 0, 1, 2}, {1, 2, 3, 4, 5}, {-5, -4, -3, -2, -1}, {0, 0, 0, 0, 0}}};
}

namespace {

// floor(R * n): a whole number from 0 to n - 1.
int draw(RandomSource &random, int n)
{
    return static_cast<int>(std::floor(random.next() * n));
}

// floor(R * n) - offset, drawn again until it is not zero.
qint16 drawNonZero(RandomSource &random, int n, int offset)
{
    int value;
    do {
        value = draw(random, n) - offset;
    } while (value == 0);
    return static_cast<qint16>(value);
}

// The right answer drawn among the grade's buttons in the set, then the
// relation it stands for.
qint16 drawKind(RandomSource &random, KindSet answers, int grade)
{
    const KindSet own = gradeAnswers(grade);
    answers &= own;
    if (answers.none())
        answers = own;
    int k = draw(random, static_cast<int>(answers.count()));
    int answer = lastAnswer;
    for (int i = 0; i < kindCount; ++i)
        if (answers[i] && k-- == 0) {
            answer = i;
            break;
        }
    const int learned = static_cast<int>(own.count()) - 1;
    if (answer == lastAnswer && learned < lastAnswer)
        answer = learned + draw(random, kindCount - learned);
    return static_cast<qint16>(answer);
}

} // namespace

Question makeQuestion(RandomSource &random, int hani, const XTable &xchi, Coefficients previous,
                      int grade, const KindSet &answers)
{
    Question q;
    q.coefficients = previous;
    q.xchi = xchi;
    Coefficients &k = q.coefficients;

    q.seikai = drawKind(random, answers, grade);
    switch (q.seikai) {
    case 0:
        k.a = drawNonZero(random, 9, 4);
        break;
    case 1:
        k.a = static_cast<qint16>(static_cast<int>(std::floor(random.next() * 3 + 1)) * 6);
        if (random.next() < 0.5)
            k.a = static_cast<qint16>(-k.a);
        break;
    case 2:
        k.a = drawNonZero(random, 9, 4);
        k.b = drawNonZero(random, 9, 4);
        break;
    case 3:
        k.a = drawNonZero(random, 7, 3);
        break;
    default:
        k.a = drawNonZero(random, 9, 4);
        k.b = drawNonZero(random, 9, 4);
        k.c = static_cast<qint16>(draw(random, 9) - 4);
        break;
    }

    if (hani == 3) {
        XRow &row = q.xchi[3];
        if (q.seikai == 1) {
            row = {-4, -1, 3, 5, 6};
        } else {
            row[0] = static_cast<qint16>(draw(random, 9) - 7);
            for (int i = 1; i < 5; ++i)
                row[i] = static_cast<qint16>(row[i - 1] + draw(random, 3) + 1);
        }
    }

    const XRow &x = q.xchi[hani];
    for (int i = 0; i < 5; ++i) {
        const qint16 xi = x[i];
        q.cells[i] = numberText(xi);
        switch (q.seikai) {
        case 0:
            q.cells[i + 5] = numberText(static_cast<qint16>(k.a * xi));
            break;
        case 1:
            q.cells[i + 5] = xi == 0 ? QStringLiteral(" ×") : numberText(double(k.a) / xi);
            break;
        case 2:
            q.cells[i + 5] = numberText(static_cast<qint16>(k.a * xi + k.b));
            break;
        case 3:
            q.cells[i + 5] = numberText(static_cast<qint16>(k.a * xi * xi));
            break;
        default:
            q.cells[i + 5] = numberText(static_cast<qint16>(k.a * xi * xi + k.b * xi + k.c));
            break;
        }
    }
    return q;
}

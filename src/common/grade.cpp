#include "common/grade.h"

bool isGrade(int grade)
{
    return grade >= 1 && grade <= gradeCount;
}

QString gradeCaption(int grade)
{
    static const std::array<QString, gradeCount> captions
        = {QStringLiteral("中１"), QStringLiteral("中２"), QStringLiteral("中３")};
    return captions[isGrade(grade) ? grade - 1 : defaultGrade - 1];
}

QString gradeMenuCaption(int grade)
{
    static const std::array<QString, gradeCount> captions = {
        QStringLiteral("中１：比例と反比例"),
        QStringLiteral("中２：比例，反比例，一次関数"),
        QStringLiteral("中３：４つの関係すべて"),
    };
    return captions[isGrade(grade) ? grade - 1 : defaultGrade - 1];
}

namespace {

// How many of the four relations the grade has learned, in button order.
int learned(int grade)
{
    return isGrade(grade) ? grade + 1 : kindCount - 1;
}

} // namespace

KindSet gradeAnswers(int grade)
{
    KindSet answers;
    for (int kind = 0; kind < learned(grade); ++kind)
        answers.set(kind);
    return answers.set(lastAnswer);
}

int rightAnswer(int kind, int grade)
{
    return kind >= 0 && kind < learned(grade) ? kind : lastAnswer;
}

QString lastAnswerCaption(int grade)
{
    switch (learned(grade)) {
    case 2:
        return QStringLiteral("比例でも反比例でもない関係");
    case 3:
        return QStringLiteral("上の３つには，あてはまらない関係");
    default:
        return relationCaptions()[lastAnswer];
    }
}

std::array<QString, kindCount> answerCaptions(int grade)
{
    std::array<QString, kindCount> captions = relationCaptions();
    captions[lastAnswer] = lastAnswerCaption(grade);
    return captions;
}

int gradeBlock(int grade)
{
    return isGrade(grade) ? grade % gradeCount : 0;
}

#pragma once

#include "common/captions.h"

#include <QString>
#include <array>
#include <bitset>

// The grades (学年) a class may play in, by the relations it has learned:
// 中１ 比例 and 反比例, 中２ also 一次関数, 中３ all four. A table of a
// relation the grade has not learned is answered with the last button,
// whose caption then names what the grade knows. 中３ is the game as it
// always was, and the grade of a program that has never been set.
inline constexpr int gradeCount = 3;
inline constexpr int defaultGrade = 3;
inline constexpr int lastAnswer = kindCount - 1;

// A set of answer buttons (or relation kinds) by index.
using KindSet = std::bitset<kindCount>;

// 1, 2 or 3.
bool isGrade(int grade);
// "中１", "中２", "中３".
QString gradeCaption(int grade);
// The items of the menu "学年": "中１：比例と反比例" and so on.
QString gradeMenuCaption(int grade);
// The answer buttons of the grade: the relations it has learned and the
// last button.
KindSet gradeAnswers(int grade);
// The button that is right for a table of relation `kind` in the grade:
// the relation's own where the grade has learned it, else the last.
int rightAnswer(int kind, int grade);
// The caption of the last button in the grade.
QString lastAnswerCaption(int grade);
// The captions of the five buttons in the grade.
std::array<QString, kindCount> answerCaptions(int grade);
// The grade's block of four ranges in the ranking file: 中３ 0 (records 1
// to 20, as always), 中１ 1 (21 to 40), 中２ 2 (41 to 60).
int gradeBlock(int grade);

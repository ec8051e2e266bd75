#pragma once

#include "common/grade.h"
#include "layouts/formspec.h"

#include <array>

class QPushButton;
class QWidget;
class Label;

// The tally window's table of controls: a line that sums up, then a table
// with a row for each relation asked and a column for each answer given
// (the five kinds, then the time-outs), followed by the right answers and
// their share; the way back below it; the class's window has the periods
// it covers in a row of buttons at its top, the grades at the other end of
// that row, and "CSVで保存" beside the way back. Laid out for a client
// area at most `roomWidth` pixels wide where it can be: the relations'
// captions take one line where the room has space for them, otherwise they
// are broken into a column as narrow as the answers'.
const FormSpec &tallySpec(int roomWidth, bool forClass = false);

// The heading of an answer column (0 to 5) in a grade, broken where it reads
// well in the column: the last button's caption is the grade's.
QString answerHeading(int column, int grade = defaultGrade);

// The tally window's widgets, built from tallySpec() into the window
// itself: the window is its own client area.
struct TallyUi
{
    static constexpr int rows = 5, answerColumns = 6, periods = 4, grades = gradeCount;
    static constexpr const char *periodCaptions[periods] = {"今日", "今週", "今月", "すべて"};

    Label *total = nullptr;  // the sum of the whole run
    Label *corner = nullptr; // "出題＼答え"
    std::array<Label *, answerColumns + 2> heading{};
    std::array<Label *, rows> kind{};                  // the relation asked, row by row
    std::array<Label *, rows * answerColumns> count{}; // count(row * 6 + column)
    std::array<Label *, rows> right{}, share{};
    QPushButton *Command1 = nullptr; // "戻る"
    // The class's window only: the periods, the grades ("中１" to "中３"),
    // and "CSVで保存".
    std::array<QPushButton *, periods> period{};
    std::array<QPushButton *, grades> grade{};
    QPushButton *Command2 = nullptr;

    // Builds the run's window, or the class's.
    void setupUi(QWidget *window, int roomWidth, bool forClass = false);
    // Lays the built window out again, for another room.
    void layOut(QWidget *window, int roomWidth);

private:
    bool m_forClass = false;
};

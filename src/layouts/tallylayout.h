#pragma once

#include "layouts/formspec.h"

#include <array>

class QPushButton;
class QWidget;
class Label;

// The tally window's table of controls: a line that sums up, then a table
// with a row for each relation asked and a column for each answer given
// (the five kinds, then the time-outs), followed by the right answers and
// their share; the way back below it.
const FormSpec &tallySpec();
// The class's tally window: the same, with the periods it covers in a row
// of buttons at its top and "CSVで保存" beside the way back.
const FormSpec &classTallySpec();

// The tally window's widgets, built from tallySpec() into the window
// itself: the window is its own client area.
struct TallyUi
{
    static constexpr int rows = 5, answerColumns = 6, periods = 4;
    static constexpr const char *periodCaptions[periods] = {"今日", "今週", "今月", "すべて"};

    Label *total = nullptr;  // the sum of the whole run
    Label *corner = nullptr; // "出題＼答え"
    std::array<Label *, answerColumns + 2> heading{};
    std::array<Label *, rows> kind{};                  // the relation asked, row by row
    std::array<Label *, rows * answerColumns> count{}; // count(row * 6 + column)
    std::array<Label *, rows> right{}, share{};
    QPushButton *Command1 = nullptr; // "戻る"
    // The class's window only: the periods, and "CSVで保存".
    std::array<QPushButton *, periods> period{};
    QPushButton *Command2 = nullptr;

    void setupUi(QWidget *window, const FormSpec &form = tallySpec());
};

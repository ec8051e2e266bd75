#pragma once

#include "layouts/tallylayout.h"

#include <QPointer>
#include <QWidget>

class RunTally;

// 成績表: what the player answered in this run, relation by relation,
// with the right answers on the diagonal. "戻る" brings the main window
// back to the front and closes this one. A tally of 中１ or 中２ has the
// right answers in the grade's columns, "－" in the columns of the buttons
// the grade does not have, and the grade in the run's window title.
class TallyWindow : public QWidget
{
    Q_OBJECT
public:
    // The run's window, or with `forClass` the class's.
    explicit TallyWindow(QWidget *mainWindow, bool forClass = false);

    TallyUi ui;

    // Shows the counts of a tally in place of the ones on show.
    void showTally(const RunTally &tally);

protected:
    // The table's counts alone, without the line that sums them up.
    void showCounts(const RunTally &tally);

private:
    // The columns, the marks of the right answers and the title of a grade.
    void showGrade(int grade);

    QPointer<QWidget> m_mainWindow;
    bool m_forClass = false;
    int m_grade = 0; // the grade on show; none at first
};

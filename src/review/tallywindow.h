#pragma once

#include "layouts/tallylayout.h"

#include <QPointer>
#include <QWidget>

class RunTally;

// 成績表: what the player answered in this run, relation by relation,
// with the right answers on the diagonal. "戻る" brings the main window
// back to the front and closes this one.
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
    QPointer<QWidget> m_mainWindow;
};

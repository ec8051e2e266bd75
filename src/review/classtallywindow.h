#pragma once

#include "common/logstorage.h"
#include "review/classtally.h"
#include "review/tallywindow.h"

#include <functional>

class Platform;

// クラスの成績表: the run's table over every file of the class's log in a
// period and a grade, chosen with the buttons at its top (今日 and the
// grade in play at first). "CSVで保存" writes the period's rows, of every
// grade, into one file of the log's own format.
class ClassTallyWindow : public TallyWindow
{
    Q_OBJECT
public:
    ClassTallyWindow(QWidget *mainWindow, Platform &platform, LogStorageSource storage,
                     int grade = defaultGrade);

    // Where "CSVで保存" writes the file; empty when the player cancels.
    // Unset, the platform saves it its own way as "zenta-log.csv" (the
    // desktop asks with a dialog, the browser downloads it).
    std::function<QString(QWidget *parent)> askSavePath;
    // Today, in local time.
    std::function<QDate()> today = [] { return QDate::currentDate(); };

    // Reads the log again for the period of button `index`, and shows it.
    void choosePeriod(int index);
    ClassLog::Period period() const { return m_period; }
    // Reads the log again for the rows of `grade` (1 to 3), and shows them.
    void chooseGrade(int grade);
    int grade() const { return m_grade; }
    const ClassTally &tally() const { return m_tally; }

    // "CSVで保存": false when nothing was written.
    bool saveCsv();

private:
    Platform &m_platform;
    LogStorageSource m_storage;
    ClassLog::Period m_period = ClassLog::Period::Today;
    int m_grade = defaultGrade;
    ClassTally m_tally;
};

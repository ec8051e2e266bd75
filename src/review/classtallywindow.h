#pragma once

#include "review/classtally.h"
#include "review/logstorage.h"
#include "review/tallywindow.h"

#include <functional>

class Platform;

// クラスの成績表: the run's table over every file of the class's log in a
// period, chosen with the buttons at its top (今日 at first). "CSVで保存"
// writes the period's rows into one file of the log's own format.
class ClassTallyWindow : public TallyWindow
{
    Q_OBJECT
public:
    ClassTallyWindow(QWidget *mainWindow, Platform &platform, LogStorageSource storage);

    // Asks where the CSV file goes; empty when the player cancels. None in
    // the browser, which downloads the file as "zenta-log.csv".
    std::function<QString(QWidget *parent)> askSavePath;
    // Today, in local time.
    std::function<QDate()> today = [] { return QDate::currentDate(); };

    // Reads the log again for the period of button `index`, and shows it.
    void choosePeriod(int index);
    ClassLog::Period period() const { return m_period; }
    const ClassTally &tally() const { return m_tally; }

    // "CSVで保存": false when nothing was written.
    bool saveCsv();

private:
    Platform &m_platform;
    LogStorageSource m_storage;
    ClassLog::Period m_period = ClassLog::Period::Today;
    ClassTally m_tally;
};

#pragma once

#include "review/classlog.h"
#include "review/runtally.h"

#include <QList>
#include <QSet>

class LogStorage;

// The class's tally: every row of the log's files in a period and a grade,
// counted as the run's tally counts, and the devices that answered.
struct ClassTally
{
    RunTally counts;
    QSet<QString> devices; // of the files that held a row of the period and grade
    bool listed = false;   // the log's folder could be looked at

    // Reads every file of the log's pattern in the period around `today`
    // (local days), and counts the rows of `grade` by its rule. With
    // `rows`, keeps every row of the period too, of every grade, in the
    // files' order.
    static ClassTally read(LogStorage &storage, ClassLog::Period period, QDate today,
                           int grade = defaultGrade, QList<ClassLog::Row> *rows = nullptr);

    // "答えた問題 N問（うち練習 M問）　正解 K問（P％）　端末 D台".
    QString heading() const;
};

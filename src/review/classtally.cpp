#include "review/classtally.h"

#include "common/logstorage.h"
#include "common/numbertext.h"

#include <cmath>

ClassTally ClassTally::read(LogStorage &storage, ClassLog::Period period, QDate today, int grade,
                            QList<ClassLog::Row> *rows)
{
    ClassTally tally;
    tally.counts = RunTally(grade);
    QStringList names;
    tally.listed = storage.list(names);
    QByteArray content;
    for (const QString &name : names) {
        ClassLog::FileName file;
        if (!ClassLog::parseFileName(name, file) || !ClassLog::inPeriod(file.day, period, today)
            || !storage.read(name, ClassLog::partLimit, content))
            continue;
        bool counted = false;
        ClassLog::parse(content, [&](const ClassLog::Row &row) {
            if (!ClassLog::inPeriod(row.day(), period, today))
                return;
            if (rows)
                rows->append(row);
            if (row.grade != grade)
                return;
            tally.counts.record(row.asked, row.answer, row.practice);
            counted = true;
        });
        if (counted)
            tally.devices.insert(file.device);
    }
    return tally;
}

QString ClassTally::heading() const
{
    const int questions = counts.questions();
    if (questions == 0)
        return QStringLiteral("まだ答えた問題はありません。");
    return QStringLiteral("答えた問題 ") + plainNumberText(questions)
        + QStringLiteral("問（うち練習 ") + plainNumberText(counts.practiceQuestions())
        + QStringLiteral("問）　正解 ") + plainNumberText(counts.rightAnswers())
        + QStringLiteral("問（")
        + plainNumberText(std::round(100.0 * counts.rightAnswers() / questions))
        + QStringLiteral("％）　端末 ") + plainNumberText(double(devices.size()))
        + QStringLiteral("台");
}

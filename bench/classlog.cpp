// The class's tally over a year of a class's log: 200 school days of 40
// devices, each day's file holding what a device answers in a lesson with
// the drill (six games). Prints the time to tally it all (median of five
// readings), the files and the size of one day of the class.

#include "common/logstorage.h"
#include "review/classtally.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int days = 200, devices = 40, games = 6;
    QTemporaryDir folder;
    QRandomGenerator random(20261210);
    const QDate first(2026, 4, 8);
    qint64 dayBytes = 0;
    for (int d = 0; d < days; ++d) {
        const QDate day = first.addDays(d + d / 5 * 2); // five days in seven
        for (int device = 0; device < devices; ++device) {
            QByteArray content = ClassLog::header();
            for (int g = 0; g < games; ++g)
                for (int q = 0; q < 5; ++q) {
                    ClassLog::Row row;
                    row.shown = QStringLiteral("%1T09:%2:%3+09:00")
                                    .arg(day.toString(Qt::ISODate))
                                    .arg(10 + g * 4, 2, 10, QChar(u'0'))
                                    .arg(q * 11, 2, 10, QChar(u'0'));
                    row.range = random.bounded(4);
                    row.asked = random.bounded(5);
                    row.answer = random.bounded(10) < 7 ? row.asked : int(random.bounded(6)) - 1;
                    row.seconds = random.bounded(220) / 10.0;
                    row.points = row.answer == row.asked ? random.bounded(11) : 0;
                    row.practice = g == 5;
                    row.name = !row.practice && random.bounded(4) == 0 ? QStringLiteral("やまだ")
                                                                       : QString();
                    content += ClassLog::encode(row);
                }
            QFile file(
                QDir(folder.path())
                    .filePath(ClassLog::fileName(
                        day, QStringLiteral("%1").arg(0x1000 + device, 8, 16, QChar(u'0')))));
            if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
                return 1;
            if (d == 0)
                dayBytes += content.size();
        }
    }

    std::vector<double> ms;
    int questions = 0;
    for (int run = 0; run < 5; ++run) {
        LogFolder storage(folder.path());
        QElapsedTimer timer;
        timer.start();
        const ClassTally tally = ClassTally::read(storage, ClassLog::Period::All, first);
        ms.push_back(timer.nsecsElapsed() / 1e6);
        questions = tally.counts.questions();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("RESULT classlog_files %lld\n",
                static_cast<long long>(QDir(folder.path()).entryList(QDir::Files).size()));
    std::printf("RESULT classlog_questions %d\n", questions);
    std::printf("RESULT classlog_tally_ms %.1f\n", ms[ms.size() / 2]);
    std::printf("RESULT classlog_day_kib %.1f\n", dayBytes / 1024.0);
    return questions == days * devices * games * 5 ? 0 : 1;
}

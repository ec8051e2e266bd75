#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <functional>

// The class's log: every question of every finished game, one CSV file per
// device and day in the folder "zenta-log", for the teacher. A file is
// UTF-8 with a byte order mark, its lines end in CR LF and its fields are
// quoted where they need it, so that Excel on a Japanese Windows opens it
// as it is:
//
//   日時,ｘの値,出題,答え,秒,点,練習,名前,学年
//   2026-12-10T09:15:03+09:00,－２～２,比例,一次関数,4.2,0,,,中３
//
// The column 学年 came later: a row without it, of the files written
// before or of a day's file begun by them, is of 中３.
namespace ClassLog {

// A day's file that has reached this size is left as it is; the day goes
// on in a file of the next part. Reading stops here too.
inline constexpr qint64 partLimit = 1024 * 1024;

// The answer of a question that timed out, and its seconds.
inline constexpr int timedOut = -1;
inline constexpr double timeOutSeconds = 22.0;

struct Row
{
    QString shown;      // when the question was shown: "2026-12-10T09:15:03+09:00"
    int range = 0;      // the x values' range, 0 to 3
    int asked = 0;      // the relation kind asked
    int answer = 0;     // the kind answered, or timedOut
    double seconds = 0; // from the question's showing to the answer
    int points = 0;     // the points banked
    bool practice = false;
    QString name;  // the name the game stored in the Best 5; empty: none
    int grade = 3; // the grade (学年) the game was played in: 1, 2 or 3

    QDate day() const;
};

// The file's first bytes: the byte order mark and the header line.
QByteArray header();
// One line, CR LF included.
QByteArray encode(const Row &row);
// A time as a row's 日時 gives it: local time with its offset, to the second.
QString timeText(const QDateTime &time);

// Calls `row` for every line of `file` that is a row, in order; the header
// and lines that do not parse (another encoding, a wrong count of fields,
// an unknown caption) are skipped; a row may have eight fields or nine.
// Stops at partLimit bytes.
void parse(QByteArrayView file, const std::function<void(const Row &)> &row);

// The file name of a device's day: "2026-12-10-0badc0de.csv", then
// "2026-12-10-0badc0de-2.csv" and so on for the parts after the first.
QString fileName(QDate day, const QString &device, int part = 1);

// A name of that pattern, taken apart; false for any other name.
struct FileName
{
    QDate day;
    QString device;
    int part = 1;
};
bool parseFileName(const QString &name, FileName &out);

// Eight hex digits, as a device is named in the log.
bool isDeviceId(const QString &id);

// The period that the class's tally covers, in local time.
enum class Period { Today, Week, Month, All };
// Whether `day` lies in the period around `today`: the week starts on
// Monday, the month is the calendar month.
bool inPeriod(QDate day, Period period, QDate today);

} // namespace ClassLog

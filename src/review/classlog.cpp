#include "review/classlog.h"

#include "common/captions.h"
#include "common/grade.h"

#include <QDateTime>
#include <QRegularExpression>
#include <array>
#include <cmath>

namespace ClassLog {

namespace {

const QByteArray bom("\xEF\xBB\xBF");

// The relations as the log names them, by kind, then the time-out.
const std::array<QByteArray, 6> &answerNames()
{
    static const std::array<QByteArray, 6> names = {
        QStringLiteral("比例").toUtf8(),         QStringLiteral("反比例").toUtf8(),
        QStringLiteral("一次関数").toUtf8(),     QStringLiteral("２乗に比例").toUtf8(),
        QStringLiteral("どれでもない").toUtf8(), QStringLiteral("時間切れ").toUtf8(),
    };
    return names;
}

const std::array<QByteArray, rangeCount> &rangeNames()
{
    static const std::array<QByteArray, rangeCount> names = [] {
        std::array<QByteArray, rangeCount> utf8;
        for (int i = 0; i < rangeCount; ++i)
            utf8[i] = rangeCaptions()[i].toUtf8();
        return utf8;
    }();
    return names;
}

const QByteArray &practiceName()
{
    static const QByteArray name = QStringLiteral("練習").toUtf8();
    return name;
}

template <std::size_t n> int indexOf(const std::array<QByteArray, n> &names, QByteArrayView field)
{
    for (std::size_t i = 0; i < n; ++i)
        if (field == names[i])
            return int(i);
    return -1;
}

// A spreadsheet takes a cell that begins with one of these for a formula;
// a name that begins so is written after an apostrophe, as a text.
bool formulaStart(QChar c)
{
    return QStringView(u"=+-@\t\r'").contains(c);
}

QByteArray field(const QString &text)
{
    QByteArray utf8 = text.toUtf8();
    if (utf8.contains(',') || utf8.contains('"') || utf8.contains('\r') || utf8.contains('\n'))
        return '"' + utf8.replace("\"", "\"\"") + '"';
    return utf8;
}

int digits(QByteArrayView text, qsizetype at, qsizetype count)
{
    int value = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "2026-12-10T09:15:03+09:00": a real day and time, and an offset.
bool validTime(QByteArrayView t)
{
    if (t.size() != 25 || t[4] != '-' || t[7] != '-' || t[10] != 'T' || t[13] != ':' || t[16] != ':'
        || (t[19] != '+' && t[19] != '-') || t[22] != ':')
        return false;
    const int hour = digits(t, 11, 2), minute = digits(t, 14, 2), second = digits(t, 17, 2);
    const int offsetHour = digits(t, 20, 2), offsetMinute = digits(t, 23, 2);
    return QDate(digits(t, 0, 4), digits(t, 5, 2), digits(t, 8, 2)).isValid() && hour >= 0
        && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 && offsetHour >= 0
        && offsetHour <= 14 && offsetMinute >= 0 && offsetMinute < 60;
}

// A row has these fields, or all but the last (学年) as before it came.
constexpr int fieldCount = 9;

// One record's fields, unquoted. A quoted field may hold line breaks.
// Returns where the next record starts; `count` is how many fields it has
// and `ok` is false for a record that is not fieldCount (or one fewer)
// well-formed fields.
qsizetype readRecord(QByteArrayView file, qsizetype at, std::array<QByteArray, fieldCount> &out,
                     int &count, bool &ok)
{
    const qsizetype end = file.size();
    count = 0;
    ok = true;
    auto skipLine = [&](qsizetype from) {
        ok = false;
        const qsizetype lf = file.indexOf('\n', from);
        return lf < 0 ? end : lf + 1;
    };
    for (;;) {
        QByteArray value;
        qsizetype i = at;
        if (i < end && file[i] == '"') {
            ++i;
            for (;;) {
                const qsizetype quote = file.indexOf('"', i);
                if (quote < 0)
                    return skipLine(at); // never closed
                value += file.sliced(i, quote - i);
                if (quote + 1 < end && file[quote + 1] == '"') {
                    value += '"';
                    i = quote + 2;
                    continue;
                }
                i = quote + 1;
                break;
            }
        } else {
            qsizetype j = i;
            while (j < end && file[j] != ',' && file[j] != '\r' && file[j] != '\n'
                   && file[j] != '"')
                ++j;
            if (j < end && file[j] == '"')
                return skipLine(i);
            value = file.sliced(i, j - i).toByteArray();
            i = j;
        }
        if (count == fieldCount)
            return skipLine(i);
        out[count++] = std::move(value);
        if (i < end && file[i] == ',') {
            at = i + 1;
            continue;
        }
        // The end of the record: CR LF, LF, or the end of the file.
        if (i < end && file[i] == '\r') {
            if (i + 1 >= end || file[i + 1] != '\n')
                return skipLine(i);
            ++i;
        }
        if (i < end && file[i] != '\n')
            return skipLine(i);
        ok = count >= fieldCount - 1;
        return i < end ? i + 1 : end;
    }
}

bool decode(const std::array<QByteArray, fieldCount> &f, int count, Row &row)
{
    if (!validTime(f[0]))
        return false;
    row.grade = defaultGrade;
    if (count == fieldCount) {
        row.grade = 0;
        for (int grade = 1; grade <= gradeCount; ++grade)
            if (f[8] == gradeCaption(grade).toUtf8())
                row.grade = grade;
        if (row.grade == 0)
            return false;
    }
    row.range = indexOf(rangeNames(), f[1]);
    row.asked = indexOf(answerNames(), f[2]);
    row.answer = indexOf(answerNames(), f[3]);
    if (row.range < 0 || row.asked < 0 || row.asked >= kindCount || row.answer < 0)
        return false;
    if (row.answer == kindCount)
        row.answer = timedOut;
    bool ok = false;
    row.seconds = f[4].toDouble(&ok);
    if (!ok || !std::isfinite(row.seconds) || row.seconds < 0 || row.seconds > 1e7)
        return false;
    row.points = f[5].toInt(&ok);
    if (!ok || row.points < 0 || row.points > 10 || (f[6] != practiceName() && !f[6].isEmpty()))
        return false;
    row.practice = !f[6].isEmpty();
    row.shown = QString::fromLatin1(f[0]);
    row.name = QString::fromUtf8(f[7]);
    if (row.name.size() > 1 && row.name[0] == u'\'' && formulaStart(row.name[1]))
        row.name.remove(0, 1);
    return true;
}

} // namespace

QDate Row::day() const
{
    return QDate(shown.left(4).toInt(), shown.mid(5, 2).toInt(), shown.mid(8, 2).toInt());
}

QByteArray header()
{
    return bom + QStringLiteral("日時,ｘの値,出題,答え,秒,点,練習,名前,学年\r\n").toUtf8();
}

QByteArray encode(const Row &row)
{
    const int answer = row.answer >= 0 && row.answer < kindCount ? row.answer : kindCount;
    QString name = row.name;
    if (!name.isEmpty() && formulaStart(name[0]))
        name.prepend(u'\'');
    QByteArray line = field(row.shown);
    line += ',' + rangeNames()[qBound(0, row.range, rangeCount - 1)];
    line += ',' + answerNames()[qBound(0, row.asked, kindCount - 1)];
    line += ',' + answerNames()[answer];
    line += ',' + QByteArray::number(row.seconds, 'f', 1);
    line += ',' + QByteArray::number(row.points);
    line += ',' + (row.practice ? practiceName() : QByteArray());
    line += ',' + field(name);
    line += ',' + gradeCaption(row.grade).toUtf8();
    return line + "\r\n";
}

QString timeText(const QDateTime &time)
{
    const QDateTime local = time.toLocalTime();
    // Qt writes a zero offset as "Z"; the log always has the digits.
    const int offset = local.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + (offset < 0 ? u'-' : u'+')
        + QStringLiteral("%1:%2")
              .arg(minutes / 60, 2, 10, QChar(u'0'))
              .arg(minutes % 60, 2, 10, QChar(u'0'));
}

void parse(QByteArrayView file, const std::function<void(const Row &)> &row)
{
    // A file cut at the limit ends inside a line, which is no row.
    const bool cut = file.size() >= partLimit;
    file = file.first(qMin(file.size(), partLimit));
    qsizetype at = file.startsWith(bom) ? bom.size() : 0;
    std::array<QByteArray, fieldCount> fields;
    Row decoded;
    while (at < file.size()) {
        int count = 0;
        bool ok = false;
        const qsizetype next = readRecord(file, at, fields, count, ok);
        const bool whole = next < file.size() || file.endsWith('\n') || !cut;
        if (ok && whole && decode(fields, count, decoded))
            row(decoded);
        at = next;
    }
}

QString fileName(QDate day, const QString &device, int part)
{
    QString name = day.toString(QStringLiteral("yyyy-MM-dd")) + u'-' + device;
    if (part > 1)
        name += u'-' + QString::number(part);
    return name + QStringLiteral(".csv");
}

bool parseFileName(const QString &name, FileName &out)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})-([0-9a-f]{8})(?:-([1-9]\\d{0,5}))?\\.csv$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return false;
    out.day
        = QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    out.device = match.captured(4);
    out.part = match.hasCaptured(5) ? match.captured(5).toInt() : 1;
    return out.day.isValid() && (out.part > 1 || !match.hasCaptured(5));
}

bool isDeviceId(const QString &id)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-f]{8}$"));
    return pattern.match(id).hasMatch();
}

bool inPeriod(QDate day, Period period, QDate today)
{
    switch (period) {
    case Period::Today:
        return day == today;
    case Period::Week: {
        const QDate monday = today.addDays(1 - today.dayOfWeek());
        return day >= monday && day < monday.addDays(7);
    }
    case Period::Month:
        return day.year() == today.year() && day.month() == today.month();
    case Period::All:
        return true;
    }
    return false;
}

} // namespace ClassLog

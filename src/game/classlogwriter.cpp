#include "game/classlogwriter.h"

#include "common/wholefile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <map>

ClassLogWriter::ClassLogWriter(LogStorageSource storage, const QString &deviceFolder,
                               LogStorageSource standIn)
    : m_storage(std::move(storage)), m_standIn(std::move(standIn)), m_deviceFolder(deviceFolder)
{ }

QString ClassLogWriter::device()
{
    if (m_device.isEmpty())
        makeDevice();
    return m_device;
}

void ClassLogWriter::makeDevice()
{
    const QString path
        = m_deviceFolder.isEmpty() ? QString() : QDir(m_deviceFolder).filePath(deviceFileName);
    QFile kept(path);
    if (!path.isEmpty() && kept.open(QIODevice::ReadOnly)) {
        const QString id = QString::fromLatin1(kept.read(64)).trimmed();
        if (ClassLog::isDeviceId(id)) {
            m_device = id;
            return;
        }
    }
    m_device = QStringLiteral("%1").arg(QRandomGenerator::system()->generate(), 8, 16, QChar(u'0'));
    // Kept for the runs to come; should it fail, the name serves this run.
    if (!path.isEmpty() && QDir().mkpath(m_deviceFolder))
        writeWholeFile(path, m_device.toLatin1() + '\n');
}

bool ClassLogWriter::write(const QList<ClassLog::Row> &rows)
{
    m_waiting += rows;
    if (m_waiting.isEmpty() && !m_standIn)
        return true;
    const std::unique_ptr<LogStorage> storage = m_storage ? m_storage() : nullptr;
    if (!storage)
        return false;
    const std::unique_ptr<LogStorage> standIn = m_standIn ? m_standIn() : nullptr;
    const auto writeAll = [&] {
        if (m_device.isEmpty())
            makeDevice();
        QStringList names;
        if (storage->list(names)) {
            // What waits in the stand-in is older: it goes first.
            if (standIn)
                carryBack(*storage, *standIn, names);
            writeWaiting(*storage, names);
        }
        if (!m_waiting.isEmpty() && standIn && standIn->list(names))
            writeWaiting(*standIn, names);
        return true;
    };
    // All of it under the lock of the stand-in's other writers (in the
    // browser, the site's tabs, which may be this device's too): the
    // device's name and the stand-in are theirs too.
    if (standIn)
        standIn->underLock(writeAll);
    else
        writeAll();
    return m_waiting.isEmpty();
}

void ClassLogWriter::writeWaiting(LogStorage &storage, QStringList &names)
{
    std::map<QDate, QByteArray> days;
    for (const ClassLog::Row &row : m_waiting)
        days[row.day()] += ClassLog::encode(row);
    QList<ClassLog::Row> left;
    for (const auto &[day, lines] : days)
        if (!writeDay(storage, names, day, lines))
            for (const ClassLog::Row &row : m_waiting)
                if (row.day() == day)
                    left.append(row);
    m_waiting = left;
}

void ClassLogWriter::carryBack(LogStorage &storage, LogStorage &standIn, QStringList &names)
{
    QStringList held;
    if (!standIn.list(held))
        return;
    // This device's files, day by day and part by part; each is removed once
    // its rows are in the day's file, so that every row goes once.
    QList<std::pair<ClassLog::FileName, QString>> files;
    for (const QString &name : held)
        if (ClassLog::FileName file; ClassLog::parseFileName(name, file) && file.device == device())
            files.append({file, name});
    std::sort(files.begin(), files.end(), [](const auto &a, const auto &b) {
        return std::pair(a.first.day, a.first.part) < std::pair(b.first.day, b.first.part);
    });
    // A file's first line is its header, of this version or of an older one
    // with fewer columns: the day's file has its own.
    const QByteArray header = ClassLog::header();
    const QByteArray headerStart = header.first(header.indexOf(',') + 1);
    for (const auto &[file, name] : files) {
        QByteArray content;
        if (!standIn.read(name, ClassLog::partLimit, content))
            return;
        QByteArray lines = content;
        if (content.startsWith(headerStart)) {
            const qsizetype end = content.indexOf("\r\n");
            lines = end < 0 ? QByteArray() : content.sliced(end + 2);
        }
        if ((!lines.isEmpty() && !writeDay(storage, names, file.day, lines))
            || !standIn.remove(name))
            return;
    }
}

bool ClassLogWriter::writeDay(LogStorage &storage, QStringList &names, QDate day,
                              const QByteArray &lines)
{
    // The day's last part, if this device has written one.
    int part = 0;
    for (const QString &name : names) {
        ClassLog::FileName file;
        if (ClassLog::parseFileName(name, file) && file.day == day && file.device == device())
            part = qMax(part, file.part);
    }
    // A part that is full, or that cannot be read, is left as it is.
    QByteArray content;
    if (part == 0
        || !storage.read(ClassLog::fileName(day, device(), part), ClassLog::partLimit + 1, content)
        || content.size() + lines.size() > ClassLog::partLimit) {
        ++part;
        content.clear();
    }
    if (content.isEmpty())
        content = ClassLog::header();
    const QString name = ClassLog::fileName(day, device(), part);
    if (!storage.write(name, content + lines))
        return false;
    if (!names.contains(name))
        names.append(name);
    return true;
}

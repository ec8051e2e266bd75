#include "game/classlogwriter.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <map>

ClassLogWriter::ClassLogWriter(LogStorageSource storage, const QString &deviceFolder)
    : m_storage(std::move(storage)), m_deviceFolder(deviceFolder)
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
    if (!path.isEmpty() && QDir().mkpath(m_deviceFolder)) {
        // Kept for the runs to come; should it fail, the name serves this run.
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(m_device.toLatin1() + '\n');
        file.commit();
    }
}

bool ClassLogWriter::write(const QList<ClassLog::Row> &rows)
{
    m_waiting += rows;
    if (m_waiting.isEmpty())
        return true;
    const std::unique_ptr<LogStorage> storage = m_storage ? m_storage() : nullptr;
    QStringList names;
    if (!storage)
        return false;
    if (m_device.isEmpty())
        storage->keep([this] {
            makeDevice();
            return true;
        });
    if (!storage->list(names))
        return false;
    std::map<QDate, QByteArray> days;
    for (const ClassLog::Row &row : m_waiting)
        days[row.day()] += ClassLog::encode(row);
    QList<ClassLog::Row> left;
    for (const auto &[day, lines] : days)
        if (!writeDay(*storage, names, day, lines))
            for (const ClassLog::Row &row : m_waiting)
                if (row.day() == day)
                    left.append(row);
    m_waiting = left;
    return m_waiting.isEmpty();
}

bool ClassLogWriter::writeDay(LogStorage &storage, const QStringList &names, QDate day,
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
    return storage.write(ClassLog::fileName(day, device(), part), content + lines);
}

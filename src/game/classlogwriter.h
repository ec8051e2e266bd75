#pragma once

#include "common/logstorage.h"
#include "review/classlog.h"

#include <QList>
#include <QString>

// Writes the rows of finished games into this device's file of the day in
// the class's log. Each device writes only its own files, so no two
// writers share one. A write that fails keeps its rows waiting in memory;
// they go with the next write. Nothing here ever stops a game.
class ClassLogWriter
{
public:
    // The device's name is kept in `deviceFolder` (the user's data folder);
    // without one it lasts for the run. Where the log has a stand-in, rows
    // that `storage` does not take are written there, and go on from there
    // into `storage` at a later write that it takes.
    ClassLogWriter(LogStorageSource storage, const QString &deviceFolder,
                   LogStorageSource standIn = {});

    static constexpr const char *deviceFileName = "zenta-device.txt";

    // Adds the rows and writes every row that waits; false when some wait on.
    bool write(const QList<ClassLog::Row> &rows);

    const QList<ClassLog::Row> &waiting() const { return m_waiting; }
    // The device's eight hex digits, made and kept at the first write.
    QString device();

private:
    void makeDevice();
    void writeWaiting(LogStorage &storage, QStringList &names);
    void carryBack(LogStorage &storage, LogStorage &standIn, QStringList &names);
    bool writeDay(LogStorage &storage, QStringList &names, QDate day, const QByteArray &lines);

    LogStorageSource m_storage;
    LogStorageSource m_standIn;
    QString m_deviceFolder;
    QString m_device;
    QList<ClassLog::Row> m_waiting;
};

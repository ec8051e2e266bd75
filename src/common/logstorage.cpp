#include "common/logstorage.h"

#include "common/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool LogFolder::list(QStringList &names)
{
    names.clear();
    if (m_path.isEmpty())
        return false;
    const QDir folder(m_path);
    if (!folder.exists())
        return !QFileInfo(m_path).isSymLink() && !QFileInfo::exists(m_path);
    names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    return folder.isReadable();
}

bool LogFolder::read(const QString &name, qint64 limit, QByteArray &content)
{
    return readWholeFile(QDir(m_path).filePath(name), content, limit);
}

bool LogFolder::write(const QString &name, const QByteArray &content)
{
    return !m_path.isEmpty() && QDir().mkpath(m_path)
        && writeWholeFile(QDir(m_path).filePath(name), content);
}

bool LogFolder::remove(const QString &name)
{
    return !m_path.isEmpty() && QFile::remove(QDir(m_path).filePath(name));
}

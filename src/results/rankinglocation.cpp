#include "results/rankinglocation.h"

#include "results/rankingfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString canonicalFolder(const QString &folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// The stand-in's folder: the program folder's own name, kept to characters
// that every file system takes, then a hash of its whole canonical path, so
// that two folders of one name never share a stand-in.
QString standInFolderName(const QString &canonical)
{
    QString name = QFileInfo(canonical).fileName().left(32);
    for (QChar &c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'-' && c != u'_' && c != u'.')
            c = u'_';
    const QByteArray hash
        = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex();
    return name + u'-' + QString::fromLatin1(hash.left(16));
}

// A file beside the program that can be written: it is the file in use.
bool writable(const QString &path)
{
    return QFileInfo(path).isFile() && RankingFile::retried([&path] {
               QFile file(path);
               return file.open(QIODevice::ReadWrite) && !file.isSequential();
           });
}

} // namespace

RankingLocation RankingLocation::forProgram(const QString &programFolder, const QString &dataFolder)
{
    // A folder that root can write is still no place for one user's Best 5.
    const QDir folder(programFolder);
    const bool installed
        = (folder.dirName() == QLatin1String("bin") || folder.dirName() == QLatin1String("games"))
        && QFileInfo::exists(folder.filePath(
            QStringLiteral("../share/metainfo/io.github.zenta.zenta.metainfo.xml")));
    return RankingLocation(installed ? QString() : programFolder, dataFolder);
}

QString RankingLocation::standIn() const
{
    if (m_data.isEmpty())
        return QString();
    const QDir data(m_data);
    if (m_program.isEmpty())
        return data.filePath(QLatin1String(fileName));
    return data.filePath(standInFolderName(canonicalFolder(m_program)) + u'/'
                         + QLatin1String(fileName));
}

RankingPlace RankingLocation::find() const
{
    RankingPlace place;
    const QString standInFile = standIn();
    if (!m_program.isEmpty()) {
        const QString own = QDir(m_program).filePath(QLatin1String(fileName));
        const QFileInfo info(own);
        // Opening for reading and writing makes a missing file empty and
        // tells whether the folder takes it at all.
        if (writable(own)
            || (!info.exists() && !info.isSymLink() && QDir().mkpath(m_program)
                && QFile(own).open(QIODevice::ReadWrite))) {
            place.file = place.shown = own;
            if (!standInFile.isEmpty() && QFileInfo(standInFile).isFile())
                place.standIn = standInFile;
            return place;
        }
        if (info.isFile() && info.isReadable())
            place.shown = own; // carried into the stand-in by the first save
    }
    if (standInFile.isEmpty())
        return place;
    const QFileInfo standInInfo(standInFile);
    if (standInInfo.exists()) {
        if (writable(standInFile))
            place.file = place.shown = standInFile;
        return place;
    }
    if (m_program.isEmpty()) {
        // An installed copy's own file, made empty like the one beside a
        // copy.
        if (QDir().mkpath(m_data) && QFile(standInFile).open(QIODevice::ReadWrite))
            place.file = place.shown = standInFile;
        return place;
    }
    // A stand-in is made at the first save; the data folder must take it.
    if (QDir().mkpath(m_data) && RankingFile::canMakeFileIn(m_data)) {
        place.file = standInFile;
        if (place.shown.isEmpty())
            place.shown = standInFile;
        place.note = QDir(standInInfo.absolutePath()).filePath(QLatin1String(noteName));
    }
    return place;
}

QString RankingLocation::logFolder() const
{
    const QLatin1String name(logName);
    if (m_program.isEmpty())
        return m_data.isEmpty() ? QString() : QDir(m_data).filePath(name);
    const QString beside = QDir(m_program).filePath(name);
    const QFileInfo info(beside);
    if (m_data.isEmpty()
        || (info.isDir() ? RankingFile::canMakeFileIn(beside)
                         : !info.exists() && RankingFile::canMakeFileIn(m_program)))
        return beside;
    return QDir(QFileInfo(standIn()).absolutePath()).filePath(name);
}

bool RankingLocation::prepare(const RankingPlace &place) const
{
    if (place.file.isEmpty() || !QDir().mkpath(QFileInfo(place.file).absolutePath()))
        return false;
    if (place.note.isEmpty() || QFileInfo::exists(place.note))
        return true;
    // The program folder, for a person who looks; what it says is not read.
    QFile note(place.note);
    const QByteArray text = QDir::toNativeSeparators(canonicalFolder(m_program)).toUtf8() + '\n';
    return note.open(QIODevice::WriteOnly) && note.write(text) == text.size();
}

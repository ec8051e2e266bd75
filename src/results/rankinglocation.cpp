#include "results/rankinglocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

RankingLocation RankingLocation::standard()
{
    return forProgram(QCoreApplication::applicationDirPath(),
                      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

RankingLocation RankingLocation::forProgram(const QString &programFolder, const QString &dataFolder)
{
    // A folder that root can write is still no place for one user's Best 5.
    const QDir folder(programFolder);
    const bool installed
        = (folder.dirName() == QLatin1String("bin") || folder.dirName() == QLatin1String("games"))
        && QFileInfo::exists(folder.filePath(
            QStringLiteral("../share/metainfo/io.github.zenta.zenta.metainfo.xml")));
    if (installed)
        return RankingLocation({dataFolder});
    return RankingLocation({programFolder, dataFolder});
}

#include "results/rankinglocation.h"

#include <QCoreApplication>
#include <QStandardPaths>

RankingLocation RankingLocation::standard()
{
    return RankingLocation({QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)});
}

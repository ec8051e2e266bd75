#include "results/rankinglocation.h"

#include "results/rankingstorage.h"

#include <QCoreApplication>
#include <QStandardPaths>

// On the desktop and on Windows the class's files lie in folders of this
// machine: the ranking file and the log beside the program, or in the
// user's data folder.

RankingLocation RankingLocation::standard()
{
    return forProgram(QCoreApplication::applicationDirPath(),
                      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

std::unique_ptr<RankingStorage> RankingLocation::storage() const
{
    return std::make_unique<RankingFolder>(*this);
}

RankingLocation::Log RankingLocation::log() const
{
    const LogStorageSource folder = [where = *this]() -> std::unique_ptr<LogStorage> {
        return std::make_unique<LogFolder>(where.logFolder());
    };
    return {folder, {}, folder};
}

bool RankingLocation::carriedByHand()
{
    return false;
}

#pragma once

#include <QString>
#include <QStringList>

// Where the ranking file "zenta.rnk" may live: folders in order of
// preference. RankingTable::yomikomi picks the file among them: the first
// that can be written, else the first folder that takes a new one.
class RankingLocation
{
public:
    static constexpr const char *fileName = "zenta.rnk";

    explicit RankingLocation(const QStringList &folders) : m_folders(folders) { }

    // The program's own folder first; where that cannot be written, the
    // user's data folder. An installed copy uses only the data folder.
    static RankingLocation standard();
    // The same for a program file in programFolder: it is an installed copy
    // when that folder is the bin or games folder of a prefix that holds the
    // program's AppStream file (share/metainfo), as a package or
    // `cmake --install` lays it out.
    static RankingLocation forProgram(const QString &programFolder, const QString &dataFolder);

    const QStringList &folders() const { return m_folders; }

private:
    QStringList m_folders;
};

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

    // The program's own folder first; where that cannot be written (an
    // installed copy), the user's data folder.
    static RankingLocation standard();

    const QStringList &folders() const { return m_folders; }

private:
    QStringList m_folders;
};

#pragma once

#include "results/module1.h"
#include "results/rankinglocation.h"
#include "results/rankingrecord.h"
#include "results/rankingstorage.h"

#include <QString>
#include <array>
#include <memory>
#include <optional>

// The Best 5 of every range as the results window holds it while it is
// open: the names and scores of the ranking file, and the place of the
// score just finished. Entry r * 5 + (n - 1) is rank n of the file's range
// r and is record r * 5 + n of the file. Each grade has four ranges of its
// own: 中３ the file's ranges 0 to 3 (entries 0 to 19, the game as it
// always was), 中１ 4 to 7, 中２ 8 to 11; entries 60 to 74 stay blank.
class RankingTable
{
public:
    static constexpr int entryCount = recordCount;
    static constexpr int rangeSize = rangeRecords;
    static constexpr int rangesPerGrade = 4;
    static constexpr int rangesInUse = ::rangesInUse;

    // The file's range that holds range hani (0 to 3) of the grade.
    static int fileRange(int gakunen, int hani);

    explicit RankingTable(Module1 &module);

    std::array<QString, entryCount> namaehyo;
    std::array<qint16, entryCount> jikanhyo{};
    qint16 ichi = 0; // the entry that took the score just finished

    // Loads the ranges from the file that the storage at `where` finds in
    // use (see RankingLocation::storage()); a record beyond the end of the
    // file loads blank. When a stand-in of the program's file waits to go
    // back into it, its rows are placed into that file first and the
    // stand-in is removed. Returns false when no file can be stored: the
    // lists then load from what can be read, or blank.
    bool yomikomi(const RankingLocation &where);

    // Places kekka into the player's own records and into the Best 5 of
    // the current range of the current grade. Returns true when it took a
    // place and waits for a name; sets touroku to 1 when it found none.
    bool jyunikime();

    // A placement waits for its name: kekka is not 0 and touroku is not 1.
    bool pending() const;

    // When a placement is pending, stores kekka under `name` in the file.
    // Other copies of the program may share the file: under a lock, the
    // file is read again and the score goes into its range as the file now
    // holds it, so that no row another copy stored meanwhile is lost;
    // records the save does not move keep their bytes. A score that no
    // longer reaches the five rows stores nothing. Returns false when the
    // lock could not be had or the file could not be written; the file is
    // then as it was, and the save may be tried again.
    bool save(const QString &name);

    // Blanks the records of the current grade's four ranges in the file,
    // and no other record, under the same lock; the table in memory and a
    // pending placement are not written. Returns false when the file could
    // not be written.
    bool clearRanges();

    // The name that a save of this opening stored with the new score, as
    // the file holds it; none before such a save.
    const std::optional<QString> &storedName() const { return m_storedName; }

    // The file that the next save writes; empty when none can be. In the
    // browser, while the page's server holds the file in use, that is the
    // stand-in that a save goes to should the server refuse it.
    QString path() const { return m_storage ? m_storage->path() : QString(); }

    static QString marker() { return QStringLiteral("ここです！"); }

private:
    void load(const QByteArray &file);
    bool update(const RankingStorage::Change &change);

    Module1 &m_module;
    std::unique_ptr<RankingStorage> m_storage; // from the last opening
    std::optional<QString> m_storedName;
};

#pragma once

#include "results/module1.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>

class RankingLocation;

// The Best 5 of every range as the results window holds it while it is
// open: the names and scores of the ranking file, and the place of the
// score just finished. Entry r * 5 + (n - 1) is rank n of range r and is
// record r * 5 + n of the file; entries 0 to 19 carry the four ranges, the
// rest stay blank.
class RankingTable
{
public:
    static constexpr int entryCount = 75;
    static constexpr int rangeSize = 5;
    static constexpr int rangesInUse = 4;

    explicit RankingTable(Module1 &module);

    std::array<QString, entryCount> namaehyo;
    std::array<qint16, entryCount> jikanhyo{};
    qint16 ichi = 0; // the entry that took the score just finished

    // Finds the ranking file in the folders of `where`, in their order,
    // and loads the four ranges; a record beyond the end of the file loads
    // blank. The first folder with a file that can be written is the one
    // in use. A file that can only be read is shown, and the first save
    // writes its rows into the next folder that takes a file, which is in
    // use from then on. Without any file, the first folder that takes one
    // gets it, created empty. Returns false when no folder takes the file:
    // nothing can be stored then.
    bool yomikomi(const RankingLocation &where);

    // Places kekka into the player's own records and into the Best 5 of
    // the current range. Returns true when it took a place and waits for a
    // name; sets touroku to 1 when it found none.
    bool jyunikime();

    // A placement waits for its name: kekka is not 0 and touroku is not 1.
    bool pending() const;

    // When a placement is pending, stores kekka under `name` in the file.
    // Other copies of the program may share the file: under a lock, the
    // file is read again and the score goes into its range as the file now
    // holds it (a tie above the older row), so that no row another copy
    // stored meanwhile is lost; records the save does not move keep their
    // bytes. A score that no longer reaches the five rows stores nothing.
    // Returns false when the lock could not be had or the file could not
    // be written; the file is then as it was, and the save may be tried
    // again.
    bool save(const QString &name);

    // Blanks the records of all four ranges in the file, under the same
    // lock; the table in memory and a pending placement are not written.
    // Returns false when the file could not be written.
    bool clearRanges();

    // The file that the next save writes; empty when no folder takes one.
    const QString &path() const { return m_path; }

    // How long a save waits for another copy's lock, and the age at which
    // a lock left behind by a copy that stopped counts as stale.
    static constexpr int lockTimeoutMs = 5000;
    static constexpr int staleLockMs = 10000;

    static QString marker() { return QStringLiteral("ここです！"); }

private:
    void load(const QByteArray &file);
    // Reads the file as it is now, lets `change` make the new bytes (it
    // returns false when nothing is to be written) and writes them, all
    // under the lock.
    bool update(const std::function<bool(QByteArray &)> &change);

    Module1 &m_module;
    QString m_path;   // the file in use
    QString m_source; // a file that can only be read, which m_path is made from
};

#pragma once

#include "results/module1.h"

#include <QByteArray>
#include <QString>
#include <array>

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

    // Opens the ranking file in the first folder of `where` that takes it,
    // creating it empty there when it is missing, and loads the four
    // ranges; a record beyond the end of the file loads blank. Returns
    // false when no folder takes the file: the table then stays blank and
    // nothing can be stored.
    bool yomikomi(const RankingLocation &where);

    // Places kekka into the player's own records and into the Best 5 of
    // the current range. Returns true when it took a place and waits for a
    // name; sets touroku to 1 when it found none.
    bool jyunikime();

    // A placement waits for its name: kekka is not 0 and touroku is not 1.
    bool pending() const;

    // When a placement is pending, `name` becomes the new entry's name and
    // the whole table is written to the file; otherwise nothing is written.
    // The file is replaced whole or not at all. Returns false when it
    // could not be written.
    bool save(const QString &name);

    // Blanks the records of all four ranges in the file; the table in
    // memory and a pending placement are not written. Returns false when
    // the file could not be written.
    bool clearRanges();

    // The file in use; empty when no folder took it.
    const QString &path() const { return m_path; }

    static QString marker() { return QStringLiteral("ここです！"); }

private:
    bool write(const QByteArray &content) const;

    Module1 &m_module;
    // Each entry's record as it was read, moved with the entry when a row
    // shifts, so that a save writes untouched records back byte for byte.
    // Empty for an entry whose record must be made from its name and score.
    std::array<QByteArray, entryCount> m_raw;
    QByteArray m_file; // the whole file as loaded
    QString m_path;
};

#pragma once

#include "results/rankinglocation.h"

#include <QByteArray>
#include <QString>
#include <functional>

// Where a platform keeps the ranking file: the file in use, and the
// stand-in that serves while that cannot be written, whose rows go back
// into it once it can (carryBack()). The table asks only this of it;
// RankingLocation::storage() makes the platform's.
class RankingStorage
{
public:
    // Makes the new bytes from the file as it is now; false when nothing is
    // to be written.
    using Change = std::function<bool(QByteArray &)>;
    enum class Outcome {
        Done,    // read, or changed (or nothing was to change)
        Refused, // the place takes no writes, or cannot be reached
        Failed,  // the lock was held by another too long, a read or write failed
    };

    virtual ~RankingStorage() = default;

    // Finds the file in use as things are now, carries a stand-in's rows
    // back into it, and reads into `content` the file whose rows are on
    // show. False when no file can be stored: `content` is then what can
    // be read, or empty.
    virtual bool open(QByteArray &content) = 0;

    // Under the lock of the file in use, which other copies of the program
    // share, reads it again, lets `change` make the new bytes and writes
    // them whole. False when the lock could not be had or the file could
    // not be written: it is then as it was.
    virtual bool update(const Change &change) = 0;

    // The file that the next save writes; empty when none can be.
    virtual QString path() const = 0;
};

// The ranking file in a folder of this machine, the desktop's and Windows':
// beside the program where it can be written, else the stand-in in the
// user's data folder (see RankingLocation), each changed under a lock file
// beside it (RankingFile). In the browser the stand-in is such a file.
class RankingFolder : public RankingStorage
{
public:
    explicit RankingFolder(const RankingLocation &where) : m_where(where) { }

    bool open(QByteArray &content) override;
    bool update(const Change &change) override;
    QString path() const override { return m_place.file; }

protected:
    RankingLocation m_where;
    RankingPlace m_place;

private:
    void carryStandIn();
};

// The carrying back, the one rule of every platform: under the stand-in's
// lock (`locked` runs its argument under it, or says false) the stand-in
// is read, and `update` places into the file in use, under that file's
// own lock, the stand-in's rows that it does not hold, each once
// (mergeRows()). The stand-in is removed only once that write has landed.
// An empty stand-in has nothing to carry (another copy carried its rows):
// the file in use is only read again. Returns update's outcome, or Failed
// when the lock could not be had or the stand-in could not be read or
// removed; the next opening tries again.
RankingStorage::Outcome carryBack(
    const QString &standIn, const std::function<bool(const std::function<bool()> &)> &locked,
    const std::function<RankingStorage::Outcome(const RankingStorage::Change &)> &update);

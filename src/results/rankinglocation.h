#pragma once

#include "common/classfiles.h"
#include "common/logstorage.h"

#include <QString>
#include <memory>

class RankingStorage;

// Which ranking file is in use, and which file's rows are on show.
struct RankingPlace
{
    QString file;    // the file that saves and clearings write; empty: none can
    QString shown;   // the file whose rows are shown: `file`, or a file that can
                     // only be read, which the first save carries into `file`
    QString standIn; // a stand-in whose rows go back into `file` at this opening
    QString note;    // made with a stand-in: says which program folder it serves
};

// Where the class's files live: the ranking file "zenta.rnk" and, beside
// it, the class's log. Beside the program, where that file can be written
// (or made), always. Where it cannot, a stand-in in the user's data folder
// serves this one program folder: it lives in a folder of its own, named
// from the program folder's canonical path, with that path written beside
// it in "folder.txt" for a person who looks. Once the program's file can be
// written again, the stand-in's rows go back into it. An installed copy
// keeps its file in the data folder itself.
//
// What each platform keeps there, and how, is chosen in one place for each
// (rankinglocation_desktop.cpp, rankinglocation_web.cpp): standard(),
// storage(), log() and carriedByHand(). Each use finds the files anew,
// since where they can be written may change while the program runs.
class RankingLocation
{
public:
    static constexpr const char *fileName = ClassFiles::rankingName;
    static constexpr const char *noteName = "folder.txt";
    static constexpr const char *logName = "zenta-log";

    // A copy in programFolder; an installed copy has none. No data folder:
    // no stand-in.
    explicit RankingLocation(const QString &programFolder, const QString &dataFolder = QString())
        : m_program(programFolder), m_data(dataFolder)
    { }

    // This program's: from the folder it runs in and the user's data
    // folder; in the browser, the folder of files that the page keeps in
    // IndexedDB.
    static RankingLocation standard();
    // The same for a program file in programFolder: it is an installed copy
    // when that folder is the bin or games folder of a prefix that holds the
    // program's AppStream file (share/metainfo), as a package or
    // `cmake --install` lays it out.
    static RankingLocation forProgram(const QString &programFolder, const QString &dataFolder);

    const QString &programFolder() const { return m_program; }
    const QString &dataFolder() const { return m_data; }

    // The stand-in of this program folder; for an installed copy, the data
    // folder's file. Empty without a data folder.
    QString standIn() const;

    // Looks at the folders as they are now. A missing file beside the
    // program is made empty where the folder takes it.
    RankingPlace find() const;

    // The class's log, the folder "zenta-log" beside the ranking file: beside
    // the program where the program's folder takes it, else in the
    // stand-in's folder; an installed copy's in its data folder. Empty
    // where there is none.
    QString logFolder() const;

    // Makes the folder of the file in use, and a stand-in's note, before
    // the first save.
    bool prepare(const RankingPlace &place) const;

    // The ranking file as the platform keeps it here.
    std::unique_ptr<RankingStorage> storage() const;
    // The class's log: where it is written, where the rows that that does
    // not take wait meanwhile (none on the desktop), what the class's tally
    // reads.
    struct Log
    {
        LogStorageSource place, standIn, tally;
    };
    Log log() const;
    // Whether the player carries the ranking file in and out by hand, with
    // the items "成績ファイルを保存" and "成績ファイルを読み込む" of the
    // menu "ゲーム": where it lives in the browser's storage, out of the
    // player's reach.
    static bool carriedByHand();

private:
    QString m_program;
    QString m_data;
};

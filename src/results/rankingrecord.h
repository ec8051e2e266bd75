#pragma once

#include "results/module1.h"

#include <QByteArray>
#include <QByteArrayView>
#include <span>

// One record of the ranking file "zenta.rnk": a name of 10 bytes in code
// page 932, left-aligned and filled with blanks, then the score as a 16-bit
// little-endian signed integer.
inline constexpr int recordSize = 12;
inline constexpr int nameSize = 10;

// Always exactly recordSize bytes. The name is cut to 10 bytes on a
// character boundary: a double-byte character that would straddle the
// tenth byte is left out and its place filled with a blank.
QByteArray encodeRecord(const kiroku &record);

// A record of recordSize bytes; the name comes back filled with blanks to
// 10 characters.
kiroku decodeRecord(QByteArrayView bytes);

// Ten blanks and a score of 0.
QByteArray blankRecord();

// The file: records 1 to 75, a range's Best 5 after another, rank 1 first.
// Ranges 0 to 11 are in use (four for each grade); records 61 to 75 stay
// blank, and whatever lies beyond record 75 is kept as it is.
inline constexpr int recordCount = 75;
inline constexpr int rangeRecords = 5;
inline constexpr int rangesInUse = 12;

// Record i of a file, from 0; a blank record where the file has no whole
// record.
QByteArray recordAt(const QByteArray &file, int i);

// Records 1 to 75 as they are, blank where the file has none, then
// whatever lies beyond them.
QByteArray allRecords(const QByteArray &file);

// Where a score goes among rows sorted highest first: above the first
// row whose score is not above it, so that a tie goes above the older
// row. rows.size() when it finds no place.
qsizetype placeOf(std::span<const qint16> rows, qint16 score);

// Places `record` into range `range` of `records` (all 75 of them) as a
// save places a score: the rows below it move one down and the last row of
// the range drops out. Returns false when it takes no place.
bool placeRecord(QByteArray &records, int range, const QByteArray &record);

// Places the rows of a stand-in that `file` does not hold into it (all of
// it is kept, records 1 to 75 made whole). The stand-in holds the rows it
// copied from the file at its first save and the rows saved into it since:
// each is placed as a save places a score, from the bottom of each range
// up so that they keep their order, and a copied row matches one equal
// record of its range and is not placed twice.
void mergeRows(QByteArray &file, const QByteArray &rows);

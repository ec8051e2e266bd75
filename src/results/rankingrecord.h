#pragma once

#include "results/module1.h"

#include <QByteArray>
#include <QByteArrayView>

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

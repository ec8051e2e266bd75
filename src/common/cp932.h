#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Code page 932 (Shift JIS as Windows writes it), the encoding of the names
// in the ranking file.

// The text encoded character by character. A character that code page 932
// cannot encode becomes "?", save the JIS symbols that input methods
// outside Windows type as other characters (U+301C WAVE DASH, U+2212 MINUS
// SIGN, ...): they become the bytes Windows writes for them. With maxBytes >= 0 the result is the
// longest run of whole characters from the start that fits in maxBytes bytes: a double-byte
// character is never cut in half.
QByteArray toCp932(QStringView text, qsizetype maxBytes = -1);

// The bytes decoded. Zero bytes give nothing; a byte that starts no valid
// character (or a lead byte whose second byte is missing or wrong) gives
// U+FFFD, one for each such byte.
QString fromCp932(QByteArrayView bytes);

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// One character of code page 932 each way, through the platform's converter:
// Windows' own (cp932codec_windows.cpp), the browser build's tables
// (cp932codec_web.cpp) or Qt's ICU converter elsewhere (cp932codec_icu.cpp).
// toCp932() and fromCp932() build on these, and tools/cp932table writes the
// browser build's tables with the ICU one.

// The bytes of one character (one UTF-16 unit, or a surrogate pair); empty
// where the code page has none.
QByteArray encodeCp932Character(QStringView character);

// The character of one code: a single byte, or a lead byte and its second
// byte. Empty where the code is not defined.
QString decodeCp932Character(QByteArrayView bytes);

#include "common/cp932codec.h"

#include <qt_windows.h>

// Windows converts with its own code page 932, the one that wrote every
// ranking file there is; a Qt for Windows has no converter of that name
// (it has no ICU).
constexpr UINT codePage = 932;

// The bytes of one character, or nothing where the code page has none.
// Without WC_NO_BEST_FIT_CHARS Windows would write a look-alike for some
// characters (an "A" for an "Ä"); the default character it would use
// otherwise is flagged and left to the caller.
QByteArray encodeCp932Character(QStringView character)
{
    char bytes[4];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(
        codePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t *>(character.utf16()),
        int(character.size()), bytes, int(sizeof bytes), nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return {};
    return QByteArray(bytes, length);
}

// The character of one code, or nothing where the code is not defined.
// Windows gives the single bytes 80, A0 and FD to FF characters of their
// own (U+0080, private-use ones) that no ranking file means; they count as
// undefined here, as they do everywhere else.
QString decodeCp932Character(QByteArrayView bytes)
{
    if (bytes.size() == 1) {
        const auto byte = static_cast<unsigned char>(bytes[0]);
        if (byte == 0x80 || byte == 0xA0 || byte >= 0xFD)
            return {};
    }
    wchar_t characters[2];
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                           int(bytes.size()), characters, 2);
    if (length <= 0)
        return {};
    return QString::fromWCharArray(characters, length);
}

#include "common/cp932.h"

#include "common/cp932codec.h"

namespace {

// The first byte of a double-byte character.
bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The characters that input methods outside Windows type for some JIS
// symbols, and the ones Windows has in their place. Code page 932 has the
// symbol, so it is stored as the bytes Windows writes for it.
char16_t windowsSymbol(char16_t c)
{
    switch (c) {
    case 0x301C:       // WAVE DASH
        return 0xFF5E; // 81 60
    case 0x2016:       // DOUBLE VERTICAL LINE
        return 0x2225; // 81 61
    case 0x2212:       // MINUS SIGN
        return 0xFF0D; // 81 7C
    case 0x00A2:       // CENT SIGN
        return 0xFFE0; // 81 91
    case 0x00A3:       // POUND SIGN
        return 0xFFE1; // 81 92
    case 0x00AC:       // NOT SIGN
        return 0xFFE2; // 81 CA
    case 0x2014:       // EM DASH
        return 0x2015; // 81 5C
    case 0x00A6:       // BROKEN BAR
        return 0xFFE4; // FA 55
    default:
        return c;
    }
}

} // namespace

QByteArray toCp932(QStringView text, qsizetype maxBytes)
{
    // Each character is encoded on its own; one the code page has not is
    // replaced by "?". So is one whose bytes read back as another
    // character: converters also write look-alikes (ICU writes 87 82, "№",
    // for U+F86F), and Windows' own has single bytes for U+0080 and four
    // private-use characters that read back as nothing.
    QByteArray out;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype length
            = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ? 2
            : 1;
        const QChar symbol(windowsSymbol(text[i].unicode()));
        const QStringView character = length == 1 ? QStringView(&symbol, 1) : text.mid(i, 2);
        QByteArray bytes = encodeCp932Character(character);
        if (bytes.isEmpty() || decodeCp932Character(bytes) != character)
            bytes = QByteArrayLiteral("?");
        if (maxBytes >= 0 && out.size() + bytes.size() > maxBytes)
            break;
        out += bytes;
        i += length;
    }
    return out;
}

QString fromCp932(QByteArrayView bytes)
{
    // Decoded one character at a time, so that a bad byte shows as U+FFFD
    // and never swallows the characters after it.
    QString out;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0) {
            ++i;
            continue;
        }
        const qsizetype length = isLeadByte(byte) && i + 1 < bytes.size() ? 2 : 1;
        const QString decoded = decodeCp932Character(bytes.sliced(i, length));
        if (decoded.isEmpty()) {
            out += QChar(QChar::ReplacementCharacter);
            ++i; // the second byte may start a character of its own
            continue;
        }
        out += decoded;
        i += length;
    }
    return out;
}

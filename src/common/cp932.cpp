#include "common/cp932.h"

#include "common/cp932codec.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#elif defined(ZENTA_CP932_TABLE)
#include <algorithm>
#include <iterator>
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

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

#ifdef Q_OS_WIN

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

#elif defined(ZENTA_CP932_TABLE)

// The browser's Qt has no ICU: the tables were made, when the program was
// built, from the converter below on the build machine (tools/cp932table).
namespace {
#include "cp932table.inc"

constexpr char16_t none = 0xFFFF;
} // namespace

QByteArray encodeCp932Character(QStringView character)
{
    // The code page has no character beyond the BMP.
    if (character.size() != 1)
        return {};
    const char16_t c = character[0].unicode();
    const auto *found = std::lower_bound(std::begin(encodable), std::end(encodable), c);
    if (found == std::end(encodable) || *found != c)
        return {};
    const unsigned short code = encodableCodes[found - std::begin(encodable)];
    if (code < 0x100)
        return QByteArray(1, char(code));
    const char bytes[2] = {char(code >> 8), char(code & 0xFF)};
    return QByteArray(bytes, 2);
}

QString decodeCp932Character(QByteArrayView bytes)
{
    char16_t c = none;
    if (bytes.size() == 1) {
        c = singleByte[static_cast<unsigned char>(bytes[0])];
    } else if (bytes.size() == 2) {
        const auto *lead = std::find(std::begin(leadBytes), std::end(leadBytes),
                                     static_cast<unsigned char>(bytes[0]));
        if (lead != std::end(leadBytes))
            c = doubleByte[(lead - std::begin(leadBytes)) * 256
                           + static_cast<unsigned char>(bytes[1])];
    }
    return c == none ? QString() : QString(QChar(c));
}

#else

// Qt's converter of that name (ICU inside Debian's Qt) has Windows' code
// page 932 for every character but three: like IBM's code pages it swaps
// the control codes 1A, 1C and 7F, which Windows keeps as they are. The
// ASCII half is therefore taken as it is, as Windows does.
constexpr const char *codecName = "windows-31j";

// ICU fills in an unencodable character with its own substitute bytes and
// only flags the error, so each character gets a fresh encoder (the flag
// stays set) and a flagged one gives nothing.
QByteArray encodeCp932Character(QStringView character)
{
    if (character.size() == 1 && character[0].unicode() < 0x80)
        return QByteArray(1, char(character[0].unicode()));
    QStringEncoder encoder(codecName, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(character);
    return encoder.hasError() ? QByteArray() : bytes;
}

QString decodeCp932Character(QByteArrayView bytes)
{
    if (bytes.size() == 1 && static_cast<unsigned char>(bytes[0]) < 0x80)
        return QString(QChar(bytes[0]));
    QStringDecoder decoder(codecName, QStringConverter::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    return decoder.hasError() ? QString() : decoded;
}

#endif

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

#include "common/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

constexpr const char *codecName = "windows-31j";

// The first byte of a double-byte character.
bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace

QByteArray toCp932(QStringView text, qsizetype maxBytes)
{
    // ICU fills in an unencodable character with its own substitute bytes
    // and only flags the error, so each character is encoded on its own
    // (by a fresh encoder: the flag stays set) and a flagged one is
    // replaced by "?".
    QByteArray out;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype length
            = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ? 2
            : 1;
        QStringEncoder encoder(codecName, QStringConverter::Flag::Stateless);
        QByteArray bytes = encoder.encode(text.mid(i, length));
        if (encoder.hasError() || bytes.isEmpty())
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
        QStringDecoder decoder(codecName, QStringConverter::Flag::Stateless);
        const QString decoded = decoder.decode(bytes.sliced(i, length));
        if (decoder.hasError() || decoded.isEmpty()) {
            out += QChar(QChar::ReplacementCharacter);
            ++i; // the second byte may start a character of its own
            continue;
        }
        out += decoded;
        i += length;
    }
    return out;
}

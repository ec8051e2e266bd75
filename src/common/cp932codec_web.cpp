#include "common/cp932codec.h"

#include <algorithm>
#include <iterator>

// The browser's Qt has no ICU: the tables were made, when the program was
// built, from the ICU converter (cp932codec_icu.cpp) on the build machine
// (tools/cp932table).
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

// Writes the C++ tables with which the browser build converts code page 932:
// every single byte and every lead byte with every second byte decoded, and
// every character encoded, by the converter of the machine that builds.
//   usage: cp932table OUTPUT
#include "common/cp932codec.h"

#include <QSaveFile>
#include <QStringDecoder>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr char16_t none = 0xFFFF;

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "cp932table: %s\n", qPrintable(what));
    std::exit(1);
}

QString hex(int value, int digits)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

// One decoded code as a single UTF-16 unit, or `none`.
char16_t decoded(const QByteArray &code)
{
    const QString character = decodeCp932Character(code);
    if (character.isEmpty())
        return none;
    if (character.size() != 1 || character[0].unicode() == none)
        fail(QStringLiteral("%1 decodes to more than one UTF-16 unit")
                 .arg(QString::fromLatin1(code.toHex(' '))));
    return character[0].unicode();
}

void writeArray(QTextStream &out, const std::vector<int> &values, int digits)
{
    for (size_t i = 0; i < values.size(); ++i)
        out << (i % 12 == 0 ? "\n    " : " ") << hex(values[i], digits) << ',';
    out << "\n};\n";
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2)
        fail(QStringLiteral("usage: cp932table OUTPUT"));
    if (!QStringDecoder("windows-31j").isValid())
        fail(QStringLiteral("this Qt has no converter for windows-31j (built without ICU?)"));

    std::vector<int> single;
    for (int byte = 0; byte < 0x100; ++byte)
        single.push_back(decoded(QByteArray(1, char(byte))));

    std::vector<int> leads, doubles;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        leads.push_back(lead);
        for (int trail = 0; trail < 0x100; ++trail)
            doubles.push_back(decoded(QByteArray(1, char(lead)) + char(trail)));
    }

    std::vector<int> characters, codes;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const char32_t units[1] = {c};
        const QString text = QString::fromUcs4(units, 1);
        const QByteArray bytes = encodeCp932Character(text);
        if (bytes.isEmpty())
            continue;
        const bool valid = c < 0x10000 && (c < 0xD800 || c > 0xDFFF)
            && (bytes.size() == 1 || (bytes.size() == 2 && uchar(bytes[0]) >= 0x81));
        if (!valid)
            fail(QStringLiteral("U+%1 encodes as %2, which the table cannot hold")
                     .arg(int(c), 4, 16, QLatin1Char('0'))
                     .arg(QString::fromLatin1(bytes.toHex(' '))));
        characters.push_back(int(c));
        codes.push_back(bytes.size() == 1 ? uchar(bytes[0])
                                          : uchar(bytes[0]) << 8 | uchar(bytes[1]));
    }

    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString());
    QTextStream out(&file);
    out << "// Made by tools/cp932table from the converter \"windows-31j\" of the machine\n"
           "// that built the program; not to be edited.\n\n"
           "// The character of each single byte; 0xFFFF where it is none.\n"
           "constexpr char16_t singleByte[256] = {";
    writeArray(out, single, 4);
    out << "\n// The lead bytes, and the character of lead byte i with second byte b at\n"
           "// i * 256 + b.\n"
           "constexpr unsigned char leadBytes["
        << leads.size() << "] = {";
    writeArray(out, leads, 2);
    out << "constexpr char16_t doubleByte[" << leads.size() << " * 256] = {";
    writeArray(out, doubles, 4);
    out << "\n// The characters that the code page encodes, in ascending order, and their\n"
           "// codes: below 0x100 one byte, else the lead byte and the second byte.\n"
           "constexpr char16_t encodable["
        << characters.size() << "] = {";
    writeArray(out, characters, 4);
    out << "constexpr unsigned short encodableCodes[" << codes.size() << "] = {";
    writeArray(out, codes, 4);
    out.flush();
    if (!file.commit())
        fail(file.errorString());
    std::fprintf(stderr, "cp932table: %zu characters encodable\n", characters.size());
    return 0;
}

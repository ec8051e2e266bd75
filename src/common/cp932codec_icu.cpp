#include "common/cp932codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

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

// Code page 932 both ways over every double-byte code it defines, so that a
// Qt without the converter fails here instead of storing every name as "?".
#include "common/cp932.h"

#include <QCryptographicHash>
#include <QTest>

class TestCp932 : public QObject
{
    Q_OBJECT

private slots:
    // Each double-byte code that decodes to a character encodes back to
    // itself, or, for a character that the code page holds twice (the NEC
    // and IBM extensions repeat some), to the code Windows writes for it,
    // which decodes to the same character and comes back to itself.
    void everyDoubleByteCodeRoundTrips()
    {
        int defined = 0, exact = 0, duplicates = 0;
        QStringList wrong;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead > 0x9F && lead < 0xE0)
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F)
                    continue;
                const QByteArray code = QByteArray(1, char(lead)) + char(trail);
                const QString character = fromCp932(code);
                if (character.size() != 1 || character[0] == QChar::ReplacementCharacter)
                    continue;
                ++defined;
                const QByteArray back = toCp932(character);
                if (back == code) {
                    ++exact;
                } else if (back.size() == 2 && fromCp932(back) == character
                           && toCp932(fromCp932(back)) == back) {
                    ++duplicates;
                } else {
                    wrong << QString::fromLatin1(code.toHex(' ') + " -> " + back.toHex(' '));
                }
            }
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
        qInfo("%d codes defined: %d come back as they were, %d as Windows' code", defined, exact,
              duplicates);
        // JIS X 0208 6879, NEC row 13 83, NEC-selected IBM extensions 374,
        // IBM extensions 388, user-defined area 1880. Held twice: the 374
        // NEC-selected IBM codes, 9 NEC row 13 symbols that JIS X 0208 has
        // too, and 15 IBM codes that NEC row 13 or JIS X 0208 has.
        QCOMPARE(defined, 9604);
        QCOMPARE(duplicates, 398);
    }

    // Every platform's converter gives the same characters for every one-
    // and two-byte sequence and the same bytes for every character of the
    // Basic Multilingual Plane (and one beyond it). The digests are those of
    // what the Linux build reads and writes, which was compared code by code
    // with what Windows' own code page gives (under Wine) when they were
    // taken.
    void theSameBytesOnEveryPlatform()
    {
        QCryptographicHash decoded(QCryptographicHash::Sha256);
        for (int lead = 0; lead <= 0xFF; ++lead) {
            const QString single = fromCp932(QByteArray(1, char(lead)));
            decoded.addData(
                QByteArrayView(reinterpret_cast<const char *>(single.utf16()), single.size() * 2));
            decoded.addData("|");
            for (int trail = 0; trail <= 0xFF && lead >= 0x81; ++trail) {
                const QString text = fromCp932(QByteArray(1, char(lead)) + char(trail));
                decoded.addData(
                    QByteArrayView(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
                decoded.addData("|");
            }
        }
        QCryptographicHash encoded(QCryptographicHash::Sha256);
        for (char32_t c = 1; c <= 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            encoded.addData(toCp932(QString::fromUcs4(&c, 1)));
            encoded.addData("|");
        }
        QCOMPARE(decoded.result().toHex(),
                 "2f63eb56c5b4a5b8339b6bb14307459e4844e68551da7782e57c9b5eef28119f");
        QCOMPARE(encoded.result().toHex(),
                 "73ce14c43e4a21b6a64bbb190b5625199d0eff9f2af51c9761f67a6fc7b16f40");
    }
};

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_cp932.moc"

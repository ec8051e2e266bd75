// Code page 932 both ways over every double-byte code it defines, so that a
// Qt without the converter fails here instead of storing every name as "?".
#include "common/cp932.h"

#include <QStringDecoder>
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
                QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
                const QString character = decoder.decode(code);
                if (decoder.hasError() || character.size() != 1
                    || character[0] == QChar::ReplacementCharacter)
                    continue;
                ++defined;
                QCOMPARE(fromCp932(code), character);
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
};

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_cp932.moc"

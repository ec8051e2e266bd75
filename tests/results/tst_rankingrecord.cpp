// The ranking file's record: the bytes a name and a score become, and the
// name and score that bytes give back.
#include "results/rankingrecord.h"

#include <QTest>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

} // namespace

class TestRankingRecord : public QObject
{
    Q_OBJECT

private slots:
    void encode_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("score");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("ABC 37") << "ABC" << 37 << hex("41 42 43 20 20 20 20 20 20 20 25 00");
        QTest::newRow("やまだ 37") << "やまだ" << 37 << hex("82 E2 82 DC 82 BE 20 20 20 20 25 00");
        QTest::newRow("empty, -3") << "" << -3 << hex("20 20 20 20 20 20 20 20 20 20 FD FF");
        QTest::newRow("full-width minus and tilde")
            << "－～" << 0 << hex("81 7C 81 60 20 20 20 20 20 20 00 00");
        QTest::newRow("six kana keep five")
            << "あいうえおか" << 50 << hex("82 A0 82 A2 82 A4 82 A6 82 A8 32 00");
        QTest::newRow("eleven letters keep ten")
            << "ABCDEFGHIJK" << 1 << hex("41 42 43 44 45 46 47 48 49 4A 01 00");
        QTest::newRow("kana straddling byte ten becomes a blank")
            << "Aあいうえお" << 9 << hex("41 82 A0 82 A2 82 A4 82 A6 20 09 00");
        QTest::newRow("half-width katakana is one byte")
            << "ｱｲｳ" << 2 << hex("B1 B2 B3 20 20 20 20 20 20 20 02 00");
        QTest::newRow("unencodable becomes ?")
            << "€x¥" << 3 << hex("3F 78 3F 20 20 20 20 20 20 20 03 00");
        QTest::newRow("a character beyond the BMP is one ?")
            << "a😀b" << 4 << hex("61 3F 62 20 20 20 20 20 20 20 04 00");
        QTest::newRow("NEC and IBM extensions")
            << "①髙" << 5 << hex("87 40 FB FC 20 20 20 20 20 20 05 00");
        QTest::newRow("U+301C wave dash as Windows' tilde")
            << "\u301C" << 0 << hex("81 60 20 20 20 20 20 20 20 20 00 00");
        QTest::newRow("U+2016 double vertical line as Windows' parallel")
            << "\u2016" << 0 << hex("81 61 20 20 20 20 20 20 20 20 00 00");
        QTest::newRow("U+2212 minus sign as Windows' full-width minus")
            << "\u2212" << 0 << hex("81 7C 20 20 20 20 20 20 20 20 00 00");
        QTest::newRow("cent, pound, not sign as their full-width forms")
            << "\u00A2\u00A3\u00AC" << 0 << hex("81 91 81 92 81 CA 20 20 20 20 00 00");
        QTest::newRow("U+2014 em dash as Windows' horizontal bar")
            << "\u2014" << 0 << hex("81 5C 20 20 20 20 20 20 20 20 00 00");
        QTest::newRow("U+00A6 broken bar as the full-width one")
            << "\u00A6" << 0 << hex("FA 55 20 20 20 20 20 20 20 20 00 00");
        QTest::newRow("control codes 1A 1C 7F as Windows has them")
            << "\x1A\x1C\x7F" << 0 << hex("1A 1C 7F 20 20 20 20 20 20 20 00 00");
        QTest::newRow("no look-alike's bytes: U+F86F, U+0080, U+F8F0")
            << "\uF86F\u0080\uF8F0" << 0 << hex("3F 3F 3F 20 20 20 20 20 20 20 00 00");
        QTest::newRow("mapped symbols are cut on a character boundary too")
            << "ABCDEFGHI\u301C" << 0 << hex("41 42 43 44 45 46 47 48 49 20 00 00");
        QTest::newRow("highest score") << "" << 32767 << hex("20 20 20 20 20 20 20 20 20 20 FF 7F");
        QTest::newRow("lowest score") << "" << -32768 << hex("20 20 20 20 20 20 20 20 20 20 00 80");
        QTest::newRow("long name of unencodables")
            << QString(40, QChar(0x20AC)) << 6 << hex("3F 3F 3F 3F 3F 3F 3F 3F 3F 3F 06 00");
    }

    void encode()
    {
        QFETCH(QString, name);
        QFETCH(int, score);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encodeRecord(kiroku{name, static_cast<qint16>(score)}).toHex(' '),
                 bytes.toHex(' '));
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("score");

        QTest::newRow("ABC 37") << hex("41 42 43 20 20 20 20 20 20 20 25 00") << "ABC       " << 37;
        QTest::newRow("やまだ fills to ten characters")
            << hex("82 E2 82 DC 82 BE 20 20 20 20 25 00") << "やまだ       " << 37;
        QTest::newRow("-3") << hex("20 20 20 20 20 20 20 20 20 20 FD FF") << "          " << -3;
        QTest::newRow("zero bytes show as nothing")
            << hex("41 00 42 00 00 00 00 00 00 00 0A 00") << "AB        " << 10;
        QTest::newRow("all zero") << QByteArray(12, '\0') << "          " << 0;
        QTest::newRow("bad bytes show as replacement characters")
            << hex("FF 41 80 A0 42 20 20 20 20 20 01 00")
            << QString::fromUtf8("\xEF\xBF\xBD"
                                 "A"
                                 "\xEF\xBF\xBD\xEF\xBF\xBD"
                                 "B     ")
            << 1;
        QTest::newRow("control codes 1A 1C 7F as Windows has them")
            << hex("1A 1C 7F 20 20 20 20 20 20 20 01 00") << "\x1A\x1C\x7F       " << 1;
        QTest::newRow("lead byte cut off at byte ten")
            << hex("41 41 41 41 41 41 41 41 41 82 02 00")
            << QString::fromUtf8("AAAAAAAAA\xEF\xBF\xBD") << 2;
        QTest::newRow("lead byte with a wrong second byte keeps the second")
            << hex("82 41 20 20 20 20 20 20 20 20 03 00")
            << QString::fromUtf8("\xEF\xBF\xBD"
                                 "A        ")
            << 3;
    }

    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(int, score);
        const kiroku record = decodeRecord(bytes);
        QCOMPARE(record.namae, name);
        QCOMPARE(record.jikan, score);
    }
};

QTEST_GUILESS_MAIN(TestRankingRecord)
#include "tst_rankingrecord.moc"

// The program's icon: the Windows icon file with its three pictures, and
// the pictures every window carries.
#include "testmain.h"

#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QSet>
#include <QtEndian>

namespace {

QByteArray iconFile()
{
    QFile file(QFINDTESTDATA("../../src/layouts/icons/zenta.ico"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint16 u16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 u32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint8 u8(const QByteArray &b, qsizetype at)
{
    return quint8(b.at(at));
}

} // namespace

class TestAppIcon : public QObject
{
    Q_OBJECT

    void pictures()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("bits");
        QTest::newRow("32 x 32, 2 colours") << 0 << 32 << 1;
        QTest::newRow("32 x 32, 16 colours") << 1 << 32 << 4;
        QTest::newRow("16 x 16, 16 colours") << 2 << 16 << 4;
    }

private slots:
    void directory()
    {
        const QByteArray ico = iconFile();
        QVERIFY(ico.size() > 6);
        QCOMPARE(u16(ico, 0), 0);
        QCOMPARE(u16(ico, 2), 1); // an icon, not a cursor
        QCOMPARE(u16(ico, 4), 3);

        // The pictures follow the directory one after the other, up to the
        // end of the file.
        quint32 next = 6 + 3 * 16;
        for (int i = 0; i < 3; ++i) {
            const qsizetype entry = 6 + 16 * i;
            QCOMPARE(u32(ico, entry + 12), next);
            next += u32(ico, entry + 8);
        }
        QCOMPARE(qsizetype(next), ico.size());
    }

    void entry_data() { pictures(); }

    void entry()
    {
        QFETCH(int, index);
        QFETCH(int, size);
        QFETCH(int, bits);
        const QByteArray ico = iconFile();
        QVERIFY(ico.size() > 6 + 3 * 16);
        const qsizetype entry = 6 + 16 * index;
        const int colours = 1 << bits;
        QCOMPARE(u8(ico, entry + 0), size);
        QCOMPARE(u8(ico, entry + 1), size);
        QCOMPARE(u8(ico, entry + 2), colours);
        QCOMPARE(u8(ico, entry + 3), 0);
        QCOMPARE(u16(ico, entry + 4), 1); // planes
        QCOMPARE(u16(ico, entry + 6), bits);

        // The picture's own header says the same, and its bytes are all
        // there: palette, colour rows and mask rows, rows padded to 4 bytes.
        const quint32 bytes = u32(ico, entry + 8);
        const quint32 at = u32(ico, entry + 12);
        QVERIFY(at + bytes <= quint32(ico.size()));
        QCOMPARE(u32(ico, at), 40);
        QCOMPARE(u32(ico, at + 4), size);
        QCOMPARE(u32(ico, at + 8), 2 * size); // colour rows and mask rows
        QCOMPARE(u16(ico, at + 12), 1);
        QCOMPARE(u16(ico, at + 14), bits);
        QCOMPARE(u32(ico, at + 16), 0); // not compressed
        const int colourRow = (size * bits + 31) / 32 * 4;
        const int maskRow = (size + 31) / 32 * 4;
        QCOMPARE(bytes, quint32(40 + 4 * colours + (colourRow + maskRow) * size));
    }

    // What a reader of icon files makes of each picture: the right size,
    // no more colours than its depth holds, and a picture, not one flat
    // colour.
    void picture_data() { pictures(); }

    void picture()
    {
        QFETCH(int, index);
        QFETCH(int, size);
        QFETCH(int, bits);
        QImageReader reader(QFINDTESTDATA("../../src/layouts/icons/zenta.ico"), "ico");
        QCOMPARE(reader.imageCount(), 3);
        QVERIFY(reader.jumpToImage(index));
        const QImage image = reader.read();
        QCOMPARE(image.size(), QSize(size, size));
        QSet<QRgb> used;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                used.insert(image.pixel(x, y));
        QVERIFY(used.size() >= 2);
        QVERIFY(used.size() <= (1 << bits));
    }

    // Every window takes the application's icon, at the desktop's sizes.
    void windowIcon_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {16, 32, 48, 64})
            QTest::addRow("%d px", size) << size;
    }

    void windowIcon()
    {
        QFETCH(int, size);
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        QCOMPARE(icon.pixmap(QSize(size, size)).size(), QSize(size, size));
    }
};

ZENTA_TEST_MAIN(TestAppIcon)
#include "tst_appicon.moc"

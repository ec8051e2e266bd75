// Draws the program's icon: a graph of a straight line y = x and a parabola
// y = x²/2 on the blue of the correspondence table. Writes the Windows icon
// zenta.ico (32 x 32 in 2 colours, 32 x 32 and 16 x 16 in 16 colours), the
// desktop's PNGs zenta-<size>.png (16 to 256) and the browser page's
// (192 and 512, for its web app manifest) into the folder it is given:
//
//     build/makeicons src/layouts/icons
//
// (or `cmake --build build --target icons`).
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// The 16 colours every Windows display has, in their usual order.
const QRgb vga[16] = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

enum class Depth { TwoColours, SixteenColours, TrueColour };

struct Scheme
{
    QColor back, border, grid, axes, line, parabola;
};

Scheme schemeFor(Depth depth)
{
    if (depth == Depth::TwoColours)
        return {Qt::white, Qt::black, QColor(), Qt::black, Qt::black, Qt::black};
    return {QColor(0, 0, 255), QColor(0, 0, 128),   QColor(0, 0, 128),
            Qt::white,         QColor(255, 255, 0), QColor(0, 255, 0)};
}

QImage drawIcon(int size, Depth depth)
{
    const Scheme scheme = schemeFor(depth);
    const bool smooth = depth == Depth::TrueColour && size > 32;
    const qreal s = size;

    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, smooth);

    // The tile, with rounded corners where there are pixels enough for them.
    const qreal edge = smooth ? s / 32 : 1;
    const QRectF tile = QRectF(0, 0, s, s).adjusted(edge / 2, edge / 2, -edge / 2, -edge / 2);
    p.setPen(QPen(scheme.border, edge));
    p.setBrush(scheme.back);
    if (smooth)
        p.drawRoundedRect(tile, s / 8, s / 8);
    else
        p.drawRect(QRectF(0, 0, s - 1, s - 1));

    // The graph: x from -2.4 to 2.4, y from -1.4 to 3.4, inside a margin.
    const qreal margin = std::max<qreal>(2, std::round(s / 10));
    const qreal unit = (s - 2 * margin) / 4.8;
    // Smooth pictures place strokes by coordinates, the others by pixel
    // centres, so that one-pixel lines stay one pixel wide.
    auto snap = [&](qreal v) { return smooth ? v : std::floor(v) + 0.5; };
    const qreal ox = snap(margin + 2.4 * unit);
    const qreal oy = snap(margin + 3.4 * unit);
    auto at = [&](qreal x, qreal y) { return QPointF(ox + x * unit, oy - y * unit); };

    const qreal stroke = smooth ? s / 16 : 1;
    const qreal thin = smooth ? s / 48 : 1;
    if (scheme.grid.isValid() && size >= 32) {
        p.setPen(QPen(scheme.grid, thin));
        for (int i = -2; i <= 3; ++i) {
            const qreal y = snap(oy - i * unit);
            if (i != 0)
                p.drawLine(QPointF(margin, y), QPointF(s - margin, y));
        }
        for (int i = -2; i <= 2; ++i) {
            const qreal x = snap(ox + i * unit);
            if (i != 0)
                p.drawLine(QPointF(x, margin), QPointF(x, s - margin));
        }
    }

    p.setPen(QPen(scheme.axes, smooth ? thin * 1.5 : 1, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(margin / 2, oy), QPointF(s - margin / 2, oy));
    p.drawLine(QPointF(ox, margin / 2), QPointF(ox, s - margin / 2));

    p.setClipRect(QRectF(margin / 2, margin / 2, s - margin, s - margin));
    p.setPen(QPen(scheme.line, stroke, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(at(-1.4, -1.4), at(2.4, 2.4));

    QPainterPath parabola;
    for (int i = 0; i <= 96; ++i) {
        const qreal x = -2.6 + 5.2 * i / 96;
        const QPointF point = at(x, x * x / 2);
        if (i == 0)
            parabola.moveTo(point);
        else
            parabola.lineTo(point);
    }
    p.setPen(QPen(scheme.parabola, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(parabola);
    return image;
}

// The palette index of every pixel; a pixel of another colour is a fault
// in the drawing. Transparent pixels get index 0 and a set mask bit.
struct Indexed
{
    int size = 0;
    std::vector<int> index;
    std::vector<bool> transparent;
};

Indexed toPalette(const QImage &image, const QRgb *palette, int colours)
{
    Indexed out;
    out.size = image.width();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0) {
                out.index.push_back(0);
                out.transparent.push_back(true);
                continue;
            }
            int found = -1;
            for (int i = 0; i < colours; ++i)
                if ((palette[i] & 0xffffff) == (pixel & 0xffffff) && qAlpha(pixel) == 255)
                    found = i;
            if (found < 0)
                qFatal("makeicons: pixel %d,%d of the %d px picture is not in the palette", x, y,
                       out.size);
            out.index.push_back(found);
            out.transparent.push_back(false);
        }
    }
    return out;
}

void put16(QByteArray &b, quint16 v)
{
    char raw[2];
    qToLittleEndian(v, raw);
    b.append(raw, 2);
}

void put32(QByteArray &b, quint32 v)
{
    char raw[4];
    qToLittleEndian(v, raw);
    b.append(raw, 4);
}

// One image of an icon file: a BITMAPINFOHEADER of the doubled height, the
// palette, the colour rows and the transparency mask, both bottom-up and
// each row padded to four bytes.
QByteArray iconImage(const Indexed &image, const QRgb *palette, int bits)
{
    const int n = image.size;
    const int colours = 1 << bits;
    const int colourRow = (n * bits + 31) / 32 * 4;
    const int maskRow = (n + 31) / 32 * 4;

    QByteArray b;
    put32(b, 40);
    put32(b, n);
    put32(b, 2 * n);
    put16(b, 1);
    put16(b, bits);
    put32(b, 0); // no compression
    put32(b, (colourRow + maskRow) * n);
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    for (int i = 0; i < colours; ++i) {
        const char quad[4]
            = {char(qBlue(palette[i])), char(qGreen(palette[i])), char(qRed(palette[i])), 0};
        b.append(quad, 4);
    }
    for (int y = n - 1; y >= 0; --y) {
        QByteArray row(colourRow, '\0');
        for (int x = 0; x < n; ++x) {
            const int bit = x * bits;
            const int value = image.index[y * n + x];
            row[bit / 8] = char(row[bit / 8] | (value << (8 - bits - bit % 8)));
        }
        b.append(row);
    }
    for (int y = n - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < n; ++x)
            if (image.transparent[y * n + x])
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        b.append(row);
    }
    return b;
}

struct IconEntry
{
    int size;
    int bits;
};

QByteArray iconFile(const std::vector<IconEntry> &entries)
{
    const QRgb twoColours[2] = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    std::vector<QByteArray> images;
    for (const IconEntry &e : entries) {
        const QRgb *palette = e.bits == 1 ? twoColours : vga;
        const Depth depth = e.bits == 1 ? Depth::TwoColours : Depth::SixteenColours;
        images.push_back(
            iconImage(toPalette(drawIcon(e.size, depth), palette, 1 << e.bits), palette, e.bits));
    }
    QByteArray file;
    put16(file, 0);
    put16(file, 1); // an icon
    put16(file, quint16(entries.size()));
    quint32 offset = 6 + 16 * quint32(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        file.append(char(entries[i].size));
        file.append(char(entries[i].size));
        file.append(char(1 << entries[i].bits));
        file.append('\0');
        put16(file, 1);
        put16(file, quint16(entries[i].bits));
        put32(file, quint32(images[i].size()));
        put32(file, offset);
        offset += quint32(images[i].size());
    }
    for (const QByteArray &image : images)
        file.append(image);
    return file;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeicons FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = write(dir.filePath("zenta.ico"), iconFile({{32, 1}, {32, 4}, {16, 4}}));
    for (int size : {16, 32, 48, 64, 128, 192, 256, 512}) {
        const QString path = dir.filePath(QStringLiteral("zenta-%1.png").arg(size));
        ok = drawIcon(size, Depth::TrueColour).save(path) && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "makeicons: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}

// fiche-icon-render: draws one of our SVG icons into a square PNG, at build time.
//
//   fiche-icon-render DRAWING.svg SIZE DEPTH OUT.png
//
// DEPTH 32 gives full colour with a smooth alpha channel. DEPTH 8 gives a palette PNG of at
// most 256 colours where each pixel is either opaque or fully transparent: what a
// 256-colour screen can show, and the classic form of a small icon. The program carries
// each icon at 16, 24, 32 and 48 px in both depths.

#include "SvgDrawing.h"

#include <QHash>
#include <QImage>
#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

bool isOpaqueEnough(QRgb pixel)
{
    return qAlpha(pixel) >= 128;
}

// Colours that differ only in their low 4 bits per channel share a bin.
int binOf(QRgb pixel)
{
    return (qRed(pixel) >> 4) << 8 | (qGreen(pixel) >> 4) << 4 | (qBlue(pixel) >> 4);
}

// Entry 0 is the transparent colour; the 255 others are the mean colours of the most
// used bins. A small icon rarely fills more than 255 bins, so its colours come out
// nearly exact, where a fixed colour cube would speckle every gradient with dithering.
QList<QRgb> paletteFor(const QImage &full)
{
    struct Bin {
        qint64 red = 0, green = 0, blue = 0, count = 0;
    };
    QHash<int, Bin> bins;
    for (int y = 0; y < full.height(); ++y) {
        for (int x = 0; x < full.width(); ++x) {
            const QRgb pixel = full.pixel(x, y);
            if (!isOpaqueEnough(pixel))
                continue;
            Bin &bin = bins[binOf(pixel)];
            bin.red += qRed(pixel);
            bin.green += qGreen(pixel);
            bin.blue += qBlue(pixel);
            ++bin.count;
        }
    }
    QList<Bin> ranked = bins.values();
    std::sort(ranked.begin(), ranked.end(), [](const Bin &a, const Bin &b) { return a.count > b.count; });
    QList<QRgb> palette{qRgba(0, 0, 0, 0)};
    for (const Bin &bin : ranked.first(std::min<qsizetype>(ranked.size(), 255)))
        palette.append(qRgb(int(bin.red / bin.count), int(bin.green / bin.count), int(bin.blue / bin.count)));
    return palette;
}

int nearestOpaque(const QList<QRgb> &palette, QRgb pixel)
{
    int best = 1;
    int bestDistance = INT_MAX;
    for (int i = 1; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - qRed(pixel);
        const int dg = qGreen(palette[i]) - qGreen(pixel);
        const int db = qBlue(palette[i]) - qBlue(pixel);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// Pixels at least half opaque become opaque, the rest transparent. Qt writes an Indexed8
// image as a palette PNG, with the transparent entry in its tRNS chunk.
QImage toPalette(const QImage &full)
{
    const QList<QRgb> palette = paletteFor(full);
    QImage indexed(full.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    for (int y = 0; y < full.height(); ++y) {
        for (int x = 0; x < full.width(); ++x) {
            const QRgb pixel = full.pixel(x, y);
            indexed.setPixel(x, y, isOpaqueEnough(pixel) ? nearestOpaque(palette, pixel) : 0);
        }
    }
    return indexed;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s DRAWING.svg SIZE 32|8 OUT.png\n", argv[0]);
        return 2;
    }
    const int size = QByteArray(argv[2]).toInt();
    const QByteArray depth(argv[3]);
    QImage image = drawSvgSquare(QString::fromLocal8Bit(argv[1]), size);
    if (image.isNull() || (depth != "32" && depth != "8")) {
        std::fprintf(stderr, "fiche-icon-render: cannot draw %s at %s px in %s bits\n", argv[1], argv[2], argv[3]);
        return 1;
    }
    if (depth == "8")
        image = toPalette(image);
    if (!image.save(QString::fromLocal8Bit(argv[4]), "PNG")) {
        std::fprintf(stderr, "fiche-icon-render: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}

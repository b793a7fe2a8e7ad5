#include "IconPictures.h"

#include "SvgDrawing.h"

#include <algorithm>
#include <cstdlib>

namespace IconPictures {

QImage drawn(const QString &drawing, int pixels)
{
    return drawSvgSquare(QStringLiteral(":/icons/%1.svg").arg(drawing), pixels);
}

int largestDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 255;
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            // Fully transparent pixels carry no colour worth comparing.
            if (qAlpha(p) == 0 && qAlpha(q) == 0)
                continue;
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

int opaqueWidthAt(const QImage &image, double heightFraction)
{
    const int y = std::clamp(int(image.height() * heightFraction), 0, image.height() - 1);
    int width = 0;
    for (int x = 0; x < image.width(); ++x)
        width += qAlpha(image.pixel(x, y)) >= 128 ? 1 : 0;
    return width;
}

bool isMostlyBlue(const QImage &image)
{
    qint64 red = 0, green = 0, blue = 0, count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 128)
                continue;
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
            ++count;
        }
    }
    return count > 0 && blue > red + 60 * count && blue > green + 30 * count;
}

}  // namespace IconPictures

#pragma once
// What the icon tests look at: our drawings drawn afresh from their SVG, pixel
// comparisons that allow for rounding, and the shape of an arrow.

#include <QImage>
#include <QString>

namespace IconPictures {

// The SVG of `drawing` (":/icons/<drawing>.svg") drawn `pixels` square, straight alpha.
QImage drawn(const QString &drawing, int pixels);

// The largest difference of any channel (alpha included) between two images of one size;
// 255 when the sizes differ.
int largestDifference(const QImage &a, const QImage &b);

// The number of pixels at least half opaque in the row at `heightFraction` of the height.
int opaqueWidthAt(const QImage &image, double heightFraction);

// True when the image's opaque pixels are, on average, clearly blue.
bool isMostlyBlue(const QImage &image);

}  // namespace IconPictures

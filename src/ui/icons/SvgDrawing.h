#pragma once
// One of our SVG drawings as a square image, the way the build-time renderer draws it; the
// icon tests draw with it too, to check the renderings against their drawing.

#include <QImage>
#include <QString>

// The drawing at `svgPath` scaled to `pixels` square, as ARGB32 (straight alpha), on a
// transparent background. A null image when the file is not a readable SVG.
QImage drawSvgSquare(const QString &svgPath, int pixels);

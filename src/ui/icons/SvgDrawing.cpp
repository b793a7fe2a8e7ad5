#include "SvgDrawing.h"

#include <QPainter>
#include <QSvgRenderer>

QImage drawSvgSquare(const QString &svgPath, int pixels)
{
    QSvgRenderer drawing(svgPath);
    if (!drawing.isValid() || pixels <= 0)
        return {};
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawing.render(&painter);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The icon's design, laid out on a 32-unit grid and scaled to the size asked for.
#include "pendulumicon.h"

#include <QPainter>

QImage drawPendulumIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // Aliased, so the small sizes keep a handful of flat colours.
    painter.setRenderHint(QPainter::Antialiasing, size > 32);
    painter.scale(size / 32.0, size / 32.0);
    const qreal thin = size >= 64 ? 1.5 : 1.0;

    const QPointF pivot(16, 4), upper(10, 15.5), lower(21.5, 25.5);
    painter.setPen(QPen(Qt::white, thin, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(pivot, upper);
    painter.drawLine(upper, lower);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(12, 1, 8, 3)); // the pivot block

    painter.setPen(QPen(Qt::black, thin));
    painter.setBrush(QColor(255, 0, 0));
    painter.drawEllipse(upper, 4.5, 4.5);
    painter.setBrush(QColor(255, 255, 0));
    painter.drawEllipse(lower, 4.5, 4.5);
    painter.end();
    return image;
}

QIcon pendulumIcon()
{
    QIcon icon;
    for (int size : {32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(drawPendulumIcon(size)));
    return icon;
}

// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The icon's design, laid out on a 32-unit grid and scaled to the size asked for.
#include "pendulumicon.h"

#include <QPainter>

#include <algorithm>

namespace {

// The design on its 32-unit grid.
const QPointF kPivot(16, 4), kUpper(10, 15.5), kLower(21.5, 25.5);
const QRectF kPivotBlock(12, 1, 8, 3);
constexpr qreal kBallRadius = 4.5;
// Around the white rods above 32 pixels, so that they show on light backgrounds too.
constexpr qreal kRodOutline = 0.5;
const QColor kRodOutlineColour(64, 64, 64);
// Behind the maskable icon: a pale sky, on which the outlined rods show.
const QColor kMaskableBackground(224, 232, 240);

// At least a pixel wide at every size.
qreal rodWidth(int size) { return std::max(size >= 64 ? 1.5 : 1.0, 32.0 / size); }

} // namespace

QImage drawPendulumIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // Aliased, so the small sizes keep a handful of flat colours.
    painter.setRenderHint(QPainter::Antialiasing, size > 32);
    painter.scale(size / 32.0, size / 32.0);
    const qreal thin = rodWidth(size);

    if (size > 32) {
        painter.setPen(
            QPen(kRodOutlineColour, thin + 2 * kRodOutline, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(kPivot, kUpper);
        painter.drawLine(kUpper, kLower);
    }
    painter.setPen(QPen(Qt::white, thin, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(kPivot, kUpper);
    painter.drawLine(kUpper, kLower);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(kPivotBlock);

    painter.setPen(QPen(Qt::black, thin));
    painter.setBrush(QColor(255, 0, 0));
    painter.drawEllipse(kUpper, kBallRadius, kBallRadius);
    painter.setBrush(QColor(255, 255, 0));
    painter.drawEllipse(kLower, kBallRadius, kBallRadius);
    painter.end();
    return image;
}

QImage drawMaskablePendulumIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(kMaskableBackground);
    // The design reaches 15.5 of its 32 units from its middle; drawn four fifths of the width
    // wide, that is 0.39 of the width, inside the circle of 0.4 every launcher leaves whole.
    const int inner = size * 4 / 5;
    QPainter painter(&image);
    painter.drawImage((size - inner) / 2, (size - inner) / 2, drawPendulumIcon(inner));
    return image;
}

QByteArray pendulumIconSvg()
{
    const qreal thin = rodWidth(64);
    const auto n = [](qreal v) { return QByteArray::number(v); };
    const QByteArray rods = "M" + n(kPivot.x()) + " " + n(kPivot.y()) + " L" + n(kUpper.x()) + " " +
                            n(kUpper.y()) + " L" + n(kLower.x()) + " " + n(kLower.y());
    const auto rod = [&](const QColor &colour, qreal width) {
        return "  <path d=\"" + rods + "\" fill=\"none\" stroke=\"" + colour.name().toLatin1() +
               "\" stroke-width=\"" + n(width) +
               "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
    };
    const auto ball = [&](const QPointF &centre, const char *fill) {
        return "  <circle cx=\"" + n(centre.x()) + "\" cy=\"" + n(centre.y()) + "\" r=\"" +
               n(kBallRadius) + "\" fill=\"" + fill + "\" stroke=\"#000000\" stroke-width=\"" +
               n(thin) + "\"/>\n";
    };

    QByteArray svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    // REUSE-IgnoreStart: the SVG file's own licence, not this file's
    svg += "<!-- SPDX-FileCopyrightText: 2026 The pendulum simulator authors -->\n"
           "<!-- SPDX-License-Identifier: MIT -->\n";
    // REUSE-IgnoreEnd
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" "
           "viewBox=\"0 0 32 32\">\n";
    svg += rod(kRodOutlineColour, thin + 2 * kRodOutline);
    svg += rod(Qt::white, thin);
    svg += "  <rect x=\"" + n(kPivotBlock.x()) + "\" y=\"" + n(kPivotBlock.y()) + "\" width=\"" +
           n(kPivotBlock.width()) + "\" height=\"" + n(kPivotBlock.height()) +
           "\" fill=\"#000000\"/>\n";
    svg += ball(kUpper, "#ff0000");
    svg += ball(kLower, "#ffff00");
    svg += "</svg>\n";
    return svg;
}

QIcon pendulumIcon()
{
    QIcon icon;
    for (int size : kPendulumIconSizes)
        icon.addPixmap(QPixmap::fromImage(drawPendulumIcon(size)));
    return icon;
}

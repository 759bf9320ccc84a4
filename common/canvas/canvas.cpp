// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The canvas: world-to-pixel mapping, the pens and the picture kept in an image.
#include "canvas.h"

#include "runtimeerror.h"
#include "twips.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

// The sunken frame around the drawing area, in logical pixels.
constexpr int kFrameWidth = 2;
// How far beyond the edges, in device pixels, a primitive is still rasterised; farther parts
// cannot show and are clipped first, so that huge coordinates never reach the pixel loops.
constexpr double kMargin = 64.0;

// The device pixel that holds a coordinate. A point a rounding error short of a pixel edge
// belongs to the pixel beyond it, so that a rod whose two ends lie on one row or column by
// the numbers, one of them 1e-13 off, stays one straight run of pixels.
// (A double, since a circle's centre may lie far off the image.)
double pixelOf(double coordinate) { return std::floor(coordinate + 1e-9); }

// The image's pixel value of a colour: 0xFFRRGGBB.
QRgb toPixel(Colour c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }

// Cohen-Sutherland: clips the segment to the rectangle; false when nothing of it lies inside.
// A point moved onto an edge takes the edge's coordinate exactly, so that even endpoints far
// beyond the float range's reach keep the visible part of the line where it belongs.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &r)
{
    enum { Left = 1, Right = 2, Top = 4, Bottom = 8 };
    const auto outcode = [&r](const QPointF &p) {
        const int horizontal = p.x() < r.left() ? Left : (p.x() > r.right() ? Right : 0);
        const int vertical = p.y() < r.top() ? Top : (p.y() > r.bottom() ? Bottom : 0);
        return horizontal | vertical;
    };
    int codeA = outcode(a), codeB = outcode(b);
    while (codeA | codeB) {
        if (codeA & codeB)
            return false;
        const bool moveA = codeA != 0;
        const int code = moveA ? codeA : codeB;
        const QPointF from = a, to = b;
        QPointF p;
        if (code & (Left | Right)) {
            const double edge = (code & Left) ? r.left() : r.right();
            p = {edge, from.y() + (to.y() - from.y()) * ((edge - from.x()) / (to.x() - from.x()))};
        } else {
            const double edge = (code & Top) ? r.top() : r.bottom();
            p = {from.x() + (to.x() - from.x()) * ((edge - from.y()) / (to.y() - from.y())), edge};
        }
        if (moveA) {
            a = p;
            codeA = outcode(a);
        } else {
            b = p;
            codeB = outcode(b);
        }
    }
    return true;
}

} // namespace

Canvas::Canvas(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kFrameWidth);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize Canvas::innerSize() const { return contentsRect().size(); }

float Canvas::ScaleWidth() const
{
    return m_userScale ? m_scaleWidth : float(innerSize().width() * kTwipsPerPixel);
}

float Canvas::ScaleHeight() const
{
    return m_userScale ? m_scaleHeight : float(innerSize().height() * kTwipsPerPixel);
}

void Canvas::useUserScale()
{
    if (m_userScale)
        return;
    m_scaleWidth = ScaleWidth();
    m_scaleHeight = ScaleHeight();
    m_userScale = true;
}

void Canvas::setScaleLeft(float value)
{
    useUserScale();
    m_scaleLeft = value;
}

void Canvas::setScaleTop(float value)
{
    useUserScale();
    m_scaleTop = value;
}

void Canvas::setScaleWidth(float value)
{
    if (value == 0.0f)
        throw RuntimeError(ErrorKind::InvalidPropertyValue);
    useUserScale();
    m_scaleWidth = value;
}

void Canvas::setScaleHeight(float value)
{
    if (value == 0.0f)
        throw RuntimeError(ErrorKind::InvalidPropertyValue);
    useUserScale();
    m_scaleHeight = value;
}

void Canvas::setDrawMode(int mode)
{
    if (mode != CopyPen && mode != XorPen)
        throw RuntimeError(ErrorKind::InvalidPropertyValue);
    m_drawMode = mode;
}

void Canvas::setFillStyle(int style)
{
    if (style != Solid && style != Transparent)
        throw RuntimeError(ErrorKind::InvalidPropertyValue);
    m_fillStyle = style;
}

void Canvas::setFillColor(Colour colour) { m_fillColor = colour & 0xFFFFFFu; }

QPointF Canvas::toPixels(double x, double y) const
{
    const QSize size = innerSize();
    return {(x - m_scaleLeft) * size.width() / ScaleWidth(),
            (y - m_scaleTop) * size.height() / ScaleHeight()};
}

Colour Canvas::pointColour(double x, double y) const
{
    const QPointF p = toPixels(x, y) * image().devicePixelRatio();
    const QRgb c = image().pixel(int(pixelOf(p.x())), int(pixelOf(p.y())));
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

QPointF Canvas::devicePoint(double x, double y) const
{
    return QPointF((x - m_scaleLeft) * m_inner.width() / ScaleWidth(),
                   (y - m_scaleTop) * m_inner.height() / ScaleHeight()) *
           image().devicePixelRatio();
}

void Canvas::ensureImage()
{
    // Once a handler: the screen cannot change while one runs.
    if (m_imageChecked)
        return;
    m_imageChecked = true;
    m_inner = contentsRect();
    const qreal ratio = devicePixelRatioF();
    const QSize size = m_inner.size() * ratio;
    m_pen = std::max(1, int(std::lround(ratio)));
    const QImage &image = m_picture.image();
    if (!image.isNull() && image.devicePixelRatio() == ratio && image.size() == size)
        return;
    // First drawing, or the screen changed: a blank picture at the new resolution, unsent whole.
    m_picture.make(size, ratio);
}

void Canvas::refreshScreen()
{
    const CanvasPicture::Box unsent = m_picture.takeUnsent();
    if (!unsent.isEmpty()) {
        const qreal ratio = image().devicePixelRatio();
        const QRectF logical(QPointF(unsent.left, unsent.top) / ratio,
                             QPointF(unsent.right + 1, unsent.bottom + 1) / ratio);
        update(logical.toAlignedRect().translated(m_inner.topLeft()));
    }
    m_imageChecked = false;
}

void Canvas::Cls()
{
    ensureImage();
    m_picture.clear();
}

// Bresenham's line, each pixel set once, so that the XOR pen applied twice restores it. On a
// high-DPI screen the line is as many device pixels wide as a logical pixel, laid across the
// major axis.
void Canvas::Line(float x1, float y1, float x2, float y2, std::optional<Colour> colour)
{
    ensureImage();
    QPointF a = devicePoint(x1, y1);
    QPointF b = devicePoint(x2, y2);
    const QRectF limits = QRectF(QPointF(0, 0), QSizeF(image().size()))
                              .adjusted(-kMargin, -kMargin, kMargin, kMargin);
    if (!clipSegment(a, b, limits))
        return;
    const QRgb pen = toPixel(colour.value_or(RGB(0, 0, 0)));
    const int width = m_pen;
    int x = int(pixelOf(a.x())), y = int(pixelOf(a.y()));
    const int xEnd = int(pixelOf(b.x())), yEnd = int(pixelOf(b.y()));
    const int dx = std::abs(xEnd - x), dy = -std::abs(yEnd - y);
    const int sx = x < xEnd ? 1 : -1, sy = y < yEnd ? 1 : -1;
    const bool xMajor = dx >= -dy;
    int error = dx + dy;
    CanvasPicture::Writer plot = m_picture.writer(m_drawMode == XorPen);
    for (;;) {
        for (int k = 0; k < width; ++k) {
            const int across = k - (width - 1) / 2;
            if (xMajor)
                plot(x, y + across, pen);
            else
                plot(x + across, y, pen);
        }
        if (x == xEnd && y == yEnd)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

// A pixel belongs to the circle when its centre lies within the radius: to the outline when
// within a pen width of the edge, else to the fill. Each pixel is set once, so the outline and
// the fill never overlap and the XOR pen shows both in their own colours.
void Canvas::Circle(float x, float y, float radius, std::optional<Colour> colour)
{
    ensureImage();
    const qreal ratio = image().devicePixelRatio();
    // The centre is the middle of the pixel under the point, where the lines to it end, so
    // every circle is symmetric about its pixel.
    const QPointF point = devicePoint(x, y);
    const QPointF centre(pixelOf(point.x()) + 0.5, pixelOf(point.y()) + 0.5);
    const double r = std::fabs(double(radius) * m_inner.width() / ScaleWidth()) * ratio;
    const QRectF bounds(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    const QRectF limits = QRectF(QPointF(0, 0), QSizeF(image().size()))
                              .adjusted(-kMargin, -kMargin, kMargin, kMargin);
    if (!bounds.intersects(limits))
        return;
    const QRgb pen = toPixel(colour.value_or(RGB(0, 0, 0)));
    const QRgb fill = toPixel(m_fillColor);
    const bool filled = m_fillStyle == Solid;
    // Clipped before it becomes whole pixels: a huge circle would overflow them.
    const QRect visible = (bounds & QRectF(image().rect())).toAlignedRect() & image().rect();
    const double inner = r - m_pen;
    // The distance of a pixel centre is the square root of a whole number, since the centre
    // of the circle is a pixel centre too. It is only worked out where the squared distance
    // lies so near the squared radius that rounding could decide: elsewhere the squares decide
    // alike, and far cheaper.
    const auto within = [](double squared, double radius) {
        if (radius < 0.0 || squared > radius * radius * (1.0 + 1e-9))
            return false;
        if (squared < radius * radius * (1.0 - 1e-9))
            return true;
        return !(std::sqrt(squared) > radius);
    };
    // On a row, the pixels within a radius are those up to some whole distance k either side
    // of the centre's column: the largest such k, or -1 when there is none. Worked in doubles,
    // since a huge circle's centre lies far off the image, and no farther than the visible
    // columns reach.
    const double column = centre.x() - 0.5;
    const double farthest =
        std::max(std::fabs(visible.left() - column), std::fabs(visible.right() - column)) + 1.0;
    const auto reach = [&within, farthest](double cy, double radius) {
        const double room = radius * radius - cy * cy;
        double k = room > 0.0 ? std::floor(std::sqrt(room)) : 0.0;
        if (k > farthest)
            return farthest;
        while (k >= 0.0 && !within(k * k + cy * cy, radius))
            k -= 1.0;
        while (k < farthest && within((k + 1.0) * (k + 1.0) + cy * cy, radius))
            k += 1.0;
        return k;
    };
    CanvasPicture::Writer plot = m_picture.writer(m_drawMode == XorPen);
    bool any = false;
    for (int j = visible.top(); j <= visible.bottom(); ++j) {
        const double cy = j + 0.5 - centre.y();
        const double outer = reach(cy, r);
        if (outer < 0.0)
            continue;
        const double inside = reach(cy, inner);
        const double left = visible.left(), right = visible.right();
        const int from = int(std::clamp(column - outer, left, right + 1.0));
        const int to = int(std::clamp(column + outer, left - 1.0, right));
        any |= from <= to;
        if (inside < 0.0) { // the row crosses the ring only
            plot.run(from, to, j, pen);
            continue;
        }
        // The ring's two pieces either side of the inside, each a run of the row.
        const int insideFrom = int(std::clamp(column - inside, left, right + 1.0));
        const int insideTo = int(std::clamp(column + inside, left - 1.0, right));
        plot.run(from, std::min(to, insideFrom - 1), j, pen);
        if (filled)
            plot.run(std::max(from, insideFrom), std::min(to, insideTo), j, fill);
        plot.run(std::max(from, insideTo + 1), to, j, pen);
    }
    if (!any && visible.contains(centre.toPoint())) // smaller than a pixel: a dot
        plot(int(pixelOf(centre.x())), int(pixelOf(centre.y())), pen);
}

bool Canvas::event(QEvent *event)
{
    // The picture's size and resolution follow the canvas's size and its screen.
    if (event->type() == QEvent::Resize || event->type() == QEvent::ScreenChangeInternal)
        m_imageChecked = false;
    // Once the window exists, its presses are watched before Qt Widgets rounds them (installing
    // the filter again moves it, it is never there twice).
    if (event->type() == QEvent::Show)
        if (QWindow *handle = window()->windowHandle())
            handle->installEventFilter(this);
    return QFrame::event(event);
}

bool Canvas::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        m_windowPress = WindowPress{press->position(), press->timestamp()};
    }
    return QFrame::eventFilter(watched, event);
}

void Canvas::paintEvent(QPaintEvent *event)
{
    const QRect inner = contentsRect();
    // The frame only when it is to be painted: a tick's update lies inside it.
    if (!inner.contains(event->rect()))
        QFrame::paintEvent(event);
    QPainter painter(this);
    // One rectangle at a time: under a clip of one rectangle Qt copies the picture's rows
    // directly, while the union of a frame's updates would send every row through its span
    // machinery and, past a few dozen rows, through a thread pool.
    for (const QRect &area : event->region()) {
        painter.setClipRect(area & inner);
        if (image().isNull())
            painter.fillRect(inner, Qt::white);
        else
            painter.drawImage(inner.topLeft(), image());
    }
    if (hasFocus()) { // (a change of focus repaints the whole canvas)
        // The focus mark is drawn over the frame, never into the picture.
        painter.setClipRegion(QRegion(event->rect()) - QRegion(inner));
        painter.setPen(QPen(palette().color(QPalette::Highlight), kFrameWidth));
        painter.drawRect(QRectF(rect()).adjusted(kFrameWidth / 2.0, kFrameWidth / 2.0,
                                                 -kFrameWidth / 2.0, -kFrameWidth / 2.0));
    }
}

void Canvas::mousePressEvent(QMouseEvent *event)
{
    // Only the picture reports clicks, not the frame around it: a click is the picture's exactly
    // when the device pixel under the pointer is one of the picture's. The pointer's position is
    // the top-left corner of its device pixel, a rounding error short of it at most.
    QPointF position = event->position();
    if (m_windowPress && m_windowPress->timestamp == event->timestamp()) {
        const QPointF unrounded = m_windowPress->position - QPointF(mapTo(window(), QPoint(0, 0)));
        if (unrounded.toPoint() == position.toPoint()) // the same press, before its rounding
            position = unrounded;
    }
    m_windowPress.reset();
    const QRect inner = contentsRect();
    const QPointF p = position - inner.topLeft();
    const QSize size = innerSize();
    const QSize picture = size * devicePixelRatioF(); // as ensureImage makes it
    const double column = pixelOf(p.x() * devicePixelRatioF());
    const double row = pixelOf(p.y() * devicePixelRatioF());
    if (column < 0 || column >= picture.width() || row < 0 || row >= picture.height()) {
        event->ignore();
        return;
    }
    const float x = static_cast<float>(m_scaleLeft + p.x() * ScaleWidth() / size.width());
    const float y = static_cast<float>(m_scaleTop + p.y() * ScaleHeight() / size.height());
    const auto modifiers = event->modifiers();
    const short shift =
        short((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
              (modifiers & Qt::AltModifier ? 4 : 0));
    const short button = short((event->button() == Qt::LeftButton ? 1 : 0) |
                               (event->button() == Qt::RightButton ? 2 : 0) |
                               (event->button() == Qt::MiddleButton ? 4 : 0));
    emit MouseDown(button, shift, x, y);
}

// The canvas: world-to-pixel mapping, the pens and the picture kept in an image.
#include "canvas.h"

#include "runtimeerror.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Design size of the canvas: the frame's inside, in logical pixels.
constexpr int kFrameWidth = 2;
constexpr int kTwipsPerPixel = 15;
// How far beyond the edges a primitive is still handed to the painter; farther parts cannot
// show and are clipped first, so that huge coordinates never reach the rasteriser.
constexpr double kMargin = 64.0;

QColor toQColor(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// Liang-Barsky: clips the segment to the rectangle; false when nothing of it lies inside.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &r)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(),
                         r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = start + QPointF(dx * t0, dy * t0);
    b = start + QPointF(dx * t1, dy * t1);
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

void Canvas::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    if (!m_userScale) {
        m_scaleWidth = float(innerSize().width() * kTwipsPerPixel);
        m_scaleHeight = float(innerSize().height() * kTwipsPerPixel);
    }
}

void Canvas::setScaleLeft(float value)
{
    m_scaleLeft = value;
    m_userScale = true;
}

void Canvas::setScaleTop(float value)
{
    m_scaleTop = value;
    m_userScale = true;
}

void Canvas::setScaleWidth(float value)
{
    if (value == 0.0f)
        throw RuntimeError(ErrorKind::InvalidPropertyValue);
    m_scaleWidth = value;
    m_userScale = true;
}

void Canvas::setScaleHeight(float value)
{
    if (value == 0.0f)
        throw RuntimeError(ErrorKind::InvalidPropertyValue);
    m_scaleHeight = value;
    m_userScale = true;
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
    return {(x - m_scaleLeft) * size.width() / m_scaleWidth,
            (y - m_scaleTop) * size.height() / m_scaleHeight};
}

Colour Canvas::pointColour(double x, double y) const
{
    const QPointF p = toPixels(x, y) * m_image.devicePixelRatio();
    const QColor c = m_image.pixelColor(int(std::floor(p.x())), int(std::floor(p.y())));
    return RGB(c.red(), c.green(), c.blue());
}

void Canvas::paintOnImage(const QRectF &bounds, const std::function<void(QPainter &)> &draw)
{
    const qreal ratio = devicePixelRatioF();
    if (m_image.isNull() || m_image.devicePixelRatio() != ratio ||
        m_image.size() != innerSize() * ratio) {
        // First drawing, or the screen changed: start a blank picture at the new resolution.
        m_image = QImage(innerSize() * ratio, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(ratio);
        m_image.fill(Qt::white);
    }
    {
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        if (m_drawMode == XorPen)
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        draw(painter);
    }
    update(bounds.toAlignedRect().adjusted(-2, -2, 2, 2).translated(contentsRect().topLeft()));
}

void Canvas::Cls()
{
    const int mode = m_drawMode;
    m_drawMode = CopyPen;
    paintOnImage(QRectF(QPointF(0, 0), innerSize()),
                 [](QPainter &painter) { painter.fillRect(painter.window(), Qt::white); });
    m_drawMode = mode;
}

void Canvas::Line(float x1, float y1, float x2, float y2, std::optional<Colour> colour)
{
    QPointF a = toPixels(x1, y1);
    QPointF b = toPixels(x2, y2);
    const QRectF limits = QRectF(QPointF(0, 0), innerSize()).adjusted(-kMargin, -kMargin,
                                                                        kMargin, kMargin);
    if (!clipSegment(a, b, limits))
        return;
    const QColor pen = toQColor(colour.value_or(RGB(0, 0, 0)));
    paintOnImage(QRectF(a, b).normalized(), [&](QPainter &painter) {
        painter.setPen(QPen(pen, 1.0, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(a, b);
    });
}

void Canvas::Circle(float x, float y, float radius, std::optional<Colour> colour)
{
    const QPointF centre = toPixels(x, y);
    const double r = std::fabs(double(radius) * innerSize().width() / m_scaleWidth);
    const QRectF bounds(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    const QRectF limits = QRectF(QPointF(0, 0), innerSize()).adjusted(-kMargin, -kMargin,
                                                                        kMargin, kMargin);
    if (!bounds.intersects(limits))
        return;
    const QColor pen = toQColor(colour.value_or(RGB(0, 0, 0)));
    paintOnImage(bounds, [&](QPainter &painter) {
        painter.setPen(QPen(pen, 1.0));
        if (m_fillStyle == Solid)
            painter.setBrush(toQColor(m_fillColor));
        painter.drawEllipse(centre, r, r);
    });
}

void Canvas::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event); // the frame
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(event->rect() & inner);
    if (m_image.isNull())
        painter.fillRect(inner, Qt::white);
    else
        painter.drawImage(inner.topLeft(), m_image);
}

void Canvas::mousePressEvent(QMouseEvent *event)
{
    const QPointF p = event->position() - contentsRect().topLeft();
    const QSize size = innerSize();
    const float x = static_cast<float>(m_scaleLeft + p.x() * m_scaleWidth / size.width());
    const float y = static_cast<float>(m_scaleTop + p.y() * m_scaleHeight / size.height());
    const auto modifiers = event->modifiers();
    const short shift = short((modifiers & Qt::ShiftModifier ? 1 : 0) |
                              (modifiers & Qt::ControlModifier ? 2 : 0) |
                              (modifiers & Qt::AltModifier ? 4 : 0));
    const short button = short((event->button() == Qt::LeftButton ? 1 : 0) |
                               (event->button() == Qt::RightButton ? 2 : 0) |
                               (event->button() == Qt::MiddleButton ? 4 : 0));
    emit MouseDown(button, shift, x, y);
}

// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The canvas: user scale, pens, fills and the XOR pen's exact erase, on its image.
#include "canvas.h"
#include "module1.h"
#include "runtimeerror.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <tuple>

namespace {

// A canvas laid out as in the windows: 6135 x 5655 twips, a 2-pixel frame.
struct Fixture {
    QWidget window;
    Canvas *canvas = new Canvas(&window);
    Fixture()
    {
        canvas->setGeometry(8, 16, 409, 377);
        window.resize(623, 402);
    }
};

int countColour(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

// A figure like the double pendulum's: two rods and three filled circles.
void drawFigure(Canvas &c, float ax, float ay, float bx, float by, Colour outline, Colour upper,
                Colour lower)
{
    c.Line(300, 100, ax, ay, outline);
    c.Line(ax, ay, bx, by, outline);
    c.setFillStyle(Canvas::Solid);
    c.setFillColor(outline);
    c.Circle(300, 100, 4, outline);
    c.setFillColor(upper);
    c.Circle(ax, ay, 8, outline);
    c.setFillColor(lower);
    c.Circle(bx, by, 8, outline);
}

// The picture as the canvas's rules decide it in their plainest reading: one pixel at a time,
// no runs, no record of ink, no caches. A world point is (x - ScaleLeft) * inner width /
// ScaleWidth (and likewise down) logical pixels in, times the device pixel ratio; the device
// pixel that holds a coordinate is the one it lies in, or the one beyond when it lies a
// rounding error short of the edge. A line is Bresenham's between the pixels of its ends, as
// many device pixels wide as a logical pixel, across its major axis. A circle's centre is the
// middle of the pixel under its point; a pixel whose centre lies within the radius belongs to
// the circle: to the outline within a pen width of the edge, else to the fill. The copy pen
// sets a pixel, the XOR pen flips its colour's bits; Cls whitens all.
class ReferenceCanvas {
public:
    explicit ReferenceCanvas(const Canvas &canvas)
        : canvas(canvas), image(canvas.image().size(), QImage::Format_RGB32),
          ratio(canvas.image().devicePixelRatio()), pen(std::max(1, int(std::lround(ratio))))
    {
        Cls();
    }
    const QImage &picture() const { return image; }

    void Cls() { image.fill(Qt::white); }

    void Line(float x1, float y1, float x2, float y2, Colour colour)
    {
        int x = pixelOf(deviceX(x1)), y = pixelOf(deviceY(y1));
        const int xEnd = pixelOf(deviceX(x2)), yEnd = pixelOf(deviceY(y2));
        const int dx = std::abs(xEnd - x), dy = -std::abs(yEnd - y);
        const int sx = x < xEnd ? 1 : -1, sy = y < yEnd ? 1 : -1;
        int error = dx + dy;
        while (true) {
            for (int k = 0; k < pen; ++k) {
                const int across = k - (pen - 1) / 2;
                if (dx >= -dy)
                    plot(x, y + across, colour);
                else
                    plot(x + across, y, colour);
            }
            if (x == xEnd && y == yEnd)
                return;
            // Both steps are decided by the error as it was before either.
            const int e2 = 2 * error;
            if (e2 >= dy) {
                error += dy;
                x += sx;
            }
            if (e2 <= dx) {
                error += dx;
                y += sy;
            }
        }
    }

    void Circle(float x, float y, float radius, Colour outline, std::optional<Colour> fill)
    {
        const double cx = pixelOf(deviceX(x)) + 0.5, cy = pixelOf(deviceY(y)) + 0.5;
        const double r = std::fabs(double(radius) * kInner.width() / canvas.ScaleWidth()) * ratio;
        const double inside = r - pen;
        // Only the pixels near enough to matter are looked at.
        const int top = int(std::max(0.0, std::floor(cy - r - 1)));
        const int bottom = int(std::min(double(image.height() - 1), std::ceil(cy + r + 1)));
        const int left = int(std::max(0.0, std::floor(cx - r - 1)));
        const int right = int(std::min(double(image.width() - 1), std::ceil(cx + r + 1)));
        for (int j = top; j <= bottom; ++j)
            for (int i = left; i <= right; ++i) {
                const double d = std::sqrt(square(i + 0.5 - cx) + square(j + 0.5 - cy));
                if (d > r)
                    continue;
                if (inside >= 0.0 && !(d > inside)) {
                    if (fill)
                        plot(i, j, *fill);
                } else {
                    plot(i, j, outline);
                }
            }
    }

    bool xorPen = false;

private:
    static constexpr QSize kInner{405, 373};
    static double square(double v) { return v * v; }
    static int pixelOf(double coordinate) { return int(std::floor(coordinate + 1e-9)); }
    double deviceX(double x) const
    {
        return (x - canvas.ScaleLeft()) * kInner.width() / canvas.ScaleWidth() * ratio;
    }
    double deviceY(double y) const
    {
        return (y - canvas.ScaleTop()) * kInner.height() / canvas.ScaleHeight() * ratio;
    }
    void plot(int x, int y, Colour colour)
    {
        if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
            return;
        const QRgb rgb = qRgb(redOf(colour), greenOf(colour), blueOf(colour));
        image.setPixel(x, y, xorPen ? (image.pixel(x, y) ^ rgb) | 0xFF000000u : rgb);
    }

    const Canvas &canvas;
    QImage image;
    qreal ratio;
    int pen;
};

} // namespace

class TestCanvas : public QObject {
    Q_OBJECT

private slots:
    void defaultScaleIsTwips();
    void worldScale();
    void invalidProperties();
    void clsIgnoresDrawMode();
    void copyPen();
    void circleIsRoundAndFilled();
    void xorTwiceRestores();
    void xorColoursOverWhite();
    void hugeCoordinatesAreClipped();
    void clippedLinesKeepTheirCourse_data();
    void clippedLinesKeepTheirCourse();
    void mouseDownInWorld();
    void clickOnPictureOnly_data();
    void clickOnPictureOnly();
    void imageAtDevicePixels();
    void matchesReference_data();
    void matchesReference();
};

void TestCanvas::defaultScaleIsTwips()
{
    Fixture f;
    QCOMPARE(f.canvas->ScaleLeft(), 0.0f);
    QCOMPARE(f.canvas->ScaleTop(), 0.0f);
    QCOMPARE(f.canvas->ScaleWidth(), 405.0f * 15);
    QCOMPARE(f.canvas->ScaleHeight(), 373.0f * 15);
    QCOMPARE(f.canvas->DrawMode(), Canvas::CopyPen);
    QCOMPARE(f.canvas->FillStyle(), Canvas::Transparent);
    QCOMPARE(f.canvas->FillColor(), RGB(0, 0, 0));
}

void TestCanvas::worldScale()
{
    Fixture f;
    Module1::SetWorldScale(*f.canvas, -300, 300, 300, -300);
    QCOMPARE(f.canvas->ScaleLeft(), -300.0f);
    QCOMPARE(f.canvas->ScaleTop(), 300.0f);
    QCOMPARE(f.canvas->ScaleWidth(), 600.0f);
    QCOMPARE(f.canvas->ScaleHeight(), -600.0f);
    QCOMPARE(f.canvas->toPixels(-300, 300), QPointF(0, 0));
    QCOMPARE(f.canvas->toPixels(300, -300), QPointF(405, 373));
    QCOMPARE(f.canvas->toPixels(0, 0), QPointF(202.5, 186.5));
    Module1::SetWorldScale(*f.canvas, 0, 0, 500, 500);
    QCOMPARE(f.canvas->toPixels(500, 500), QPointF(405, 373));
    QCOMPARE(f.canvas->toPixels(300, 100), QPointF(243, 74.6));
}

void TestCanvas::invalidProperties()
{
    Fixture f;
    QCOMPARE(errorOf([&] { f.canvas->setScaleWidth(0); }),
             std::optional(ErrorKind::InvalidPropertyValue));
    QCOMPARE(errorOf([&] { f.canvas->setScaleHeight(0); }),
             std::optional(ErrorKind::InvalidPropertyValue));
    QCOMPARE(errorOf([&] { f.canvas->setDrawMode(6); }),
             std::optional(ErrorKind::InvalidPropertyValue));
    QCOMPARE(errorOf([&] { f.canvas->setFillStyle(2); }),
             std::optional(ErrorKind::InvalidPropertyValue));
}

void TestCanvas::clsIgnoresDrawMode()
{
    Fixture f;
    Module1::SetWorldScale(*f.canvas, 0, 0, 500, 500);
    f.canvas->Line(0, 0, 500, 500);
    f.canvas->setDrawMode(Canvas::XorPen);
    f.canvas->Cls();
    const QImage &image = f.canvas->image();
    QCOMPARE(countColour(image, qRgb(255, 255, 255)), image.width() * image.height());
    QCOMPARE(f.canvas->DrawMode(), Canvas::XorPen);
}

void TestCanvas::copyPen()
{
    Fixture f;
    Module1::SetWorldScale(*f.canvas, -300, 300, 300, -300);
    f.canvas->Cls();
    f.canvas->Line(-200, 0, 200, 0);
    QCOMPARE(f.canvas->pointColour(0, 0), RGB(0, 0, 0));
    QCOMPARE(f.canvas->pointColour(0, 50), RGB(255, 255, 255));
    f.canvas->Line(0, 100, 0, -100, RGB(0, 255, 255));
    QCOMPARE(f.canvas->pointColour(0, 50), RGB(0, 255, 255));
}

void TestCanvas::circleIsRoundAndFilled()
{
    Fixture f;
    Module1::SetWorldScale(*f.canvas, -300, 300, 300, -300);
    f.canvas->Cls();
    f.canvas->setFillColor(RGB(255, 0, 0));
    f.canvas->setFillStyle(Canvas::Solid);
    f.canvas->Circle(100, 0, 10);
    QCOMPARE(f.canvas->pointColour(100, 0), RGB(255, 0, 0));
    QCOMPARE(f.canvas->pointColour(100, 20), RGB(255, 255, 255));
    // Radius 10 horizontal units is 6.75 pixels in both directions, although a vertical unit
    // is a different number of pixels.
    const QImage &image = f.canvas->image();
    const qreal ratio = image.devicePixelRatio();
    const QPoint centre = (f.canvas->toPixels(100, 0) * ratio).toPoint();
    int width = 0, height = 0;
    for (int x = 0; x < image.width(); ++x)
        width += (image.pixel(x, centre.y()) & 0xFFFFFF) != 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y)
        height += (image.pixel(centre.x(), y) & 0xFFFFFF) != 0xFFFFFF;
    // The pixels whose centres lie within the radius of the centre pixel's: 6 either side.
    QCOMPARE(width, 2 * int(std::floor(6.75 * ratio)) + 1);
    QCOMPARE(height, width);
    // The outline is black around the red inside.
    QCOMPARE(countColour(image, qRgb(0, 0, 0)) > 20, true);

    f.canvas->Cls();
    f.canvas->setFillStyle(Canvas::Transparent);
    f.canvas->Circle(100, 0, 10);
    QCOMPARE(f.canvas->pointColour(100, 0), RGB(255, 255, 255));
}

void TestCanvas::xorTwiceRestores()
{
    Fixture f;
    Module1::SetWorldScale(*f.canvas, 0, 0, 500, 500);
    f.canvas->Cls();
    // Earlier drawings under the figure, in the copy pen.
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(0, 500);
    for (int i = 0; i < 200; ++i)
        f.canvas->Line(coordinate(random), coordinate(random), coordinate(random),
                       coordinate(random), Colour(random() & 0xFFFFFF));
    const QImage before = f.canvas->image().copy();
    f.canvas->setDrawMode(Canvas::XorPen);
    const Colour white = RGB(255, 255, 255);
    for (int i = 0; i < 20; ++i) {
        const float ax = coordinate(random), ay = coordinate(random);
        const float bx = coordinate(random), by = coordinate(random);
        drawFigure(*f.canvas, ax, ay, bx, by, RGB(0, 0, 0) ^ white, RGB(255, 0, 0) ^ white,
                   RGB(0, 0, 255) ^ white);
        QVERIFY(f.canvas->image() != before);
        drawFigure(*f.canvas, ax, ay, bx, by, RGB(0, 0, 0) ^ white, RGB(255, 0, 0) ^ white,
                   RGB(0, 0, 255) ^ white);
        QCOMPARE(f.canvas->image(), before);
    }
}

void TestCanvas::xorColoursOverWhite()
{
    Fixture f;
    Module1::SetWorldScale(*f.canvas, 0, 0, 500, 500);
    f.canvas->Cls();
    f.canvas->setDrawMode(Canvas::XorPen);
    const Colour white = RGB(255, 255, 255);
    drawFigure(*f.canvas, 350, 186.6f, 367.36f, 285.08f, RGB(0, 0, 0) ^ white,
               RGB(255, 0, 0) ^ white, RGB(0, 0, 255) ^ white);
    // Inside each disc, away from the rods that end at its centre.
    QCOMPARE(f.canvas->pointColour(298, 100), RGB(0, 0, 0));
    QCOMPARE(f.canvas->pointColour(345, 190), RGB(255, 0, 0));
    QCOMPARE(f.canvas->pointColour(371, 285.08), RGB(0, 0, 255));
    // Outlines lie outside the fills, so they show black too, not the fill's complement.
    const int pen = std::max(1, int(std::lround(f.canvas->image().devicePixelRatio())));
    const QPointF centre = f.canvas->toPixels(350, 186.6) * f.canvas->image().devicePixelRatio();
    const int row = int(centre.y());
    int x = int(centre.x());
    while ((f.canvas->image().pixel(x, row) & 0xFFFFFF) != 0xFFFFFF)
        ++x;
    QCOMPARE(f.canvas->image().pixel(x - 1, row) & 0xFFFFFF, 0u);
    QCOMPARE(f.canvas->image().pixel(x - pen, row) & 0xFFFFFF, 0u);
    QCOMPARE(f.canvas->image().pixel(x - pen - 1, row) & 0xFFFFFF, 0xFF0000u);
    // So do the outline's rows beyond the fill's reach, straight below the lower disc's centre.
    const QPoint lower =
        (f.canvas->toPixels(367.36f, 285.08f) * f.canvas->image().devicePixelRatio()).toPoint();
    int y = lower.y();
    while ((f.canvas->image().pixel(lower.x(), y) & 0xFFFFFF) != 0xFFFFFF)
        ++y;
    QCOMPARE(f.canvas->image().pixel(lower.x(), y - 1) & 0xFFFFFF, 0u);
    // On the upper rod: in the row of its midpoint, black within two device pixels of the
    // midpoint's column (the steep rod's pixel lies within one of it, and is two pixels wide at
    // a ratio of 1.5).
    const QPointF middle = f.canvas->toPixels(325, 143.3) * f.canvas->image().devicePixelRatio();
    bool onRod = false;
    for (int column = int(middle.x()) - 2; column <= int(middle.x()) + 2; ++column)
        onRod |= (f.canvas->image().pixel(column, int(middle.y())) & 0xFFFFFF) == 0u;
    QVERIFY(onRod);
    QCOMPARE(f.canvas->pointColour(100, 400), RGB(255, 255, 255));
}

void TestCanvas::hugeCoordinatesAreClipped()
{
    Fixture f;
    Module1::SetWorldScale(*f.canvas, -300, 300, 300, -300);
    f.canvas->Cls();
    // From far outside through the centre: the visible part is drawn.
    f.canvas->Line(-3e38f, 0, 3e38f, 0);
    QCOMPARE(f.canvas->pointColour(0, 0), RGB(0, 0, 0));
    QCOMPARE(f.canvas->pointColour(-290, 0), RGB(0, 0, 0));
    const QImage before = f.canvas->image().copy();
    f.canvas->Line(1e30f, 1e30f, 2e30f, -1e30f);
    f.canvas->setFillStyle(Canvas::Solid);
    f.canvas->Circle(3e38f, -3e38f, 10);
    QCOMPARE(f.canvas->image(), before);
    // A huge circle centred far off the image still fills what it covers.
    f.canvas->setFillColor(RGB(255, 0, 0));
    f.canvas->Circle(1e30f, 0, 2e30f);
    QCOMPARE(f.canvas->pointColour(0, 0), RGB(255, 0, 0));
}

void TestCanvas::clippedLinesKeepTheirCourse_data()
{
    // World points on a -300..300 scale, y upwards; the picture shows about ±300.
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::newRow("left to right") << QPointF(-3e6, 40) << QPointF(3e6, -90);
    QTest::newRow("right to left") << QPointF(3e6, 150) << QPointF(-3e6, -20);
    QTest::newRow("top to bottom") << QPointF(70, 3e6) << QPointF(-50, -3e6);
    QTest::newRow("bottom to top") << QPointF(-120, -3e6) << QPointF(10, 3e6);
    QTest::newRow("corner to corner") << QPointF(-2e6, 2e6 + 50) << QPointF(2e6, -2e6 + 50);
    QTest::newRow("in from above") << QPointF(100, 5e5) << QPointF(0, 0);
    QTest::newRow("out below") << QPointF(0, 0) << QPointF(-100, -5e5);
    QTest::newRow("in from the left") << QPointF(-5e5, 200) << QPointF(0, 0);
    QTest::newRow("out to the right") << QPointF(0, 0) << QPointF(5e5, -200);
}

// A line whose ends lie far beyond the picture is clipped before it is drawn; what is drawn
// must still be its line: every pixel within a pen width of the exact line, and pixels all
// along the part that lies in the picture.
void TestCanvas::clippedLinesKeepTheirCourse()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    Fixture f;
    Module1::SetWorldScale(*f.canvas, -300, 300, 300, -300);
    f.canvas->Cls();
    f.canvas->Line(float(from.x()), float(from.y()), float(to.x()), float(to.y()));
    const QImage &image = f.canvas->image();
    const qreal ratio = image.devicePixelRatio();
    const QPointF a = f.canvas->toPixels(from.x(), from.y()) * ratio;
    const QPointF b = f.canvas->toPixels(to.x(), to.y()) * ratio;
    const QPointF along = b - a;
    const double length = std::hypot(along.x(), along.y());
    const double pen = std::max(1.0, double(std::lround(ratio)));
    double nearest = std::numeric_limits<double>::max(), farthest = -nearest;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != 0)
                continue;
            const QPointF p = QPointF(x + 0.5, y + 0.5) - a;
            const double off = std::fabs(along.x() * p.y() - along.y() * p.x()) / length;
            QVERIFY2(off <= pen + 1.0,
                     qPrintable(QStringLiteral("pixel (%1, %2) is %3 off").arg(x).arg(y).arg(off)));
            const double at = (along.x() * p.x() + along.y() * p.y()) / length;
            nearest = std::min(nearest, at);
            farthest = std::max(farthest, at);
        }
    // The exact line's part in the picture, from where it enters to where it leaves or ends.
    double enter = 0.0, leave = 1.0;
    for (const auto &[start, step, size] : {std::tuple{a.x(), along.x(), double(image.width())},
                                            std::tuple{a.y(), along.y(), double(image.height())}}) {
        const double t0 = (0.0 - start) / step, t1 = (size - start) / step;
        enter = std::max(enter, std::min(t0, t1));
        leave = std::min(leave, std::max(t0, t1));
    }
    QVERIFY(enter < leave);
    QVERIFY2(nearest <= enter * length + 2.0 && farthest >= leave * length - 2.0,
             qPrintable(QStringLiteral("drawn from %1 to %2, the picture's part from %3 to %4")
                            .arg(nearest)
                            .arg(farthest)
                            .arg(enter * length)
                            .arg(leave * length)));
}

void TestCanvas::mouseDownInWorld()
{
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    Module1::SetWorldScale(*f.canvas, -300, 300, 300, -300);
    QSignalSpy spy(f.canvas, &Canvas::MouseDown);
    // The frame is two pixels wide; 202.5 pixels in is the world's x = 0.
    QTest::mouseClick(f.canvas, Qt::RightButton, Qt::ShiftModifier, QPoint(2 + 270, 2 + 0));
    QCOMPARE(spy.count(), 1);
    const QList<QVariant> args = spy.takeFirst();
    QCOMPARE(args.at(0).value<short>(), short(2));
    QCOMPARE(args.at(1).value<short>(), short(1));
    QCOMPARE(args.at(2).value<float>(), float(-300.0 + 270.0 * 600.0 / 405.0));
    QCOMPARE(args.at(3).value<float>(), 300.0f);
}

namespace {
// Device pixels counted from the picture's first one; these two stand for its last one along a
// row or a column and the one beyond, whatever the device pixel ratio.
constexpr int kLast = -1000;
constexpr int kBeyond = -1001;
} // namespace

void TestCanvas::clickOnPictureOnly_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("taken");
    QTest::newRow("first pixel") << 0 << 0 << true;
    QTest::newRow("frame's innermost column") << -1 << 10 << false;
    QTest::newRow("frame's innermost row") << 10 << -1 << false;
    QTest::newRow("last column") << kLast << 10 << true;
    QTest::newRow("last row") << 10 << kLast << true;
    QTest::newRow("beyond the last column") << kBeyond << 10 << false;
    QTest::newRow("beyond the last row") << 10 << kBeyond << false;
}

void TestCanvas::clickOnPictureOnly()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(bool, taken);
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.canvas->Cls();
    const QSize picture = f.canvas->image().size();
    const auto devicePixel = [](int index, int size) {
        return index == kLast ? size - 1 : index == kBeyond ? size : index;
    };
    // The picture lies inside a two-pixel frame; the pointer's position is its device pixel's
    // top-left corner, in the window's logical pixels. The press arrives as the platform hands
    // it to the window, unrounded, and Qt takes it to the canvas.
    const qreal ratio = f.canvas->devicePixelRatioF();
    const QPointF position =
        QPointF(f.canvas->mapTo(&f.window, QPoint(2, 2))) +
        QPointF(devicePixel(column, picture.width()), devicePixel(row, picture.height())) / ratio;
    QWindow *window = f.window.windowHandle();
    QSignalSpy spy(f.canvas, &Canvas::MouseDown);
    static int timestamp = 0;
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        qt_handleMouseEvent(window, position, window->mapToGlobal(position),
                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                            Qt::LeftButton, type, Qt::NoModifier, ++timestamp);
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), taken ? 1 : 0);
}

void TestCanvas::imageAtDevicePixels()
{
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.canvas->Cls();
    const qreal ratio = f.canvas->devicePixelRatioF();
    QCOMPARE(f.canvas->image().devicePixelRatio(), ratio);
    QCOMPARE(f.canvas->image().size(), QSize(405, 373) * ratio);
    // Covered and uncovered, the picture is still there: painting copies the image.
    Module1::SetWorldScale(*f.canvas, 0, 0, 500, 500);
    f.canvas->Line(0, 250, 500, 250);
    const QImage grabbed = f.canvas->grab().toImage();
    // The picture's device pixels lie inside the frame, two logical pixels shifted by as many
    // device pixels as Qt rounds that to.
    const int frame = qRound(2 * ratio);
    const QPointF onLine = f.canvas->toPixels(250, 250) * ratio;
    QCOMPARE(grabbed.pixel(frame + int(onLine.x()), frame + int(std::floor(onLine.y()))) & 0xFFFFFF,
             0u);
    // Resized, the canvas draws at its new size at once, in a handler or not.
    f.canvas->resize(309, 277);
    f.canvas->Line(0, 250, 500, 250);
    QCOMPARE(f.canvas->image().size(), QSize(305, 273) * ratio);
}

void TestCanvas::matchesReference_data()
{
    // Each row: a world, and the seed of its random drawings.
    QTest::addColumn<QRect>("world"); // left, top, right, bottom as a rectangle's corners
    QTest::addColumn<int>("seed");
    QTest::newRow("simple pendulum's world") << QRect(QPoint(-300, 300), QPoint(300, -300)) << 1;
    QTest::newRow("double pendulum's world") << QRect(QPoint(0, 0), QPoint(500, 500)) << 2;
    QTest::newRow("a narrow world") << QRect(QPoint(-7, 3), QPoint(6, -2)) << 3;
}

void TestCanvas::matchesReference()
{
    QFETCH(QRect, world);
    QFETCH(int, seed);
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    Module1::SetWorldScale(*f.canvas, std::int16_t(world.left()), std::int16_t(world.top()),
                           std::int16_t(world.right()), std::int16_t(world.bottom()));
    f.canvas->Cls();
    ReferenceCanvas reference(*f.canvas);
    QCOMPARE(f.canvas->image().size(), reference.picture().size());

    std::mt19937 random(seed);
    const double left = world.left(), width = world.right() - world.left();
    const double top = world.top(), height = world.bottom() - world.top();
    const auto uniform = [&random](double from, double to) {
        return std::uniform_real_distribution<double>(from, to)(random);
    };
    // Points on the picture and a little beyond it, within the margin lines are drawn to
    // unclipped; centres far off it.
    const auto near = [&](double origin, double size) {
        return float(origin + size * uniform(-0.05, 1.05));
    };
    const auto far = [&](double origin, double size) {
        return float(origin + size * uniform(-3.0, 4.0));
    };
    const auto colour = [&random] { return Colour(random() & 0xFFFFFFu); };
    const auto radius = [&]() -> float {
        switch (random() % 4) {
        case 0: // below a pixel
            return float(std::fabs(width) * uniform(1e-6, 0.002));
        case 1:
        case 2: // up to a third of the picture
            return float(std::fabs(width) * uniform(0.002, 0.3));
        default: // far beyond the picture
            return float(std::fabs(width) * uniform(1.0, 2000.0));
        }
    };
    for (int sequence = 0; sequence < 40; ++sequence) {
        for (int step = 0; step < 12; ++step) {
            switch (random() % 8) {
            case 0:
                f.canvas->Cls();
                reference.Cls();
                break;
            case 1: {
                const bool xorPen = random() % 2;
                f.canvas->setDrawMode(xorPen ? Canvas::XorPen : Canvas::CopyPen);
                reference.xorPen = xorPen;
                break;
            }
            case 2:
            case 3: {
                const float x1 = near(left, width), y1 = near(top, height);
                const float x2 = near(left, width), y2 = near(top, height);
                const Colour c = colour();
                f.canvas->Line(x1, y1, x2, y2, c);
                reference.Line(x1, y1, x2, y2, c);
                break;
            }
            default: {
                const bool farOff = random() % 3 == 0;
                const float x = farOff ? far(left, width) : near(left, width);
                const float y = farOff ? far(top, height) : near(top, height);
                const float r = radius();
                const Colour outline = colour(), fill = colour();
                const bool filled = random() % 2;
                f.canvas->setFillStyle(filled ? Canvas::Solid : Canvas::Transparent);
                f.canvas->setFillColor(fill);
                f.canvas->Circle(x, y, r, outline);
                reference.Circle(x, y, r, outline, filled ? std::optional(fill) : std::nullopt);
                break;
            }
            }
        }
        const QImage &got = f.canvas->image();
        const QImage &expected = reference.picture();
        for (int y = 0; y < got.height(); ++y)
            for (int x = 0; x < got.width(); ++x)
                if (got.pixel(x, y) != expected.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("sequence %1: pixel (%2, %3) is %4, not %5")
                                         .arg(sequence)
                                         .arg(x)
                                         .arg(y)
                                         .arg(got.pixel(x, y), 8, 16)
                                         .arg(expected.pixel(x, y), 8, 16)));
    }
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"

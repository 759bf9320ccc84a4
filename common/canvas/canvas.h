// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The drawing canvas of a simulator window: an immediate-mode surface with its own world
// coordinates (the user scale), copy and XOR pens and filled circles. Its picture lives in an
// image at the screen's device pixels, so it stays crisp on high-DPI screens and survives being
// covered; painting only copies the image to the screen, and what was drawn goes to the screen
// in one update when the window sends its frame (refreshScreen). Lines and circles are
// rasterised here, setting each pixel of a primitive once, so the XOR pen is exact.
//
// The canvas owns the one mapping between world coordinates and pixels. Coordinates and radii
// arrive in single precision, as the callers' CSng conversion leaves them.
#pragma once

#include "canvaspicture.h"
#include "rgb.h"

#include <QFrame>
#include <QImage>

#include <optional>

class Canvas : public QFrame {
    Q_OBJECT

public:
    static constexpr int CopyPen = 13;
    static constexpr int XorPen = 7;
    static constexpr int Solid = 0;
    static constexpr int Transparent = 1;

    explicit Canvas(QWidget *parent = nullptr);

    float ScaleLeft() const { return m_scaleLeft; }
    float ScaleTop() const { return m_scaleTop; }
    // Until a user scale is set, the scale is the inner size in twips.
    float ScaleWidth() const;
    float ScaleHeight() const;
    // A zero width or height raises the invalid-property-value error.
    void setScaleLeft(float value);
    void setScaleTop(float value);
    void setScaleWidth(float value);
    void setScaleHeight(float value);

    int DrawMode() const { return m_drawMode; }
    int FillStyle() const { return m_fillStyle; }
    Colour FillColor() const { return m_fillColor; }
    // Values other than CopyPen/XorPen and Solid/Transparent raise invalid-property-value.
    void setDrawMode(int mode);
    void setFillStyle(int style);
    void setFillColor(Colour colour);

    // Clears the whole canvas to white, whatever the draw mode. Only the pixels drawn since the
    // last clear can be other than white: clearing those alone keeps a tick's cost, and what
    // goes to the screen, to the size of the figure.
    void Cls();
    // A one-pixel line between two world points, in the colour given or else black.
    void Line(float x1, float y1, float x2, float y2, std::optional<Colour> colour = {});
    // A full circle about a world point, its radius in horizontal world units and round on
    // screen; outline in the colour given or else black, filled with FillColor when FillStyle
    // is Solid.
    void Circle(float x, float y, float radius, std::optional<Colour> colour = {});

    // The picture, at device pixels (its device pixel ratio set).
    const QImage &image() const { return m_picture.image(); }
    // The colour of the pixel under a world point.
    Colour pointColour(double x, double y) const;
    // A world point in logical pixels from the inner top-left corner.
    QPointF toPixels(double x, double y) const;

    // Asks Qt to update the part of the screen drawn on since the last call; what is drawn
    // reaches the screen only then. The window calls it with each display frame (programclock.h).
    void refreshScreen();

signals:
    // A mouse button went down at world point (x, y); button and shift as 16-bit masks.
    void MouseDown(short button, short shift, float x, float y);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // The drawing area inside the frame, in logical pixels.
    QSize innerSize() const;
    // Leaves the default twips scale for a user scale that starts from the same numbers.
    void useUserScale();
    // Makes the picture, or a new one when the screen has changed; once a handler.
    void ensureImage();
    // A world point in device pixels of the picture.
    QPointF devicePoint(double x, double y) const;

    CanvasPicture m_picture;
    float m_scaleLeft = 0.0f;
    float m_scaleTop = 0.0f;
    float m_scaleWidth = 1.0f;
    float m_scaleHeight = 1.0f;
    int m_drawMode = CopyPen;
    int m_fillStyle = Transparent;
    Colour m_fillColor = RGB(0, 0, 0);
    bool m_userScale = false;
    // What ensureImage found: the drawing area inside the frame, in the widget's pixels, and a
    // logical pixel's width in device pixels. It holds until the canvas is resized or moves to
    // another screen (event), and at most until what was drawn goes to the screen
    // (refreshScreen), whoever draws: a handler, the trace tool or a test.
    bool m_imageChecked = false;
    QRect m_inner;
    int m_pen = 1;
    // The last button press as the window got it, in the window's logical pixels: Qt Widgets
    // rounds the position to whole logical pixels before the canvas sees it, which at a device
    // pixel ratio other than 1 is a device pixel off. Watched through an event filter on the
    // window.
    struct WindowPress {
        QPointF position;
        quint64 timestamp;
    };
    std::optional<WindowPress> m_windowPress;
};

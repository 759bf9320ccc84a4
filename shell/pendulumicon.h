// The program's icon: a double pendulum, a small black pivot block at the top, a thin white rod
// down to a red ball outlined in black and a second thin white rod down to a yellow ball
// outlined in black, on a transparent background. One design, drawn at any size.
#pragma once

#include <QIcon>
#include <QImage>

// The icon at size x size pixels; at 32 it holds at most 16 colours.
QImage drawPendulumIcon(int size);

// The icon at 32, 48, 64, 128 and 256 pixels.
QIcon pendulumIcon();

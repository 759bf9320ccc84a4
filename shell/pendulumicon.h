// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The program's icon: a double pendulum, a small black pivot block at the top, a thin white rod
// down to a red ball outlined in black and a second thin white rod down to a yellow ball
// outlined in black, on a transparent background. One design, drawn at any size.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>

// The sizes the desktop asks for, from menus and panels up.
inline constexpr int kPendulumIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The icon at size x size pixels; at 32 it holds at most 16 colours. Above 32 the white rods
// have a thin dark outline, so that they show on light backgrounds.
QImage drawPendulumIcon(int size);

// The icon for a launcher that cuts its own shape (a phone's circle, a rounded square): the
// design inside the middle circle of four fifths of the width, on an opaque background.
QImage drawMaskablePendulumIcon(int size);

// The icon as scalable vector graphics, as drawn above 32 pixels.
QByteArray pendulumIconSvg();

// The icon at every size of kPendulumIconSizes.
QIcon pendulumIcon();

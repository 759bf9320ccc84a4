// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The roles assistive technology is told for the program's own widgets: each form is a window
// (for Qt a top-level widget is only a client area, which AT-SPI calls a filler) and each canvas
// a graphic (for Qt a frame's border, which AT-SPI calls a frame and screen readers a window).
#pragma once

// Installs those roles for the whole program; the forms call it, and it acts once.
void useAccessibleRoles();

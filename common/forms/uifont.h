// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The fonts of the windows: a Japanese Gothic that covers all captions, at the 9-point size
// (12 pixels) the layout was designed for.
#pragma once

#include <QFont>

// The font of every window and its texts.
QFont uiFont();

// The font of the captions that are short Latin symbols (La, Mb, dt, g): a fixed-width face,
// whose letters fit the narrow space the layout leaves those captions beside their fields,
// where the proportional face's "Mb" would run under the field's border.
QFont symbolFont();

// Whether an installed font writes the captions: one of the windows' fonts, or another font that
// covers Japanese and to which Qt falls back (Droid Sans Fallback, say). Without one, the
// captions draw as boxes.
bool japaneseFontInstalled();

// Makes every font file in the folder available to the windows, for a program that carries its
// fonts rather than finding them installed.
void addFontsFrom(const QString &folder);

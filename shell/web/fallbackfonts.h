// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// In the browser, fonts for the characters the program's own font lacks (pasted Arabic, Hangul,
// an emoji, a kanji beyond the program's texts): the page fetches them the first time a field
// shows such a character, so that a visit that never needs them does not download them.
#pragma once

#include <QString>

// Watches what the fields show from now on; the fonts, once the page has them, are added from
// fontFolder, where the page has put the program's own font too.
void fetchFallbackFontsWhenNeeded(const QString &fontFolder);

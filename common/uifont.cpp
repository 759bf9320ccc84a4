// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The windows' fonts.
#include "uifont.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>

namespace {

// Where the IPA fonts are absent, as on Windows, the platform's Japanese UI fonts, nearest in
// shape first: MS UI Gothic is a 12-pixel face with the IPA fonts' narrow kana and short line
// (the layout's twips were measured for such a face); Meiryo UI is the next narrowest; Yu Gothic
// UI, the widest in line, is on every Windows 10 and 11 even without the Japanese supplemental
// fonts, so it is the one always there.
const QStringList kWindowsJapaneseUi = {QStringLiteral("MS UI Gothic"), QStringLiteral("Meiryo UI"),
                                        QStringLiteral("Yu Gothic UI")};

} // namespace

QFont uiFont()
{
    QFont font;
    // IPA fonts come with the Debian package fonts-ipafont-gothic, which the setup installs.
    font.setFamilies(QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")} +
                     kWindowsJapaneseUi);
    font.setPixelSize(12);
    return font;
}

QFont symbolFont()
{
    QFont font = uiFont();
    // MS Gothic is the fixed-width face IPA Gothic keeps the metrics of.
    font.setFamilies(QStringList{QStringLiteral("IPAGothic"), QStringLiteral("MS Gothic")} +
                     kWindowsJapaneseUi);
    return font;
}

bool uiFontInstalled()
{
    const QStringList families = uiFont().families();
    return std::any_of(families.begin(), families.end(),
                       [](const QString &family) { return QFontDatabase::hasFamily(family); });
}

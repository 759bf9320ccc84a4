// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The windows' fonts.
#include "uifont.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
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
    // Pendulum Gothic is IPA P Gothic cut down to the program's characters, which the browser
    // build carries (its licence wants a derived font renamed).
    font.setFamilies(QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                 QStringLiteral("Pendulum Gothic")} +
                     kWindowsJapaneseUi);
    font.setPixelSize(12);
    return font;
}

QFont symbolFont()
{
    QFont font = uiFont();
    // A fixed-width Latin face whose hinting keeps every letter apart: IPA Gothic draws "M" at
    // 12 pixels as a grey block five pixels wide. DejaVu Sans Mono at 11 pixels, whose tall
    // small letters match the Gothic's at 12, writes each caption within the room its field
    // leaves it ("dt" 13.2 pixels of 16). On Windows, MS Gothic, whose 12-pixel letters are
    // drawn for that size; IPA Gothic keeps its metrics.
    font.setFamilies(QStringList{QStringLiteral("DejaVu Sans Mono"), QStringLiteral("MS Gothic"),
                                 QStringLiteral("IPAGothic")} +
                     kWindowsJapaneseUi);
    if (QFontInfo(font).family() == QLatin1String("DejaVu Sans Mono"))
        font.setPixelSize(11);
    return font;
}

bool japaneseFontInstalled()
{
    const QStringList families = uiFont().families();
    return std::any_of(families.begin(), families.end(),
                       [](const QString &family) { return QFontDatabase::hasFamily(family); }) ||
           !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

void addFontsFrom(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name :
         dir.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files, QDir::Name))
        QFontDatabase::addApplicationFont(dir.filePath(name));
}

// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The windows' fonts.
#include "uifont.h"

#include <QStringList>

QFont uiFont()
{
    QFont font;
    // IPA fonts come with the Debian package fonts-ipafont-gothic, which the setup installs.
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPixelSize(12);
    return font;
}

QFont symbolFont()
{
    QFont font = uiFont();
    font.setFamilies({QStringLiteral("IPAGothic")});
    return font;
}

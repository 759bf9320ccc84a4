// The windows' font.
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

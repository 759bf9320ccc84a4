// The font of every window: a Japanese Gothic that covers all captions, at the 9-point size
// (12 pixels) the layout was designed for.
#pragma once

#include <QFont>

QFont uiFont();

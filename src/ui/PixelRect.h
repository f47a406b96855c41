#pragma once

#include "shell/Form1Controls.h"

#include <QRect>

// A control's place on a 96 DPI screen; Qt scales it on denser screens.
inline QRect PixelRect(const TwipRect& twips) {
    const TwipRect pixels = ToPixels(twips);
    return QRect(pixels.left, pixels.top, pixels.width, pixels.height);
}

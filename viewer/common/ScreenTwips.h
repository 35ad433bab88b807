// Window coordinates are kept in twips (1/1440 inch). These convert them with the screen's
// twips per pixel, separately along X and Y, for the frame, the tool windows and the charts.
#pragma once

#include "common/Rounding.h"

#include <QScreen>

namespace brellix {

// 1440 over the screen's logical dots per inch; 15 (96 dpi) without a screen.
inline double screenTwipsPerPixelX(const QScreen* screen)
{
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : 0.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

inline double screenTwipsPerPixelY(const QScreen* screen)
{
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 0.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

// Nearest pixel, halves to even like the rest of the viewer; 0 for a value beyond 32 bits.
inline int twipsToPixels(double twips, double twipsPerPixel)
{
    return nearestInt32(twips / twipsPerPixel);
}

} // namespace brellix

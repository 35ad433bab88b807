// Window coordinates are kept in twips (1/1440 inch); these convert with the screen's twips
// per pixel, separately along X and Y.
#pragma once

#include <QWidget>

#include <cmath>

namespace brellix {

inline double screenTwipsPerPixelX(const QWidget& widget)
{
    const int dpi = widget.logicalDpiX();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

inline double screenTwipsPerPixelY(const QWidget& widget)
{
    const int dpi = widget.logicalDpiY();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

// Nearest pixel, halves to even like the rest of the viewer.
inline int twipsToPixels(double twips, double twipsPerPixel)
{
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

} // namespace brellix

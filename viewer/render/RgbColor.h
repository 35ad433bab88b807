// Colours as the viewer passes them around: red + 256 x green + 65536 x blue, each 0 to 255.
#pragma once

#include <QColor>

#include <algorithm>
#include <cstdint>

namespace brellix {

// Components above 255 count as 255 and below 0 as 0.
constexpr int32_t rgbColor(int red, int green, int blue)
{
    return std::clamp(red, 0, 255) | (std::clamp(green, 0, 255) << 8) |
           (std::clamp(blue, 0, 255) << 16);
}

constexpr int redOf(int32_t color)
{
    return color & 0xFF;
}

constexpr int greenOf(int32_t color)
{
    return (color >> 8) & 0xFF;
}

constexpr int blueOf(int32_t color)
{
    return (color >> 16) & 0xFF;
}

inline QColor toQColor(int32_t color)
{
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

} // namespace brellix

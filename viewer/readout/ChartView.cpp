#include "ChartView.h"

#include "common/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace brellix {

int32_t ChartView::soundingAt(float x, float y) const
{
    if (horizontal) {
        return position - static_cast<int32_t>(std::floor(y / twipsPerPixelY));
    }
    return nearestInt32(x / twipsPerPixelX + (position - chartColumns));
}

float ChartView::depthAt(float x, float y) const
{
    const double pixels = horizontal ? x / twipsPerPixelX : y / twipsPerPixelY;
    return static_cast<float>(pixels * (lowerLimit - upperLimit) / depthPixels + upperLimit);
}

ChartView::Window ChartView::zoomedOut() const
{
    const float range = lowerLimit - upperLimit;
    const float centre = range / 2 + upperLimit;
    const float half = 1.5f * range / 2;
    if (half > centre) {
        return horizontal ? Window{-half, half} : Window{0, 2 * half};
    }
    return {centre - half, centre + half};
}

bool ChartView::isClick(int32_t x0, int32_t y0, int32_t x1, int32_t y1)
{
    return std::abs(x1 - x0) < kClickTwips && std::abs(y1 - y0) < kClickTwips;
}

double ChartView::feetPerTwip() const
{
    return (lowerLimit - upperLimit) / (static_cast<double>(depthPixels) * twipsPerDepthPixel);
}

std::optional<ChartView::Window> ChartView::zoomedInto(int32_t x0, int32_t y0, int32_t x1,
                                                       int32_t y1) const
{
    if (isClick(x0, y0, x1, y1)) {
        return std::nullopt;
    }
    int32_t from = horizontal ? x0 : y0;
    int32_t to = horizontal ? x1 : y1;
    if (from > to) {
        std::swap(from, to);
    }
    if (to - from <= kClickTwips) {
        return std::nullopt;
    }
    const double scale = feetPerTwip();
    return Window{static_cast<float>(upperLimit + from * scale),
                  static_cast<float>(upperLimit + to * scale)};
}

ChartView::Recentre ChartView::recentred(int32_t x0, int32_t y0, int32_t x1, int32_t y1) const
{
    const int32_t timeStart = horizontal ? std::min(y0, y1) : std::min(x0, x1);
    const double clicked =
        horizontal ? position - std::floor(timeStart / twipsPerPixelY) : timeStart / twipsPerPixelX;
    const int32_t newest = horizontal ? nearestInt32(clicked + chartColumns / 2.0)
                                      : nearestInt32(clicked + position - chartColumns / 2.0);
    Recentre result;
    result.position =
        std::max(visibleSoundings, std::min(newest, std::max(visibleSoundings, soundingCount - 1)));

    const int32_t centre = nearestInt32(horizontal ? (x0 + x1) / 2.0 : (y0 + y1) / 2.0);
    const float range = lowerLimit - upperLimit;
    const auto upper = static_cast<float>(
        (centre - depthPixels * twipsPerDepthPixel / 2.0) * feetPerTwip() + upperLimit);
    result.window = {upper, upper + range};
    return result;
}

QList<QRect> ChartView::dragMarks(int32_t x0, int32_t y0, int32_t x1, int32_t y1) const
{
    QList<QRect> marks;
    if (horizontal) {
        const int left = nearestInt32(std::min(x0, x1) / twipsPerPixelX);
        const int right = nearestInt32(std::max(x0, x1) / twipsPerPixelX);
        marks.append(QRect(left, 0, right - left, chartColumns));
        if (isClick(x0, y0, x1, y1)) {
            marks.append(QRect(0, nearestInt32(y1 / twipsPerPixelY), depthPixels, 0));
        }
    } else {
        const int top = nearestInt32(std::min(y0, y1) / twipsPerPixelY);
        const int bottom = nearestInt32(std::max(y0, y1) / twipsPerPixelY);
        marks.append(QRect(0, top, chartColumns, bottom - top));
        if (isClick(x0, y0, x1, y1)) {
            marks.append(QRect(nearestInt32(x1 / twipsPerPixelX), 0, 0, depthPixels));
        }
    }
    return marks;
}

} // namespace brellix

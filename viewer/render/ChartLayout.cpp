#include "ChartLayout.h"

#include "common/Rounding.h"

#include <algorithm>

namespace brellix {

namespace {

// A control accepts a move only to a size it can have.
void moveTo(TwipsRect& control, int32_t left, int32_t top, int32_t width, int32_t height)
{
    if (width < 0 || height < 0) {
        return;
    }
    control = TwipsRect{left, top, width, height};
}

} // namespace

ChartLayout::ChartLayout()
    : picSonarImage{0, 0, 6255, 4515}, sldSounding{0, 4560, 6135, 315}, lblSensitivity{1140, 4920,
                                                                                       705, 195},
      lblColorLine{4200, 4920, 660, 195}, sldSensitivity{0, 5160, 2955, 270},
      sldColorLine{3120, 5160, 2955, 270}, txtDepthPopup{3900, 1620, 1935, 855}
{
}

void ChartLayout::arrange(int32_t innerWidth, int32_t innerHeight, int32_t lBottomMargin)
{
    const int32_t left = picSonarImage.left;
    const int32_t oldRight = picSonarImage.right();
    const int32_t oldBottom = picSonarImage.bottom();

    moveTo(picSonarImage, left, picSonarImage.top, innerWidth - left, innerHeight - lBottomMargin);

    const int32_t dR = picSonarImage.right() - oldRight;
    const int32_t dB = picSonarImage.bottom() - oldBottom;
    const int32_t n = std::min(picSonarImage.width, kOptionSliderSpan);
    const double half = n / 2.0;

    moveTo(sldSensitivity, picSonarImage.left, sldSensitivity.top + dB, nearestInt32(half),
           sldSensitivity.height);
    moveTo(
        lblSensitivity,
        nearestInt32(sldSensitivity.left + sldSensitivity.width / 2.0 - lblSensitivity.width / 2.0),
        lblSensitivity.top + dB, lblSensitivity.width, lblSensitivity.height);

    moveTo(sldColorLine, nearestInt32(picSonarImage.left + half), sldColorLine.top + dB,
           nearestInt32(half), sldColorLine.height);
    moveTo(lblColorLine,
           nearestInt32(sldColorLine.left + sldColorLine.width / 2.0 - lblColorLine.width / 2.0),
           lblColorLine.top + dB, lblColorLine.width, lblColorLine.height);

    moveTo(sldSounding, sldSounding.left, sldSounding.top + dB, sldSounding.width + dR,
           sldSounding.height);
}

ChartGeometry ChartLayout::geometry(bool bHorizontal, double twipsPerPixelX,
                                    double twipsPerPixelY) const
{
    ChartGeometry g;
    const int32_t widthPixels = nearestInt32(picSonarImage.width / twipsPerPixelX);
    const int32_t heightPixels = nearestInt32(picSonarImage.height / twipsPerPixelY);
    if (bHorizontal) {
        g.lChartColumns = heightPixels;
        g.lDepthPixels = widthPixels;
        g.lTwipsPerDepthPixel = nearestInt32(twipsPerPixelX);
    } else {
        g.lChartColumns = widthPixels;
        g.lDepthPixels = heightPixels;
        g.lTwipsPerDepthPixel = nearestInt32(twipsPerPixelY);
    }
    g.bitmapWidth = widthPixels;
    g.bitmapHeight = heightPixels;
    return g;
}

} // namespace brellix

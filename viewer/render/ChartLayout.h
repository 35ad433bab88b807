// The chart window's arrangement in twips: the picture stretched over the window above a band
// that holds the sounding slider, the two option sliders and their labels. No widgets: the
// window applies the rectangles with the screen's twips per pixel.
#pragma once

#include <cstdint>

namespace brellix {

struct TwipsRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;

    int32_t right() const { return left + width; }
    int32_t bottom() const { return top + height; }
    bool operator==(const TwipsRect&) const = default;
};

// The chart's extent in pixels that a layout gives.
struct ChartGeometry
{
    int32_t lChartColumns = 0;
    int32_t lDepthPixels = 0;
    int32_t lTwipsPerDepthPixel = 0;
    // The bitmap always has the picture's pixel size, whatever the orientation.
    int32_t bitmapWidth = 0;
    int32_t bitmapHeight = 0;
};

class ChartLayout
{
public:
    // The option sliders share the picture width up to this many twips.
    static constexpr int32_t kOptionSliderSpan = 6000;

    // Starts at the design arrangement.
    ChartLayout();

    TwipsRect picSonarImage;
    TwipsRect sldSounding;
    TwipsRect lblSensitivity;
    TwipsRect lblColorLine;
    TwipsRect sldSensitivity;
    TwipsRect sldColorLine;
    TwipsRect txtDepthPopup;

    // Stretches the picture over a window of the given inner size and moves the controls below
    // it along. A move to a negative width or height is refused: that control stays, and the
    // following steps use its actual size.
    void arrange(int32_t innerWidth, int32_t innerHeight, int32_t lBottomMargin);

    // The chart's pixel extent for the current picture: time along the width for a vertical
    // chart, along the height for a side-looking one.
    ChartGeometry geometry(bool bHorizontal, double twipsPerPixelX, double twipsPerPixelY) const;
};

} // namespace brellix

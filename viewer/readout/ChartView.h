// A chart as the mouse meets it: which sounding and depth lie under a point of the picture
// (in twips), and what a drag, a click and the right button make of the chart's window and
// position. The arithmetic alone, so that it is tested without a window.
//
// A vertical chart runs time along X, its newest sounding at the right, and depth down Y. A
// side-looking chart runs depth along X and time down Y, its newest sounding in the top row,
// as it is drawn: the readout, the click and the zoom all take the sounding from the row under
// the cursor and the depth from X.
#pragma once

#include <QList>
#include <QRect>

#include <cstdint>
#include <optional>

namespace brellix {

struct ChartView
{
    // Drags shorter than this in both directions are clicks.
    static constexpr int32_t kClickTwips = 75;

    bool horizontal = false;
    int32_t chartColumns = 0;
    int32_t depthPixels = 0;
    int32_t twipsPerDepthPixel = 0;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
    // The newest sounding drawn, and how many the chart spans.
    int32_t position = 0;
    int32_t visibleSoundings = 0;
    int32_t soundingCount = 0;
    float upperLimit = 0;
    float lowerLimit = 0;

    // A chart's window or position after a mouse action.
    struct Window
    {
        float upperLimit = 0;
        float lowerLimit = 0;
    };
    struct Recentre
    {
        int32_t position = 0;
        Window window;
    };

    // The sounding and the depth in feet under a point of the picture.
    int32_t soundingAt(float x, float y) const;
    float depthAt(float x, float y) const;

    // The right button: half as deep again about the middle of the window, not below the
    // surface on a vertical chart, about the surface on a side-looking one when it would be.
    Window zoomedOut() const;
    // A left drag from (x0, y0) to (x1, y1): the band across depth when it spans more than a
    // click; empty when it is a click or too thin across depth to zoom.
    std::optional<Window> zoomedInto(int32_t x0, int32_t y0, int32_t x1, int32_t y1) const;
    // Whether a drag is a click: shorter than kClickTwips in both directions.
    static bool isClick(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
    // A click: the clicked sounding to the middle of the chart (within the log) and the
    // clicked depth to the middle of a window as deep as before.
    Recentre recentred(int32_t x0, int32_t y0, int32_t x1, int32_t y1) const;

    // What a drag from (x0, y0) to (x1, y1) twips shows, in pixels: the band across the whole
    // chart between the two depths, and while it is still a click the marker across the chart
    // at the cursor, a rectangle of no width (vertical chart) or no height (side-looking).
    QList<QRect> dragMarks(int32_t x0, int32_t y0, int32_t x1, int32_t y1) const;

private:
    // Feet per twip across depth.
    double feetPerTwip() const;
};

} // namespace brellix

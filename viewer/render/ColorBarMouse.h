// How a colour bar of the scheme editor takes the mouse, without the widgets: a press near a
// point takes hold of it (the right button deletes it instead, the first and last points
// excepted), a drag moves it no closer than 8 positions to its neighbours, a left click on an
// empty part of the bar inserts a point with the colour shown there, and a left click on a
// point asks for its colour. Heights are the bar's in pixels, y counts upward from its bottom.
//
// No edit leaves a region's points out of order: a point never passes a neighbour, and an
// insertion at a point's position recolours nothing and adds nothing.
#pragma once

#include <cstdint>

namespace brellix {

class tColorScheme;

class ColorBarMouse
{
public:
    // Positions kept between a dragged point and its neighbours.
    static constexpr int kPointSpacing = 8;

    // The scheme must outlive this.
    explicit ColorBarMouse(tColorScheme& scheme) : m_scheme(scheme) {}

    void press(int region, bool rightButton, float barHeight, float y);
    void move(float barHeight, float y);
    // True when the release completes a left click on a point: its colour is to be chosen.
    // Off the bar (outside 0 .. barHeight) nothing is inserted.
    bool release(int region, bool leftButton, float barHeight, float y);

    int currentRegion() const { return m_currentRegion; }
    int16_t currentPoint() const { return m_currentPoint; }
    bool pointHit() const { return m_pointHit; }
    bool dragging() const { return m_dragging; }

private:
    // The position at y on the bar; false when the bar has no height or y is far off it.
    bool positionAt(float barHeight, float y, int16_t& position) const;

    tColorScheme& m_scheme;
    int m_currentRegion = 0;
    int16_t m_currentPoint = 0;
    bool m_pointHit = false;
    bool m_dragging = false;
};

} // namespace brellix

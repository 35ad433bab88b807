#include "render/ColorBarMouse.h"

#include "render/tColorScheme.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace brellix {

bool ColorBarMouse::positionAt(float barHeight, float y, int16_t& position) const
{
    if (!(barHeight > 0)) {
        return false;
    }
    try {
        position = tColorScheme::PixelToColorNumber(barHeight, y);
        return true;
    } catch (const std::overflow_error&) {
        return false;
    }
}

void ColorBarMouse::press(int region, bool rightButton, float barHeight, float y)
{
    m_dragging = false;
    m_pointHit = false;
    int16_t p = 0;
    if (region < 0 || region >= tColorScheme::kRegions || !positionAt(barHeight, y, p)) {
        return;
    }
    m_currentRegion = region;
    m_currentPoint = m_scheme.NearestPoint(region, p);
    const int count = m_scheme.iNumColorPoints(region);
    m_pointHit = std::abs(m_scheme.iIndex(region, m_currentPoint) - p) <
                 barHeight * static_cast<float>(kPointSpacing) / 256.0f;
    const bool inner = m_currentPoint > 0 && m_currentPoint < count - 1;
    if (!inner || !m_pointHit) {
        return;
    }
    if (rightButton) {
        m_scheme.DeletePoint(region, m_currentPoint);
        m_pointHit = false;
    } else {
        m_dragging = true;
    }
}

void ColorBarMouse::move(float barHeight, float y)
{
    int16_t p = 0;
    if (!m_dragging || !positionAt(barHeight, y, p)) {
        return;
    }
    m_pointHit = false;
    const int region = m_currentRegion;
    const int point = m_currentPoint;
    if (point <= 0 || point >= m_scheme.iNumColorPoints(region) - 1) {
        return;
    }
    const int below = m_scheme.iIndex(region, point - 1);
    const int above = m_scheme.iIndex(region, point + 1);
    int position = p;
    if (position <= below + kPointSpacing) {
        position = below + kPointSpacing;
    }
    if (position >= above - kPointSpacing) {
        position = above - kPointSpacing;
    }
    // Neighbours closer than twice the spacing (an insertion between them) still keep the
    // point strictly between them.
    position = std::clamp(position, below + 1, above - 1);
    m_scheme.setiIndex(region, point, static_cast<int16_t>(position));
}

bool ColorBarMouse::release(int region, bool leftButton, float barHeight, float y)
{
    if (m_dragging) {
        m_dragging = false;
        return leftButton && m_pointHit;
    }
    if (region != m_currentRegion || !leftButton) {
        return false;
    }
    if (m_pointHit) {
        return true;
    }
    int16_t p = 0;
    if (y < 0 || y > barHeight || !positionAt(barHeight, y, p)) {
        return false;
    }
    p = std::clamp<int16_t>(p, 0, 255);
    try {
        // A point already there keeps its colour: the gradient stays as it is shown.
        const int16_t nearest = m_scheme.NearestPoint(region, p);
        if (m_scheme.iNumColorPoints(region) > 0 && m_scheme.iIndex(region, nearest) == p) {
            return false;
        }
        m_scheme.InsertPoint(region, p, m_scheme.GetColorValue(region, p));
    } catch (const std::exception&) {
        // A full region takes no further point.
    }
    return false;
}

} // namespace brellix

#include "dialogs/ColorBar.h"

#include "render/ColorBarMouse.h"
#include "render/tColorScheme.h"

#include <QMouseEvent>
#include <QPainter>

#include <stdexcept>

namespace brellix {

ColorBar::ColorBar(tColorScheme& scheme, ColorBarMouse& mouse, int region, QWidget* parent)
    : QWidget(parent), m_scheme(scheme), m_mouse(mouse), m_region(region)
{
    setObjectName(QStringLiteral("picPalette_%1").arg(region));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

void ColorBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    try {
        m_scheme.PaintColorBar(painter, QRectF(rect()), true, m_region);
    } catch (const std::exception&) {
        // A region without points shows the window's background.
    }
}

float ColorBar::upward(const QMouseEvent& event) const
{
    return static_cast<float>(height() - event.position().y());
}

void ColorBar::mousePressEvent(QMouseEvent* event)
{
    m_mouse.press(m_region, event->button() == Qt::RightButton, static_cast<float>(height()),
                  upward(*event));
}

void ColorBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click acts as a press of its own.
    mousePressEvent(event);
}

void ColorBar::mouseMoveEvent(QMouseEvent* event)
{
    m_mouse.move(static_cast<float>(height()), upward(*event));
}

void ColorBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_mouse.release(m_region, event->button() == Qt::LeftButton, static_cast<float>(height()),
                        upward(*event))) {
        emit pointClicked(m_region, m_mouse.currentPoint());
    }
}

} // namespace brellix

#include "dialogs/ColorSwatch.h"

#include "render/RgbColor.h"

#include <QMouseEvent>
#include <QPainter>

namespace brellix {

ColorSwatch::ColorSwatch(const QString& name, QWidget* parent) : QFrame(parent)
{
    setObjectName(name);
    setFrameShape(QFrame::Box);
    setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::setColor(int32_t color)
{
    if (color != m_color) {
        m_color = color;
        update();
    }
}

void ColorSwatch::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), toQColor(m_color));
    painter.end();
    QFrame::paintEvent(event);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

} // namespace brellix

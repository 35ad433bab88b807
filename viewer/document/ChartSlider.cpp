#include "ChartSlider.h"

#include <QPainter>
#include <QStyle>

namespace brellix {

ChartSlider::ChartSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setTickPosition(QSlider::TicksBelow);
}

void ChartSlider::setSelStart(int value)
{
    m_selStart = value;
    update();
}

void ChartSlider::setSelLength(int value)
{
    m_selLength = value;
    update();
}

void ChartSlider::paintEvent(QPaintEvent* event)
{
    QSlider::paintEvent(event);
    if (m_selLength <= 0 || maximum() <= minimum()) {
        return;
    }
    const int span = width();
    const int from = QStyle::sliderPositionFromValue(minimum(), maximum(), m_selStart, span, false);
    const int to = QStyle::sliderPositionFromValue(minimum(), maximum(), m_selStart + m_selLength,
                                                   span, false);
    QPainter painter(this);
    painter.fillRect(QRect(from, height() - 3, std::max(1, to - from), 3),
                     palette().color(QPalette::Highlight));
}

} // namespace brellix

#include "ChartPicture.h"

#include "render/tChart.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>

namespace brellix {

ChartPicture::ChartPicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void ChartPicture::showChart(const tChart& chart)
{
    const QSize size = this->size();
    if (size.isEmpty()) {
        return;
    }
    if (m_screen.size() != size) {
        m_screen = QImage(size, QImage::Format_RGB32);
        m_screen.fill(Qt::black);
    }
    // What chart.Draw paints (the bitmap unscaled at the top left, its bottom row at the
    // bottom), done row by row through the palette: a painter with a flipping transform costs
    // many times more, and playback and every redraw pass copy the whole chart.
    const tBitmap& bitmap = chart.Bitmap();
    const uint8_t* pixels = bitmap.pixels();
    const int rows = std::min(bitmap.lHeight(), m_screen.height());
    const int columns = std::min(bitmap.lWidth(), m_screen.width());
    if (!pixels || rows <= 0 || columns <= 0) {
        m_screen.fill(Qt::black);
        update();
        return;
    }
    std::array<QRgb, 256> palette{};
    for (int i = 0; i < 256; ++i) {
        const int32_t color = bitmap.bitmapColor(static_cast<int16_t>(i));
        palette[static_cast<size_t>(i)] =
            qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    }
    for (int y = 0; y < rows; ++y) {
        const uint8_t* source = pixels + static_cast<size_t>(bitmap.lHeight() - 1 - y) *
                                             static_cast<size_t>(bitmap.lWidth());
        auto* target = reinterpret_cast<QRgb*>(m_screen.scanLine(y));
        for (int x = 0; x < columns; ++x) {
            target[x] = palette[source[x]];
        }
    }
    update();
}

void ChartPicture::setFocusRects(const QList<QRect>& rects)
{
    if (rects != m_focusRects) {
        m_focusRects = rects;
        update();
    }
}

void ChartPicture::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    if (!m_screen.isNull()) {
        painter.drawImage(QPoint(0, 0), m_screen);
    }
    if (m_focusRects.isEmpty()) {
        return;
    }
    // White XOR-ed onto the chart inverts it: the dots show on any palette.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    for (const QRect& rect : m_focusRects) {
        if (rect.width() == 0) {
            painter.drawLine(rect.left(), rect.top(), rect.left(), rect.top() + rect.height() - 1);
        } else if (rect.height() == 0) {
            painter.drawLine(rect.left(), rect.top(), rect.left() + rect.width() - 1, rect.top());
        } else {
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        }
    }
}

void ChartPicture::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event->button(), event->position());
}

void ChartPicture::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->buttons(), event->position());
}

void ChartPicture::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(event->button(), event->position());
}

} // namespace brellix

#include "ChartPicture.h"

#include "render/tChart.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace brellix {

namespace {

// Playback moves a chart by up to this many lines before it is shown again (a fast step, or a
// follower catching up by file address).
constexpr int kLongestShift = 9;

} // namespace

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
        m_shown.rows = 0;
    }
    // What chart.Draw paints: the bitmap unscaled at the top left, its bottom row at the
    // bottom.
    const tBitmap& bitmap = chart.Bitmap();
    const uint8_t* pixels = bitmap.pixels();
    m_copy.rows = pixels ? std::min(bitmap.lHeight(), m_screen.height()) : 0;
    m_copy.columns = pixels ? std::min(bitmap.lWidth(), m_screen.width()) : 0;
    if (m_copy.rows <= 0 || m_copy.columns <= 0) {
        m_copy.rows = 0;
        m_copy.columns = 0;
    }
    for (int i = 0; i < 256; ++i) {
        const int32_t color = bitmap.bitmapColor(static_cast<int16_t>(i));
        m_copy.palette[static_cast<size_t>(i)] =
            qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    }
    const auto columns = static_cast<size_t>(m_copy.columns);
    m_copy.pixels.resize(static_cast<size_t>(m_copy.rows) * columns);
    for (int y = 0; y < m_copy.rows; ++y) {
        const uint8_t* source = pixels + static_cast<size_t>(bitmap.lHeight() - 1 - y) *
                                             static_cast<size_t>(bitmap.lWidth());
        std::copy_n(source, columns, m_copy.pixels.data() + static_cast<size_t>(y) * columns);
    }
    m_converted = false;
    update();
}

const QImage& ChartPicture::screen()
{
    convert();
    return m_screen;
}

void ChartPicture::convert()
{
    if (m_converted) {
        return;
    }
    m_converted = true;
    if (m_copy.rows == 0) {
        m_screen.fill(Qt::black);
        m_shown.rows = 0;
        return;
    }
    const auto columns = static_cast<size_t>(m_copy.columns);
    if (m_shown.rows != m_copy.rows || m_shown.columns != m_copy.columns ||
        m_shown.palette != m_copy.palette) {
        for (int y = 0; y < m_copy.rows; ++y) {
            convertRow(y, 0, columns);
        }
        std::swap(m_shown, m_copy);
        return;
    }
    // A side-looking chart scrolls by whole lines: move those on the screen first; the lines
    // they uncover then differ from what was shown and are converted below.
    moveRows(columnShift());
    int hint = 0;
    for (int y = 0; y < m_copy.rows; ++y) {
        const size_t line = static_cast<size_t>(y) * columns;
        if (std::memcmp(m_copy.pixels.data() + line, m_shown.pixels.data() + line, columns) == 0) {
            continue;
        }
        const int shift = rowShift(y, hint);
        if (shift == 0) {
            convertRow(y, 0, columns);
            continue;
        }
        hint = shift;
        // Every pixel the shift keeps already has its colour on the screen.
        auto* target = reinterpret_cast<QRgb*>(m_screen.scanLine(y));
        const size_t uncovered = static_cast<size_t>(std::abs(shift));
        const size_t kept = columns - uncovered;
        if (shift > 0) {
            std::memmove(target, target + shift, kept * sizeof(QRgb));
            convertRow(y, kept, columns);
        } else {
            std::memmove(target + uncovered, target, kept * sizeof(QRgb));
            convertRow(y, 0, uncovered);
        }
    }
    std::swap(m_shown, m_copy);
}

int ChartPicture::columnShift() const
{
    const int rows = m_copy.rows;
    const auto columns = static_cast<size_t>(m_copy.columns);
    for (int shift = 1; shift <= kLongestShift && shift < rows; ++shift) {
        const size_t kept = static_cast<size_t>(rows - shift) * columns;
        const size_t offset = static_cast<size_t>(shift) * columns;
        if (std::memcmp(m_copy.pixels.data(), m_shown.pixels.data() + offset, kept) == 0) {
            return shift;
        }
        if (std::memcmp(m_copy.pixels.data() + offset, m_shown.pixels.data(), kept) == 0) {
            return -shift;
        }
    }
    return 0;
}

void ChartPicture::moveRows(int shift)
{
    if (shift == 0) {
        return;
    }
    const int rows = m_copy.rows;
    const size_t bytes = static_cast<size_t>(m_copy.columns) * sizeof(QRgb);
    // Line y takes line y + shift; the order keeps every source line unmoved until it is read.
    if (shift > 0) {
        for (int y = 0; y + shift < rows; ++y) {
            std::memcpy(m_screen.scanLine(y), m_screen.constScanLine(y + shift), bytes);
        }
    } else {
        for (int y = rows - 1; y + shift >= 0; --y) {
            std::memcpy(m_screen.scanLine(y), m_screen.constScanLine(y + shift), bytes);
        }
    }
    // What the screen now shows, line for line.
    const auto columns = static_cast<size_t>(m_copy.columns);
    const size_t kept = static_cast<size_t>(rows - std::abs(shift)) * columns;
    if (shift > 0) {
        std::memmove(m_shown.pixels.data(),
                     m_shown.pixels.data() + static_cast<size_t>(shift) * columns, kept);
    } else {
        std::memmove(m_shown.pixels.data() + static_cast<size_t>(-shift) * columns,
                     m_shown.pixels.data(), kept);
    }
}

void ChartPicture::convertRow(int y, size_t from, size_t to)
{
    // Through the palette a pixel at a time: a painter with a flipping transform costs many
    // times more.
    const uint8_t* source =
        m_copy.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_copy.columns);
    auto* target = reinterpret_cast<QRgb*>(m_screen.scanLine(y));
    for (size_t x = from; x < to; ++x) {
        target[x] = m_copy.palette[source[x]];
    }
}

int ChartPicture::rowShift(int y, int hint) const
{
    const int columns = m_copy.columns;
    const uint8_t* now =
        m_copy.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(columns);
    const uint8_t* before =
        m_shown.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(columns);
    const auto matches = [&](int shift) {
        const int kept = columns - std::abs(shift);
        if (shift == 0 || kept <= 0) {
            return false;
        }
        const auto length = static_cast<size_t>(kept);
        return shift > 0 ? std::memcmp(now, before + shift, length) == 0
                         : std::memcmp(now - shift, before, length) == 0;
    };
    // The lines of one picture mostly moved alike.
    if (matches(hint)) {
        return hint;
    }
    for (int shift = 1; shift <= kLongestShift; ++shift) {
        if (matches(shift)) {
            return shift;
        }
        if (matches(-shift)) {
            return -shift;
        }
    }
    return 0;
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
    convert();
    QPainter painter(this);
    const QRect area = event->rect();
    // A picture grown since the last copy is black where the copy does not reach.
    for (const QRect& uncovered : QRegion(area).subtracted(QRegion(m_screen.rect()))) {
        painter.fillRect(uncovered, Qt::black);
    }
    const QRect shown = area.intersected(m_screen.rect());
    if (!shown.isEmpty()) {
        painter.drawImage(shown.topLeft(), m_screen, shown);
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

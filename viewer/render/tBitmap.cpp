#include "tBitmap.h"

#include "RgbColor.h"
#include "common/LittleEndian.h"
#include "platform/VantrelExports.h"

#include <QDebug>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace brellix {

namespace {

constexpr int kHeaderWidthOffset = 4;
constexpr int kHeaderHeightOffset = 8;
constexpr int kColorTableEntries = 256;

void writeI32(uint8_t* p, int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

void writeInfoHeader(uint8_t* block, int32_t rowLength, int32_t rowCount)
{
    writeI32(block, tBitmap::kHeaderSize);
    writeI32(block + kHeaderWidthOffset, rowLength);
    writeI32(block + kHeaderHeightOffset, rowCount); // positive: bottom-up rows
    writeI16(block + 12, 1);                         // planes
    writeI16(block + 14, 8);                         // bits per pixel
    // Compression, image size and both resolutions stay 0 from the zero fill.
    writeI32(block + 32, kColorTableEntries); // colours used
    // Important colours stay 0.
}

} // namespace

tBitmap::~tBitmap()
{
    ReleaseBits();
}

tBitmap::tBitmap(tBitmap&& other) noexcept
{
    *this = std::move(other);
}

tBitmap& tBitmap::operator=(tBitmap&& other) noexcept
{
    if (this == &other) {
        return *this;
    }
    m_block = std::move(other.m_block);
    m_blockSize = std::exchange(other.m_blockSize, 0);
    m_rowLength = std::exchange(other.m_rowLength, 0);
    m_rowCount = std::exchange(other.m_rowCount, 0);
    m_capacityRows = std::exchange(other.m_capacityRows, 0);
    m_requestedWidth = std::exchange(other.m_requestedWidth, 0);
    m_requestedHeight = std::exchange(other.m_requestedHeight, 0);
    return *this;
}

void tBitmap::ReleaseBits()
{
    m_block.reset();
    m_blockSize = 0;
    m_rowLength = 0;
    m_rowCount = 0;
    m_capacityRows = 0;
}

bool tBitmap::Create(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0) {
        return false;
    }
    const int64_t rowLength = (static_cast<int64_t>(width) + 3) / 4 * 4;
    const int64_t pixelBytes = rowLength * height;
    // The first spare row takes each column's element 0, so the spare area is at least a row.
    const int64_t spare = std::max<int64_t>(kSpareBytes, rowLength);
    const int64_t size = kPixelOffset + pixelBytes + spare;
    // The library takes offsets and the drawing byte counts as 32-bit numbers.
    if (size > std::numeric_limits<int32_t>::max()) {
        return false;
    }

    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[static_cast<size_t>(size)]());
    if (!block) {
        return false;
    }

    ReleaseBits();
    m_block = std::move(block);
    m_blockSize = size;
    m_rowLength = static_cast<int32_t>(rowLength);
    m_rowCount = height;
    m_capacityRows = height;
    m_requestedWidth = width;
    m_requestedHeight = height;
    writeInfoHeader(m_block.get(), m_rowLength, m_rowCount);
    return true;
}

void tBitmap::writeHeight()
{
    if (m_block) {
        writeI32(m_block.get() + kHeaderHeightOffset, m_rowCount);
    }
}

void tBitmap::SetBitmapColor(int16_t iIndex, int32_t color)
{
    if (iIndex < 0 || iIndex >= kColorTableEntries) {
        throw std::out_of_range("palette index outside 0 to 255");
    }
    if (!m_block) {
        return;
    }
    uint8_t* entry = m_block.get() + kHeaderSize + ptrdiff_t{4} * iIndex;
    entry[0] = static_cast<uint8_t>(blueOf(color));
    entry[1] = static_cast<uint8_t>(greenOf(color));
    entry[2] = static_cast<uint8_t>(redOf(color));
    entry[3] = 0;
}

int32_t tBitmap::bitmapColor(int16_t iIndex) const
{
    if (iIndex < 0 || iIndex >= kColorTableEntries) {
        throw std::out_of_range("palette index outside 0 to 255");
    }
    if (!m_block) {
        return 0;
    }
    const uint8_t* entry = m_block.get() + kHeaderSize + ptrdiff_t{4} * iIndex;
    return rgbColor(entry[2], entry[1], entry[0]);
}

void tBitmap::CopyRowBytes(int32_t y, const uint8_t* source, int32_t count)
{
    std::memcpy(pixelRow(y), source, static_cast<size_t>(count));
}

void tBitmap::DrawRow(int32_t y, const std::vector<uint8_t>& row)
{
    if (row.empty()) {
        throw std::out_of_range("row without element 0");
    }
    if (!m_block || y < 0 || y >= m_rowCount) {
        qDebug().noquote() << QStringLiteral("DrawRow - y out of bounds: ") + QString::number(y);
        return;
    }
    // A display row holds pixels + 1 bytes, which is less than a padded row length for some
    // widths: copy only what is there.
    const auto count =
        static_cast<int32_t>(std::min<size_t>(row.size(), static_cast<size_t>(m_rowLength)));
    CopyRowBytes(y, row.data(), count);
}

bool tBitmap::DrawColumn(int32_t x, const std::vector<uint8_t>& rcColumn)
{
    if (rcColumn.empty()) {
        throw std::out_of_range("column without element 0");
    }
    if (x < 0 || x >= m_rowLength) {
        throw std::out_of_range("column outside the bitmap");
    }
    if (rcColumn.size() - 1 > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        throw std::out_of_range("column longer than a 32-bit upper bound");
    }

    const auto n = static_cast<int32_t>(rcColumn.size() - 1);
    // A taller column than the block was made for loses its top, not the memory behind the
    // block.
    const int32_t rows = std::min(n, m_capacityRows);
    const uint8_t* source = rcColumn.data() + (n - rows);
    if (rows == 0) {
        // An upper bound of 0: no rows, element 0 goes to the row above, as always.
        pixels()[x] = source[0];
    } else if (!vantrel::ColumnCopy(pixels() + x, source, m_rowLength, rows)) {
        return false;
    }
    m_rowCount = rows;
    writeHeight();
    return true;
}

QImage tBitmap::image() const
{
    if (!m_block || m_rowCount <= 0) {
        return {};
    }
    QImage view(pixels(), m_rowLength, m_rowCount, m_rowLength, QImage::Format_Indexed8);
    QList<QRgb> colors(kColorTableEntries);
    const uint8_t* table = m_block.get() + kHeaderSize;
    for (int i = 0; i < kColorTableEntries; ++i) {
        const uint8_t* entry = table + ptrdiff_t{4} * i;
        colors[i] = qRgb(entry[2], entry[1], entry[0]);
    }
    view.setColorTable(colors);
    return view;
}

void tBitmap::StretchDraw(QPainter& painter, int32_t lDestX, int32_t lDestY, int32_t lDestWidth,
                          int32_t lDestHeight) const
{
    const QImage view = image();
    if (view.isNull() || lDestWidth == 0 || lDestHeight == 0) {
        return;
    }
    // Image row 0 is the bottom row: map it to the bottom of the destination.
    const QTransform toDestination(static_cast<double>(lDestWidth) / m_rowLength, 0, 0,
                                   -static_cast<double>(lDestHeight) / m_rowCount,
                                   static_cast<double>(lDestX),
                                   static_cast<double>(lDestY) + lDestHeight);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setTransform(toDestination, true);
    painter.drawImage(QPointF(0, 0), view);
    painter.restore();
}

void tBitmap::Draw(QPainter& hDestDC) const
{
    StretchDraw(hDestDC, 0, 0, m_rowLength, m_rowCount);
}

void tBitmap::Shift(int32_t dx1, int32_t dy1, int32_t dx2, int32_t dy2)
{
    if (dx1 < 0 || dy1 < 0 || dx2 < 0 || dy2 < 0) {
        throw std::out_of_range("negative shift coordinate");
    }
    if (!m_block) {
        return;
    }
    const int64_t length = static_cast<int64_t>(m_rowLength) *
                               (m_rowCount - std::abs(static_cast<int64_t>(dy1) - dy2)) -
                           std::abs(static_cast<int64_t>(dx1) - dx2);
    // Scrolling by the whole image or more leaves nothing to move.
    if (length <= 0) {
        return;
    }
    const int64_t from = static_cast<int64_t>(dy2) * m_rowLength + dx2;
    const int64_t to = static_cast<int64_t>(dy1) * m_rowLength + dx1;
    const int64_t area = pixelBytes();
    if (from + length > area || to + length > area) {
        throw std::out_of_range("shift leaves the pixel area");
    }
    std::memmove(pixels() + to, pixels() + from, static_cast<size_t>(length));
}

void tBitmap::CopyColors(const tBitmap& other)
{
    if (!m_block || !other.m_block || &other == this) {
        return;
    }
    std::memcpy(m_block.get() + kHeaderSize, other.m_block.get() + kHeaderSize, kColorTableSize);
}

bool tBitmap::DrawFish(int32_t x, int32_t y, int16_t FishIDSymbol)
{
    if (FishIDSymbol < 0 || FishIDSymbol > 5) {
        throw std::out_of_range("fish symbol outside 0 to 5");
    }
    if (!m_block) {
        return true;
    }
    return vantrel::FishDraw(pixels(), m_rowLength, m_rowCount, x, y, FishIDSymbol).has_value();
}

bool tBitmap::Rotate90()
{
    if (!m_block) {
        return true;
    }
    tBitmap turned;
    if (!turned.Create(m_requestedHeight, m_requestedWidth)) {
        return false;
    }
    turned.CopyColors(*this);
    for (int32_t i = 0; i < m_requestedHeight; ++i) {
        const uint8_t* source = pixelRow(i);
        for (int32_t j = 0; j < m_requestedWidth; ++j) {
            turned.pixelRow(j)[i] = source[j];
        }
    }
    *this = std::move(turned);
    return true;
}

} // namespace brellix

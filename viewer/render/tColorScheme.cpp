#include "tColorScheme.h"

#include "RgbColor.h"
#include "common/LittleEndian.h"
#include "common/ReplaceableFile.h"
#include "common/Rounding.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QPaintDevice>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace brellix {

namespace {

constexpr int kPointRecordSize = 6;

constexpr int kVersion1PointsOffset = 4;
constexpr int kVersion1CountOffset = kVersion1PointsOffset + 256 * kPointRecordSize;
constexpr int kVersion1Size = kVersion1CountOffset + 12;

constexpr int kVersion2UseRegionsOffset = 4;
constexpr int kVersion2CountsOffset = 6;
constexpr int kVersion2WidthsOffset = 12;
constexpr int kVersion2BlacklineOffset = 18;
constexpr int kVersion2NoEchoOffset = 30;
constexpr int kVersion2PointsOffset = 42;
constexpr int kVersion2MaxSize =
    kVersion2PointsOffset + 3 * tColorScheme::kMaxColorPoints * kPointRecordSize;

// Nothing valid is longer; reading no more keeps a huge file named by mistake harmless.
constexpr qint64 kLongestFile = std::max(kVersion1Size, kVersion2MaxSize);

void appendI16(QByteArray& bytes, int16_t value)
{
    const auto bits = static_cast<uint16_t>(value);
    bytes.append(static_cast<char>(bits & 0xFF));
    bytes.append(static_cast<char>(bits >> 8));
}

void appendI32(QByteArray& bytes, int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.append(static_cast<char>((bits >> shift) & 0xFF));
    }
}

const uint8_t* byteAt(const QByteArray& bytes, int offset)
{
    return reinterpret_cast<const uint8_t*>(bytes.constData()) + offset;
}

QString damagedMessage(const QString& reason)
{
    return QStringLiteral("The color file is damaged and was not loaded: %1.").arg(reason);
}

// Half-even rounding of a blend that can leave the 32-bit range only by extrapolation far
// below the first point; the channel masks only need the low bits.
int64_t nearestInt64(double value)
{
    return static_cast<int64_t>(roundHalfEven(value));
}

} // namespace

tColorScheme::tColorScheme(QObject* parent) : QObject(parent)
{
    Region& surface = m_regions[0];
    surface.points[0] = {0, rgbColor(0, 0, 128)};
    surface.points[1] = {103, rgbColor(255, 0, 0)};
    surface.points[2] = {255, rgbColor(255, 255, 255)};
    surface.iNumColorPoints = 3;
    surface.iBlacklineWidth = 1;
    surface.lBlacklineColor = rgbColor(0, 0, 0);
    surface.lNoEchoColor = rgbColor(255, 255, 255);

    Region& water = m_regions[1];
    water.points[0] = {0, rgbColor(0, 0, 128)};
    water.points[1] = {103, rgbColor(255, 0, 0)};
    water.points[2] = {164, rgbColor(255, 255, 0)};
    water.points[3] = {255, rgbColor(0, 255, 0)};
    water.iNumColorPoints = 4;
    water.iBlacklineWidth = 1;
    water.lBlacklineColor = rgbColor(0, 0, 0);
    water.lNoEchoColor = rgbColor(255, 255, 255);

    Region& bottom = m_regions[2];
    bottom.points[0] = {0, rgbColor(0, 0, 0)};
    bottom.points[1] = {52, rgbColor(64, 0, 0)};
    bottom.points[2] = {255, rgbColor(206, 103, 0)};
    bottom.iNumColorPoints = 3;
    bottom.iBlacklineWidth = 0;
    bottom.lBlacklineColor = rgbColor(0, 0, 0);
    bottom.lNoEchoColor = rgbColor(0, 0, 0);
}

size_t tColorScheme::regionSlot(int ColorRegion)
{
    if (ColorRegion < 0 || ColorRegion >= kRegions) {
        throw std::out_of_range("colour region outside 0 to 2");
    }
    return static_cast<size_t>(ColorRegion);
}

void tColorScheme::setiAllBlacklineWidths(int16_t value)
{
    for (Region& r : m_regions) {
        r.iBlacklineWidth = value;
    }
    emit UserPaletteChanged();
    emit BlackLineChanged();
}

int16_t tColorScheme::iBlacklineWidth(int ColorRegion) const
{
    return region(ColorRegion).iBlacklineWidth;
}

void tColorScheme::setiBlacklineWidth(int ColorRegion, int16_t value)
{
    region(ColorRegion).iBlacklineWidth = value;
    emit UserPaletteChanged();
    emit BlackLineChanged();
}

int32_t tColorScheme::lBlacklineColor(int ColorRegion) const
{
    return region(ColorRegion).lBlacklineColor;
}

void tColorScheme::setlBlacklineColor(int ColorRegion, int32_t value)
{
    region(ColorRegion).lBlacklineColor = value;
    emit UserPaletteChanged();
}

int32_t tColorScheme::lNoEchoColor(int ColorRegion) const
{
    return region(ColorRegion).lNoEchoColor;
}

void tColorScheme::setlNoEchoColor(int ColorRegion, int32_t value)
{
    region(ColorRegion).lNoEchoColor = value;
    emit UserPaletteChanged();
}

int16_t tColorScheme::iNumColorPoints(int ColorRegion) const
{
    return region(ColorRegion).iNumColorPoints;
}

int16_t tColorScheme::iIndex(int ColorRegion, int iArrayIndex) const
{
    const Region& r = region(ColorRegion);
    if (iArrayIndex < 0 || iArrayIndex >= r.iNumColorPoints) {
        return 0;
    }
    return r.points[static_cast<size_t>(iArrayIndex)].iIndex;
}

void tColorScheme::setiIndex(int ColorRegion, int iArrayIndex, int16_t iNewValue)
{
    Region& r = region(ColorRegion);
    if (iArrayIndex < 0 || iArrayIndex >= r.iNumColorPoints) {
        return;
    }
    int16_t& stored = r.points[static_cast<size_t>(iArrayIndex)].iIndex;
    if (stored == iNewValue) {
        return;
    }
    stored = iNewValue;
    emit UserPaletteChanged();
}

int32_t tColorScheme::lColorValue(int ColorRegion, int iArrayIndex) const
{
    const Region& r = region(ColorRegion);
    if (iArrayIndex < 0 || iArrayIndex >= r.iNumColorPoints) {
        return 0;
    }
    return r.points[static_cast<size_t>(iArrayIndex)].lColorValue;
}

void tColorScheme::setlColorValue(int ColorRegion, int iArrayIndex, int32_t lNewColorValue)
{
    Region& r = region(ColorRegion);
    if (iArrayIndex < 0 || iArrayIndex >= r.iNumColorPoints) {
        return;
    }
    int32_t& stored = r.points[static_cast<size_t>(iArrayIndex)].lColorValue;
    if (stored == lNewColorValue) {
        return;
    }
    stored = lNewColorValue;
    emit UserPaletteChanged();
}

bool tColorScheme::parseScheme(const QByteArray& bytes, Regions& regions, int32_t& colorMode,
                               QString& errorMessage)
{
    const auto size = static_cast<int>(bytes.size());
    const int16_t version = size >= 2 ? readI16(byteAt(bytes, 0)) : 0;

    // Counts outside 1 to 256 would index past the point arrays or leave nothing to blend;
    // points out of order would divide by a zero span later.
    const auto checkPoints = [&](const Region& r, const QString& which) {
        if (r.iNumColorPoints < 1 || r.iNumColorPoints > kMaxColorPoints) {
            errorMessage =
                damagedMessage(QStringLiteral("%1 has %2 color points, where 1 to 256 are possible")
                                   .arg(which)
                                   .arg(r.iNumColorPoints));
            return false;
        }
        for (int k = 1; k < r.iNumColorPoints; ++k) {
            if (r.points[static_cast<size_t>(k)].iIndex <=
                r.points[static_cast<size_t>(k - 1)].iIndex) {
                errorMessage = damagedMessage(
                    QStringLiteral("the color points of %1 are not in ascending order").arg(which));
                return false;
            }
        }
        return true;
    };
    const auto readPoint = [&](int offset) {
        return ColorPoint{readI16(byteAt(bytes, offset)), readI32(byteAt(bytes, offset + 2))};
    };

    if (version == 1) {
        if (size < kVersion1Size) {
            errorMessage = damagedMessage(QStringLiteral("it ends early"));
            return false;
        }
        Region r;
        for (int k = 0; k < kMaxColorPoints; ++k) {
            r.points[static_cast<size_t>(k)] =
                readPoint(kVersion1PointsOffset + k * kPointRecordSize);
        }
        r.iNumColorPoints = readI16(byteAt(bytes, kVersion1CountOffset));
        r.iBlacklineWidth = readI16(byteAt(bytes, kVersion1CountOffset + 2));
        r.lBlacklineColor = readI32(byteAt(bytes, kVersion1CountOffset + 4));
        r.lNoEchoColor = readI32(byteAt(bytes, kVersion1CountOffset + 8));
        if (!checkPoints(r, QStringLiteral("the scheme"))) {
            return false;
        }
        regions.fill(r);
        colorMode = kUserColorMode;
        return true;
    }

    if (version == 2) {
        if (size < kVersion2PointsOffset) {
            errorMessage = damagedMessage(QStringLiteral("it ends early"));
            return false;
        }
        Regions loaded = regions;
        int pointRecords = 0;
        for (int r = 0; r < kRegions; ++r) {
            Region& into = loaded[static_cast<size_t>(r)];
            into.iNumColorPoints = readI16(byteAt(bytes, kVersion2CountsOffset + 2 * r));
            into.iBlacklineWidth = readI16(byteAt(bytes, kVersion2WidthsOffset + 2 * r));
            into.lBlacklineColor = readI32(byteAt(bytes, kVersion2BlacklineOffset + 4 * r));
            into.lNoEchoColor = readI32(byteAt(bytes, kVersion2NoEchoOffset + 4 * r));
            if (into.iNumColorPoints < 1 || into.iNumColorPoints > kMaxColorPoints) {
                return checkPoints(into, QStringLiteral("region %1").arg(r));
            }
            pointRecords += into.iNumColorPoints;
        }
        if (size < kVersion2PointsOffset + pointRecords * kPointRecordSize) {
            errorMessage = damagedMessage(QStringLiteral("it ends early"));
            return false;
        }
        int offset = kVersion2PointsOffset;
        for (int r = 0; r < kRegions; ++r) {
            Region& into = loaded[static_cast<size_t>(r)];
            for (int k = 0; k < into.iNumColorPoints; ++k) {
                into.points[static_cast<size_t>(k)] = readPoint(offset);
                offset += kPointRecordSize;
            }
            if (!checkPoints(into, QStringLiteral("region %1").arg(r))) {
                return false;
            }
        }
        const bool useRegions = readI16(byteAt(bytes, kVersion2UseRegionsOffset)) != 0;
        regions = loaded;
        colorMode = useRegions ? kUserRegionsColorMode : kUserColorMode;
        return true;
    }

    errorMessage = unknownVersionMessage();
    return false;
}

int32_t tColorScheme::ReadScheme(const QString& strFileName, QString* errorMessage)
{
    QByteArray bytes;
    QFile file(strFileName);
    // A file that cannot be opened reads as version 0, an unknown one; so does anything but a
    // regular file, as a pipe would block the open and a device never end.
    if (QFileInfo(strFileName).isFile() && file.open(QIODevice::ReadOnly)) {
        bytes = file.read(kLongestFile);
    }
    file.close();

    Regions regions = m_regions;
    int32_t colorMode = kUserColorMode;
    QString message;
    if (parseScheme(bytes, regions, colorMode, message)) {
        m_regions = regions;
    } else {
        colorMode = kUserColorMode;
    }
    if (errorMessage) {
        *errorMessage = message;
    }
    emit UserPaletteChanged();
    return colorMode;
}

bool tColorScheme::WriteScheme(const QString& strFileName, bool bUseRegions,
                               QString* errorMessage) const
{
    QByteArray bytes;
    appendI16(bytes, 2);
    appendI16(bytes, 0);
    appendI16(bytes, bUseRegions ? int16_t{-1} : int16_t{0});
    for (const Region& r : m_regions) {
        appendI16(bytes, r.iNumColorPoints);
    }
    for (const Region& r : m_regions) {
        appendI16(bytes, r.iBlacklineWidth);
    }
    for (const Region& r : m_regions) {
        appendI32(bytes, r.lBlacklineColor);
    }
    for (const Region& r : m_regions) {
        appendI32(bytes, r.lNoEchoColor);
    }
    for (const Region& r : m_regions) {
        for (int k = 0; k < r.iNumColorPoints && k < kMaxColorPoints; ++k) {
            appendI16(bytes, r.points[static_cast<size_t>(k)].iIndex);
            appendI32(bytes, r.points[static_cast<size_t>(k)].lColorValue);
        }
    }

    // Unbuffered, so a short write shows in write()'s count: a write buffer flushed only by
    // commit() can lose its tail and still be renamed into place.
    QSaveFile file(strFileName);
    QString failure;
    if (!isReplaceableFile(strFileName)) {
        failure = QStringLiteral("it is not a regular file");
    } else if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        failure = file.errorString();
    } else {
        const qint64 written = file.write(bytes);
        if (written != bytes.size()) {
            failure = written < 0 ? file.errorString()
                                  : QStringLiteral("only %1 of %2 bytes could be written")
                                        .arg(written)
                                        .arg(bytes.size());
            file.cancelWriting();
        } else if (!file.commit()) {
            failure = file.errorString();
        }
    }
    if (!failure.isEmpty()) {
        // The destructor drops the temporary file; the old file was never touched.
        if (errorMessage) {
            *errorMessage = QStringLiteral("The color file %1 could not be saved: %2")
                                .arg(strFileName, failure);
        }
        return false;
    }
    if (errorMessage) {
        errorMessage->clear();
    }
    return true;
}

int32_t tColorScheme::BlendColors(int32_t a, int32_t b, float offset, float span)
{
    if (span == 0.0f) {
        throw std::domain_error("division by zero: two colour points share a position");
    }
    const double weightA = static_cast<double>(span - offset);
    const double weightB = static_cast<double>(offset);
    const double divisor = static_cast<double>(span);
    // Each channel is blended in its own bit position, so green keeps 1/256 and blue 1/65536
    // of a step before the mask truncates them.
    const auto blend = [&](int32_t mask) {
        const double value =
            (weightA * static_cast<double>(a & mask) + weightB * static_cast<double>(b & mask)) /
            divisor;
        return static_cast<int32_t>(nearestInt64(value) & mask);
    };
    return blend(0xFF) | blend(0xFF00) | blend(0xFF0000);
}

int32_t tColorScheme::GetColorValue(int ColorRegion, int16_t iIndex) const
{
    const Region& r = region(ColorRegion);
    if (r.iNumColorPoints < 1) {
        throw std::out_of_range("colour region without colour points");
    }
    const int count = std::min<int>(r.iNumColorPoints, kMaxColorPoints);
    for (int k = 0; k + 1 < count; ++k) {
        const ColorPoint& lower = r.points[static_cast<size_t>(k)];
        const ColorPoint& upper = r.points[static_cast<size_t>(k) + 1];
        if (upper.iIndex >= iIndex) {
            return BlendColors(lower.lColorValue, upper.lColorValue,
                               static_cast<float>(iIndex - lower.iIndex),
                               static_cast<float>(upper.iIndex - lower.iIndex));
        }
    }
    return r.points[static_cast<size_t>(count - 1)].lColorValue;
}

void tColorScheme::PaintColorBar(QPainter& picColorBar, const QRectF& bar, bool ShowTicks,
                                 int ColorRegion) const
{
    PaintColorBarRange(picColorBar, bar, ShowTicks, ColorRegion);
}

void tColorScheme::PaintColorBar(QPaintDevice& picColorBar, bool ShowTicks, int ColorRegion) const
{
    regionSlot(ColorRegion);
    QPainter painter(&picColorBar);
    PaintColorBarRange(painter, QRectF(0, 0, picColorBar.width(), picColorBar.height()), ShowTicks,
                       ColorRegion);
}

void tColorScheme::PaintColorBarRange(QPainter& painter, const QRectF& bar, bool ShowTicks,
                                      int ColorRegion) const
{
    const Region& r = region(ColorRegion);
    const int count = std::min<int>(r.iNumColorPoints, kMaxColorPoints);
    const double unit = bar.height() / 256.0;
    const double bottom = bar.top() + bar.height();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    for (int k = 0; k + 1 < count; ++k) {
        const ColorPoint& lower = r.points[static_cast<size_t>(k)];
        const ColorPoint& upper = r.points[static_cast<size_t>(k) + 1];
        const int span = upper.iIndex - lower.iIndex;
        if (span <= 0) {
            continue;
        }
        // Position v fills [bottom - (v + 1) unit, bottom - v unit): 0 on the bottom row, 255
        // on the top one. A shared end position is painted again by the next pair.
        for (int v = lower.iIndex; v <= upper.iIndex; ++v) {
            const int32_t color =
                BlendColors(lower.lColorValue, upper.lColorValue,
                            static_cast<float>(v - lower.iIndex), static_cast<float>(span));
            painter.fillRect(QRectF(bar.left(), bottom - (v + 1) * unit, bar.width(), unit),
                             toQColor(color));
        }
    }
    painter.restore();

    if (ShowTicks) {
        const double base = bottom - 1.0;
        for (int k = 0; k < count; ++k) {
            DrawPointMarker(painter, bar, base - r.points[static_cast<size_t>(k)].iIndex * unit);
        }
    }
}

void tColorScheme::DrawPointMarker(QPainter& painter, const QRectF& bar, double y)
{
    // A black line across the bar between two white ones, with a ring at each end, so the
    // marker shows on any colour. Sizes are in device pixels, whatever the painter's scale.
    const double pixel = 1.0 / std::max(1e-9, std::abs(painter.worldTransform().m22()));
    const double radius = 3.0 * pixel;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    QPen white(Qt::white, 0);
    QPen black(Qt::black, 0);
    painter.setPen(white);
    painter.drawLine(QPointF(bar.left(), y - pixel), QPointF(bar.right(), y - pixel));
    painter.drawLine(QPointF(bar.left(), y + pixel), QPointF(bar.right(), y + pixel));
    painter.setPen(black);
    painter.drawLine(QPointF(bar.left(), y), QPointF(bar.right(), y));
    for (const double x : {bar.left() + radius, bar.right() - radius}) {
        painter.setPen(black);
        painter.drawEllipse(QPointF(x, y), radius, radius);
        painter.setPen(white);
        painter.drawEllipse(QPointF(x, y), radius - pixel, radius - pixel);
    }
    painter.restore();
}

int16_t tColorScheme::NearestPoint(int ColorRegion, int16_t iIndex) const
{
    const Region& r = region(ColorRegion);
    int16_t nearest = 0;
    int best = std::numeric_limits<int>::max();
    for (int k = 0; k < r.iNumColorPoints && k < kMaxColorPoints; ++k) {
        const int distance = std::abs(r.points[static_cast<size_t>(k)].iIndex - iIndex);
        if (distance < best) {
            best = distance;
            nearest = static_cast<int16_t>(k);
        }
    }
    return nearest;
}

void tColorScheme::InsertPoint(int ColorRegion, int16_t iIndex, int32_t lColorValue)
{
    Region& r = region(ColorRegion);
    const int count = std::min<int>(r.iNumColorPoints, kMaxColorPoints);
    int at = 0;
    while (at < count && r.points[static_cast<size_t>(at)].iIndex < iIndex) {
        ++at;
    }
    if (at < count && r.points[static_cast<size_t>(at)].iIndex == iIndex) {
        r.points[static_cast<size_t>(at)].lColorValue = lColorValue;
        return;
    }
    if (count >= kMaxColorPoints) {
        throw std::out_of_range("a colour region holds at most 256 colour points");
    }
    for (int k = count; k > at; --k) {
        r.points[static_cast<size_t>(k)] = r.points[static_cast<size_t>(k - 1)];
    }
    r.points[static_cast<size_t>(at)] = {iIndex, lColorValue};
    r.iNumColorPoints = static_cast<int16_t>(count + 1);
    emit UserPaletteChanged();
}

void tColorScheme::DeletePoint(int ColorRegion, int16_t iIndex)
{
    Region& r = region(ColorRegion);
    const int count = std::min<int>(r.iNumColorPoints, kMaxColorPoints);
    if (iIndex < 0 || iIndex >= count) {
        throw std::out_of_range("colour point number outside the region's points");
    }
    for (int k = iIndex; k + 1 < count; ++k) {
        r.points[static_cast<size_t>(k)] = r.points[static_cast<size_t>(k) + 1];
    }
    r.points[static_cast<size_t>(count - 1)] = {};
    r.iNumColorPoints = static_cast<int16_t>(count - 1);
    emit UserPaletteChanged();
}

int16_t tColorScheme::PixelToColorNumber(float fImageSize, float fPoint)
{
    const float position = fPoint * 256.0f / fImageSize;
    const double nearest = roundHalfEven(static_cast<double>(position));
    if (!(nearest >= std::numeric_limits<int16_t>::min() &&
          nearest <= std::numeric_limits<int16_t>::max())) {
        throw std::overflow_error("colour bar position is no 16-bit number");
    }
    return static_cast<int16_t>(nearest);
}

QString tColorScheme::unknownVersionMessage()
{
    return QStringLiteral("Unknown color scheme version!");
}

QString tColorScheme::fileDialogFilter()
{
    return QStringLiteral("Talvern Color Files (*.kcf);;All Files (*.*)");
}

} // namespace brellix

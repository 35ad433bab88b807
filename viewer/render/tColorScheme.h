// The user's colour scheme: per colour region (0 surface, 1 water column, 2 bottom) a gradient
// given by up to 256 colour points on the position scale 0 to 255, a black line width, a black
// line colour and a no-echo colour; read from and written to colour files (".kcf").
//
// Colour changes raise UserPaletteChanged; width changes raise UserPaletteChanged, then
// BlackLineChanged. A region outside 0 to 2 throws std::out_of_range and changes nothing.
// Colours are red + 256 x green + 65536 x blue. Setters are named set + the property's name.
#pragma once

#include <QObject>
#include <QRectF>
#include <QString>

#include <array>
#include <cstdint>

class QPainter;
class QPaintDevice;

namespace brellix {

class tColorScheme : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxColorPoints = 256;
    static constexpr int kRegions = 3;

    // Colour modes that ReadScheme answers.
    static constexpr int32_t kUserColorMode = 6;
    static constexpr int32_t kUserRegionsColorMode = 7;

    explicit tColorScheme(QObject* parent = nullptr);

    // The black line width of all three regions.
    void setiAllBlacklineWidths(int16_t value);

    int16_t iBlacklineWidth(int ColorRegion) const;
    void setiBlacklineWidth(int ColorRegion, int16_t value);

    int32_t lBlacklineColor(int ColorRegion) const;
    void setlBlacklineColor(int ColorRegion, int32_t value);

    int32_t lNoEchoColor(int ColorRegion) const;
    void setlNoEchoColor(int ColorRegion, int32_t value);

    int16_t iNumColorPoints(int ColorRegion) const;

    // Position of point number iArrayIndex; 0 for a point number outside 0 .. count - 1.
    int16_t iIndex(int ColorRegion, int iArrayIndex) const;
    // Ignores a point number outside 0 .. count - 1; does not re-sort the points. Raises
    // UserPaletteChanged when the value changes.
    void setiIndex(int ColorRegion, int iArrayIndex, int16_t iNewValue);

    // Colour of point number iArrayIndex; 0 for a point number outside 0 .. count - 1.
    int32_t lColorValue(int ColorRegion, int iArrayIndex) const;
    // Ignores a point number outside 0 .. count - 1. Raises UserPaletteChanged when the value
    // changes.
    void setlColorValue(int ColorRegion, int iArrayIndex, int32_t lNewColorValue);

    // Loads a version 1 or 2 colour file and returns the colour mode that fits it: 7 for a
    // version 2 file that uses regions, 6 otherwise. A file that cannot be opened or has another
    // version, or a damaged one (cut short, a region with no or more than 256 points, points not
    // strictly ascending), leaves the scheme as it was, returns 6 and says why in errorMessage
    // ("Unknown color scheme version!" for the version); errorMessage is cleared on success.
    // Raises UserPaletteChanged in every case.
    int32_t ReadScheme(const QString& strFileName, QString* errorMessage = nullptr);

    // Writes a version 2 colour file. The bytes go to a temporary file beside the target that
    // is renamed over it only when complete, so a failure leaves an existing file as it was;
    // false then, with the reason in errorMessage.
    bool WriteScheme(const QString& strFileName, bool bUseRegions,
                     QString* errorMessage = nullptr) const;

    // The colour at position iIndex: blended between the points around it, the last point's
    // colour above the last point, extrapolated from the first two below the first.
    // std::out_of_range for a region without points; std::domain_error when it falls between
    // two points at the same position.
    int32_t GetColorValue(int ColorRegion, int16_t iIndex) const;

    // Paints the region's gradient over the whole of bar (position 0 at the bottom, 255 at the
    // top), with a marker at every point when ShowTicks.
    void PaintColorBar(QPainter& picColorBar, const QRectF& bar, bool ShowTicks,
                       int ColorRegion) const;
    // The same over a whole paint device.
    void PaintColorBar(QPaintDevice& picColorBar, bool ShowTicks, int ColorRegion) const;

    // The number of the point closest to position iIndex, the lower number on a tie; 0 when
    // the region has no points.
    int16_t NearestPoint(int ColorRegion, int16_t iIndex) const;

    // Replaces the colour of the point at position iIndex (raising nothing), or inserts a
    // point there in position order and raises UserPaletteChanged. Inserting into a region
    // with 256 points throws std::out_of_range and changes nothing.
    void InsertPoint(int ColorRegion, int16_t iIndex, int32_t lColorValue);

    // Removes point number iIndex (not a position); std::out_of_range for a number outside
    // 0 .. count - 1. Raises UserPaletteChanged.
    void DeletePoint(int ColorRegion, int16_t iIndex);

    // The position at pixel fPoint of a bar fImageSize pixels long: fPoint x 256 / fImageSize
    // to the nearest, ties to even. std::overflow_error when that is no 16-bit number (an
    // image size of 0, for one).
    static int16_t PixelToColorNumber(float fImageSize, float fPoint);

    // The message ReadScheme gives for a file of another version.
    static QString unknownVersionMessage();
    // The file dialogs' filter for colour files, in Qt's form.
    static QString fileDialogFilter();

signals:
    void UserPaletteChanged();
    void BlackLineChanged();

private:
    struct ColorPoint
    {
        int16_t iIndex = 0;
        int32_t lColorValue = 0;
    };

    struct Region
    {
        std::array<ColorPoint, kMaxColorPoints> points{};
        int16_t iNumColorPoints = 0;
        int16_t iBlacklineWidth = 0;
        int32_t lBlacklineColor = 0;
        int32_t lNoEchoColor = 0;
    };

    using Regions = std::array<Region, kRegions>;

    static size_t regionSlot(int ColorRegion);
    Region& region(int ColorRegion) { return m_regions[regionSlot(ColorRegion)]; }
    const Region& region(int ColorRegion) const { return m_regions[regionSlot(ColorRegion)]; }

    // Blends colours a and b channel by channel at offset of span; std::domain_error for a
    // span of 0.
    static int32_t BlendColors(int32_t a, int32_t b, float offset, float span);
    void PaintColorBarRange(QPainter& painter, const QRectF& bar, bool ShowTicks,
                            int ColorRegion) const;
    static void DrawPointMarker(QPainter& painter, const QRectF& bar, double y);

    // Parses a colour file's bytes into regions; false with a message when it is refused.
    static bool parseScheme(const QByteArray& bytes, Regions& regions, int32_t& colorMode,
                            QString& errorMessage);

    Regions m_regions;
};

} // namespace brellix

// One printed page of a chart window: the soundings of a range redrawn at the device's
// resolution into a chart of their own, stretched onto the printable area inside a 150-twip
// inset, with depth lines and their labels when asked, and a small footer naming the maker.
//
// Soundings From to To - 1 are printed (To may be the sounding count), one chart column each
// up to the page's own resolution; a wider range is sampled evenly so that the chart never has
// more columns than the page has pixels. Coordinates are the device's pixels; a twip is 1/1440
// inch at the device's resolution.
#pragma once

#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>

class QPaintDevice;

namespace brellix {

class frmDocument;

class PrintJob
{
public:
    static constexpr int kInsetTwips = 150;
    static constexpr int kLabelPoints = 12;
    static constexpr int kEdgeLabelPoints = 14;
    static constexpr int kFooterPoints = 5;
    // The most cells a column has across depth; a deeper page is reached by stretching.
    static constexpr int32_t kMaxDepthCells = 10000;

    struct Settings
    {
        int32_t from = 0;
        int32_t to = 0;
        bool depthLines = true;
        bool soundingNumbers = false;
        // The page's inset and footer; an exported image is the chart alone.
        bool pageDecoration = true;
    };

    // Called between batches of columns with the share done (0 to 1); false stops the job.
    using Progress = std::function<bool(double done)>;

    // The source window must outlive the job.
    PrintJob(frmDocument& source, const Settings& settings);

    // Paints the page onto device within printable (the device's pixels); false when the
    // progress callback stopped it or there was nothing to print on. The source's black line
    // widths are scaled for the page while it runs and restored in every case.
    bool run(QPaintDevice& device, const QRect& printable, const Progress& progress = {});

    // The depth-line step for a window of range feet: a tenth of it, whole feet, at least 1.
    static float depthLineStep(float range);
    // The row (or column on a side-looking chart) of depth d in an extent of pixels.
    static int32_t depthLinePosition(float d, float upper, float lower, int32_t extent);
    // The sounding a chart column shows when count soundings from from share width columns.
    static int32_t soundingForColumn(int32_t column, int32_t from, int32_t count, int32_t width);
    // The footer's text.
    static QString footerText();

    // The chart's size in the last run, for tests and the benchmark.
    int32_t chartColumns() const { return m_columns; }
    int32_t chartRows() const { return m_rows; }

private:
    frmDocument& m_source;
    Settings m_settings;
    int32_t m_columns = 0;
    int32_t m_rows = 0;
};

} // namespace brellix

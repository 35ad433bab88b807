#include "printing/PrintJob.h"

#include "common/Rounding.h"
#include "dialogs/ProgramVersion.h"
#include "document/frmDocument.h"
#include "logs/tSonarFile.h"
#include "render/tChart.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <array>
#include <cmath>

namespace brellix {

namespace {

constexpr int kRegions = 3;
// How long the job draws before it reports its progress.
constexpr int kProgressIntervalMs = 30;

int twipsToDevice(double twips, int dotsPerInch)
{
    return nearestInt32(twips * dotsPerInch / 1440.0);
}

// The source's black line widths, scaled for the page while the job runs and put back when it
// ends, whichever way it ends.
class ScaledBlackLines
{
public:
    ScaledBlackLines(tSonarOptions& options, int32_t pageExtent, int32_t screenExtent)
        : m_options(options)
    {
        for (int region = 0; region < kRegions; ++region) {
            m_saved[size_t(region)] = options.iBlackLine(region);
        }
        if (screenExtent <= 0) {
            return;
        }
        for (int region = 0; region < kRegions; ++region) {
            const double scaled = roundHalfEven(static_cast<double>(m_saved[size_t(region)]) *
                                                pageExtent / screenExtent);
            options.setiBlackLine(region, static_cast<int16_t>(std::clamp(scaled, 0.0, 32767.0)));
        }
    }
    ~ScaledBlackLines()
    {
        for (int region = 0; region < kRegions; ++region) {
            m_options.setiBlackLine(region, m_saved[size_t(region)]);
        }
    }
    ScaledBlackLines(const ScaledBlackLines&) = delete;
    ScaledBlackLines& operator=(const ScaledBlackLines&) = delete;

private:
    tSonarOptions& m_options;
    std::array<int16_t, kRegions> m_saved{};
};

QFont pointFont(const QFont& base, int points)
{
    QFont font = base;
    font.setPointSize(points);
    return font;
}

} // namespace

PrintJob::PrintJob(frmDocument& source, const Settings& settings)
    : m_source(source), m_settings(settings)
{
}

float PrintJob::depthLineStep(float range)
{
    // A window under 10 ft still gets its lines a foot apart.
    return std::max(1.0f, std::floor(range / 10.0f));
}

int32_t PrintJob::depthLinePosition(float d, float upper, float lower, int32_t extent)
{
    if (!(lower > upper)) {
        return 0;
    }
    return nearestInt32(static_cast<double>(d - upper) * extent / (lower - upper));
}

int32_t PrintJob::soundingForColumn(int32_t column, int32_t from, int32_t count, int32_t width)
{
    if (width <= 0 || count <= width) {
        return from + column;
    }
    return from + static_cast<int32_t>(static_cast<int64_t>(column) * count / width);
}

QString PrintJob::footerText()
{
    return QStringLiteral("Printed with %1 %2").arg(programTitle(), versionText().mid(8));
}

bool PrintJob::run(QPaintDevice& device, const QRect& printable, const Progress& progress)
{
    m_columns = 0;
    m_rows = 0;
    tSonarFile* file = m_source.SonarFile.get();
    const int32_t width = printable.width();
    const int32_t height = printable.height();
    if (file == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    const int insetX = m_settings.pageDecoration ? twipsToDevice(kInsetTwips, dpiX) : 0;
    const int insetY = m_settings.pageDecoration ? twipsToDevice(kInsetTwips, dpiY) : 0;
    const QRect chartArea(printable.left() + insetX, printable.top() + insetY,
                          std::max(1, width - 2 * insetX), std::max(1, height - 2 * insetY));

    const int32_t from = std::max(0, m_settings.from);
    const int32_t to = std::min(m_settings.to, file->NumSoundings());
    const int32_t count = std::max(0, to - from);
    const bool sideLooking = m_source.horizontal();
    tSonarOptions& options = m_source.SonarOptions;
    const float upper = options.sngUpperLimit();
    const float lower = options.sngLowerLimit();

    QPainter painter(&device);
    if (!painter.isActive()) {
        return false;
    }
    {
        // Depth runs down the page on a vertical chart and across it on a side-looking one;
        // time runs the other way, never in more lines than the page shows.
        // The signal processing takes at most kMaxDepthCells a column: a taller page gets the
        // chart at that height, stretched, rather than columns blank below it.
        const int32_t depthExtent = std::min(sideLooking ? width : height, kMaxDepthCells);
        const int32_t timeExtent = sideLooking ? chartArea.height() : chartArea.width();
        const ScaledBlackLines blackLines(options, depthExtent, m_source.depthPixels());
        const int32_t lines = std::min(count, timeExtent);
        tChart chart;
        if (lines > 0 &&
            chart.Create(sideLooking ? depthExtent : lines, sideLooking ? lines : depthExtent)) {
            m_columns = chart.lChartPixelWidth();
            m_rows = chart.lChartPixelHeight();
            chart.CopyColors(m_source.Chart);
            QElapsedTimer sinceReport;
            sinceReport.start();
            for (int32_t line = 0; line < lines; ++line) {
                file->SSeek(soundingForColumn(line, from, count, lines));
                m_source.DrawSoundingInWindow(chart, line);
                if (progress && sinceReport.elapsed() >= kProgressIntervalMs) {
                    sinceReport.restart();
                    if (!progress(static_cast<double>(line) / lines)) {
                        // Nothing of a cancelled job reaches the printer.
                        if (device.devType() == QInternal::Printer) {
                            static_cast<QPrinter&>(device).abort();
                        }
                        return false;
                    }
                }
            }
            chart.StretchDraw(painter, chartArea.x(), chartArea.y(), chartArea.width(),
                              chartArea.height());
        }
    }

    painter.translate(printable.topLeft());
    if (m_settings.depthLines && lower > upper) {
        const float step = depthLineStep(lower - upper);
        QPen pen(Qt::black);
        pen.setWidth(std::max(1, dpiY / 150));
        for (int n = 0;; ++n) {
            const float d = upper + static_cast<float>(n) * step;
            if (d > lower) {
                break;
            }
            const QString label = QString::number(static_cast<double>(d));
            QFont font = pointFont(painter.font(), kLabelPoints);
            painter.setPen(pen);
            if (sideLooking) {
                // The line of the lower limit on the page's last column, not past it.
                const int32_t x = std::min(depthLinePosition(d, upper, lower, width), width - 1);
                painter.drawLine(x, 0, x, height);
                painter.setFont(font);
                painter.drawText(QPoint(std::min(x + dpiX / 36, width - dpiX / 3),
                                        QFontMetrics(font, &device).ascent() + insetY),
                                 label);
                continue;
            }
            const int32_t y = std::min(depthLinePosition(d, upper, lower, height), height - 1);
            const int textHeight = QFontMetrics(font, &device).height();
            int top = y - textHeight / 2;
            if (top < 0) {
                font = pointFont(font, kEdgeLabelPoints);
                top = 0;
            } else if (top + textHeight > height) {
                font = pointFont(font, kEdgeLabelPoints);
                top = height - QFontMetrics(font, &device).height();
            }
            painter.drawLine(0, y, width, y);
            // Beside the line at the chart's left edge, on white so that it reads over echoes.
            painter.setFont(font);
            const QFontMetrics metrics(font, &device);
            const QRect box(insetX, top, metrics.horizontalAdvance(label) + dpiX / 18,
                            metrics.height());
            painter.fillRect(box, Qt::white);
            painter.drawText(box, Qt::AlignCenter, label);
        }
    }

    if (m_settings.pageDecoration) {
        const QFont footer = pointFont(painter.font(), kFooterPoints);
        painter.setFont(footer);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, width, QFontMetrics(footer, &device).height()),
                         Qt::AlignRight | Qt::AlignTop, footerText());
    }
    return painter.end();
}

} // namespace brellix

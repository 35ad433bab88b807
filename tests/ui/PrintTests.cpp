// Printing: a page printed to a PDF file and turned into an image with pdftoppm, the print
// dialog's range controls, the smallest depth-line step, and the black line widths after a
// job that did not finish.
#include "UiTestSupport.h"

#include "dialogs/BoundSpinBox.h"
#include "printing/PrintJob.h"
#include "printing/frmPrintOptions.h"

#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

using brellix::PrintJob;

uint8_t echoes(int, int sample)
{
    return static_cast<uint8_t>(60 + sample % 150);
}

class PrintTest : public uitest::WindowTest
{
protected:
    // A chart on a 600-sounding log, 0 to 50 ft, in a grey colour mode.
    std::unique_ptr<brellix::frmDocument> openChart()
    {
        const QString file = save(viewertest::slgLog(600, echoes), QStringLiteral("print.slg"));
        auto chart = makeChart(300, 200);
        EXPECT_TRUE(chart->OpenFile(file, 0));
        chart->SonarOptions.setColorMode(brellix::tSonarOptions::kGrayscale);
        chart->SonarOptions.setbAutoDepthRange(false);
        chart->SonarOptions.setsngUpperLimit(0);
        chart->SonarOptions.setsngLowerLimit(50);
        chart->SonarOptions.setiBlackLine(1, 3);
        chart->finishRedraw();
        return chart;
    }

    static bool dark(const QImage& page, int x, int y) { return qGray(page.pixel(x, y)) < 100; }
    static int darkIn(const QImage& page, const QRect& area)
    {
        int count = 0;
        const QRect inside = area.intersected(page.rect());
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x) {
                count += dark(page, x, y) ? 1 : 0;
            }
        }
        return count;
    }
};

TEST_F(PrintTest, APrintedPageShowsTheChartItsDepthLinesWithLabelsAndTheFooter)
{
    auto chart = openChart();
    const QString pdf = m_folder.filePath(QStringLiteral("page.pdf"));
    constexpr int kDpi = 100;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(kDpi);
    const QRect paint = printer.pageLayout().paintRectPixels(kDpi);
    PrintJob job(*chart, {100, 400, true, false});
    ASSERT_TRUE(job.run(printer, QRect(QPoint(0, 0), paint.size())));
    EXPECT_EQ(job.chartColumns(), 300);
    EXPECT_EQ(job.chartRows(), paint.height());

    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), pdf, m_folder.filePath(QStringLiteral("page"))});
    ASSERT_TRUE(render.waitForFinished(30000)) << "pdftoppm is part of poppler-utils";
    const QImage page(m_folder.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());

    const int inset = kDpi * 150 / 1440;
    const QRect area = paint.adjusted(inset, inset, -inset, -inset);
    // Echoes fill the chart's middle.
    EXPECT_GT(darkIn(page, QRect(area.center() - QPoint(50, 50), QSize(100, 100))), 1000);
    // Lines every 5 ft across the whole printable width, in the inset beside the chart too,
    // each with its label at the chart's left edge.
    for (int depth = 5; depth < 50; depth += 5) {
        SCOPED_TRACE(depth);
        const int y =
            paint.top() + PrintJob::depthLinePosition(float(depth), 0, 50, paint.height());
        EXPECT_GT(darkIn(page, QRect(paint.left() + 1, y - 1, inset - 2, 3)), inset / 2);
        EXPECT_GT(darkIn(page, QRect(area.left(), y - 8, 30, 5)) +
                      darkIn(page, QRect(area.left(), y + 4, 30, 5)),
                  5);
    }
    // The footer at the top right, in the inset above the chart.
    EXPECT_GT(darkIn(page, QRect(paint.right() - kDpi, paint.top(), kDpi, inset)), 10);
    // The window's widths are back.
    EXPECT_EQ(chart->SonarOptions.iBlackLine(1), 3);
}

TEST_F(PrintTest, AWideRangeIsSampledToThePageAndANarrowWindowStillGetsItsLines)
{
    auto chart = openChart();
    chart->SonarOptions.setsngLowerLimit(5);
    EXPECT_FLOAT_EQ(PrintJob::depthLineStep(5), 1);
    EXPECT_FLOAT_EQ(PrintJob::depthLineStep(37), 3);
    QImage small(400, 300, QImage::Format_RGB32);
    small.fill(Qt::white);
    small.setDotsPerMeterX(2835);
    small.setDotsPerMeterY(2835);
    PrintJob job(*chart, {0, 600, true, false});
    ASSERT_TRUE(job.run(small, small.rect()));
    EXPECT_LE(job.chartColumns(), 400);
    // Evenly from the first sounding to the last.
    const int last =
        PrintJob::soundingForColumn(job.chartColumns() - 1, 0, 600, job.chartColumns());
    EXPECT_LT(last, 600);
    EXPECT_GE(last, 598);
    // Six lines, 0 to 5 ft, on the page's rows.
    for (int depth = 0; depth <= 5; ++depth) {
        const int y = std::min(299, PrintJob::depthLinePosition(float(depth), 0, 5, 300));
        EXPECT_TRUE(dark(small, 2, y)) << depth;
    }
}

TEST_F(PrintTest, ACancelledJobPutsTheBlackLineWidthsBack)
{
    auto chart = openChart();
    QImage page(800, 1000, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    PrintJob job(*chart, {0, 600, true, false});
    int reports = 0;
    const bool printed = job.run(page, page.rect(), [&](double) {
        // The page's widths while the job runs, 5 times the window's.
        EXPECT_GT(chart->SonarOptions.iBlackLine(1), 3);
        return ++reports < 1;
    });
    if (reports > 0) {
        EXPECT_FALSE(printed);
    }
    EXPECT_EQ(chart->SonarOptions.iBlackLine(1), 3);
}

TEST_F(PrintTest, TheRangeStartsAtTheWindowAndEntireChartTakesTheWholeLog)
{
    auto chart = openChart();
    // The window shows soundings 100 to 400.
    chart->recentreOn(400, 0, 50);
    ASSERT_EQ(chart->ChartPositionLeft(), 400 - chart->visibleSoundings());
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    brellix::frmPrintOptions dialog(*chart, printer, nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Print - print.slg"));
    EXPECT_EQ(dialog.udFrom->value(), chart->ChartPositionLeft());
    EXPECT_EQ(dialog.udTo->value(), 400);

    // A From above To waits for the box to lose the focus, then stops at To.
    const int to = dialog.udTo->value();
    dialog.udFrom->text()->setText(QString::number(to + 50));
    EXPECT_EQ(dialog.udFrom->value(), chart->ChartPositionLeft());
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(dialog.udFrom, &leave);
    EXPECT_EQ(dialog.udFrom->value(), to);

    dialog.optAll->setChecked(true);
    EXPECT_EQ(dialog.udFrom->value(), 0);
    EXPECT_EQ(dialog.udTo->value(), 600);
    EXPECT_FALSE(dialog.udFrom->isEnabled());
    dialog.btnSelected->setChecked(true);
    EXPECT_TRUE(dialog.udTo->isEnabled());
    // Printer Setup is the system's print dialog on the application's printer.
    QString shown;
    dialog.setDialogRunner([&shown](QDialog& setup) {
        shown = QString::fromLatin1(setup.metaObject()->className());
        return int(QDialog::Rejected);
    });
    dialog.btnSetup->click();
    EXPECT_EQ(shown, QStringLiteral("QPrintDialog"));
    EXPECT_EQ(brellix::frmPrintOptions::resolutionFor(0, printer), 600);
    EXPECT_EQ(brellix::frmPrintOptions::resolutionFor(3, printer), 75);
}

TEST_F(PrintTest, APageTallerThanTenThousandCellsShowsTheChartDownToItsEnd)
{
    auto chart = openChart();
    // 24 and 12 inches at 600 dpi: 14400 and 7200 rows.
    const auto print = [](int rows, PrintJob& job) {
        QImage page(60, rows, QImage::Format_RGB32);
        page.fill(Qt::white);
        page.setDotsPerMeterX(23622);
        page.setDotsPerMeterY(23622);
        EXPECT_TRUE(job.run(page, page.rect()));
        return page;
    };
    PrintJob tallJob(*chart, {0, 600, false, false});
    PrintJob shortJob(*chart, {0, 600, false, false});
    const QImage tall = print(14400, tallJob);
    const QImage low = print(7200, shortJob);
    EXPECT_EQ(tallJob.chartRows(), PrintJob::kMaxDepthCells);
    EXPECT_EQ(shortJob.chartRows(), 7200);
    // The same depths look the same on both pages, down to the bottom of the chart.
    constexpr int inset = 600 * 150 / 1440;
    const auto grey = [](const QImage& page, double share) {
        return qGray(page.pixel(30, inset + static_cast<int>(share * (page.height() - 2 * inset))));
    };
    for (double share : {0.2, 0.5, 0.8, 0.9, 0.98}) {
        EXPECT_NEAR(grey(tall, share), grey(low, share), 30) << share;
    }
}

} // namespace

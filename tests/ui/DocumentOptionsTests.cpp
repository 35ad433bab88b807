// The chart window's reaction to option and user scheme changes, and the progressive redraw
// running from the event loop in slices.
#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

using brellix::frmDocument;

class DocumentOptionsTest : public uitest::WindowTest
{
};

TEST_F(DocumentOptionsTest, AdvancedSignalProcessingDrawsOneLineAfterAnotherOtherwiseTenPasses)
{
    auto chart = makeChart();
    chart->SonarOptions.setAdvancedSignalProcessing(0);
    EXPECT_EQ(chart->redrawPasses(), 10);
    chart->SonarOptions.setAdvancedSignalProcessing(2);
    EXPECT_EQ(chart->redrawPasses(), 4000);
}

TEST_F(DocumentOptionsTest, AnOptionChangeRestartsTheRedrawAndResynchronisesTheMenus)
{
    const QString file =
        save(viewertest::slgLog(300, viewertest::steady(150)), QStringLiteral("o.slg"));
    auto chart = makeChart();
    ASSERT_TRUE(chart->OpenFile(file, 0));
    chart->finishRedraw();
    const int before = host.synchronizeCount;
    chart->SonarOptions.setbFishDepths(true);
    EXPECT_TRUE(chart->bIdleWorking);
    EXPECT_EQ(host.synchronizeCount, before + 1);
}

TEST_F(DocumentOptionsTest, AColourModeAnnouncesItsPaletteToTheChart)
{
    const QString file =
        save(viewertest::slgLog(300, viewertest::steady(150)), QStringLiteral("p.slg"));
    auto chart = makeChart();
    ASSERT_TRUE(chart->OpenFile(file, 0));
    chart->SonarOptions.setColorMode(brellix::tSonarOptions::kGrayscale);
    brellix::tSonarColor reference;
    int32_t top = -1;
    QObject::connect(&reference, &brellix::tSonarColor::SetColorTableValue,
                     [&top](int16_t index, int32_t rgb) {
                         if (index == 255) {
                             top = rgb;
                         }
                     });
    reference.SetColorMode(brellix::tSonarOptions::kGrayscale);
    ASSERT_NE(top, -1);
    EXPECT_EQ(chart->Chart.Bitmap().bitmapColor(255), top);
}

TEST_F(DocumentOptionsTest, AUserColourModeShowsTheSchemeEditorAndFollowsTheScheme)
{
    const QString file =
        save(viewertest::slgLog(300, viewertest::steady(150)), QStringLiteral("u.slg"));
    auto chart = makeChart();
    ASSERT_TRUE(chart->OpenFile(file, 0));
    chart->SonarOptions.setColorMode(brellix::tSonarOptions::kUserDefined);
    ASSERT_FALSE(host.shownSchemeModes.empty());
    EXPECT_EQ(host.shownSchemeModes.back(), brellix::tSonarOptions::kUserDefined);

    const int last = host.scheme.iNumColorPoints(1) - 1;
    ASSERT_GE(last, 0);
    host.scheme.setlColorValue(1, last, 0x123456);
    chart->UserColorSchemeChanged();
    // Palette entry 255 samples the water column scheme at 253 x 255 / 254, position 254.
    EXPECT_EQ(chart->Chart.Bitmap().bitmapColor(255), host.scheme.GetColorValue(1, 254));
}

TEST_F(DocumentOptionsTest, UserBlackLineWidthsComeFromTheScheme)
{
    const viewertest::RvgSwitch rvgOff(false);
    host.store(QStringLiteral("Settings/ASP"), QStringLiteral("0"));
    const QString file =
        save(viewertest::slgLog(300, viewertest::steady(150)), QStringLiteral("w.slg"));
    auto chart = makeChart();
    ASSERT_TRUE(chart->OpenFile(file, 0));
    chart->SonarOptions.setbAutoSensitivity(false);
    chart->SonarOptions.setiSensitivity(0);
    chart->SonarOptions.setColorMode(brellix::tSonarOptions::kUserDefined);
    host.scheme.setiAllBlacklineWidths(0);
    chart->LoadOptions();
    chart->finishRedraw();
    const auto pixels = [&chart] {
        const brellix::tBitmap& bitmap = chart->Chart.Bitmap();
        return std::vector<uint8_t>(bitmap.pixels(),
                                    bitmap.pixels() + bitmap.lWidth() * bitmap.lHeight());
    };
    const std::vector<uint8_t> without = pixels();
    host.scheme.setiAllBlacklineWidths(4);
    chart->LoadOptions();
    chart->finishRedraw();
    const std::vector<uint8_t> with = pixels();
    // The option's own widths stay 0; the scheme's black line shows as entry 1 somewhere.
    EXPECT_EQ(chart->SonarOptions.iBlackLine(1), 0);
    EXPECT_EQ(std::count(without.begin(), without.end(), 1), 0);
    EXPECT_GT(std::count(with.begin(), with.end(), 1), 0);
}

TEST_F(DocumentOptionsTest, TheRedrawRunsInSlicesFromTheEventLoop)
{
    host.store(QStringLiteral("Settings/ASP"), QStringLiteral("1"));
    const QString file =
        save(viewertest::slgLog(3000, viewertest::steady(150)), QStringLiteral("big.slg"));
    auto chart = makeChart(1600, 500);
    ASSERT_TRUE(chart->OpenFile(file, 0));
    chart->tmrUpdate->stop();
    ASSERT_EQ(chart->redrawPasses(), 4000);
    // Reads from a slow card: 1600 lines at 0.1 ms each take far more than one slice.
    chart->SonarFile->setReadFault([](uint64_t, int64_t wanted) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
        return wanted;
    });
    chart->ResetIdle();
    EXPECT_TRUE(chart->IdleRedraw());
    EXPECT_TRUE(chart->bIdleWorking);
    QElapsedTimer clock;
    clock.start();
    while (chart->bIdleWorking && clock.elapsed() < 60000) {
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(chart->bIdleWorking);
}

TEST_F(DocumentOptionsTest, FormatDepthWritesFeetOrMetresWithTheirUnit)
{
    auto chart = makeChart();
    EXPECT_EQ(chart->FormatDepth(12.34), QStringLiteral("12.34ft"));
    EXPECT_EQ(chart->FormatDepth(12.0), QStringLiteral("12.0ft"));
    EXPECT_EQ(chart->FormatDepth(1234.6), QStringLiteral("1235ft"));
    host.depthFormatValue = 1;
    EXPECT_EQ(chart->FormatDepth(10), QStringLiteral("3.05m"));
}

} // namespace

// The road of one sounding into the chart bitmap, through the chart window: palette indexes for
// known intensities, effective sensitivity, correlation, the fish-symbols clearing, both
// orientations, the time mapping of the full redraw and the clearing of a short log.
#include "UiTestSupport.h"

#include "render/tSonarColor.h"

#include <gtest/gtest.h>

namespace {

using brellix::frmDocument;

// The colour index a cell of intensity gets in a non-region colour mode at a sensitivity,
// from the colour conversion on its own (no black lines, no clearing).
uint8_t converted(int32_t mode, int16_t colorLine, uint8_t intensity, int16_t sensitivity)
{
    brellix::tSonarColor colors;
    colors.SetColorMode(mode);
    colors.SetGrayLine(colorLine);
    std::vector<uint8_t> column(81, intensity);
    colors.ConvertRangeCellsToPixels(column, sensitivity, 0, 0, 0, 0, 80, false);
    return column[40];
}

// The pixel at depth pixel d (from the upper limit) of chart line `line`.
uint8_t linePixel(const frmDocument& chart, int32_t line, int32_t d)
{
    const brellix::tBitmap& bitmap = chart.Chart.Bitmap();
    const uint8_t* pixels = bitmap.pixels();
    if (chart.horizontal()) {
        return pixels[static_cast<size_t>(line) * static_cast<size_t>(bitmap.lWidth()) +
                      static_cast<size_t>(d + 1)];
    }
    const int32_t row = bitmap.lHeight() - 1 - d;
    return pixels[static_cast<size_t>(row) * static_cast<size_t>(bitmap.lWidth()) +
                  static_cast<size_t>(line)];
}

class ChartDrawTest : public uitest::WindowTest
{
protected:
    void SetUp() override
    {
        uitest::WindowTest::SetUp();
        host.store(QStringLiteral("Settings/ASP"), QStringLiteral("0"));
    }

    // Opens the log on a channel with manual sensitivity 0 and colour line 255, drawn in full.
    std::unique_ptr<frmDocument> openDrawn(const QString& file, int32_t channel)
    {
        auto chart = makeChart();
        EXPECT_TRUE(chart->OpenFile(file, channel));
        chart->SonarOptions.setbAutoSensitivity(false);
        chart->SonarOptions.setiSensitivity(0);
        chart->SonarOptions.setiColorLine(255);
        chart->finishRedraw();
        return chart;
    }

    viewertest::RvgSwitch m_rvgOff{false};
};

uint8_t byIndex(int sounding, int)
{
    return static_cast<uint8_t>(20 + (sounding * 7) % 230);
}

TEST_F(ChartDrawTest, EveryLineOfAVerticalChartHoldsTheSoundingTheTimeMappingGivesIt)
{
    const QString file = save(viewertest::slgLog(400, byIndex), QStringLiteral("map.slg"));
    auto chart = openDrawn(file, 0);
    const int32_t W = chart->chartColumns();
    const int32_t P = chart->position();
    ASSERT_EQ(W, 120);
    for (int32_t k = 0; k < W; ++k) {
        ASSERT_EQ(linePixel(*chart, W - 1 - k, 40), converted(0, 255, byIndex(P - k, 0), 0))
            << "line " << W - 1 - k;
    }
}

TEST_F(ChartDrawTest, ASideLookingChartDrawsItsSoundingsAsRowsNewestAtTheTop)
{
    const QString file = save(viewertest::sl2Log({3}, 400, byIndex), QStringLiteral("side.sl2"));
    auto chart = openDrawn(file, 3);
    ASSERT_TRUE(chart->horizontal());
    const int32_t W = chart->chartColumns();
    ASSERT_EQ(W, 80);
    ASSERT_EQ(chart->Chart.Bitmap().lHeight(), 80);
    const int32_t P = chart->position();
    for (int32_t k = 0; k < W; ++k) {
        ASSERT_EQ(linePixel(*chart, W - 1 - k, 60), converted(0, 255, byIndex(P - k, 0), 0))
            << "row " << W - 1 - k;
    }
}

TEST_F(ChartDrawTest, ALogShorterThanTheChartClearsTheLinesOlderThanItsSecondSounding)
{
    const QString file = save(viewertest::slgLog(30, byIndex), QStringLiteral("short.slg"));
    auto chart = openDrawn(file, 0);
    const int32_t W = chart->chartColumns();
    const int32_t S = chart->position();
    ASSERT_EQ(S, 29);
    for (int32_t k = 0; k < S; ++k) {
        EXPECT_EQ(linePixel(*chart, W - 1 - k, 40), converted(0, 255, byIndex(S - k, 0), 0));
    }
    for (int32_t x = W - 1 - S; x >= 0; --x) {
        ASSERT_EQ(linePixel(*chart, x, 40), 0) << "line " << x;
    }
}

struct SensitivityCase
{
    const char* name;
    bool sl2;
    int32_t channel;
    uint8_t recorded;
    bool automatic;
    int16_t slider;
    int16_t expected;
};

class ChartSensitivityTest : public ChartDrawTest,
                             public ::testing::WithParamInterface<SensitivityCase>
{
};

TEST_P(ChartSensitivityTest, TheConversionGetsTheEffectiveSensitivity)
{
    const SensitivityCase& c = GetParam();
    const auto steady = [](int, int) -> uint8_t { return 200; };
    viewertest::Sl2Setup setup;
    setup.autoSense = c.recorded;
    const QString file =
        c.sl2 ? save(viewertest::sl2Log({static_cast<uint16_t>(c.channel)}, 300, steady, setup),
                     QStringLiteral("s.sl2"))
              : save(viewertest::slgLog(300, steady), QStringLiteral("s.slg"));
    host.store(QStringLiteral("Settings/AutoSense"),
               c.automatic ? QStringLiteral("True") : QStringLiteral("False"));
    auto chart = makeChart();
    ASSERT_TRUE(chart->OpenFile(file, c.channel));
    chart->SonarOptions.setiColorLine(255);
    chart->SonarOptions.setiSensitivity(c.slider);
    chart->finishRedraw();
    const int32_t newest = chart->chartColumns() - 1;
    EXPECT_EQ(linePixel(*chart, newest, 30), converted(0, 255, 200, c.expected));
    // The case means something only when its sensitivity shows in the colour.
    EXPECT_NE(converted(0, 255, 200, c.expected), converted(0, 255, 200, c.expected + 20));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChartSensitivityTest,
    ::testing::Values(
        SensitivityCase{"SlgHalfTheOffsetBelowZeroClampsToZero", false, 0, 0, true, 20, 0},
        SensitivityCase{"SlgNegativeOffsetGivesHalfOfIt", false, 0, 0, true, -40, 20},
        SensitivityCase{"Sl2PrimaryRecordedMinusOffset", true, 0, 100, true, 20, 80},
        SensitivityCase{"Sl2SecondaryRecordedMinusNegativeOffset", true, 1, 100, true, -30, 130},
        SensitivityCase{"Sl2DownscanIgnoresTheRecordedValue", true, 2, 100, true, 20, 0},
        SensitivityCase{"Sl2SideviewTakesTheNegatedOffset", true, 4, 100, true, -30, 30},
        SensitivityCase{"Sl2WithoutRecordedValueUsesHalfTheOffset", true, 0, 0, true, -40, 20},
        SensitivityCase{"ManualSensitivityIsTheSliderValue", true, 0, 100, false, 150, 150}),
    [](const ::testing::TestParamInfo<SensitivityCase>& param) {
        return std::string(param.param.name);
    });

struct CorrelationCase
{
    const char* name;
    bool sl2;
    uint8_t correlation;
    int32_t option;
    bool correlated;
};

class ChartCorrelationTest : public ChartDrawTest,
                             public ::testing::WithParamInterface<CorrelationCase>
{
};

// Soundings alternate 200 and 60: any correlation level lowers every column to 60.
TEST_P(ChartCorrelationTest, CorrelationLowersColumnsToTheirNeighboursMinimum)
{
    const CorrelationCase& c = GetParam();
    const auto alternating = [](int sounding, int) -> uint8_t {
        return sounding % 2 == 0 ? 200 : 60;
    };
    viewertest::Sl2Setup setup;
    setup.correlation = c.correlation;
    const QString file =
        c.sl2 ? save(viewertest::sl2Log({0}, 300, alternating, setup), QStringLiteral("c.sl2"))
              : save(viewertest::slgLog(300, alternating), QStringLiteral("c.slg"));
    auto chart = openDrawn(file, 0);
    chart->SonarOptions.setAdvancedSignalProcessing(c.option);
    chart->bIdleWorking = false;
    brellix::tChart target;
    ASSERT_TRUE(target.Create(12, 80));
    for (int32_t i = 0; i < 12; ++i) {
        chart->SonarFile->SSeek(i);
        chart->DrawSounding(target, i);
    }
    const brellix::tBitmap& bitmap = target.Bitmap();
    for (int32_t i = 2; i < 12; ++i) {
        const uint8_t own = alternating(i, 0);
        const uint8_t expected = converted(0, 255, c.correlated ? 60 : own, 0);
        ASSERT_EQ(bitmap.pixels()[40 * bitmap.lWidth() + i], expected) << "sounding " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChartCorrelationTest,
    ::testing::Values(CorrelationCase{"SlgOff", false, 0, 0, false},
                      CorrelationCase{"SlgNormal", false, 0, 1, true},
                      CorrelationCase{"Sl2NormalWithoutRecordedCorrelation", true, 0, 1, false},
                      CorrelationCase{"Sl2NormalWithRecordedCorrelation", true, 1, 1, true},
                      CorrelationCase{"Sl2HighAddsOne", true, 0, 2, true},
                      CorrelationCase{"Sl2OffIgnoresTheRecording", true, 3, 0, false}),
    [](const ::testing::TestParamInfo<CorrelationCase>& param) {
        return std::string(param.param.name);
    });

TEST_F(ChartDrawTest, FishSymbolsClearTheWaterAboveTheBottom)
{
    const auto steady = [](int, int) -> uint8_t { return 200; };
    // Bottom at 60 of 0 to 100 feet: depth pixel 48 of 80.
    const QString file = save(viewertest::slgLog(300, steady, 100, 60), QStringLiteral("fish.slg"));
    auto chart = makeChart();
    ASSERT_TRUE(chart->OpenFile(file, 0));
    chart->SonarOptions.setbAutoSensitivity(false);
    chart->SonarOptions.setiSensitivity(0);
    chart->SonarOptions.setiColorLine(255);
    chart->SonarOptions.setbFishSymbols(true);
    chart->finishRedraw();
    const int32_t newest = chart->chartColumns() - 1;
    for (int32_t d = 1; d < 46; ++d) {
        ASSERT_EQ(linePixel(*chart, newest, d), 0) << "depth pixel " << d;
    }
    for (int32_t d = 50; d < 79; ++d) {
        ASSERT_EQ(linePixel(*chart, newest, d), converted(0, 255, 200, 0)) << "depth pixel " << d;
    }
}

TEST_F(ChartDrawTest, WithoutFishSymbolsTheWaterAboveTheBottomIsDrawn)
{
    const auto steady = [](int, int) -> uint8_t { return 200; };
    const QString file =
        save(viewertest::slgLog(300, steady, 100, 60), QStringLiteral("nofish.slg"));
    auto chart = openDrawn(file, 0);
    EXPECT_EQ(linePixel(*chart, chart->chartColumns() - 1, 20), converted(0, 255, 200, 0));
}

TEST_F(ChartDrawTest, ThePictureShowsTheChartAfterTheRedraw)
{
    const QString file = save(viewertest::slgLog(300, byIndex), QStringLiteral("screen.slg"));
    auto chart = openDrawn(file, 0);
    const QImage& screen = chart->picSonarImage->screen();
    ASSERT_FALSE(screen.isNull());
    const int32_t newest = chart->chartColumns() - 1;
    const uint8_t index = linePixel(*chart, newest, 40);
    EXPECT_EQ(screen.pixel(newest, 40) & 0xFFFFFFu,
              QColor(chart->Chart.Bitmap().image().color(index)).rgb() & 0xFFFFFFu);
}

} // namespace

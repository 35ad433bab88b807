// Lines drawn with advanced signal processing after a full redraw: the correlation must lower a
// line only with the soundings next to it, not with the oldest lines the redraw ended with, so
// that a change of the recorded range during playback leaves no blank line behind.
#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using brellix::frmDocument;

constexpr uint8_t kEcho = 150;

// One SL2 channel-0 log: per sounding its recorded lower limit and the intensity of all its
// samples; the recorded correlation is 2, so Normal processing lowers each line to the minimum
// of itself and the two columns processed before it.
std::vector<uint8_t> correlatedLog(int count, const std::function<float(int)>& lowerLimit,
                                   const std::function<uint8_t(int)>& intensity)
{
    testlog::Sl2Writer writer;
    for (int i = 0; i < count; ++i) {
        testlog::Sl2Column column;
        column.channel = 0;
        column.upperLimit = 0;
        column.lowerLimit = lowerLimit(i);
        column.depth = 10;
        column.correlation = 2;
        column.runningTimeMs = static_cast<uint32_t>(i * 100);
        column.samples.assign(viewertest::kSamples, intensity(i));
        writer.add(column);
    }
    return writer.bytes();
}

std::vector<uint8_t> bitmapPixels(const frmDocument& chart)
{
    const brellix::tBitmap& bitmap = chart.Chart.Bitmap();
    const size_t size =
        static_cast<size_t>(bitmap.lWidth()) * static_cast<size_t>(bitmap.lHeight());
    return std::vector<uint8_t>(bitmap.pixels(), bitmap.pixels() + size);
}

// The pixels of the line that holds sounding (a column of the vertical chart).
std::vector<uint8_t> soundingLine(const frmDocument& chart, int32_t sounding)
{
    const int32_t x = chart.chartColumns() - 1 - (chart.position() - sounding);
    const brellix::tBitmap& bitmap = chart.Chart.Bitmap();
    std::vector<uint8_t> line;
    for (int32_t y = 0; y < bitmap.lHeight(); ++y) {
        line.push_back(
            bitmap.pixels()[static_cast<size_t>(y) * static_cast<size_t>(bitmap.lWidth()) +
                            static_cast<size_t>(x)]);
    }
    return line;
}

class RangeChangeTest : public uitest::WindowTest
{
protected:
    void SetUp() override
    {
        uitest::WindowTest::SetUp();
        // Normal advanced signal processing: the redraw runs line by line from the newest back.
        host.store(QStringLiteral("Settings/ASP"), QStringLiteral("1"));
    }

    std::unique_ptr<frmDocument> openDrawn(const QString& file)
    {
        auto chart = makeChart();
        EXPECT_TRUE(chart->OpenFile(file, 0));
        host.add(chart.get());
        chart->finishRedraw();
        return chart;
    }

    // Plays tick by tick, as the timer does, until the chart stands at position with no redraw
    // pending.
    static void playTo(frmDocument& chart, int32_t position)
    {
        chart.SetState(frmDocument::kPlaying);
        for (int tick = 0; tick < 20000; ++tick) {
            if (chart.position() >= position && !chart.bIdleWorking) {
                break;
            }
            chart.tmrUpdate_Timer();
        }
        chart.SetState(frmDocument::kPaused);
    }

    static std::vector<uint8_t> redrawnPixels(frmDocument& chart)
    {
        chart.ResetIdle();
        chart.finishRedraw();
        return bitmapPixels(chart);
    }

    viewertest::RvgSwitch m_rvgOff{false};
};

TEST_F(RangeChangeTest, LinesPlayedAfterARecordedRangeChangeKeepTheirEchoesBelowTheOldRange)
{
    // The recorder deepens its range from 20 to 30 feet at sounding 250: in the 30-foot window
    // the older soundings have nothing below 20 feet, the newer ones echo all the way down.
    auto chart = openDrawn(
        save(correlatedLog(
                 400, [](int i) { return i < 250 ? 20.0f : 30.0f; }, [](int) { return kEcho; }),
             QStringLiteral("deeper.sl2")));
    ASSERT_EQ(chart->redrawPasses(), 4000);
    chart->sldSounding->setValue(249 - chart->visibleSoundings());
    chart->finishRedraw();
    ASSERT_EQ(chart->position(), 249);
    ASSERT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 20.0f);

    // The step onto sounding 250 adopts the new range and restarts the full redraw, which
    // playback waits for before it goes on.
    playTo(*chart, 255);
    ASSERT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 30.0f);
    ASSERT_EQ(chart->position(), 255);

    const std::vector<uint8_t> deep = soundingLine(*chart, 250);
    for (int32_t sounding = 251; sounding <= 255; ++sounding) {
        EXPECT_EQ(soundingLine(*chart, sounding), deep) << "sounding " << sounding;
    }
    const std::vector<uint8_t> played = bitmapPixels(*chart);
    EXPECT_EQ(played, redrawnPixels(*chart));
}

TEST_F(RangeChangeTest, TheFirstStepAfterAFullRedrawIsNotLoweredByTheOldestLines)
{
    // The oldest soundings on the chart after opening are silent, all later ones echo.
    auto chart = openDrawn(
        save(correlatedLog(
                 400, [](int) { return 30.0f; }, [](int i) { return i < 10 ? uint8_t{0} : kEcho; }),
             QStringLiteral("silent.sl2")));
    const int32_t start = chart->position();
    ASSERT_LT(start - chart->chartColumns() + 1, 10);

    playTo(*chart, start + 3);
    ASSERT_EQ(chart->position(), start + 3);
    const std::vector<uint8_t> echo = soundingLine(*chart, start);
    for (int32_t sounding = start + 1; sounding <= start + 3; ++sounding) {
        EXPECT_EQ(soundingLine(*chart, sounding), echo) << "sounding " << sounding;
    }
    const std::vector<uint8_t> played = bitmapPixels(*chart);
    EXPECT_EQ(played, redrawnPixels(*chart));
}

TEST_F(RangeChangeTest, PlayingStillLowersEachLineWithTheTwoSoundingsBeforeIt)
{
    // One silent sounding among echoes: at correlation 2 it silences the two lines after it.
    auto chart = openDrawn(save(
        correlatedLog(
            400, [](int) { return 30.0f; }, [](int i) { return i == 200 ? uint8_t{0} : kEcho; }),
        QStringLiteral("gap.sl2")));
    chart->sldSounding->setValue(198 - chart->visibleSoundings());
    chart->finishRedraw();
    ASSERT_EQ(chart->position(), 198);

    playTo(*chart, 204);
    ASSERT_EQ(chart->position(), 204);
    const std::vector<uint8_t> echo = soundingLine(*chart, 199);
    const std::vector<uint8_t> silent = soundingLine(*chart, 200);
    ASSERT_NE(echo, silent);
    EXPECT_EQ(soundingLine(*chart, 201), silent);
    EXPECT_EQ(soundingLine(*chart, 202), silent);
    EXPECT_EQ(soundingLine(*chart, 203), echo);
    EXPECT_EQ(soundingLine(*chart, 204), echo);
}

TEST_F(RangeChangeTest, AStepBackAfterPlayingForwardIsLoweredByItsNewerNeighboursOnly)
{
    // Soundings from 300 on are silent: playing onto them fills the history with silence,
    // which must not reach the echoing line a step back draws at the old edge.
    auto chart = openDrawn(save(
        correlatedLog(
            400, [](int) { return 30.0f; }, [](int i) { return i >= 300 ? uint8_t{0} : kEcho; }),
        QStringLiteral("back.sl2")));
    chart->sldSounding->setValue(299 - chart->visibleSoundings());
    chart->finishRedraw();
    ASSERT_EQ(chart->position(), 299);
    playTo(*chart, 302);
    ASSERT_EQ(chart->position(), 302);

    chart->SetState(frmDocument::kPlayingReverse);
    chart->tmrUpdate_Timer();
    ASSERT_EQ(chart->position(), 301);
    const int32_t oldest = chart->position() - chart->chartColumns() + 1;
    EXPECT_EQ(soundingLine(*chart, oldest), soundingLine(*chart, oldest + 1));
}

} // namespace

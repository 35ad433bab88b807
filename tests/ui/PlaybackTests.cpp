// Playback of a chart window: ticks and steps, pausing at the ends, jumps, windows of one log
// following each other by file address, the gate while a window redraws, and the sliders.
#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>

#include <cstring>
#include <limits>

namespace {

using brellix::frmDocument;

uint8_t byIndex(int sounding, int)
{
    return static_cast<uint8_t>(20 + (sounding * 7) % 230);
}

std::vector<uint8_t> bitmapPixels(const frmDocument& chart)
{
    const brellix::tBitmap& bitmap = chart.Chart.Bitmap();
    const size_t size =
        static_cast<size_t>(bitmap.lWidth()) * static_cast<size_t>(bitmap.lHeight());
    return std::vector<uint8_t>(bitmap.pixels(), bitmap.pixels() + size);
}

// An SLG log of 400 soundings recorded 0 to 100 ft, from sounding `from` on 0 to 150 ft.
std::vector<uint8_t> deeperAfter(int from)
{
    testlog::SlgWriter writer(1024);
    for (int i = 0; i < 400; ++i) {
        testlog::SlgSounding sounding;
        sounding.header.lowerLimit = i < from ? 100.0f : 150.0f;
        sounding.samples.assign(viewertest::kSamples, 100);
        writer.add(sounding);
    }
    return writer.bytes();
}

class PlaybackTest : public uitest::WindowTest
{
protected:
    void SetUp() override
    {
        uitest::WindowTest::SetUp();
        // No correlation: a line's colour then depends on its sounding alone.
        host.store(QStringLiteral("Settings/ASP"), QStringLiteral("0"));
    }

    std::unique_ptr<frmDocument> openDrawn(const QString& file, int32_t channel = 0)
    {
        auto chart = makeChart();
        EXPECT_TRUE(chart->OpenFile(file, channel));
        host.add(chart.get());
        chart->finishRedraw();
        return chart;
    }

    // Moves the chart as the user does with the sounding slider, and completes the redraw.
    static void slideTo(frmDocument& chart, int value)
    {
        chart.sldSounding->setValue(value);
        chart.finishRedraw();
    }

    // The chart as a full redraw at its present position draws it.
    static std::vector<uint8_t> redrawnPixels(frmDocument& chart)
    {
        chart.ResetIdle();
        chart.finishRedraw();
        return bitmapPixels(chart);
    }

    viewertest::RvgSwitch m_rvgOff{false};
};

TEST_F(PlaybackTest, APlayingTickMovesOneSoundingAndKeepsOthersInStep)
{
    auto chart = openDrawn(save(viewertest::slgLog(400, byIndex), QStringLiteral("p.slg")));
    const int32_t start = chart->position();
    chart->SetState(frmDocument::kPlaying);
    host.syncCalls.clear();
    chart->tmrUpdate_Timer();
    EXPECT_EQ(chart->position(), start + 1);
    EXPECT_EQ(chart->sldSounding->value(), 1);
    EXPECT_EQ(chart->windowTitle(), QStringLiteral("p.slg: Sounding 1"));
    ASSERT_EQ(host.syncCalls.size(), 1u);
    EXPECT_EQ(host.syncCalls[0], 1);
    EXPECT_FALSE(chart->bIdleWorking);
}

struct MoveCase
{
    int32_t state;
    int32_t moved;
};

class PlaybackMoveTest : public PlaybackTest, public ::testing::WithParamInterface<MoveCase>
{
};

TEST_P(PlaybackMoveTest, EachPlayStateMovesItsStepPerTick)
{
    auto chart = openDrawn(save(viewertest::slgLog(400, byIndex), QStringLiteral("m.slg")));
    slideTo(*chart, 100);
    const int32_t start = chart->position();
    chart->SetState(GetParam().state);
    chart->tmrUpdate_Timer();
    EXPECT_EQ(chart->position(), start + GetParam().moved);
    EXPECT_EQ(chart->GetState(), GetParam().state);
}

INSTANTIATE_TEST_SUITE_P(States, PlaybackMoveTest,
                         ::testing::Values(MoveCase{0, -1}, MoveCase{1, 1}, MoveCase{2, 0},
                                           MoveCase{3, 5}, MoveCase{4, -5}));

TEST_F(PlaybackTest, StepsForwardLeaveTheChartAsAFullRedrawDrawsIt)
{
    auto chart = openDrawn(save(viewertest::slgLog(400, byIndex), QStringLiteral("f.slg")));
    slideTo(*chart, 50);
    chart->SetState(frmDocument::kFastForward);
    chart->tmrUpdate_Timer();
    chart->tmrUpdate_Timer();
    const std::vector<uint8_t> stepped = bitmapPixels(*chart);
    EXPECT_EQ(stepped, redrawnPixels(*chart));
}

TEST_F(PlaybackTest, StepsBackLeaveTheChartAsAFullRedrawDrawsIt)
{
    auto chart = openDrawn(save(viewertest::slgLog(400, byIndex), QStringLiteral("b.slg")));
    slideTo(*chart, 50);
    chart->SetState(frmDocument::kRewinding);
    chart->tmrUpdate_Timer();
    chart->tmrUpdate_Timer();
    const std::vector<uint8_t> stepped = bitmapPixels(*chart);
    EXPECT_EQ(stepped, redrawnPixels(*chart));
}

TEST_F(PlaybackTest, PlayAtTheLastSoundingPausesAtOnceAndResynchronisesTheMenus)
{
    auto chart = openDrawn(save(viewertest::slgLog(400, byIndex), QStringLiteral("e.slg")));
    chart->GotoEnd();
    chart->finishRedraw();
    ASSERT_EQ(chart->position(), 399);
    chart->SetState(frmDocument::kPlaying);
    const int before = host.synchronizeCount;
    chart->tmrUpdate_Timer();
    EXPECT_EQ(chart->GetState(), frmDocument::kPaused);
    EXPECT_EQ(chart->position(), 399);
    EXPECT_GT(host.synchronizeCount, before);
}

TEST_F(PlaybackTest, RewindNearTheStartStopsAtTheFirstFullChartAndPauses)
{
    auto chart = openDrawn(save(viewertest::slgLog(400, byIndex), QStringLiteral("r.slg")));
    slideTo(*chart, 3);
    chart->SetState(frmDocument::kRewinding);
    chart->tmrUpdate_Timer();
    EXPECT_EQ(chart->GetState(), frmDocument::kPaused);
    EXPECT_EQ(chart->position(), chart->visibleSoundings());
    EXPECT_EQ(chart->sldSounding->value(), 0);
    EXPECT_EQ(bitmapPixels(*chart), redrawnPixels(*chart));
}

TEST_F(PlaybackTest, ALogShorterThanTheChartPausesPlaybackInBothDirections)
{
    auto chart = openDrawn(save(viewertest::slgLog(30, byIndex), QStringLiteral("s.slg")));
    chart->SetState(frmDocument::kPlayingReverse);
    chart->tmrUpdate_Timer();
    EXPECT_EQ(chart->GetState(), frmDocument::kPaused);
    EXPECT_EQ(chart->position(), 29);
    chart->SetState(frmDocument::kPlaying);
    chart->tmrUpdate_Timer();
    EXPECT_EQ(chart->GetState(), frmDocument::kPaused);
    EXPECT_EQ(chart->position(), 29);
}

TEST_F(PlaybackTest, TheEndOfALogOfOneSoundingIsThatSounding)
{
    // Its slider still has two values; the second must not point past the log.
    auto chart = openDrawn(save(viewertest::slgLog(1, byIndex), QStringLiteral("one.slg")));
    chart->GotoEnd();
    EXPECT_EQ(chart->position(), 0);
    chart->GotoStart();
    EXPECT_EQ(chart->position(), 0);
}

TEST_F(PlaybackTest, APausedTickDoesNotMoveButCompletesAPendingRedraw)
{
    auto chart = openDrawn(save(viewertest::slgLog(400, byIndex), QStringLiteral("w.slg")));
    const int32_t start = chart->position();
    chart->ResetIdle();
    ASSERT_TRUE(chart->bIdleWorking);
    for (int i = 0; i < 1000 && chart->bIdleWorking; ++i) {
        chart->tmrUpdate_Timer();
    }
    EXPECT_FALSE(chart->bIdleWorking);
    EXPECT_EQ(chart->position(), start);
}

TEST_F(PlaybackTest, GotoStartAndGotoEndJumpToTheSliderEndsAndRedraw)
{
    auto chart = openDrawn(save(viewertest::slgLog(400, byIndex), QStringLiteral("g.slg")));
    host.syncCalls.clear();
    chart->GotoEnd();
    EXPECT_EQ(chart->sldSounding->value(), chart->sldSounding->maximum());
    EXPECT_EQ(chart->position(), 399);
    EXPECT_TRUE(chart->bIdleWorking);
    chart->GotoStart();
    EXPECT_EQ(chart->sldSounding->value(), 0);
    EXPECT_EQ(chart->position(), chart->visibleSoundings());
    EXPECT_EQ(host.syncCalls, (std::vector<int32_t>{chart->sldSounding->maximum(), 0}));
}

struct JumpCase
{
    int32_t distance;
    bool redraws;
};

class GotoFilePositionTest : public PlaybackTest, public ::testing::WithParamInterface<JumpCase>
{
};

TEST_P(GotoFilePositionTest, FewerThanTenSoundingsAreSteppedMoreAreRedrawn)
{
    auto chart = openDrawn(save(viewertest::sl2Log({0}, 400, byIndex), QStringLiteral("j.sl2")));
    slideTo(*chart, 100);
    const int32_t target = 100 + GetParam().distance;
    chart->SonarFile->SSeek(target);
    const int64_t address = chart->SonarFile->AddressTell();
    host.syncCalls.clear();
    chart->GotoFilePosition(address);
    EXPECT_EQ(chart->sldSounding->value(), target);
    EXPECT_EQ(chart->position(), target + chart->visibleSoundings());
    EXPECT_EQ(chart->bIdleWorking, GetParam().redraws);
    EXPECT_TRUE(host.syncCalls.empty());
    const std::vector<uint8_t> arrived = bitmapPixels(*chart);
    if (!GetParam().redraws) {
        EXPECT_EQ(arrived, redrawnPixels(*chart));
    }
}

INSTANTIATE_TEST_SUITE_P(Distances, GotoFilePositionTest,
                         ::testing::Values(JumpCase{1, false}, JumpCase{9, false},
                                           JumpCase{-9, false}, JumpCase{10, true},
                                           JumpCase{-10, true}, JumpCase{150, true}));

TEST_F(PlaybackTest, GotoFilePositionPastTheSliderEndStopsThere)
{
    auto chart = openDrawn(save(viewertest::sl2Log({0}, 400, byIndex), QStringLiteral("x.sl2")));
    const int32_t last = chart->SonarFile->NumSoundings() - 1;
    chart->SonarFile->SSeek(last);
    chart->GotoFilePosition(chart->SonarFile->AddressTell());
    EXPECT_EQ(chart->sldSounding->value(), chart->sldSounding->maximum());
    EXPECT_EQ(chart->position(), last);
}

TEST_F(PlaybackTest, TwoChannelWindowsOfOneLogFollowEachOtherByFileAddress)
{
    auto primary =
        openDrawn(save(viewertest::sl2Log({0, 1}, 400, byIndex), QStringLiteral("t.sl2")));
    ASSERT_EQ(host.shown.size(), 1u);
    frmDocument& secondary = *host.shown[0];
    secondary.setTwipsPerPixel(15, 15);
    secondary.resize(120, 147);
    secondary.layOutWindow();
    secondary.finishRedraw();

    // Channel 1's sounding n follows channel 0's sounding n in the log, so at channel 0's
    // sounding 200 channel 1 is still at its sounding 199.
    slideTo(*primary, 200);
    EXPECT_EQ(secondary.sldSounding->value(), 199);
    EXPECT_TRUE(secondary.bIdleWorking);
    secondary.finishRedraw();

    primary->SetState(frmDocument::kFastForward);
    primary->tmrUpdate_Timer();
    EXPECT_EQ(primary->sldSounding->value(), 205);
    EXPECT_EQ(secondary.sldSounding->value(), 204);
    EXPECT_FALSE(secondary.bIdleWorking);

    // And the other way round: channel 0's packet current at channel 1's sounding 250 is its
    // sounding 250.
    slideTo(secondary, 250);
    EXPECT_EQ(primary->sldSounding->value(), 250);
}

TEST_F(PlaybackTest, ANewSizeKeepsTheLeftPositionAndMovesNoOtherWindow)
{
    auto primary =
        openDrawn(save(viewertest::sl2Log({0, 1}, 400, byIndex), QStringLiteral("r.sl2")));
    ASSERT_EQ(host.shown.size(), 1u);
    frmDocument& secondary = *host.shown[0];
    secondary.setTwipsPerPixel(15, 15);
    secondary.resize(120, 147);
    secondary.layOutWindow();
    slideTo(*primary, 200);
    ASSERT_EQ(secondary.sldSounding->value(), 199);
    const size_t syncs = host.syncCalls.size();

    secondary.resize(secondary.width() + 40, secondary.height());
    secondary.layOutWindow();
    EXPECT_EQ(secondary.sldSounding->value(), 199);
    EXPECT_EQ(secondary.position(), 199 + secondary.visibleSoundings());
    EXPECT_EQ(primary->sldSounding->value(), 200);
    EXPECT_EQ(host.syncCalls.size(), syncs) << "a layout moves no other window";
}

TEST_F(PlaybackTest, AChartOfAnotherLogDoesNotFollow)
{
    auto first = openDrawn(save(viewertest::sl2Log({0}, 400, byIndex), QStringLiteral("a.sl2")));
    auto second = openDrawn(save(viewertest::sl2Log({0}, 400, byIndex), QStringLiteral("b.sl2")));
    slideTo(*first, 200);
    EXPECT_EQ(second->sldSounding->value(), 0);
}

TEST_F(PlaybackTest, APlayingWindowHoldsWhileAnotherWindowRedraws)
{
    auto player = openDrawn(save(viewertest::slgLog(400, byIndex), QStringLiteral("g1.slg")));
    auto other = openDrawn(save(viewertest::slgLog(400, byIndex), QStringLiteral("g2.slg")));
    player->SetState(frmDocument::kPlaying);
    const int32_t start = player->position();
    other->ResetIdle();
    player->tmrUpdate_Timer();
    EXPECT_EQ(player->position(), start);
    other->finishRedraw();
    player->tmrUpdate_Timer();
    EXPECT_EQ(player->position(), start + 1);
}

TEST_F(PlaybackTest, AWindowThatIsRedrawingItselfMovesOnlyOnceTheRedrawEnds)
{
    auto chart = openDrawn(save(viewertest::slgLog(400, byIndex), QStringLiteral("self.slg")));
    chart->SetState(frmDocument::kPlaying);
    const int32_t start = chart->position();
    chart->ResetIdle();
    int ticks = 0;
    while (chart->bIdleWorking && ticks < 1000) {
        chart->tmrUpdate_Timer();
        ++ticks;
        ASSERT_EQ(chart->position(), start);
    }
    chart->tmrUpdate_Timer();
    EXPECT_EQ(chart->position(), start + 1);
}

TEST_F(PlaybackTest, AMaximisedWindowPlaysWhileAnotherRedraws)
{
    QMdiArea area;
    area.resize(160, 180);
    area.show();
    auto* player = new frmDocument(host);
    player->setTwipsPerPixel(15, 15);
    ASSERT_TRUE(
        player->OpenFile(save(viewertest::slgLog(400, byIndex), QStringLiteral("mx.slg")), 0));
    host.add(player);
    QMdiSubWindow* frame = area.addSubWindow(player);
    frame->showMaximized();
    ASSERT_TRUE(player->isChartMaximized());
    slideTo(*player, 10);
    auto other = openDrawn(save(viewertest::slgLog(400, byIndex), QStringLiteral("mo.slg")));
    other->ResetIdle();
    player->SetState(frmDocument::kPlaying);
    const int32_t start = player->position();
    player->tmrUpdate_Timer();
    EXPECT_EQ(player->position(), start + 1);
    player->unload();
}

TEST_F(PlaybackTest, ARecordedRangeChangeDuringPlaybackChangesTheOptionsOnce)
{
    const auto deeper = [](int sounding) { return sounding < 250 ? 100.0f : 150.0f; };
    testlog::SlgWriter writer(1024);
    for (int i = 0; i < 400; ++i) {
        testlog::SlgSounding sounding;
        sounding.header.lowerLimit = deeper(i);
        sounding.samples.assign(viewertest::kSamples, byIndex(i, 0));
        writer.add(sounding);
    }
    auto chart = openDrawn(save(writer.bytes(), QStringLiteral("range.slg")));
    ASSERT_TRUE(chart->SonarOptions.bAutoDepthRange());
    slideTo(*chart, 249 - chart->visibleSoundings());
    ASSERT_EQ(chart->position(), 249);
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 100.0f);

    chart->SetState(frmDocument::kPlaying);
    chart->tmrUpdate_Timer();
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 150.0f);
    EXPECT_EQ(host.loadSettingsCount, 1);
    // The older lines were redrawn in the new window.
    chart->finishRedraw();
    EXPECT_EQ(bitmapPixels(*chart), redrawnPixels(*chart));
    chart->tmrUpdate_Timer();
    EXPECT_EQ(chart->position(), 251);
    EXPECT_EQ(host.loadSettingsCount, 1);
}

TEST_F(PlaybackTest, AFullRedrawNeverAdoptsTheRecordedRange)
{
    auto chart = openDrawn(save(deeperAfter(300), QStringLiteral("full.slg")));
    ASSERT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 100.0f);
    chart->SonarOptions.setsngLowerLimit(120.0f);
    ASSERT_TRUE(chart->bIdleWorking);
    chart->finishRedraw();
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 120.0f);
    EXPECT_EQ(host.loadSettingsCount, 0);
}

TEST_F(PlaybackTest, LimitsNoSonarRecordsNeverBecomeTheChartsWindow)
{
    // Soundings 150 to 169 carry the limits of a damaged region.
    testlog::Sl2Writer writer;
    for (int i = 0; i < 400; ++i) {
        testlog::Sl2Column column = viewertest::flatColumn(0, viewertest::kSamples, 90);
        const bool damaged = i >= 150 && i < 170;
        column.upperLimit = damaged && i % 2 == 0 ? std::numeric_limits<float>::quiet_NaN() : 0.0f;
        column.lowerLimit = damaged && i % 2 == 1 ? -1e15f : 100.0f;
        writer.add(column);
    }
    auto chart = openDrawn(save(writer.bytes(), QStringLiteral("damaged.sl2")));
    slideTo(*chart, 140 - chart->visibleSoundings());
    chart->finishRedraw();
    const int loads = host.loadSettingsCount;
    chart->SetState(frmDocument::kFastForward);
    for (int tick = 0; tick < 12; ++tick) {
        chart->tmrUpdate_Timer();
        chart->finishRedraw();
    }
    EXPECT_GT(chart->position(), 175);
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngUpperLimit(), 0.0f);
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 100.0f);
    EXPECT_EQ(host.loadSettingsCount, loads) << "no range was adopted";
}

TEST_F(PlaybackTest, AJumpTakesTheWindowOfTheSoundingsItArrivesAt)
{
    auto chart = openDrawn(save(deeperAfter(300), QStringLiteral("jump.slg")));
    chart->GotoEnd();
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 150.0f);
    EXPECT_EQ(host.loadSettingsCount, 1);
    chart->finishRedraw();
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 150.0f);
    chart->GotoStart();
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 100.0f);

    // Without automatic depth range the window stays the user's.
    chart->SonarOptions.setbAutoDepthRange(false);
    chart->GotoEnd();
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 100.0f);
}

struct SliderCase
{
    int value;
    int16_t level;
};

class ColorLineSliderTest : public PlaybackTest, public ::testing::WithParamInterface<SliderCase>
{
};

TEST_P(ColorLineSliderTest, TheColourLineSliderSetsTheColourLine)
{
    auto chart = makeChart();
    chart->sldColorLine->setValue(GetParam().value);
    EXPECT_EQ(chart->SonarOptions.iColorLine(), GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(Values, ColorLineSliderTest,
                         ::testing::Values(SliderCase{0, 255}, SliderCase{100, 0},
                                           SliderCase{50, 128}, SliderCase{30, 178}));

class ManualSensitivitySliderTest : public PlaybackTest,
                                    public ::testing::WithParamInterface<SliderCase>
{
};

TEST_P(ManualSensitivitySliderTest, TheManualSensitivitySliderSetsTheSensitivity)
{
    auto chart = makeChart();
    chart->SonarOptions.setbAutoSensitivity(false);
    chart->sldSensitivity->setValue(GetParam().value == 0 ? 1 : 0);
    chart->sldSensitivity->setValue(GetParam().value);
    EXPECT_EQ(chart->SonarOptions.iSensitivity(), GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(Values, ManualSensitivitySliderTest,
                         ::testing::Values(SliderCase{0, 255}, SliderCase{100, 0},
                                           SliderCase{50, 128}, SliderCase{30, 178}));

TEST_F(PlaybackTest, TheAutomaticSensitivitySliderIsAnOffset)
{
    auto chart = makeChart();
    chart->sldSensitivity->setValue(-35);
    EXPECT_EQ(chart->SonarOptions.iSensitivity(), -35);
}

struct RecordedCase
{
    uint8_t recorded;
    int slider;
};

class AutoSensitivityOffTest : public PlaybackTest,
                               public ::testing::WithParamInterface<RecordedCase>
{
};

TEST_P(AutoSensitivityOffTest, SwitchingAutomaticSensitivityOffStartsFromTheRecordedValue)
{
    viewertest::Sl2Setup setup;
    setup.autoSense = GetParam().recorded;
    auto chart =
        openDrawn(save(viewertest::sl2Log({0}, 400, byIndex, setup), QStringLiteral("a.sl2")));
    chart->SonarOptions.setbAutoSensitivity(false);
    EXPECT_EQ(chart->sldSensitivity->minimum(), 0);
    EXPECT_EQ(chart->sldSensitivity->maximum(), 100);
    EXPECT_EQ(chart->sldSensitivity->value(), GetParam().slider);
    chart->SonarOptions.setbAutoSensitivity(true);
    EXPECT_EQ(chart->sldSensitivity->minimum(), -50);
    EXPECT_EQ(chart->sldSensitivity->value(), 0);
    EXPECT_EQ(chart->SonarOptions.iSensitivity(), 0);
}

INSTANTIATE_TEST_SUITE_P(Recorded, AutoSensitivityOffTest,
                         ::testing::Values(RecordedCase{255, 0}, RecordedCase{0, 100},
                                           RecordedCase{51, 80}));

} // namespace

// The track window beside the charts: it follows the active chart's log, its marker follows the
// chart as it moves and plays, and a click on the track moves every chart of that log.
#include "ShellTestSupport.h"

#include "dialogs/frmTrack.h"
#include "document/frmDocument.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

using shelltest::ShellTest;

class TrackWindow : public ShellTest
{
protected:
    // Channels 0 and 1 interleaved, every packet positioned, the boat heading north-east.
    QString positionedSl2(const QString& name, int count)
    {
        testlog::Sl2Writer writer;
        for (int i = 0; i < count; ++i) {
            for (uint16_t channel : {uint16_t{0}, uint16_t{1}}) {
                testlog::Sl2Column column = viewertest::flatColumn(channel, 200, 60);
                column.depth = 20.0f + static_cast<float>(i % 50);
                column.positionX = 1157000 + 4 * i;
                column.positionY = 11000000 + 6 * i;
                column.validFlags = testlog::kValidPosition;
                writer.add(column);
            }
        }
        const QString path = filePath(name);
        EXPECT_TRUE(writer.save(path.toStdString()));
        return path;
    }

    static void waitUntilRead(const brellix::frmTrack& track)
    {
        QElapsedTimer clock;
        clock.start();
        while (track.reading() && clock.elapsed() < 10000) {
            QCoreApplication::processEvents();
        }
    }
};

TEST_F(TrackWindow, FollowsTheActiveLogAndItsMarkerFollowsTheChart)
{
    brellix::frmMain& main = startMain(positionedSl2(QStringLiteral("bay.sl2"), 1500));
    ASSERT_EQ(main.documents().size(), 2);
    brellix::frmTrack& track = main.trackWindow();
    EXPECT_FALSE(track.isVisible());
    EXPECT_TRUE(track.fileName().isEmpty()) << "a hidden track window reads nothing";

    main.mnuViewTrack->trigger();
    EXPECT_TRUE(main.mnuViewTrack->isChecked());
    ASSERT_TRUE(track.isVisible());
    EXPECT_EQ(track.fileName(), main.ActiveForm()->SonarFile->GetFilename());
    waitUntilRead(track);
    ASSERT_NE(track.reader(), nullptr);
    EXPECT_EQ(track.reader()->pointCount(), 1499u) << "the newest packet is not offered";

    // The marker stands at the chart's newest sounding.
    brellix::frmDocument& chart = *main.ActiveForm();
    chart.GotoSounding(1200);
    EXPECT_EQ(chart.ChartPositionRight(), 1200);
    EXPECT_EQ(track.currentSounding(), 1200);
    chart.GotoSounding(900);
    EXPECT_EQ(track.currentSounding(), 900);

    // Playing, the marker keeps up with the chart.
    chart.SetState(brellix::frmDocument::kPlaying);
    QTest::qWait(400);
    chart.SetState(brellix::frmDocument::kPaused);
    EXPECT_GT(chart.ChartPositionRight(), 900);
    EXPECT_EQ(track.currentSounding(), chart.ChartPositionRight());

    // Closed by its box, the menu item is unchecked.
    track.close();
    EXPECT_FALSE(main.mnuViewTrack->isChecked());
}

TEST_F(TrackWindow, AClickOnTheTrackMovesEveryChartOfTheLog)
{
    brellix::frmMain& main = startMain(positionedSl2(QStringLiteral("bay.sl2"), 1500));
    main.mnuViewTrack->trigger();
    brellix::frmTrack& track = main.trackWindow();
    track.resize(400, 400);
    waitUntilRead(track);
    const std::optional<brellix::TrackPoint> target = track.map().pointFor(1000);
    ASSERT_TRUE(target.has_value());
    const QPoint at = track.map().toView(target->position).toPoint();

    brellix::frmDocument& active = *main.ActiveForm();
    brellix::frmDocument* other = nullptr;
    for (brellix::frmDocument* chart : main.documents()) {
        if (chart != &active) {
            other = chart;
        }
    }
    ASSERT_NE(other, nullptr);
    QTest::mouseClick(&track, Qt::LeftButton, {}, at);
    // Four metres east and six north a sounding: a pixel holds a few soundings.
    EXPECT_NEAR(active.ChartPositionRight(), 1000, 3);
    EXPECT_NEAR(other->ChartPositionRight(), active.ChartPositionRight(), 1);
    EXPECT_EQ(track.currentSounding(), active.ChartPositionRight());

    // Far from the track, a click moves nothing.
    const int32_t before = active.ChartPositionRight();
    QTest::mouseClick(&track, Qt::LeftButton, {}, QPoint(2, 398));
    EXPECT_EQ(active.ChartPositionRight(), before);
}

TEST_F(TrackWindow, ALogWithoutPositionsShowsNoTrack)
{
    brellix::frmMain& main = startMain(writeSl2(QStringLiteral("blind.sl2"), {0}, 50));
    main.mnuViewTrack->trigger();
    brellix::frmTrack& track = main.trackWindow();
    waitUntilRead(track);
    ASSERT_NE(track.reader(), nullptr);
    EXPECT_EQ(track.reader()->pointCount(), 0u);
    EXPECT_FALSE(track.map().nearest(QPointF(200, 150), 1000).has_value());
}

TEST_F(TrackWindow, ItFollowsTheLogOfWhicheverChartIsActive)
{
    const QString bay = positionedSl2(QStringLiteral("bay.sl2"), 400);
    const QString cove = writeSl2(QStringLiteral("cove.sl2"), {0}, 60);
    brellix::frmMain& main = startMain(bay);
    main.mnuViewTrack->trigger();
    brellix::frmTrack& track = main.trackWindow();
    EXPECT_EQ(track.fileName(), bay);
    ASSERT_NE(main.openChart(cove), nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(track.fileName(), cove);
    EXPECT_TRUE(track.windowTitle().endsWith(QStringLiteral("cove.sl2")));
    // The last chart closed, it shows no log.
    while (main.ActiveForm() != nullptr) {
        main.ActiveForm()->parentWidget()->close();
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(track.fileName().isEmpty());
}

TEST_F(TrackWindow, AHiddenTrackWindowStopsReadingAndGoesOnWhenShown)
{
    brellix::frmMain& main = startMain(positionedSl2(QStringLiteral("long.sl2"), 3000));
    main.mnuViewTrack->trigger();
    brellix::frmTrack& track = main.trackWindow();
    ASSERT_TRUE(track.reading());
    main.mnuViewTrack->trigger();
    EXPECT_FALSE(track.isVisible());
    EXPECT_FALSE(track.reading());
    const int32_t stoppedAt = track.reader()->nextSounding();
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(track.reader()->nextSounding(), stoppedAt);
    main.mnuViewTrack->trigger();
    waitUntilRead(track);
    EXPECT_TRUE(track.finished());
    EXPECT_EQ(track.reader()->pointCount(), 2999u);
}

} // namespace

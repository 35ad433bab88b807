// The mouse on a real chart window, through QTest on its picture: the readout popup with its
// delay, place and mouse grab, the dotted band of a drag, zooming in and out, and the click
// that re-centres.
#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

namespace {

using brellix::frmDocument;

class ChartMouseTest : public uitest::WindowTest
{
protected:
    // A shown 300 x 260 pixel chart window on a 2000-sounding log, at its end, 0 to 20 ft.
    std::unique_ptr<frmDocument> openChart()
    {
        const QString file =
            save(viewertest::slgLog(2000, viewertest::steady(120)), QStringLiteral("m.slg"));
        auto chart = makeChart(300, 260);
        EXPECT_TRUE(chart->OpenFile(file, 0));
        chart->SonarOptions.setbAutoDepthRange(false);
        chart->SonarOptions.setsngUpperLimit(0);
        chart->SonarOptions.setsngLowerLimit(20);
        chart->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(chart.get()));
        chart->GotoEnd();
        chart->finishRedraw();
        return chart;
    }

    static QWidget* picture(frmDocument& chart) { return chart.picSonarImage; }
    static QPlainTextEdit& popup(frmDocument& chart) { return *chart.txtDepthPopup; }
};

TEST_F(ChartMouseTest, HoveringArmsTheReadoutWhichShowsOnItsTimerHoldingTheMouseUntilHidden)
{
    auto chart = openChart();
    QWidget* pic = picture(*chart);
    QTest::mouseMove(pic, QPoint(40, 30));
    EXPECT_TRUE(chart->tmrDepthPopup->isActive());
    EXPECT_FALSE(popup(*chart).isVisible());
    const int32_t sounding = 40 + chart->position() - chart->chartColumns();
    EXPECT_TRUE(popup(*chart).toPlainText().contains(QStringLiteral("Sounding: %1").arg(sounding)));

    chart->tmrDepthPopup_Timer();
    EXPECT_TRUE(popup(*chart).isVisible());
    EXPECT_EQ(QWidget::mouseGrabber(), pic);
    // Right of and below the cursor in the upper left quarter, at least 1800 x (465 + bottom
    // 180) twips (the test log carries depths but no positions or times) and as large as the
    // lines need in the box's font.
    const QRect box = popup(*chart).geometry();
    EXPECT_EQ(box.topLeft(), pic->geometry().topLeft() + QPoint(50, 30));
    EXPECT_GE(box.width(), 120);
    EXPECT_GE(box.height(), 43);
    QString lines = popup(*chart).toPlainText();
    const QSize text = QFontMetrics(popup(*chart).font())
                           .boundingRect(QRect(), 0, lines.remove(QLatin1Char('\r')))
                           .size();
    EXPECT_GT(box.width(), text.width());
    EXPECT_GT(box.height(), text.height());
    // In a font small enough the design's size holds.
    QFont tiny = popup(*chart).font();
    tiny.setPixelSize(2);
    popup(*chart).setFont(tiny);
    chart->picSonarImage_MouseMove(15 * 41, 15 * 30);
    EXPECT_EQ(popup(*chart).size(), QSize(120, 43));

    // Off the picture: hidden, the mouse let go.
    chart->picSonarImage_MouseMove(-15, 100);
    EXPECT_FALSE(popup(*chart).isVisible());
    EXPECT_FALSE(chart->tmrDepthPopup->isActive());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(ChartMouseTest, InTheLowerRightThePopupStandsLeftOfAndAboveTheCursor)
{
    auto chart = openChart();
    QWidget* pic = picture(*chart);
    const QPoint at(pic->width() - 20, pic->height() - 10);
    QTest::mouseMove(pic, at);
    const QRect box = popup(*chart).geometry();
    EXPECT_EQ(box.right() + 1, pic->x() + at.x() - 10);
    EXPECT_EQ(box.bottom() + 1, pic->y() + at.y());
}

TEST_F(ChartMouseTest, AMoveToTheSameCoordinatesRebuildsNothing)
{
    auto chart = openChart();
    chart->picSonarImage_MouseMove(600, 450);
    chart->tmrDepthPopup->stop();
    popup(*chart).setPlainText(QStringLiteral("marker"));
    chart->picSonarImage_MouseMove(600, 450);
    EXPECT_FALSE(chart->tmrDepthPopup->isActive());
    EXPECT_EQ(popup(*chart).toPlainText(), QStringLiteral("marker"));
}

TEST_F(ChartMouseTest, TheRightButtonZoomsOutOrCancelsADrag)
{
    auto chart = openChart();
    QWidget* pic = picture(*chart);
    QTest::mousePress(pic, Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngUpperLimit(), 0);
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 30);
    chart->SonarOptions.setsngLowerLimit(120);
    chart->SonarOptions.setsngUpperLimit(100);
    QTest::mousePress(pic, Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngUpperLimit(), 95);
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 125);

    QTest::mousePress(pic, Qt::LeftButton, {}, QPoint(100, 20));
    QTest::mouseMove(pic, QPoint(110, 120));
    EXPECT_EQ(chart->picSonarImage->focusRects().size(), 1);
    QTest::mousePress(pic, Qt::RightButton, {}, QPoint(110, 120));
    EXPECT_TRUE(chart->picSonarImage->focusRects().isEmpty());
    QTest::mouseRelease(pic, Qt::LeftButton, {}, QPoint(110, 120));
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngUpperLimit(), 95);
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 125);
}

TEST_F(ChartMouseTest, ALeftDragDrawsTheBandAndZoomsIntoIt)
{
    auto chart = openChart();
    QWidget* pic = picture(*chart);
    const float feetPerPixel = 20.0f / static_cast<float>(chart->depthPixels());
    QTest::mousePress(pic, Qt::LeftButton, {}, QPoint(100, 150));
    // Still a click: the band and the marker across the chart at the cursor.
    QTest::mouseMove(pic, QPoint(102, 151));
    ASSERT_EQ(chart->picSonarImage->focusRects().size(), 2);
    EXPECT_EQ(chart->picSonarImage->focusRects()[1], QRect(102, 0, 0, chart->depthPixels()));
    QTest::mouseMove(pic, QPoint(104, 50));
    ASSERT_EQ(chart->picSonarImage->focusRects().size(), 1);
    EXPECT_EQ(chart->picSonarImage->focusRects()[0], QRect(0, 50, chart->chartColumns(), 100));
    QTest::mouseRelease(pic, Qt::LeftButton, {}, QPoint(104, 50));
    EXPECT_TRUE(chart->picSonarImage->focusRects().isEmpty());
    EXPECT_NEAR(chart->SonarOptions.sngUpperLimit(), 50 * feetPerPixel, 1e-3);
    EXPECT_NEAR(chart->SonarOptions.sngLowerLimit(), 150 * feetPerPixel, 1e-3);
}

TEST_F(ChartMouseTest, ADragWiderThanAClickButThinAcrossDepthChangesNothing)
{
    auto chart = openChart();
    const int32_t position = chart->position();
    chart->picSonarImage_MouseDown(1, 1500, 1500);
    chart->picSonarImage_MouseUp(1580, 1574);
    EXPECT_EQ(chart->position(), position);
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngUpperLimit(), 0);
    EXPECT_FLOAT_EQ(chart->SonarOptions.sngLowerLimit(), 20);
}

TEST_F(ChartMouseTest, AClickReCentresTheChartOnTheClickedSoundingAndDepth)
{
    auto chart = openChart();
    chart->SonarOptions.setsngLowerLimit(120);
    chart->SonarOptions.setsngUpperLimit(100);
    const int32_t columns = chart->chartColumns();
    const int32_t before = chart->position();
    const float feetPerPixel = 20.0f / static_cast<float>(chart->depthPixels());
    // 74 twips both ways is still a click; the depth is taken between press and release.
    chart->picSonarImage_MouseDown(1, 15 * 40, 15 * 30);
    chart->picSonarImage_MouseUp(15 * 40 + 74, 15 * 30 + 74);
    EXPECT_EQ(chart->position(), 40 + before - columns / 2);
    const float middle = (15 * 30 + 37) / 15.0f;
    EXPECT_NEAR(chart->SonarOptions.sngUpperLimit(),
                100 + (middle - chart->depthPixels() / 2.0f) * feetPerPixel, 0.01);
    EXPECT_NEAR(chart->SonarOptions.sngDepthRange(), 20, 1e-3);
    EXPECT_TRUE(chart->bIdleWorking);
}

} // namespace

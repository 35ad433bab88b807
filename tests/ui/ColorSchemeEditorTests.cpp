// The colour scheme editor on its real controls: the mouse on the colour bars (drag limits,
// insertion, deletion, recolouring), the black line and no-echo colours, the widths in both
// layouts, a file written after a series of edits, and every chart following the scheme.
#include "ShellTestSupport.h"

#include "common/ScreenTwips.h"
#include "dialogs/BoundSpinBox.h"
#include "dialogs/ColorBar.h"
#include "dialogs/ColorSwatch.h"
#include "dialogs/frmUserColorScheme.h"
#include "render/RgbColor.h"
#include "render/tSonarColor.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

#include <vector>

namespace {

using brellix::frmUserColorScheme;
using brellix::tColorScheme;

constexpr int32_t kChosen = brellix::rgbColor(10, 20, 30);

class ColorSchemeEditorTest : public ::testing::Test
{
protected:
    ColorSchemeEditorTest()
    {
        editor.setColorChooser([this](int32_t current) -> std::optional<int32_t> {
            offered.push_back(current);
            return choice;
        });
        editor.ShowUserColorScheme(tColorScheme::kUserRegionsColorMode);
        editor.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&editor));
    }

    tColorScheme& scheme() { return editor.UserColorScheme(); }
    QWidget* bar(int region) { return editor.controls(region).picPalette; }
    // The pixel row of a position on a region's bar, from the top as the mouse has it.
    QPoint at(int region, int position)
    {
        const int height = bar(region)->height();
        return {bar(region)->width() / 2, height - position * height / 256};
    }

    struct Application
    {
        Application() { shelltest::ensureApplication(); }
    } application;
    QWidget owner;
    frmUserColorScheme editor{&owner};
    std::optional<int32_t> choice = kChosen;
    std::vector<int32_t> offered;
};

TEST_F(ColorSchemeEditorTest, ADraggedPointStopsEightPositionsShortOfItsNeighbours)
{
    // Region 1: 0, 103, 164, 255.
    QTest::mousePress(bar(1), Qt::LeftButton, {}, at(1, 103));
    QTest::mouseMove(bar(1), at(1, 5));
    EXPECT_EQ(scheme().iIndex(1, 1), 8);
    QTest::mouseMove(bar(1), at(1, 250));
    EXPECT_EQ(scheme().iIndex(1, 1), 156);
    QTest::mouseRelease(bar(1), Qt::LeftButton, {}, at(1, 250));
    // A drag is no click: no colour asked.
    EXPECT_TRUE(offered.empty());
    EXPECT_EQ(scheme().iNumColorPoints(1), 4);
}

TEST_F(ColorSchemeEditorTest, AClickOnAnEmptyPartInsertsThePointWithTheColourShownThere)
{
    const int32_t shown = scheme().GetColorValue(1, 50);
    QTest::mouseClick(bar(1), Qt::LeftButton, {}, at(1, 50));
    ASSERT_EQ(scheme().iNumColorPoints(1), 5);
    EXPECT_EQ(scheme().iIndex(1, 1), 50);
    EXPECT_EQ(scheme().lColorValue(1, 1), shown);
    EXPECT_TRUE(offered.empty());
    // The right button inserts nothing.
    QTest::mouseClick(bar(1), Qt::RightButton, {}, at(1, 200));
    EXPECT_EQ(scheme().iNumColorPoints(1), 5);
}

TEST_F(ColorSchemeEditorTest, TheRightButtonDeletesAnInnerPointAndAClickOnAPointRecoloursIt)
{
    QTest::mouseClick(bar(0), Qt::RightButton, {}, at(0, 0));
    EXPECT_EQ(scheme().iNumColorPoints(0), 3);
    QTest::mouseClick(bar(0), Qt::LeftButton, {}, at(0, 0));
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], brellix::rgbColor(0, 0, 128));
    EXPECT_EQ(scheme().lColorValue(0, 0), kChosen);

    QTest::mouseClick(bar(0), Qt::RightButton, {}, at(0, 103));
    EXPECT_EQ(scheme().iNumColorPoints(0), 2);
    EXPECT_EQ(scheme().iIndex(0, 1), 255);
    // Cancelling the dialog keeps the colour.
    choice.reset();
    QTest::mouseClick(bar(0), Qt::LeftButton, {}, at(0, 255));
    EXPECT_EQ(offered.size(), 2u);
    EXPECT_EQ(scheme().lColorValue(0, 1), brellix::rgbColor(255, 255, 255));
}

TEST_F(ColorSchemeEditorTest, TheSwatchesChooseTheBlackLineAndNoEchoColours)
{
    QTest::mouseClick(editor.controls(2).picNoEcho, Qt::LeftButton);
    EXPECT_EQ(scheme().lNoEchoColor(2), kChosen);
    EXPECT_EQ(editor.controls(2).picNoEcho->color(), kChosen);
    choice = brellix::rgbColor(1, 2, 3);
    QTest::mouseClick(editor.controls(1).picBlackline, Qt::LeftButton);
    EXPECT_EQ(scheme().lBlacklineColor(1), brellix::rgbColor(1, 2, 3));
    EXPECT_EQ(scheme().lBlacklineColor(0), 0);
}

TEST_F(ColorSchemeEditorTest, TheLayoutsAndTheirWidths)
{
    const auto pixels = [this](int twips) {
        return brellix::twipsToPixels(twips, brellix::screenTwipsPerPixelX(editor.screen()));
    };
    EXPECT_EQ(editor.width(), pixels(4860));
    for (int region = 0; region < 3; ++region) {
        EXPECT_FALSE(editor.controls(region).fraColorGroup->isHidden());
        EXPECT_EQ(editor.controls(region).fraColorGroup->x(), pixels(120 + 1560 * region));
    }
    EXPECT_EQ(editor.controls(1).fraColorGroup->title(), QStringLiteral("Fish"));
    // Typing 7 in region 2's box: region 2 alone.
    brellix::BoundSpinBox* width2 = editor.controls(2).udBlacklineWidth;
    width2->text()->selectAll();
    QTest::keyClicks(width2->text(), QStringLiteral("7"));
    EXPECT_EQ(scheme().iBlacklineWidth(2), 7);
    EXPECT_EQ(scheme().iBlacklineWidth(1), 1);
    EXPECT_EQ(width2->value(), 7);
    EXPECT_EQ(width2->text()->text(), QStringLiteral("7"));
    // Beyond the up-down's 20: ignored.
    QTest::keyClicks(width2->text(), QStringLiteral("5"));
    EXPECT_EQ(scheme().iBlacklineWidth(2), 7);

    editor.ShowUserColorScheme(tColorScheme::kUserColorMode);
    EXPECT_EQ(editor.width(), pixels(1770));
    EXPECT_TRUE(editor.controls(0).fraColorGroup->isHidden());
    EXPECT_TRUE(editor.controls(2).fraColorGroup->isHidden());
    EXPECT_EQ(editor.controls(1).fraColorGroup->x(), pixels(120));
    EXPECT_EQ(editor.controls(1).fraColorGroup->title(), QStringLiteral("Settings"));
    editor.controls(1).udBlacklineWidth->setValue(3);
    for (int region = 0; region < 3; ++region) {
        EXPECT_EQ(scheme().iBlacklineWidth(region), 3);
    }
}

TEST_F(ColorSchemeEditorTest, ShowingTheSchemesWidthsInTheSingleLayoutWritesNothingBack)
{
    editor.ShowUserColorScheme(tColorScheme::kUserColorMode);
    scheme().setiBlacklineWidth(0, 2);
    scheme().setiBlacklineWidth(2, 9);
    EXPECT_EQ(scheme().iBlacklineWidth(0), 2);
    EXPECT_EQ(scheme().iBlacklineWidth(1), 1);
    EXPECT_EQ(scheme().iBlacklineWidth(2), 9);
}

TEST_F(ColorSchemeEditorTest, AFileWrittenAfterASeriesOfEditsReadsBackTheSame)
{
    QTemporaryDir folder;
    // Insert close to a neighbour, then drag it hard both ways; insert, delete, recolour.
    QTest::mouseClick(bar(1), Qt::LeftButton, {}, at(1, 109));
    QTest::mouseClick(bar(1), Qt::LeftButton, {}, at(1, 115));
    ASSERT_EQ(scheme().iNumColorPoints(1), 6);
    QTest::mousePress(bar(1), Qt::LeftButton, {}, at(1, 109));
    QTest::mouseMove(bar(1), at(1, 0));
    QTest::mouseMove(bar(1), at(1, 255));
    QTest::mouseRelease(bar(1), Qt::LeftButton, {}, at(1, 255));
    QTest::mouseClick(bar(2), Qt::LeftButton, {}, at(2, 200));
    QTest::mouseClick(bar(2), Qt::RightButton, {}, at(2, 52));
    QTest::mouseClick(bar(2), Qt::LeftButton, {}, at(2, 200));
    for (int region = 0; region < 3; ++region) {
        for (int point = 1; point < scheme().iNumColorPoints(region); ++point) {
            EXPECT_LT(scheme().iIndex(region, point - 1), scheme().iIndex(region, point));
        }
    }
    const QString file = folder.filePath(QStringLiteral("edited.kcf"));
    ASSERT_TRUE(scheme().WriteScheme(file, true));
    tColorScheme reread;
    QString error;
    EXPECT_EQ(reread.ReadScheme(file, &error), tColorScheme::kUserRegionsColorMode);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    for (int region = 0; region < 3; ++region) {
        ASSERT_EQ(reread.iNumColorPoints(region), scheme().iNumColorPoints(region));
        for (int point = 0; point < scheme().iNumColorPoints(region); ++point) {
            EXPECT_EQ(reread.iIndex(region, point), scheme().iIndex(region, point));
            EXPECT_EQ(reread.lColorValue(region, point), scheme().lColorValue(region, point));
        }
    }
}

class ColorSchemeInMainTest : public shelltest::ShellTest
{
};

TEST_F(ColorSchemeInMainTest, AChosenColourReachesEveryChartInAUserMode)
{
    brellix::frmMain& main = startMain(writeSlg(QStringLiteral("a.slg"), 40));
    main.mnuWindowNewWindow->trigger();
    const QList<brellix::frmDocument*> charts = main.documents();
    ASSERT_EQ(charts.size(), 2);
    using Table = std::vector<int32_t>;
    const auto table = [](const brellix::frmDocument* chart) {
        Table colors;
        for (int16_t index = 0; index < 256; ++index) {
            colors.push_back(chart->Chart.Bitmap().bitmapColor(index));
        }
        return colors;
    };
    std::vector<Table> before;
    for (brellix::frmDocument* chart : charts) {
        chart->SonarOptions.setColorMode(brellix::tSonarOptions::kUserDefined);
        before.push_back(table(chart));
    }
    frmUserColorScheme& editor = main.userColorSchemeWindow();
    editor.setColorChooser([](int32_t) { return std::optional<int32_t>(kChosen); });
    QWidget* bar = editor.controls(1).picPalette;
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, 0));
    EXPECT_EQ(editor.UserColorScheme().lColorValue(1, 3), kChosen);

    // Every chart shows the palette the changed scheme gives.
    Table expected(256, -1);
    brellix::tSonarColor reference;
    reference.setUserColorScheme(&editor.UserColorScheme());
    QObject::connect(&reference, &brellix::tSonarColor::SetColorTableValue,
                     [&expected](int16_t index, int32_t rgb) {
                         if (index >= 0 && index < 256) {
                             expected[size_t(index)] = rgb;
                         }
                     });
    reference.SetColorMode(brellix::tSonarOptions::kUserDefined);
    for (qsizetype i = 0; i < charts.size(); ++i) {
        EXPECT_NE(table(charts[i]), before[size_t(i)]);
        EXPECT_EQ(table(charts[i]), expected);
    }
}

} // namespace

// The chart settings window on its real controls: what LoadSettings shows, enables and puts in
// reach, the fish coupling, typing into the limit boxes, and, inside the main window, the
// editor it opens on entering a user colour mode and its close box.
#include "ShellTestSupport.h"

#include "dialogs/BoundSpinBox.h"
#include "dialogs/frmChartOptions.h"
#include "dialogs/frmUserColorScheme.h"
#include "options/tSonarOptions.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

#include <cstdlib>

namespace {

using brellix::BoundSpinBox;
using brellix::frmChartOptions;
using brellix::tSonarOptions;

class ChartOptionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Every change reloads the window, as the chart's redraw and the menu synchronisation
        // do in the viewer.
        QObject::connect(&options, &tSonarOptions::OptionsChanged, &window,
                         [this] { window.LoadSettings(); });
    }

    void edit()
    {
        window.setSonarOptions(&options);
        window.LoadSettings();
    }

    // Clears the box and types text into it, key by key.
    static void type(BoundSpinBox* box, const QString& text)
    {
        box->text()->selectAll();
        QTest::keyClick(box->text(), Qt::Key_Backspace);
        QTest::keyClicks(box->text(), text);
    }

    // First: the widgets below need the application.
    struct Application
    {
        Application() { shelltest::ensureApplication(); }
    } application;
    QWidget owner;
    frmChartOptions window{&owner};
    tSonarOptions options;
};

TEST_F(ChartOptionsTest, WithoutOptionsEveryControlIsDisabledWithThemTheyShowTheirValues)
{
    window.LoadSettings();
    for (QWidget* control : std::initializer_list<QWidget*>{
             window.cboColorMode, window.cboASP, window.chkFishDepths, window.udLowerLimit}) {
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    }
    options.setColorMode(tSonarOptions::kScanningGray);
    options.setSurfaceClarity(3);
    options.setbFishSymbols(true);
    edit();
    EXPECT_TRUE(window.cboColorMode->isEnabled());
    EXPECT_EQ(window.cboColorMode->currentText(), QStringLiteral("Scanning Gray"));
    EXPECT_EQ(window.cboColorMode->count(), 8);
    EXPECT_EQ(window.cboSurfaceClarity->currentText(), QStringLiteral("High"));
    EXPECT_EQ(window.cboASP->currentText(), QStringLiteral("Normal"));
    EXPECT_TRUE(window.chkFishSymbols->isChecked());
    EXPECT_EQ(window.udLowerLimit->value(), 600);
    // Automatic range: the limits are the chart's own.
    EXPECT_FALSE(window.udUpperLimit->isEnabled());
    window.chkAutoDepthRange->click();
    EXPECT_FALSE(options.bAutoDepthRange());
    EXPECT_TRUE(window.udUpperLimit->isEnabled());
    EXPECT_TRUE(window.udLowerLimit->isEnabled());

    window.cboASP->setCurrentIndex(2);
    emit window.cboASP->activated(2);
    EXPECT_EQ(options.AdvancedSignalProcessing(), 2);
    window.chkAutoSense->click();
    EXPECT_FALSE(options.bAutoSensitivity());
}

TEST_F(ChartOptionsTest, LoadingPutsTheDepthWindowWithinTheLimitBoxes)
{
    options.setsngLowerLimit(15000);
    options.setsngUpperLimit(100.5f);
    edit();
    EXPECT_FLOAT_EQ(options.sngLowerLimit(), 12000);
    EXPECT_EQ(window.udLowerLimit->value(), 12000);
    // Halves to the even neighbour.
    EXPECT_EQ(window.udUpperLimit->value(), 100);
    EXPECT_EQ(window.udUpperLimit->minimum(), 0);
    options.setAllowSubZeroUL(true);
    window.LoadSettings();
    EXPECT_EQ(window.udUpperLimit->minimum(), -12000);
}

TEST_F(ChartOptionsTest, FishDepthsBringTheirSymbolsAndGoWithThem)
{
    edit();
    window.chkFishDepths->click();
    EXPECT_TRUE(options.bFishDepths());
    EXPECT_TRUE(options.bFishSymbols());
    EXPECT_TRUE(window.chkFishSymbols->isChecked());
    window.chkFishSymbols->click();
    EXPECT_FALSE(options.bFishSymbols());
    EXPECT_FALSE(options.bFishDepths());
    EXPECT_FALSE(window.chkFishDepths->isChecked());
}

TEST_F(ChartOptionsTest, TypingALimitEditsItLiveAndLeavingTheBoxShowsTheValueInForce)
{
    options.setbAutoDepthRange(false);
    edit();
    type(window.udUpperLimit, QStringLiteral("7"));
    EXPECT_FLOAT_EQ(options.sngUpperLimit(), 7);
    QTest::keyClicks(window.udUpperLimit->text(), QStringLiteral("5"));
    EXPECT_FLOAT_EQ(options.sngUpperLimit(), 75);
    // The lower limit keeps 5 feet below: 598 stops at 595.
    type(window.udUpperLimit, QStringLiteral("598"));
    EXPECT_FLOAT_EQ(options.sngUpperLimit(), 595);
    EXPECT_EQ(window.udUpperLimit->text()->text(), QStringLiteral("595"));
    // No number, or one out of range: the limit stays, and leaving the box shows it.
    type(window.udUpperLimit, QStringLiteral("x"));
    type(window.udUpperLimit, QStringLiteral("-40"));
    EXPECT_FLOAT_EQ(options.sngUpperLimit(), 595);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(window.udUpperLimit, &leave);
    EXPECT_EQ(window.udUpperLimit->text()->text(), QStringLiteral("595"));
}

TEST_F(ChartOptionsTest, RaisingTheLowerLimitLowersTheUpperBoxsMaximum)
{
    options.setbAutoDepthRange(false);
    edit();
    window.udLowerLimit->setValue(300);
    EXPECT_FLOAT_EQ(options.sngLowerLimit(), 300);
    EXPECT_EQ(window.udUpperLimit->maximum(), 295);
    window.udUpperLimit->setValue(290);
    window.udUpperLimit->stepBy(1);
    EXPECT_FLOAT_EQ(options.sngUpperLimit(), 295);
    EXPECT_EQ(window.udLowerLimit->minimum(), 300);
}

TEST(BoundSpinBoxText, TheLeadingNumberRoundsHalvesToEven)
{
    EXPECT_EQ(BoundSpinBox::leadingNumber(QStringLiteral("75ft")), 75);
    EXPECT_EQ(BoundSpinBox::leadingNumber(QStringLiteral(" 12.5")), 12);
    EXPECT_EQ(BoundSpinBox::leadingNumber(QStringLiteral("13.5")), 14);
    EXPECT_EQ(BoundSpinBox::leadingNumber(QStringLiteral("-7")), -7);
    EXPECT_FALSE(BoundSpinBox::leadingNumber(QStringLiteral("ft")).has_value());
    EXPECT_FALSE(BoundSpinBox::leadingNumber(QStringLiteral("1e300")).has_value());
}

class ChartOptionsInMainTest : public shelltest::ShellTest
{
};

TEST_F(ChartOptionsInMainTest, EnteringAUserColourModeOpensTheEditorOnce)
{
    brellix::frmMain& main = startMain(writeSlg(QStringLiteral("u.slg"), 50));
    brellix::frmDocument* chart = main.ActiveForm();
    ASSERT_NE(chart, nullptr);
    EXPECT_FALSE(main.userColorSchemeWindow().isVisible());
    main.chartOptions().cboColorMode->setCurrentIndex(tSonarOptions::kUserDefined);
    emit main.chartOptions().cboColorMode->activated(tSonarOptions::kUserDefined);
    EXPECT_EQ(chart->SonarOptions.ColorMode(), tSonarOptions::kUserDefined);
    EXPECT_TRUE(main.userColorSchemeWindow().isVisible());
    EXPECT_TRUE(main.mnuViewUserColorScheme->isChecked());

    main.userColorSchemeWindow().close();
    chart->SonarOptions.setColorMode(tSonarOptions::kUserDefinedRegions);
    EXPECT_FALSE(main.userColorSchemeWindow().isVisible());
    chart->SonarOptions.setColorMode(tSonarOptions::kGrayscale);
    chart->SonarOptions.setColorMode(tSonarOptions::kUserDefinedRegions);
    EXPECT_TRUE(main.userColorSchemeWindow().isVisible());
}

TEST_F(ChartOptionsInMainTest, TheCloseBoxForgetsThePositionAndTheNextShowingTakesTheDefault)
{
    // A main window small enough for the default place to lie on the screen.
    for (const char* key : {"MainLeft", "MainTop"}) {
        settings().saveFloat(QStringLiteral("Settings"), QLatin1String(key), 0.0f);
    }
    settings().saveFloat(QStringLiteral("Settings"), QStringLiteral("MainWidth"), 3000.0f);
    brellix::frmMain& main = startMain();
    if (!main.mnuViewChartSettings->isChecked()) {
        main.mnuViewChartSettings->trigger();
    }
    main.chartOptions().move(40, 30);
    main.close();
    EXPECT_TRUE(
        settings().contains(QStringLiteral("Settings"), QStringLiteral("ChartOptionsLeft")));
    m_main.reset();

    brellix::frmMain& next = startMain();
    ASSERT_TRUE(next.chartOptions().isVisible());
    EXPECT_EQ(next.chartOptions().pos(), QPoint(40, 30));
    next.chartOptions().close();
    EXPECT_FALSE(next.mnuViewChartSettings->isChecked());
    EXPECT_FALSE(
        settings().contains(QStringLiteral("Settings"), QStringLiteral("ChartOptionsLeft")));
    next.mnuViewChartSettings->trigger();
    // Once shown the window has a frame, which the platform may add around the place given.
    const QRect frame = next.frameGeometry();
    const QWidget& options = next.chartOptions();
    const int border = options.geometry().x() - options.frameGeometry().x();
    EXPECT_LE(std::abs(options.pos().x() - (frame.x() + frame.width())), border);
    EXPECT_LE(std::abs(options.pos().y() - frame.y()), border);
}

} // namespace

#include "ShellTestSupport.h"

#include "dialogs/frmChartOptions.h"
#include "dialogs/frmUserColorScheme.h"
#include "document/frmDocument.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStandardPaths>
#include <QToolBar>

#include <cmath>

namespace {

using shelltest::ShellTest;

const QString kSettings = QStringLiteral("Settings");
const QString kOptions = QStringLiteral("Options");

class SettingsPersistenceTest : public ShellTest
{
protected:
    // Pixels for twips on the screen of the main window.
    int pixelsX(double twips) const
    {
        return static_cast<int>(std::nearbyint(twips * m_main->logicalDpiX() / 1440.0));
    }
    int pixelsY(double twips) const
    {
        return static_cast<int>(std::nearbyint(twips * m_main->logicalDpiY() / 1440.0));
    }
    double twipsX(int pixels) const { return pixels * 1440.0 / m_main->logicalDpiX(); }
    double twipsY(int pixels) const { return pixels * 1440.0 / m_main->logicalDpiY(); }

    void seedPlacement()
    {
        settings().saveText(kSettings, QStringLiteral("MainLeft"), QStringLiteral("111"));
        settings().saveText(kSettings, QStringLiteral("MainTop"), QStringLiteral("222"));
        settings().saveText(kSettings, QStringLiteral("MainWidth"), QStringLiteral("7777"));
        settings().saveText(kSettings, QStringLiteral("MainHeight"), QStringLiteral("8888"));
        settings().saveText(kSettings, QStringLiteral("State"), QStringLiteral("9"));
    }

    QString text(const QString& section, const QString& key)
    {
        return settings().getText(section, key, QStringLiteral("<absent>"));
    }
};

TEST_F(SettingsPersistenceTest, FirstStartPlacesTheWindowAtTheDefaultTwipsShowingTheWholeToolbar)
{
    brellix::frmMain& main = startMain();
    EXPECT_EQ(main.pos(), QPoint(pixelsX(1000), pixelsY(1000)));
    EXPECT_GE(main.width(), pixelsX(6500));
    EXPECT_GE(main.height(), pixelsY(6500));
    EXPECT_GE(main.width(), main.tbToolBar->sizeHint().width());
    const QSize screen = main.screen()->availableGeometry().size();
    EXPECT_LE(main.width(), screen.width());
    EXPECT_LE(main.height(), screen.height());
    EXPECT_EQ(main.windowState(), Qt::WindowNoState);
}

TEST_F(SettingsPersistenceTest, AStoredSizeWinsOverTheFirstStartSize)
{
    settings().saveFloat(kSettings, QStringLiteral("MainWidth"), 6500.0f);
    settings().saveFloat(kSettings, QStringLiteral("MainHeight"), 6000.0f);
    brellix::frmMain& main = startMain();
    EXPECT_EQ(main.size(), QSize(pixelsX(6500), pixelsY(6000)));
}

TEST_F(SettingsPersistenceTest, FirstStartChecksChartSettingsAndShowsItsWindow)
{
    brellix::frmMain& main = startMain();
    EXPECT_TRUE(main.mnuViewChartSettings->isChecked());
    EXPECT_TRUE(main.chartOptions().isVisible());
    EXPECT_EQ(main.statusPanel(1)->text(), QStringLiteral("Ready"));
}

TEST_F(SettingsPersistenceTest, TheChartSettingsWindowStartsJustRightOfTheMainWindowOnTheScreen)
{
    settings().saveFloat(kSettings, QStringLiteral("MainLeft"), 0.0f);
    settings().saveFloat(kSettings, QStringLiteral("MainTop"), 0.0f);
    settings().saveFloat(kSettings, QStringLiteral("MainWidth"), 6500.0f);
    settings().saveFloat(kSettings, QStringLiteral("MainHeight"), 6000.0f);
    brellix::frmMain& main = startMain();
    const QRect frame = main.frameGeometry();
    EXPECT_EQ(main.chartOptions().pos(), QPoint(frame.x() + frame.width(), frame.y()));
}

TEST_F(SettingsPersistenceTest, BesideAMainWindowAsWideAsTheScreenTheChartSettingsWindowMovesIn)
{
    brellix::frmMain& wide = makeMain();
    const QRect screen = wide.screen()->availableGeometry();
    settings().saveFloat(kSettings, QStringLiteral("MainLeft"), 0.0f);
    settings().saveFloat(kSettings, QStringLiteral("MainWidth"),
                         static_cast<float>(screen.width() * 15));
    wide.load(QString());
    wide.show();
    QApplication::processEvents();
    EXPECT_EQ(wide.chartOptions().frameGeometry().right(), screen.right());
}

TEST_F(SettingsPersistenceTest, StoredPlacementAndStateAreRestored)
{
    struct Case
    {
        const char* state;
        Qt::WindowStates expected;
    };
    const Case cases[] = {{"0", Qt::WindowNoState},
                          {"1", Qt::WindowMinimized},
                          {"2", Qt::WindowMaximized},
                          {"junk", Qt::WindowNoState}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        settings().saveText(kSettings, QStringLiteral("MainLeft"), QStringLiteral("3000"));
        settings().saveText(kSettings, QStringLiteral("MainTop"), QStringLiteral("1500"));
        settings().saveText(kSettings, QStringLiteral("MainWidth"), QStringLiteral("9000"));
        settings().saveText(kSettings, QStringLiteral("MainHeight"), QStringLiteral("7500"));
        settings().saveText(kSettings, QStringLiteral("State"), QLatin1String(c.state));
        brellix::frmMain& main = makeMain();
        main.load(QString());
        EXPECT_EQ(main.windowState(), c.expected);
        if (c.expected == Qt::WindowNoState) {
            EXPECT_EQ(main.pos(), QPoint(pixelsX(3000), pixelsY(1500)));
            EXPECT_EQ(main.size(), QSize(pixelsX(9000), pixelsY(7500)));
        }
    }
}

TEST_F(SettingsPersistenceTest, HiddenChartSettingsStayHiddenAtStart)
{
    settings().saveBool(kOptions, QStringLiteral("Show Chart Settings"), false);
    brellix::frmMain& main = startMain();
    EXPECT_FALSE(main.mnuViewChartSettings->isChecked());
    EXPECT_FALSE(main.chartOptions().isVisible());
}

TEST_F(SettingsPersistenceTest, ClosingInNormalStateWritesStateAndPlacement)
{
    seedPlacement();
    brellix::frmMain& main = startMain();
    main.move(100, 80);
    main.resize(500, 400);
    main.close();
    settings().sync();
    EXPECT_EQ(text(kSettings, QStringLiteral("State")), QStringLiteral("0"));
    EXPECT_FLOAT_EQ(settings().getFloat(kSettings, QStringLiteral("MainLeft"), -1),
                    static_cast<float>(twipsX(100)));
    EXPECT_FLOAT_EQ(settings().getFloat(kSettings, QStringLiteral("MainTop"), -1),
                    static_cast<float>(twipsY(80)));
    EXPECT_FLOAT_EQ(settings().getFloat(kSettings, QStringLiteral("MainWidth"), -1),
                    static_cast<float>(twipsX(500)));
    EXPECT_FLOAT_EQ(settings().getFloat(kSettings, QStringLiteral("MainHeight"), -1),
                    static_cast<float>(twipsY(400)));
    EXPECT_EQ(text(kOptions, QStringLiteral("Show Chart Settings")), QStringLiteral("True"));
}

TEST_F(SettingsPersistenceTest, ThePlacementWrittenAtCloseIsTheOneRestoredNextTime)
{
    brellix::frmMain& first = startMain();
    first.move(150, 90);
    first.resize(640, 480);
    first.close();
    reopenSettings();
    brellix::frmMain& second = startMain();
    EXPECT_EQ(second.pos(), QPoint(150, 90));
    EXPECT_EQ(second.size(), QSize(640, 480));
}

TEST_F(SettingsPersistenceTest, ClosingMaximisedWritesOnlyTheState)
{
    seedPlacement();
    brellix::frmMain& main = startMain();
    main.showMaximized();
    main.close();
    EXPECT_EQ(text(kSettings, QStringLiteral("State")), QStringLiteral("2"));
    EXPECT_EQ(text(kSettings, QStringLiteral("MainLeft")), QStringLiteral("111"));
    EXPECT_EQ(text(kSettings, QStringLiteral("MainTop")), QStringLiteral("222"));
    EXPECT_EQ(text(kSettings, QStringLiteral("MainWidth")), QStringLiteral("7777"));
    EXPECT_EQ(text(kSettings, QStringLiteral("MainHeight")), QStringLiteral("8888"));
}

TEST_F(SettingsPersistenceTest, ClosingMinimisedWritesNothingOfThePlacement)
{
    seedPlacement();
    brellix::frmMain& main = startMain();
    main.showMinimized();
    main.close();
    EXPECT_EQ(text(kSettings, QStringLiteral("State")), QStringLiteral("9"));
    EXPECT_EQ(text(kSettings, QStringLiteral("MainLeft")), QStringLiteral("111"));
    EXPECT_EQ(text(kSettings, QStringLiteral("MainHeight")), QStringLiteral("8888"));
    EXPECT_EQ(text(kOptions, QStringLiteral("Show Chart Settings")), QStringLiteral("True"));
}

TEST_F(SettingsPersistenceTest, ClosingWritesTheChartSettingsCheckMark)
{
    brellix::frmMain& main = startMain();
    main.mnuViewChartSettings->trigger();
    ASSERT_FALSE(main.mnuViewChartSettings->isChecked());
    main.close();
    EXPECT_EQ(text(kOptions, QStringLiteral("Show Chart Settings")), QStringLiteral("False"));
}

TEST_F(SettingsPersistenceTest, TheChartSettingsPositionIsKeptWhileShownAndDeletedWhileHidden)
{
    brellix::frmMain& main = startMain();
    main.chartOptions().move(300, 200);
    main.close();
    EXPECT_FLOAT_EQ(settings().getFloat(kSettings, QStringLiteral("ChartOptionsLeft"), -1),
                    static_cast<float>(twipsX(300)));
    EXPECT_FLOAT_EQ(settings().getFloat(kSettings, QStringLiteral("ChartOptionsTop"), -1),
                    static_cast<float>(twipsY(200)));

    brellix::frmMain& next = startMain();
    EXPECT_EQ(next.chartOptions().pos(), QPoint(300, 200));
    next.mnuViewChartSettings->trigger();
    next.close();
    EXPECT_FALSE(settings().contains(kSettings, QStringLiteral("ChartOptionsLeft")));
    EXPECT_FALSE(settings().contains(kSettings, QStringLiteral("ChartOptionsTop")));
}

TEST_F(SettingsPersistenceTest, WindowsStoredOffTheScreenComeBackOntoIt)
{
    settings().saveFloat(kSettings, QStringLiteral("ChartOptionsLeft"), 90000.0f);
    settings().saveFloat(kSettings, QStringLiteral("ChartOptionsTop"), -3000.0f);
    settings().saveFloat(kSettings, QStringLiteral("MainLeft"), -90000.0f);
    settings().saveFloat(kSettings, QStringLiteral("MainTop"), 1000.0f);
    brellix::frmMain& main = startMain();
    const QRect screen = main.screen()->availableGeometry();
    for (const QWidget* window :
         {static_cast<const QWidget*>(&main), static_cast<const QWidget*>(&main.chartOptions())}) {
        SCOPED_TRACE(window->objectName().toStdString());
        // Its title bar in reach: the top left corner and a good part of its width.
        EXPECT_TRUE(screen.contains(window->frameGeometry().topLeft()));
        EXPECT_LE(window->frameGeometry().left() + 100, screen.right());
    }
    // A position on the screen stays as it was.
    EXPECT_EQ(main.y(), pixelsY(1000));
}

TEST_F(SettingsPersistenceTest, ClosingTheMainWindowLetsEveryChannelWriteItsColourModeKey)
{
    const QString log = writeSl2(QStringLiteral("two.sl2"), {0, 3}, 30);
    brellix::frmMain& main = startMain(log);
    const QList<brellix::frmDocument*> charts = main.documents();
    ASSERT_EQ(charts.size(), 2);
    for (brellix::frmDocument* chart : charts) {
        chart->SonarOptions.setColorMode(chart->channel() == 3 ? 4 : 1);
    }
    main.close();
    EXPECT_EQ(text(kOptions, QStringLiteral("ColorMode0")), QStringLiteral("1"));
    EXPECT_EQ(text(kOptions, QStringLiteral("ColorMode3")), QStringLiteral("4"));
    EXPECT_EQ(text(kOptions, QStringLiteral("ColorMode1")), QStringLiteral("<absent>"));
    EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty() || main.documents().isEmpty());
}

TEST_F(SettingsPersistenceTest, TheNextOpeningOfAChannelStartsWithItsStoredColourMode)
{
    settings().saveInt(kOptions, QStringLiteral("ColorMode3"), 5);
    settings().saveInt(kOptions, QStringLiteral("ColorMode0"), 3);
    const QString log = writeSl2(QStringLiteral("again.sl2"), {0, 3}, 30);
    brellix::frmMain& main = startMain(log);
    for (brellix::frmDocument* chart : main.documents()) {
        SCOPED_TRACE(chart->channel());
        EXPECT_EQ(chart->SonarOptions.ColorMode(), chart->channel() == 3 ? 5 : 3);
    }
}

TEST_F(SettingsPersistenceTest, TheChartKeysOfTheLastClosedChartAreWritten)
{
    const QString log = writeSlg(QStringLiteral("keys.slg"), 40);
    brellix::frmMain& main = startMain(log);
    ASSERT_EQ(main.documents().size(), 1);
    brellix::frmDocument* chart = main.documents().first();
    chart->SonarOptions.setSurfaceClarity(3);
    chart->SonarOptions.setAdvancedSignalProcessing(0);
    chart->SonarOptions.setbAutoSensitivity(false);
    main.close();
    EXPECT_EQ(text(kSettings, QStringLiteral("SurfaceClarity")), QStringLiteral("3"));
    EXPECT_EQ(text(kSettings, QStringLiteral("ASP")), QStringLiteral("0"));
    EXPECT_EQ(text(kSettings, QStringLiteral("AutoSense")), QStringLiteral("False"));
    EXPECT_EQ(text(kOptions, QStringLiteral("DocState")), QStringLiteral("0"));
}

} // namespace

namespace {

class SettingsFoldersTest : public shelltest::ShellTest
{
};

TEST_F(SettingsFoldersTest, TheFileDialogStartsInTheDocumentsFolderOnFirstStart)
{
    brellix::frmMain& main = startMain();
    // The Documents folder, or the home folder on an account without one.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(documents).exists()) {
        documents = QDir::homePath();
    }
    EXPECT_EQ(main.fileDialogFolder(), documents + QLatin1Char('/'));
}

TEST_F(SettingsFoldersTest, TheFileDialogStartsInTheStoredFolder)
{
    settings().saveText(QStringLiteral("Options"), QStringLiteral("MRUDir"),
                        QStringLiteral("/data/logs/"));
    brellix::frmMain& main = startMain();
    EXPECT_EQ(main.fileDialogFolder(), QStringLiteral("/data/logs/"));
}

TEST_F(SettingsFoldersTest, TheEditorPositionIsKeptWhileShownAndDeletedWhileHidden)
{
    brellix::frmMain& main = startMain();
    main.mnuViewUserColorScheme->trigger();
    main.userColorSchemeWindow().move(200, 120);
    main.close();
    const double tppX = 1440.0 / main.logicalDpiX();
    const double tppY = 1440.0 / main.logicalDpiY();
    EXPECT_EQ(settings().getText(QStringLiteral("Settings"), QStringLiteral("UserColorScheme"),
                                 QString()),
              QStringLiteral("%1,%2").arg(std::lround(200 * tppX)).arg(std::lround(120 * tppY)));

    brellix::frmMain& next = startMain();
    next.mnuViewUserColorScheme->trigger();
    EXPECT_EQ(next.userColorSchemeWindow().pos(), QPoint(200, 120));
    next.mnuViewUserColorScheme->trigger();
    next.close();
    EXPECT_FALSE(
        settings().contains(QStringLiteral("Settings"), QStringLiteral("UserColorScheme")));
}

} // namespace

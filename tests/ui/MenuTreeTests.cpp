#include "ShellTestSupport.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

using shelltest::ShellTest;

struct MenuRow
{
    const char* name;
    const char* caption;
    const char* shortcut;
    bool shown;
    bool checked;
};

// The menu tree in order: control, caption, shortcut, shown, initial check mark.
const MenuRow kMenuTree[] = {
    {"mnuFile", "&File", "", true, false},
    {"mnuFileNew", "&New", "Ctrl+N", false, false},
    {"mnuFileOpen", "&Open Chart", "Ctrl+O", true, false},
    {"mnuFileClose", "&Close Chart", "", true, false},
    {"mnuFileBar1", "-", "", true, false},
    {"mnuFileOpenColors", "Open User Colors", "", true, false},
    {"mnuFileSaveColors", "Save User Colors", "", true, false},
    {"mnuFileBarSeperator", "-", "", true, false},
    {"mnuFileSave", "&Save", "Ctrl+S", false, false},
    {"mnuFileSaveAs", "Save &As...", "", false, false},
    {"mnuFileSaveAll", "Save A&ll", "", false, false},
    {"mnuFileBar2", "-", "", false, false},
    {"mnuFileConvert", "Output Chart Information", "", true, false},
    {"mnuFileProperties", "Propert&ies", "", true, false},
    {"mnuFileBar3", "-", "", false, false},
    {"mnuFilePageSetup", "Page Set&up...", "", false, false},
    {"mnuFilePrintPreview", "Print Pre&view", "", false, false},
    {"mnuFilePrint", "&Print...", "Ctrl+P", false, false},
    {"mnuFileBar4", "-", "", false, false},
    {"mnuFileSend", "Sen&d...", "", false, false},
    {"mnuFileBar5", "-", "", true, false},
    {"mnuFileMRU0", "", "", false, false},
    {"mnuFileMRU1", "", "", false, false},
    {"mnuFileMRU2", "", "", false, false},
    {"mnuFileMRU3", "", "", false, false},
    {"mnuFileBar6", "-", "", false, false},
    {"mnuFileExit", "E&xit", "", true, false},
    {"mnuEdit", "&Edit", "", true, false},
    {"mnuEditUndo", "&Undo", "Ctrl+Z", true, false},
    {"mnuEditBar1", "-", "", true, false},
    {"mnuEditCut", "Cu&t", "Ctrl+X", true, false},
    {"mnuEditCopy", "&Copy", "Ctrl+C", true, false},
    {"mnuEditPaste", "&Paste", "Ctrl+V", true, false},
    {"mnuEditPasteSpecial", "Paste &Special...", "", false, false},
    {"mnuView", "&View", "", true, false},
    {"mnuViewToolbar", "&Toolbar", "", true, true},
    {"mnuViewStatusBar", "Status &Bar", "", true, true},
    {"mnuViewChartSettings", "&Chart Settings", "", true, false},
    {"mnuViewUserColorScheme", "&User Color Scheme", "", true, false},
    {"mnuViewBar2", "-", "", true, false},
    {"mnuViewRefresh", "&Refresh", "", true, false},
    {"mnuViewOptions", "&Options...", "", true, false},
    {"mnuSoundings", "&Sonar Chart", "", true, false},
    {"mnuSoundingsPosition", "Position", "", true, false},
    {"mnuSoundingsPositionPlay", "Play", "", true, false},
    {"mnuSoundingsPositionPause", "Pause", "", true, true},
    {"mnuSoundingsPositionReplay", "Play Reverse", "", true, false},
    {"mnuSoundingsPosition1", "-", "", true, false},
    {"mnuSoundingsPositionPrevious", "Goto Start", "", true, false},
    {"mnuSoundingsPositionRewind", "Rewind", "", true, false},
    {"mnuSoundingsPositionForward", "Forward", "", true, false},
    {"mnuSoundingsPositionNext", "Goto End", "", true, false},
    {"mnuSoundingsPosition2", "-", "", false, false},
    {"mnuSoundingsPositionStartSelection", "Start Selection", "", false, false},
    {"mnuSoundingsPositionStopSelection", "Stop Selection", "", false, false},
    {"mnuSoundings2", "-", "", true, false},
    {"mnuSoundingsSensitivity", "Sensitivity", "", false, false},
    {"mnuSoundingsAutoSensitivity", "Auto Sensitivity", "", false, true},
    {"mnuSoundingsColorLine", "ColorLine", "", false, false},
    {"mnuSoundings3", "-", "", false, false},
    {"mnuSoundingsDepthRange", "Depth Range", "", false, false},
    {"mnuSoundingsAutoDepthRange", "Auto Depth Range", "", true, true},
    {"mnuSoundingsLimits", "Upper and Lower Limits", "", false, false},
    {"mnuSoundings4", "-", "", true, false},
    {"mnuSoundingsFishID", "FishID", "", false, false},
    {"mnuSoundingsFishIDFishSymbols", "Fish Symbols", "", true, true},
    {"mnuSoundingsFishIDFishDepths", "Fish Depths", "", true, true},
    {"mnuSoundingsSurfaceClarity", "Surface Clarity", "", true, false},
    {"mnuSoundingsSurfaceClarityOff", "Off", "", true, false},
    {"mnuSoundingsSurfaceClarityLow", "Low", "", true, false},
    {"mnuSoundingsSurfaceClarityMedium", "Medium", "", true, true},
    {"mnuSoundingsSurfaceClarityHigh", "High", "", true, false},
    {"mnuSoundingsASP", "Advanced Signal Processing", "", true, false},
    {"mnuSoundingsASPOff", "Off", "", true, false},
    {"mnuSoundingsASPNormal", "Normal", "", true, true},
    {"mnuSoundingsASPHigh", "High", "", true, false},
    {"mnuSoundingsColorMode", "Sonar Color Mode", "", true, false},
    {"mnuSoundingsColorModeGrayscale", "Grayscale", "", true, true},
    {"mnuSoundingsColorModeInverseGrayscale", "Inverse Grayscale", "", true, false},
    {"mnuSoundingsColorModeColor1", "Color White Background", "", true, false},
    {"mnuSoundingsColorModeColor2", "Color Blue Background", "", true, false},
    {"mnuSoundingsColorModeScanning1", "Scanning Brown", "", true, false},
    {"mnuSoundingsColorModeScanning2", "Scanning Gray", "", true, false},
    {"mnuSoundingsColorModeUser", "User Defined", "", true, false},
    {"mnuSoundingsColorModeRegions", "Color Regions", "", false, false},
    {"mnuSoundingsColorModeUserRegions", "User Defined Regions", "", true, false},
    {"mnuWindow", "&Window", "", true, false},
    {"mnuWindowNewWindow", "&New Window", "", true, false},
    {"mnuWindowBar1", "-", "", true, false},
    {"mnuWindowCascade", "&Cascade", "", true, false},
    {"mnuWindowTileHorizontal", "Tile &Horizontal", "", true, false},
    {"mnuWindowTileVertical", "Tile &Vertical", "", true, false},
    {"mnuWindowArrangeIcons", "&Arrange Icons", "", true, false},
    {"mnuHelp", "&Help", "", true, false},
    {"mnuHelpContents", "&Contents", "", false, false},
    {"mnuHelpSearch", "&Search For Help On...", "", false, false},
    {"mnuHelpTipOfDay", "&Tip of the Day", "", true, false},
    {"mnuHelpBar1", "-", "", true, false},
    {"mnuHelpAbout", "&About Brellix...", "", true, false},
};

// The items of a menu in order, each submenu followed by its own items.
void collect(const QMenu& menu, QStringList& names)
{
    for (QAction* item : menu.actions()) {
        names.append(item->objectName());
        if (item->menu() != nullptr) {
            collect(*item->menu(), names);
        }
    }
}

class MenuTreeTest : public ShellTest
{
};

TEST_F(MenuTreeTest, EveryItemHasItsCaptionShortcutVisibilityAndInitialCheck)
{
    brellix::frmMain& main = makeMain();
    for (const MenuRow& row : kMenuTree) {
        SCOPED_TRACE(row.name);
        const QAction* item = main.findChild<QAction*>(QLatin1String(row.name));
        ASSERT_NE(item, nullptr);
        const bool separator = QLatin1String(row.caption) == QLatin1String("-");
        // A separator has no text of its own to draw.
        EXPECT_EQ(item->text(), separator ? QString() : QString::fromLatin1(row.caption));
        EXPECT_EQ(item->shortcut(), QKeySequence(QString::fromLatin1(row.shortcut)));
        EXPECT_EQ(item->isVisible(), row.shown);
        EXPECT_EQ(item->isChecked(), row.checked);
        EXPECT_EQ(item->isSeparator(), separator);
    }
}

// The viewer's own items, beyond the tree above: each with its caption and the item it follows.
struct AddedRow
{
    const char* name;
    const char* caption;
    const char* after;
    bool needsChart;
};
const AddedRow kAdditions[] = {
    {"mnuFileExportTrack", "Export &Track...", "mnuFileProperties", true},
    {"mnuFileExportImage", "Export Chart Ima&ge...", "mnuFileExportTrack", true},
    {"mnuViewTrack", "Trac&k", "mnuViewUserColorScheme", false},
};

QStringList menuBarNames(brellix::frmMain& main)
{
    QStringList actual;
    for (QAction* top : main.menuBar()->actions()) {
        actual.append(top->objectName());
        if (top->menu() != nullptr) {
            collect(*top->menu(), actual);
        }
    }
    return actual;
}

TEST_F(MenuTreeTest, TheMenuBarHoldsTheItemsInTheOrderOfTheTree)
{
    brellix::frmMain& main = makeMain();
    QStringList actual = menuBarNames(main);
    for (const AddedRow& added : kAdditions) {
        actual.removeAll(QLatin1String(added.name));
    }
    QStringList expected;
    for (const MenuRow& row : kMenuTree) {
        expected.append(QLatin1String(row.name));
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(MenuTreeTest, TheAdditionsFollowTheirItemsAndThoseForAChartWaitForOne)
{
    brellix::frmMain& main = makeMain();
    const QStringList actual = menuBarNames(main);
    for (const AddedRow& added : kAdditions) {
        SCOPED_TRACE(added.name);
        const qsizetype at = actual.indexOf(QLatin1String(added.name));
        ASSERT_GT(at, 0);
        EXPECT_EQ(actual[at - 1], QLatin1String(added.after));
        const QAction* item = main.findChild<QAction*>(QLatin1String(added.name));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), QString::fromLatin1(added.caption));
        EXPECT_TRUE(item->isVisible());
        main.SynchronizeMenu();
        EXPECT_EQ(item->isEnabled(), !added.needsChart) << "no chart is open";
    }
}

TEST_F(MenuTreeTest, TheStoreDecidesTheChartSettingsCheckAtLoad)
{
    settings().saveBool(QStringLiteral("Options"), QStringLiteral("Show Chart Settings"), true);
    brellix::frmMain& main = makeMain();
    EXPECT_FALSE(main.mnuViewChartSettings->isChecked());
    main.load(QString());
    EXPECT_TRUE(main.mnuViewChartSettings->isChecked());
}

struct ToolRow
{
    int position;
    const char* key; // empty: a separator
};

const ToolRow kToolBar[] = {
    {1, "New"},
    {2, "Open"},
    {3, "Save"},
    {4, ""},
    {5, "Print"},
    {6, ""},
    {7, "Cut"},
    {8, "Copy"},
    {9, "Paste"},
    {10, ""},
    {11, "Replay"},
    {12, "Pause"},
    {13, "Play"},
    {14, ""},
    {15, "Previous"},
    {16, "Rewind"},
    {17, "Forward"},
    {18, "Next"},
    {19, ""},
    {20, "StartSelection"},
    {21, "StopSelection"},
};

TEST_F(MenuTreeTest, TheToolbarHasTwentyOneButtonsWithTheirKeysAndSeparators)
{
    brellix::frmMain& main = makeMain();
    const QList<QAction*> buttons = main.tbToolBar->actions();
    ASSERT_EQ(buttons.size(), 21);
    for (const ToolRow& row : kToolBar) {
        SCOPED_TRACE(row.position);
        const QAction* button = buttons[row.position - 1];
        const QString key = QLatin1String(row.key);
        EXPECT_EQ(button->isSeparator(), key.isEmpty());
        if (key.isEmpty()) {
            continue;
        }
        EXPECT_EQ(button->data().toString(), key);
        EXPECT_EQ(main.toolButton(key), button);
        EXPECT_FALSE(button->icon().isNull());
        if (row.position <= 7) {
            EXPECT_EQ(button->toolTip(), key);
        }
    }
}

TEST_F(MenuTreeTest, TheStatusBarHasStatusDateAndTimePanels)
{
    brellix::frmMain& main = startMain();
    EXPECT_EQ(main.statusPanel(1)->text(), QStringLiteral("Ready"));
    const QLocale locale;
    const QDate today = QDate::currentDate();
    EXPECT_EQ(main.statusPanel(2)->text(), locale.toString(today, QLocale::ShortFormat));
    EXPECT_FALSE(main.statusPanel(3)->text().isEmpty());
}

TEST_F(MenuTreeTest, TheTimePanelKeepsItselfCurrent)
{
    brellix::frmMain& main = startMain();
    main.statusPanel(3)->setText(QStringLiteral("stale"));
    main.statusPanel(2)->setText(QStringLiteral("stale"));
    QEventLoop loop;
    QTimer::singleShot(1200, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_NE(main.statusPanel(3)->text(), QStringLiteral("stale"));
    EXPECT_NE(main.statusPanel(2)->text(), QStringLiteral("stale"));
}

} // namespace

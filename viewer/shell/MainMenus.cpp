#include "shell/MainMenus.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <variant>

namespace brellix {

namespace {

// Where a row's menu or item is kept: a single member, or the next element of a group kept in
// the order of the tree.
using Slot =
    std::variant<QMenu * MainMenus::*, QAction * MainMenus::*, std::vector<QAction*> MainMenus::*>;

enum class Mark { None, Off, On };

struct MenuRow
{
    // 0: a menu of the menu bar; 1: its item or sub-menu; 2: an item of a sub-menu.
    int depth;
    const char* name;
    // "-" for a separator.
    const char* caption;
    const char* shortcut;
    bool shown;
    Mark mark;
    // Enabled only while the active chart is ready.
    bool needsChart;
    Slot slot;
};

using M = MainMenus;
constexpr Mark kNone = Mark::None;
constexpr Mark kOff = Mark::Off;
constexpr Mark kOn = Mark::On;
constexpr bool kChart = true;
constexpr bool kAlways = false;

const MenuRow kMenuRows[] = {
    {0, "mnuFile", "&File", "", true, kNone, kAlways, &M::mnuFile},
    {1, "mnuFileNew", "&New", "Ctrl+N", false, kNone, kAlways, &M::mnuFileNew},
    {1, "mnuFileOpen", "&Open Chart", "Ctrl+O", true, kNone, kAlways, &M::mnuFileOpen},
    {1, "mnuFileClose", "&Close Chart", "", true, kNone, kChart, &M::mnuFileClose},
    {1, "mnuFileBar1", "-", "", true, kNone, kAlways, &M::mnuFileBar1},
    {1, "mnuFileOpenColors", "Open User Colors", "", true, kNone, kAlways, &M::mnuFileOpenColors},
    {1, "mnuFileSaveColors", "Save User Colors", "", true, kNone, kAlways, &M::mnuFileSaveColors},
    {1, "mnuFileBarSeperator", "-", "", true, kNone, kAlways, &M::mnuFileBarSeperator},
    {1, "mnuFileSave", "&Save", "Ctrl+S", false, kNone, kChart, &M::mnuFileSave},
    {1, "mnuFileSaveAs", "Save &As...", "", false, kNone, kChart, &M::mnuFileSaveAs},
    {1, "mnuFileSaveAll", "Save A&ll", "", false, kNone, kChart, &M::mnuFileSaveAll},
    {1, "mnuFileBar2", "-", "", false, kNone, kAlways, &M::mnuFileBar2},
    {1, "mnuFileConvert", "Output Chart Information", "", true, kNone, kAlways, &M::mnuFileConvert},
    {1, "mnuFileProperties", "Propert&ies", "", true, kNone, kChart, &M::mnuFileProperties},
    {1, "mnuFileExportTrack", "Export &Track...", "", true, kNone, kChart, &M::mnuFileExportTrack},
    {1, "mnuFileExportImage", "Export Chart Ima&ge...", "", true, kNone, kChart,
     &M::mnuFileExportImage},
    {1, "mnuFileBar3", "-", "", false, kNone, kAlways, &M::mnuFileBar3},
    {1, "mnuFilePageSetup", "Page Set&up...", "", false, kNone, kAlways, &M::mnuFilePageSetup},
    {1, "mnuFilePrintPreview", "Print Pre&view", "", false, kNone, kChart, &M::mnuFilePrintPreview},
    {1, "mnuFilePrint", "&Print...", "Ctrl+P", false, kNone, kChart, &M::mnuFilePrint},
    {1, "mnuFileBar4", "-", "", false, kNone, kAlways, &M::mnuFileBar4},
    {1, "mnuFileSend", "Sen&d...", "", false, kNone, kChart, &M::mnuFileSend},
    {1, "mnuFileBar5", "-", "", true, kNone, kAlways, &M::mnuFileBar5},
    {1, "mnuFileMRU0", "", "", false, kNone, kAlways, &M::mnuFileMRU},
    {1, "mnuFileMRU1", "", "", false, kNone, kAlways, &M::mnuFileMRU},
    {1, "mnuFileMRU2", "", "", false, kNone, kAlways, &M::mnuFileMRU},
    {1, "mnuFileMRU3", "", "", false, kNone, kAlways, &M::mnuFileMRU},
    {1, "mnuFileBar6", "-", "", false, kNone, kAlways, &M::mnuFileBar6},
    {1, "mnuFileExit", "E&xit", "", true, kNone, kAlways, &M::mnuFileExit},

    {0, "mnuEdit", "&Edit", "", true, kNone, kAlways, &M::mnuEdit},
    {1, "mnuEditUndo", "&Undo", "Ctrl+Z", true, kNone, kChart, &M::mnuEditUndo},
    {1, "mnuEditBar1", "-", "", true, kNone, kAlways, &M::mnuEditBar1},
    {1, "mnuEditCut", "Cu&t", "Ctrl+X", true, kNone, kChart, &M::mnuEditCut},
    {1, "mnuEditCopy", "&Copy", "Ctrl+C", true, kNone, kChart, &M::mnuEditCopy},
    {1, "mnuEditPaste", "&Paste", "Ctrl+V", true, kNone, kChart, &M::mnuEditPaste},
    {1, "mnuEditPasteSpecial", "Paste &Special...", "", false, kNone, kAlways,
     &M::mnuEditPasteSpecial},

    {0, "mnuView", "&View", "", true, kNone, kAlways, &M::mnuView},
    {1, "mnuViewToolbar", "&Toolbar", "", true, kOn, kAlways, &M::mnuViewToolbar},
    {1, "mnuViewStatusBar", "Status &Bar", "", true, kOn, kAlways, &M::mnuViewStatusBar},
    {1, "mnuViewChartSettings", "&Chart Settings", "", true, kOff, kAlways,
     &M::mnuViewChartSettings},
    {1, "mnuViewUserColorScheme", "&User Color Scheme", "", true, kOff, kAlways,
     &M::mnuViewUserColorScheme},
    {1, "mnuViewTrack", "Trac&k", "", true, kOff, kAlways, &M::mnuViewTrack},
    {1, "mnuViewBar2", "-", "", true, kNone, kAlways, &M::mnuViewBar2},
    {1, "mnuViewRefresh", "&Refresh", "", true, kNone, kAlways, &M::mnuViewRefresh},
    {1, "mnuViewOptions", "&Options...", "", true, kNone, kAlways, &M::mnuViewOptions},

    {0, "mnuSoundings", "&Sonar Chart", "", true, kNone, kAlways, &M::mnuSoundings},
    {1, "mnuSoundingsPosition", "Position", "", true, kNone, kAlways, &M::mnuSoundingsPosition},
    {2, "mnuSoundingsPositionPlay", "Play", "", true, kOff, kChart, &M::mnuSoundingsPositionPlay},
    {2, "mnuSoundingsPositionPause", "Pause", "", true, kOn, kChart, &M::mnuSoundingsPositionPause},
    {2, "mnuSoundingsPositionReplay", "Play Reverse", "", true, kOff, kChart,
     &M::mnuSoundingsPositionReplay},
    {2, "mnuSoundingsPosition1", "-", "", true, kNone, kAlways, &M::mnuSoundingsPosition1},
    {2, "mnuSoundingsPositionPrevious", "Goto Start", "", true, kNone, kChart,
     &M::mnuSoundingsPositionPrevious},
    {2, "mnuSoundingsPositionRewind", "Rewind", "", true, kNone, kChart,
     &M::mnuSoundingsPositionRewind},
    {2, "mnuSoundingsPositionForward", "Forward", "", true, kNone, kChart,
     &M::mnuSoundingsPositionForward},
    {2, "mnuSoundingsPositionNext", "Goto End", "", true, kNone, kChart,
     &M::mnuSoundingsPositionNext},
    {2, "mnuSoundingsPosition2", "-", "", false, kNone, kAlways, &M::mnuSoundingsPosition2},
    {2, "mnuSoundingsPositionStartSelection", "Start Selection", "", false, kNone, kChart,
     &M::mnuSoundingsPositionStartSelection},
    {2, "mnuSoundingsPositionStopSelection", "Stop Selection", "", false, kNone, kChart,
     &M::mnuSoundingsPositionStopSelection},
    {1, "mnuSoundings2", "-", "", true, kNone, kAlways, &M::mnuSoundings2},
    {1, "mnuSoundingsSensitivity", "Sensitivity", "", false, kNone, kChart,
     &M::mnuSoundingsSensitivity},
    {1, "mnuSoundingsAutoSensitivity", "Auto Sensitivity", "", false, kOn, kChart,
     &M::mnuSoundingsAutoSensitivity},
    {1, "mnuSoundingsColorLine", "ColorLine", "", false, kNone, kChart, &M::mnuSoundingsColorLine},
    {1, "mnuSoundings3", "-", "", false, kNone, kAlways, &M::mnuSoundings3},
    {1, "mnuSoundingsDepthRange", "Depth Range", "", false, kNone, kChart,
     &M::mnuSoundingsDepthRange},
    {1, "mnuSoundingsAutoDepthRange", "Auto Depth Range", "", true, kOn, kChart,
     &M::mnuSoundingsAutoDepthRange},
    {1, "mnuSoundingsLimits", "Upper and Lower Limits", "", false, kNone, kAlways,
     &M::mnuSoundingsLimits},
    {1, "mnuSoundings4", "-", "", true, kNone, kAlways, &M::mnuSoundings4},
    {1, "mnuSoundingsFishID", "FishID", "", false, kNone, kAlways, &M::mnuSoundingsFishID},
    {2, "mnuSoundingsFishIDFishSymbols", "Fish Symbols", "", true, kOn, kChart,
     &M::mnuSoundingsFishIDFishSymbols},
    {2, "mnuSoundingsFishIDFishDepths", "Fish Depths", "", true, kOn, kChart,
     &M::mnuSoundingsFishIDFishDepths},
    {1, "mnuSoundingsSurfaceClarity", "Surface Clarity", "", true, kNone, kAlways,
     &M::mnuSoundingsSurfaceClarity},
    {2, "mnuSoundingsSurfaceClarityOff", "Off", "", true, kOff, kChart,
     &M::mnuSoundingsSurfaceClarityItems},
    {2, "mnuSoundingsSurfaceClarityLow", "Low", "", true, kOff, kChart,
     &M::mnuSoundingsSurfaceClarityItems},
    {2, "mnuSoundingsSurfaceClarityMedium", "Medium", "", true, kOn, kChart,
     &M::mnuSoundingsSurfaceClarityItems},
    {2, "mnuSoundingsSurfaceClarityHigh", "High", "", true, kOff, kChart,
     &M::mnuSoundingsSurfaceClarityItems},
    {1, "mnuSoundingsASP", "Advanced Signal Processing", "", true, kNone, kAlways,
     &M::mnuSoundingsASP},
    {2, "mnuSoundingsASPOff", "Off", "", true, kOff, kChart, &M::mnuSoundingsASPItems},
    {2, "mnuSoundingsASPNormal", "Normal", "", true, kOn, kChart, &M::mnuSoundingsASPItems},
    {2, "mnuSoundingsASPHigh", "High", "", true, kOff, kChart, &M::mnuSoundingsASPItems},
    {1, "mnuSoundingsColorMode", "Sonar Color Mode", "", true, kNone, kAlways,
     &M::mnuSoundingsColorMode},
    {2, "mnuSoundingsColorModeGrayscale", "Grayscale", "", true, kOn, kChart,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeInverseGrayscale", "Inverse Grayscale", "", true, kOff, kChart,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeColor1", "Color White Background", "", true, kOff, kChart,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeColor2", "Color Blue Background", "", true, kOff, kChart,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeScanning1", "Scanning Brown", "", true, kOff, kAlways,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeScanning2", "Scanning Gray", "", true, kOff, kAlways,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeUser", "User Defined", "", true, kOff, kChart,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeRegions", "Color Regions", "", false, kOff, kAlways,
     &M::mnuSoundingsColorModeRegions},
    {2, "mnuSoundingsColorModeUserRegions", "User Defined Regions", "", true, kOff, kAlways,
     &M::mnuSoundingsColorModeItems},

    {0, "mnuWindow", "&Window", "", true, kNone, kAlways, &M::mnuWindow},
    {1, "mnuWindowNewWindow", "&New Window", "", true, kNone, kChart, &M::mnuWindowNewWindow},
    {1, "mnuWindowBar1", "-", "", true, kNone, kAlways, &M::mnuWindowBar1},
    {1, "mnuWindowCascade", "&Cascade", "", true, kNone, kAlways, &M::mnuWindowCascade},
    {1, "mnuWindowTileHorizontal", "Tile &Horizontal", "", true, kNone, kAlways,
     &M::mnuWindowTileHorizontal},
    {1, "mnuWindowTileVertical", "Tile &Vertical", "", true, kNone, kAlways,
     &M::mnuWindowTileVertical},
    {1, "mnuWindowArrangeIcons", "&Arrange Icons", "", true, kNone, kAlways,
     &M::mnuWindowArrangeIcons},

    {0, "mnuHelp", "&Help", "", true, kNone, kAlways, &M::mnuHelp},
    {1, "mnuHelpContents", "&Contents", "", false, kNone, kAlways, &M::mnuHelpContents},
    {1, "mnuHelpSearch", "&Search For Help On...", "", false, kNone, kAlways, &M::mnuHelpSearch},
    {1, "mnuHelpTipOfDay", "&Tip of the Day", "", true, kNone, kAlways, &M::mnuHelpTipOfDay},
    {1, "mnuHelpBar1", "-", "", true, kNone, kAlways, &M::mnuHelpBar1},
    {1, "mnuHelpAbout", "&About Brellix...", "", true, kNone, kAlways, &M::mnuHelpAbout},
};

QAction* createItem(const MenuRow& row, QMenu& menu, QObject& owner,
                    std::vector<QAction*>& chartItems)
{
    const QString caption = QLatin1String(row.caption);
    const bool separator = caption == QLatin1String("-");
    // A separator keeps no text: styles draw a separator's text beside its line.
    auto* item = new QAction(separator ? QString() : caption, &owner);
    item->setObjectName(QLatin1String(row.name));
    item->setSeparator(separator);
    if (*row.shortcut != '\0') {
        item->setShortcut(QKeySequence(QLatin1String(row.shortcut)));
    }
    item->setCheckable(row.mark != Mark::None);
    item->setChecked(row.mark == Mark::On);
    item->setVisible(row.shown);
    menu.addAction(item);
    if (row.needsChart) {
        chartItems.push_back(item);
    }
    return item;
}

} // namespace

void MainMenus::createMenus(QMenuBar& bar, QObject& owner)
{
    // The menu each depth adds to: [0] is unused, [1] the current top menu, [2] its sub-menu.
    QMenu* parents[3] = {};
    for (const MenuRow& row : kMenuRows) {
        if (const auto* menuSlot = std::get_if<QMenu * MainMenus::*>(&row.slot)) {
            const QString caption = QLatin1String(row.caption);
            QMenu* menu =
                row.depth == 0 ? bar.addMenu(caption) : parents[row.depth]->addMenu(caption);
            menu->setObjectName(QLatin1String(row.name));
            menu->menuAction()->setObjectName(QLatin1String(row.name));
            menu->menuAction()->setVisible(row.shown);
            parents[row.depth + 1] = menu;
            this->*(*menuSlot) = menu;
            continue;
        }
        QAction* item = createItem(row, *parents[row.depth], owner, m_chartItems);
        if (const auto* itemSlot = std::get_if<QAction * MainMenus::*>(&row.slot)) {
            this->*(*itemSlot) = item;
        } else {
            (this->*std::get<std::vector<QAction*> MainMenus::*>(row.slot)).push_back(item);
        }
    }
}

void MainMenus::enableChartItems(bool ready)
{
    for (QAction* item : m_chartItems) {
        item->setEnabled(ready);
    }
}

void MainMenus::updateWindowList(QMdiArea& area)
{
    for (QAction* item : m_windowListItems) {
        mnuWindow->removeAction(item);
        delete item;
    }
    m_windowListItems.clear();
    const QList<QMdiSubWindow*> windows = area.subWindowList();
    if (windows.isEmpty()) {
        return;
    }
    m_windowListItems.append(mnuWindow->addSeparator());
    int number = 0;
    for (QMdiSubWindow* sub : windows) {
        ++number;
        QString title = sub->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item =
            mnuWindow->addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                             : QStringLiteral("%1 %2").arg(number).arg(title));
        item->setCheckable(true);
        item->setChecked(sub == area.activeSubWindow());
        QObject::connect(item, &QAction::triggered, &area,
                         [&area, sub] { area.setActiveSubWindow(sub); });
        m_windowListItems.append(item);
    }
}

} // namespace brellix

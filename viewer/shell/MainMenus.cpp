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
    Slot slot;
};

using M = MainMenus;
constexpr Mark kNone = Mark::None;
constexpr Mark kOff = Mark::Off;
constexpr Mark kOn = Mark::On;

const MenuRow kMenuRows[] = {
    {0, "mnuFile", "&File", "", true, kNone, &M::mnuFile},
    {1, "mnuFileNew", "&New", "Ctrl+N", false, kNone, &M::mnuFileNew},
    {1, "mnuFileOpen", "&Open Chart", "Ctrl+O", true, kNone, &M::mnuFileOpen},
    {1, "mnuFileClose", "&Close Chart", "", true, kNone, &M::mnuFileClose},
    {1, "mnuFileBar1", "-", "", true, kNone, &M::mnuFileBar1},
    {1, "mnuFileOpenColors", "Open User Colors", "", true, kNone, &M::mnuFileOpenColors},
    {1, "mnuFileSaveColors", "Save User Colors", "", true, kNone, &M::mnuFileSaveColors},
    {1, "mnuFileBarSeperator", "-", "", true, kNone, &M::mnuFileBarSeperator},
    {1, "mnuFileSave", "&Save", "Ctrl+S", false, kNone, &M::mnuFileSave},
    {1, "mnuFileSaveAs", "Save &As...", "", false, kNone, &M::mnuFileSaveAs},
    {1, "mnuFileSaveAll", "Save A&ll", "", false, kNone, &M::mnuFileSaveAll},
    {1, "mnuFileBar2", "-", "", false, kNone, &M::mnuFileBar2},
    {1, "mnuFileConvert", "Output Chart Information", "", true, kNone, &M::mnuFileConvert},
    {1, "mnuFileProperties", "Propert&ies", "", true, kNone, &M::mnuFileProperties},
    {1, "mnuFileBar3", "-", "", false, kNone, &M::mnuFileBar3},
    {1, "mnuFilePageSetup", "Page Set&up...", "", false, kNone, &M::mnuFilePageSetup},
    {1, "mnuFilePrintPreview", "Print Pre&view", "", false, kNone, &M::mnuFilePrintPreview},
    {1, "mnuFilePrint", "&Print...", "Ctrl+P", false, kNone, &M::mnuFilePrint},
    {1, "mnuFileBar4", "-", "", false, kNone, &M::mnuFileBar4},
    {1, "mnuFileSend", "Sen&d...", "", false, kNone, &M::mnuFileSend},
    {1, "mnuFileBar5", "-", "", true, kNone, &M::mnuFileBar5},
    {1, "mnuFileMRU0", "", "", false, kNone, &M::mnuFileMRU},
    {1, "mnuFileMRU1", "", "", false, kNone, &M::mnuFileMRU},
    {1, "mnuFileMRU2", "", "", false, kNone, &M::mnuFileMRU},
    {1, "mnuFileMRU3", "", "", false, kNone, &M::mnuFileMRU},
    {1, "mnuFileBar6", "-", "", false, kNone, &M::mnuFileBar6},
    {1, "mnuFileExit", "E&xit", "", true, kNone, &M::mnuFileExit},

    {0, "mnuEdit", "&Edit", "", true, kNone, &M::mnuEdit},
    {1, "mnuEditUndo", "&Undo", "Ctrl+Z", true, kNone, &M::mnuEditUndo},
    {1, "mnuEditBar1", "-", "", true, kNone, &M::mnuEditBar1},
    {1, "mnuEditCut", "Cu&t", "Ctrl+X", true, kNone, &M::mnuEditCut},
    {1, "mnuEditCopy", "&Copy", "Ctrl+C", true, kNone, &M::mnuEditCopy},
    {1, "mnuEditPaste", "&Paste", "Ctrl+V", true, kNone, &M::mnuEditPaste},
    {1, "mnuEditPasteSpecial", "Paste &Special...", "", false, kNone, &M::mnuEditPasteSpecial},

    {0, "mnuView", "&View", "", true, kNone, &M::mnuView},
    {1, "mnuViewToolbar", "&Toolbar", "", true, kOn, &M::mnuViewToolbar},
    {1, "mnuViewStatusBar", "Status &Bar", "", true, kOn, &M::mnuViewStatusBar},
    {1, "mnuViewChartSettings", "&Chart Settings", "", true, kOff, &M::mnuViewChartSettings},
    {1, "mnuViewUserColorScheme", "&User Color Scheme", "", true, kOff, &M::mnuViewUserColorScheme},
    {1, "mnuViewBar2", "-", "", true, kNone, &M::mnuViewBar2},
    {1, "mnuViewRefresh", "&Refresh", "", true, kNone, &M::mnuViewRefresh},
    {1, "mnuViewOptions", "&Options...", "", true, kNone, &M::mnuViewOptions},

    {0, "mnuSoundings", "&Sonar Chart", "", true, kNone, &M::mnuSoundings},
    {1, "mnuSoundingsPosition", "Position", "", true, kNone, &M::mnuSoundingsPosition},
    {2, "mnuSoundingsPositionPlay", "Play", "", true, kOff, &M::mnuSoundingsPositionPlay},
    {2, "mnuSoundingsPositionPause", "Pause", "", true, kOn, &M::mnuSoundingsPositionPause},
    {2, "mnuSoundingsPositionReplay", "Play Reverse", "", true, kOff,
     &M::mnuSoundingsPositionReplay},
    {2, "mnuSoundingsPosition1", "-", "", true, kNone, &M::mnuSoundingsPosition1},
    {2, "mnuSoundingsPositionPrevious", "Goto Start", "", true, kNone,
     &M::mnuSoundingsPositionPrevious},
    {2, "mnuSoundingsPositionRewind", "Rewind", "", true, kNone, &M::mnuSoundingsPositionRewind},
    {2, "mnuSoundingsPositionForward", "Forward", "", true, kNone, &M::mnuSoundingsPositionForward},
    {2, "mnuSoundingsPositionNext", "Goto End", "", true, kNone, &M::mnuSoundingsPositionNext},
    {2, "mnuSoundingsPosition2", "-", "", false, kNone, &M::mnuSoundingsPosition2},
    {2, "mnuSoundingsPositionStartSelection", "Start Selection", "", false, kNone,
     &M::mnuSoundingsPositionStartSelection},
    {2, "mnuSoundingsPositionStopSelection", "Stop Selection", "", false, kNone,
     &M::mnuSoundingsPositionStopSelection},
    {1, "mnuSoundings2", "-", "", true, kNone, &M::mnuSoundings2},
    {1, "mnuSoundingsSensitivity", "Sensitivity", "", false, kNone, &M::mnuSoundingsSensitivity},
    {1, "mnuSoundingsAutoSensitivity", "Auto Sensitivity", "", false, kOn,
     &M::mnuSoundingsAutoSensitivity},
    {1, "mnuSoundingsColorLine", "ColorLine", "", false, kNone, &M::mnuSoundingsColorLine},
    {1, "mnuSoundings3", "-", "", false, kNone, &M::mnuSoundings3},
    {1, "mnuSoundingsDepthRange", "Depth Range", "", false, kNone, &M::mnuSoundingsDepthRange},
    {1, "mnuSoundingsAutoDepthRange", "Auto Depth Range", "", true, kOn,
     &M::mnuSoundingsAutoDepthRange},
    {1, "mnuSoundingsLimits", "Upper and Lower Limits", "", false, kNone, &M::mnuSoundingsLimits},
    {1, "mnuSoundings4", "-", "", true, kNone, &M::mnuSoundings4},
    {1, "mnuSoundingsFishID", "FishID", "", false, kNone, &M::mnuSoundingsFishID},
    {2, "mnuSoundingsFishIDFishSymbols", "Fish Symbols", "", true, kOn,
     &M::mnuSoundingsFishIDFishSymbols},
    {2, "mnuSoundingsFishIDFishDepths", "Fish Depths", "", true, kOn,
     &M::mnuSoundingsFishIDFishDepths},
    {1, "mnuSoundingsSurfaceClarity", "Surface Clarity", "", true, kNone,
     &M::mnuSoundingsSurfaceClarity},
    {2, "mnuSoundingsSurfaceClarityOff", "Off", "", true, kOff,
     &M::mnuSoundingsSurfaceClarityItems},
    {2, "mnuSoundingsSurfaceClarityLow", "Low", "", true, kOff,
     &M::mnuSoundingsSurfaceClarityItems},
    {2, "mnuSoundingsSurfaceClarityMedium", "Medium", "", true, kOn,
     &M::mnuSoundingsSurfaceClarityItems},
    {2, "mnuSoundingsSurfaceClarityHigh", "High", "", true, kOff,
     &M::mnuSoundingsSurfaceClarityItems},
    {1, "mnuSoundingsASP", "Advanced Signal Processing", "", true, kNone, &M::mnuSoundingsASP},
    {2, "mnuSoundingsASPOff", "Off", "", true, kOff, &M::mnuSoundingsASPItems},
    {2, "mnuSoundingsASPNormal", "Normal", "", true, kOn, &M::mnuSoundingsASPItems},
    {2, "mnuSoundingsASPHigh", "High", "", true, kOff, &M::mnuSoundingsASPItems},
    {1, "mnuSoundingsColorMode", "Sonar Color Mode", "", true, kNone, &M::mnuSoundingsColorMode},
    {2, "mnuSoundingsColorModeGrayscale", "Grayscale", "", true, kOn,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeInverseGrayscale", "Inverse Grayscale", "", true, kOff,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeColor1", "Color White Background", "", true, kOff,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeColor2", "Color Blue Background", "", true, kOff,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeScanning1", "Scanning Brown", "", true, kOff,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeScanning2", "Scanning Gray", "", true, kOff,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeUser", "User Defined", "", true, kOff,
     &M::mnuSoundingsColorModeItems},
    {2, "mnuSoundingsColorModeRegions", "Color Regions", "", false, kOff,
     &M::mnuSoundingsColorModeRegions},
    {2, "mnuSoundingsColorModeUserRegions", "User Defined Regions", "", true, kOff,
     &M::mnuSoundingsColorModeItems},

    {0, "mnuWindow", "&Window", "", true, kNone, &M::mnuWindow},
    {1, "mnuWindowNewWindow", "&New Window", "", true, kNone, &M::mnuWindowNewWindow},
    {1, "mnuWindowBar1", "-", "", true, kNone, &M::mnuWindowBar1},
    {1, "mnuWindowCascade", "&Cascade", "", true, kNone, &M::mnuWindowCascade},
    {1, "mnuWindowTileHorizontal", "Tile &Horizontal", "", true, kNone,
     &M::mnuWindowTileHorizontal},
    {1, "mnuWindowTileVertical", "Tile &Vertical", "", true, kNone, &M::mnuWindowTileVertical},
    {1, "mnuWindowArrangeIcons", "&Arrange Icons", "", true, kNone, &M::mnuWindowArrangeIcons},

    {0, "mnuHelp", "&Help", "", true, kNone, &M::mnuHelp},
    {1, "mnuHelpContents", "&Contents", "", false, kNone, &M::mnuHelpContents},
    {1, "mnuHelpSearch", "&Search For Help On...", "", false, kNone, &M::mnuHelpSearch},
    {1, "mnuHelpTipOfDay", "&Tip of the Day", "", true, kNone, &M::mnuHelpTipOfDay},
    {1, "mnuHelpBar1", "-", "", true, kNone, &M::mnuHelpBar1},
    {1, "mnuHelpAbout", "&About Brellix...", "", true, kNone, &M::mnuHelpAbout},
};

QAction* createItem(const MenuRow& row, QMenu& menu, QObject& owner)
{
    const QString caption = QLatin1String(row.caption);
    auto* item = new QAction(caption, &owner);
    item->setObjectName(QLatin1String(row.name));
    item->setSeparator(caption == QLatin1String("-"));
    if (*row.shortcut != '\0') {
        item->setShortcut(QKeySequence(QLatin1String(row.shortcut)));
    }
    item->setCheckable(row.mark != Mark::None);
    item->setChecked(row.mark == Mark::On);
    item->setVisible(row.shown);
    menu.addAction(item);
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
        QAction* item = createItem(row, *parents[row.depth], owner);
        if (const auto* itemSlot = std::get_if<QAction * MainMenus::*>(&row.slot)) {
            this->*(*itemSlot) = item;
        } else {
            (this->*std::get<std::vector<QAction*> MainMenus::*>(row.slot)).push_back(item);
        }
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

// The main window's menu tree, built from one table of control names, captions, shortcuts,
// visibility, check marks and whether an item acts on a chart, with a pointer for every menu and
// item by its control name. The main window carries it the way a form carries its controls; the
// commands are the window's.
#pragma once

#include <QList>

#include <vector>

class QAction;
class QMdiArea;
class QMenu;
class QMenuBar;
class QObject;

namespace brellix {

class MainMenus
{
public:
    // Builds the tree into bar; the items belong to owner.
    void createMenus(QMenuBar& bar, QObject& owner);
    // Enables the items that act on a chart while the active chart is ready, disables them
    // otherwise.
    void enableChartItems(bool ready);
    // Lists the sub-windows of area below the Window menu's items, numbered and the active one
    // checked; an entry activates its window.
    void updateWindowList(QMdiArea& area);

    // Menus and items, in the order of the menu bar.
    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileClose = nullptr;
    QAction* mnuFileBar1 = nullptr;
    QAction* mnuFileOpenColors = nullptr;
    QAction* mnuFileSaveColors = nullptr;
    QAction* mnuFileBarSeperator = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuFileSaveAll = nullptr;
    QAction* mnuFileBar2 = nullptr;
    QAction* mnuFileConvert = nullptr;
    QAction* mnuFileProperties = nullptr;
    // The viewer's own additions to the File menu.
    QAction* mnuFileExportTrack = nullptr;
    QAction* mnuFileExportImage = nullptr;
    QAction* mnuFileBar3 = nullptr;
    QAction* mnuFilePageSetup = nullptr;
    QAction* mnuFilePrintPreview = nullptr;
    QAction* mnuFilePrint = nullptr;
    QAction* mnuFileBar4 = nullptr;
    QAction* mnuFileSend = nullptr;
    QAction* mnuFileBar5 = nullptr;
    std::vector<QAction*> mnuFileMRU;
    QAction* mnuFileBar6 = nullptr;
    QAction* mnuFileExit = nullptr;

    QMenu* mnuEdit = nullptr;
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditBar1 = nullptr;
    QAction* mnuEditCut = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuEditPaste = nullptr;
    QAction* mnuEditPasteSpecial = nullptr;

    QMenu* mnuView = nullptr;
    QAction* mnuViewToolbar = nullptr;
    QAction* mnuViewStatusBar = nullptr;
    QAction* mnuViewChartSettings = nullptr;
    QAction* mnuViewUserColorScheme = nullptr;
    // The viewer's own addition to the View menu.
    QAction* mnuViewTrack = nullptr;
    QAction* mnuViewBar2 = nullptr;
    QAction* mnuViewRefresh = nullptr;
    QAction* mnuViewOptions = nullptr;

    QMenu* mnuSoundings = nullptr;
    QMenu* mnuSoundingsPosition = nullptr;
    QAction* mnuSoundingsPositionPlay = nullptr;
    QAction* mnuSoundingsPositionPause = nullptr;
    QAction* mnuSoundingsPositionReplay = nullptr;
    QAction* mnuSoundingsPosition1 = nullptr;
    QAction* mnuSoundingsPositionPrevious = nullptr;
    QAction* mnuSoundingsPositionRewind = nullptr;
    QAction* mnuSoundingsPositionForward = nullptr;
    QAction* mnuSoundingsPositionNext = nullptr;
    QAction* mnuSoundingsPosition2 = nullptr;
    QAction* mnuSoundingsPositionStartSelection = nullptr;
    QAction* mnuSoundingsPositionStopSelection = nullptr;
    QAction* mnuSoundings2 = nullptr;
    QAction* mnuSoundingsSensitivity = nullptr;
    QAction* mnuSoundingsAutoSensitivity = nullptr;
    QAction* mnuSoundingsColorLine = nullptr;
    QAction* mnuSoundings3 = nullptr;
    QAction* mnuSoundingsDepthRange = nullptr;
    QAction* mnuSoundingsAutoDepthRange = nullptr;
    QAction* mnuSoundingsLimits = nullptr;
    QAction* mnuSoundings4 = nullptr;
    QMenu* mnuSoundingsFishID = nullptr;
    QAction* mnuSoundingsFishIDFishSymbols = nullptr;
    QAction* mnuSoundingsFishIDFishDepths = nullptr;
    QMenu* mnuSoundingsSurfaceClarity = nullptr;
    std::vector<QAction*> mnuSoundingsSurfaceClarityItems; // Off, Low, Medium, High
    QMenu* mnuSoundingsASP = nullptr;
    std::vector<QAction*> mnuSoundingsASPItems; // Off, Normal, High
    QMenu* mnuSoundingsColorMode = nullptr;
    std::vector<QAction*> mnuSoundingsColorModeItems; // by ColorMode value
    QAction* mnuSoundingsColorModeRegions = nullptr;

    QMenu* mnuWindow = nullptr;
    QAction* mnuWindowNewWindow = nullptr;
    QAction* mnuWindowBar1 = nullptr;
    QAction* mnuWindowCascade = nullptr;
    QAction* mnuWindowTileHorizontal = nullptr;
    QAction* mnuWindowTileVertical = nullptr;
    QAction* mnuWindowArrangeIcons = nullptr;

    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpSearch = nullptr;
    QAction* mnuHelpTipOfDay = nullptr;
    QAction* mnuHelpBar1 = nullptr;
    QAction* mnuHelpAbout = nullptr;

private:
    std::vector<QAction*> m_chartItems;
    QList<QAction*> m_windowListItems;
};

} // namespace brellix

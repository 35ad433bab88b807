#include "shell/frmMain.h"

#include "dialogs/frmChartOptions.h"
#include "dialogs/frmUserColorScheme.h"
#include "document/ChartSlider.h"
#include "document/frmDocument.h"
#include "platform/ApplicationState.h"
#include "platform/SettingsStore.h"
#include "shell/ScreenTwips.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTimer>
#include <QToolBar>

#include <cmath>
#include <stdexcept>

// The icons live in the static library; their registration must be pulled in by name.
static void initBrellixResources()
{
    Q_INIT_RESOURCE(brellix);
}

namespace brellix {

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kOptions = QStringLiteral("Options");

// Toolbar layout: a key per position, empty for a separator.
struct ToolButton
{
    const char* key;
    const char* themeIcon;
};

constexpr ToolButton kToolButtons[] = {
    {"New", "document-new"},
    {"Open", "document-open"},
    {"Save", "document-save"},
    {"", ""},
    {"Print", "document-print"},
    {"", ""},
    {"Cut", "edit-cut"},
    {"Copy", "edit-copy"},
    {"Paste", "edit-paste"},
    {"", ""},
    {"Replay", "media-playback-start-rtl"},
    {"Pause", "media-playback-pause"},
    {"Play", "media-playback-start"},
    {"", ""},
    {"Previous", "media-skip-backward"},
    {"Rewind", "media-seek-backward"},
    {"Forward", "media-seek-forward"},
    {"Next", "media-skip-forward"},
    {"", ""},
    {"StartSelection", ""},
    {"StopSelection", ""},
};

// Buttons whose pressed state shows the play state.
bool isStateKey(const QString& key)
{
    return key == QLatin1String("Replay") || key == QLatin1String("Pause") ||
           key == QLatin1String("Play") || key == QLatin1String("Forward") ||
           key == QLatin1String("Rewind");
}

QString twoHexDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString frmMain::stateKey(int32_t documentState)
{
    switch (documentState) {
    case frmDocument::kPlayingReverse:
        return QStringLiteral("Replay");
    case frmDocument::kPlaying:
        return QStringLiteral("Play");
    case frmDocument::kPaused:
        return QStringLiteral("Pause");
    case frmDocument::kFastForward:
        return QStringLiteral("Forward");
    case frmDocument::kRewinding:
        return QStringLiteral("Rewind");
    default:
        return QString();
    }
}

frmMain::frmMain(SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Brellix"));
    initBrellixResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/brellix.png")));

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) {
        // The chart itself synchronises when it becomes active; this covers the frame's own
        // changes (the last chart gone, a sub-window without a chart).
        SynchronizeMenu();
    });

    createMenus();
    createActions();
    createToolBar();
    createStatusBar();
    createToolWindows();
}

frmMain::~frmMain()
{
    // The charts go while this window's members still exist: their destruction reaches back
    // into it (m_unloading). Closed charts awaiting deleteLater are children too.
    m_previousActive = nullptr;
    disconnect(m_mdiArea, nullptr, this, nullptr);
    delete m_mdiArea;
    m_mdiArea = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Building the window

QAction* frmMain::addItem(QMenu* menu, const char* name, const QString& caption,
                          const QString& shortcut, bool shown)
{
    auto* item = new QAction(caption, this);
    item->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) {
        item->setShortcut(QKeySequence(shortcut));
    }
    item->setVisible(shown);
    menu->addAction(item);
    return item;
}

QAction* frmMain::addSeparator(QMenu* menu, const char* name, bool shown)
{
    auto* item = new QAction(QStringLiteral("-"), this);
    item->setObjectName(QLatin1String(name));
    item->setSeparator(true);
    item->setVisible(shown);
    menu->addAction(item);
    return item;
}

QMenu* frmMain::addSubMenu(QMenu* menu, const char* name, const QString& caption, bool shown)
{
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(QLatin1String(name));
    sub->menuAction()->setObjectName(QLatin1String(name));
    sub->menuAction()->setVisible(shown);
    return sub;
}

QMenu* frmMain::addTopMenu(const char* name, const QString& caption)
{
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

void frmMain::createMenus()
{
    mnuFile = addTopMenu("mnuFile", QStringLiteral("&File"));
    mnuFileNew =
        addItem(mnuFile, "mnuFileNew", QStringLiteral("&New"), QStringLiteral("Ctrl+N"), false);
    mnuFileOpen =
        addItem(mnuFile, "mnuFileOpen", QStringLiteral("&Open Chart"), QStringLiteral("Ctrl+O"));
    mnuFileClose = addItem(mnuFile, "mnuFileClose", QStringLiteral("&Close Chart"));
    mnuFileBar1 = addSeparator(mnuFile, "mnuFileBar1");
    mnuFileOpenColors = addItem(mnuFile, "mnuFileOpenColors", QStringLiteral("Open User Colors"));
    mnuFileSaveColors = addItem(mnuFile, "mnuFileSaveColors", QStringLiteral("Save User Colors"));
    mnuFileBarSeperator = addSeparator(mnuFile, "mnuFileBarSeperator");
    mnuFileSave =
        addItem(mnuFile, "mnuFileSave", QStringLiteral("&Save"), QStringLiteral("Ctrl+S"), false);
    mnuFileSaveAs =
        addItem(mnuFile, "mnuFileSaveAs", QStringLiteral("Save &As..."), QString(), false);
    mnuFileSaveAll =
        addItem(mnuFile, "mnuFileSaveAll", QStringLiteral("Save A&ll"), QString(), false);
    mnuFileBar2 = addSeparator(mnuFile, "mnuFileBar2", false);
    mnuFileConvert = addItem(mnuFile, "mnuFileConvert", QStringLiteral("Output Chart Information"));
    mnuFileProperties = addItem(mnuFile, "mnuFileProperties", QStringLiteral("Propert&ies"));
    mnuFileBar3 = addSeparator(mnuFile, "mnuFileBar3", false);
    mnuFilePageSetup =
        addItem(mnuFile, "mnuFilePageSetup", QStringLiteral("Page Set&up..."), QString(), false);
    mnuFilePrintPreview =
        addItem(mnuFile, "mnuFilePrintPreview", QStringLiteral("Print Pre&view"), QString(), false);
    mnuFilePrint = addItem(mnuFile, "mnuFilePrint", QStringLiteral("&Print..."),
                           QStringLiteral("Ctrl+P"), false);
    mnuFileBar4 = addSeparator(mnuFile, "mnuFileBar4", false);
    mnuFileSend = addItem(mnuFile, "mnuFileSend", QStringLiteral("Sen&d..."), QString(), false);
    mnuFileBar5 = addSeparator(mnuFile, "mnuFileBar5");
    for (size_t i = 0; i < mnuFileMRU.size(); ++i) {
        mnuFileMRU[i] = addItem(mnuFile, "mnuFileMRU", QString(), QString(), false);
        mnuFileMRU[i]->setObjectName(QStringLiteral("mnuFileMRU%1").arg(i));
    }
    mnuFileBar6 = addSeparator(mnuFile, "mnuFileBar6", false);
    mnuFileExit = addItem(mnuFile, "mnuFileExit", QStringLiteral("E&xit"));

    mnuEdit = addTopMenu("mnuEdit", QStringLiteral("&Edit"));
    mnuEditUndo =
        addItem(mnuEdit, "mnuEditUndo", QStringLiteral("&Undo"), QStringLiteral("Ctrl+Z"));
    mnuEditBar1 = addSeparator(mnuEdit, "mnuEditBar1");
    mnuEditCut = addItem(mnuEdit, "mnuEditCut", QStringLiteral("Cu&t"), QStringLiteral("Ctrl+X"));
    mnuEditCopy =
        addItem(mnuEdit, "mnuEditCopy", QStringLiteral("&Copy"), QStringLiteral("Ctrl+C"));
    mnuEditPaste =
        addItem(mnuEdit, "mnuEditPaste", QStringLiteral("&Paste"), QStringLiteral("Ctrl+V"));
    mnuEditPasteSpecial = addItem(mnuEdit, "mnuEditPasteSpecial",
                                  QStringLiteral("Paste &Special..."), QString(), false);

    mnuView = addTopMenu("mnuView", QStringLiteral("&View"));
    mnuViewToolbar = addItem(mnuView, "mnuViewToolbar", QStringLiteral("&Toolbar"));
    mnuViewStatusBar = addItem(mnuView, "mnuViewStatusBar", QStringLiteral("Status &Bar"));
    mnuViewChartSettings =
        addItem(mnuView, "mnuViewChartSettings", QStringLiteral("&Chart Settings"));
    mnuViewUserColorScheme =
        addItem(mnuView, "mnuViewUserColorScheme", QStringLiteral("&User Color Scheme"));
    mnuViewBar2 = addSeparator(mnuView, "mnuViewBar2");
    mnuViewRefresh = addItem(mnuView, "mnuViewRefresh", QStringLiteral("&Refresh"));
    mnuViewOptions = addItem(mnuView, "mnuViewOptions", QStringLiteral("&Options..."));

    mnuSoundings = addTopMenu("mnuSoundings", QStringLiteral("&Sonar Chart"));
    mnuSoundingsPosition =
        addSubMenu(mnuSoundings, "mnuSoundingsPosition", QStringLiteral("Position"));
    QMenu* position = mnuSoundingsPosition;
    mnuSoundingsPositionPlay =
        addItem(position, "mnuSoundingsPositionPlay", QStringLiteral("Play"));
    mnuSoundingsPositionPause =
        addItem(position, "mnuSoundingsPositionPause", QStringLiteral("Pause"));
    mnuSoundingsPositionReplay =
        addItem(position, "mnuSoundingsPositionReplay", QStringLiteral("Play Reverse"));
    mnuSoundingsPosition1 = addSeparator(position, "mnuSoundingsPosition1");
    mnuSoundingsPositionPrevious =
        addItem(position, "mnuSoundingsPositionPrevious", QStringLiteral("Goto Start"));
    mnuSoundingsPositionRewind =
        addItem(position, "mnuSoundingsPositionRewind", QStringLiteral("Rewind"));
    mnuSoundingsPositionForward =
        addItem(position, "mnuSoundingsPositionForward", QStringLiteral("Forward"));
    mnuSoundingsPositionNext =
        addItem(position, "mnuSoundingsPositionNext", QStringLiteral("Goto End"));
    mnuSoundingsPosition2 = addSeparator(position, "mnuSoundingsPosition2", false);
    mnuSoundingsPositionStartSelection =
        addItem(position, "mnuSoundingsPositionStartSelection", QStringLiteral("Start Selection"),
                QString(), false);
    mnuSoundingsPositionStopSelection = addItem(position, "mnuSoundingsPositionStopSelection",
                                                QStringLiteral("Stop Selection"), QString(), false);
    mnuSoundings2 = addSeparator(mnuSoundings, "mnuSoundings2");
    mnuSoundingsSensitivity = addItem(mnuSoundings, "mnuSoundingsSensitivity",
                                      QStringLiteral("Sensitivity"), QString(), false);
    mnuSoundingsAutoSensitivity = addItem(mnuSoundings, "mnuSoundingsAutoSensitivity",
                                          QStringLiteral("Auto Sensitivity"), QString(), false);
    mnuSoundingsColorLine = addItem(mnuSoundings, "mnuSoundingsColorLine",
                                    QStringLiteral("ColorLine"), QString(), false);
    mnuSoundings3 = addSeparator(mnuSoundings, "mnuSoundings3", false);
    mnuSoundingsDepthRange = addItem(mnuSoundings, "mnuSoundingsDepthRange",
                                     QStringLiteral("Depth Range"), QString(), false);
    mnuSoundingsAutoDepthRange =
        addItem(mnuSoundings, "mnuSoundingsAutoDepthRange", QStringLiteral("Auto Depth Range"));
    mnuSoundingsLimits = addItem(mnuSoundings, "mnuSoundingsLimits",
                                 QStringLiteral("Upper and Lower Limits"), QString(), false);
    mnuSoundings4 = addSeparator(mnuSoundings, "mnuSoundings4");
    mnuSoundingsFishID =
        addSubMenu(mnuSoundings, "mnuSoundingsFishID", QStringLiteral("FishID"), false);
    mnuSoundingsFishIDFishSymbols = addItem(mnuSoundingsFishID, "mnuSoundingsFishIDFishSymbols",
                                            QStringLiteral("Fish Symbols"));
    mnuSoundingsFishIDFishDepths =
        addItem(mnuSoundingsFishID, "mnuSoundingsFishIDFishDepths", QStringLiteral("Fish Depths"));

    mnuSoundingsSurfaceClarity =
        addSubMenu(mnuSoundings, "mnuSoundingsSurfaceClarity", QStringLiteral("Surface Clarity"));
    const char* clarityNames[] = {"mnuSoundingsSurfaceClarityOff", "mnuSoundingsSurfaceClarityLow",
                                  "mnuSoundingsSurfaceClarityMedium",
                                  "mnuSoundingsSurfaceClarityHigh"};
    const QString clarityCaptions[] = {QStringLiteral("Off"), QStringLiteral("Low"),
                                       QStringLiteral("Medium"), QStringLiteral("High")};
    for (size_t i = 0; i < mnuSoundingsSurfaceClarityItems.size(); ++i) {
        mnuSoundingsSurfaceClarityItems[i] =
            addItem(mnuSoundingsSurfaceClarity, clarityNames[i], clarityCaptions[i]);
    }

    mnuSoundingsASP =
        addSubMenu(mnuSoundings, "mnuSoundingsASP", QStringLiteral("Advanced Signal Processing"));
    const char* aspNames[] = {"mnuSoundingsASPOff", "mnuSoundingsASPNormal", "mnuSoundingsASPHigh"};
    const QString aspCaptions[] = {QStringLiteral("Off"), QStringLiteral("Normal"),
                                   QStringLiteral("High")};
    for (size_t i = 0; i < mnuSoundingsASPItems.size(); ++i) {
        mnuSoundingsASPItems[i] = addItem(mnuSoundingsASP, aspNames[i], aspCaptions[i]);
    }

    mnuSoundingsColorMode =
        addSubMenu(mnuSoundings, "mnuSoundingsColorMode", QStringLiteral("Sonar Color Mode"));
    QMenu* modes = mnuSoundingsColorMode;
    auto& modeItems = mnuSoundingsColorModeItems;
    modeItems[0] = addItem(modes, "mnuSoundingsColorModeGrayscale", QStringLiteral("Grayscale"));
    modeItems[1] = addItem(modes, "mnuSoundingsColorModeInverseGrayscale",
                           QStringLiteral("Inverse Grayscale"));
    modeItems[2] =
        addItem(modes, "mnuSoundingsColorModeColor1", QStringLiteral("Color White Background"));
    modeItems[3] =
        addItem(modes, "mnuSoundingsColorModeColor2", QStringLiteral("Color Blue Background"));
    modeItems[4] =
        addItem(modes, "mnuSoundingsColorModeScanning1", QStringLiteral("Scanning Brown"));
    modeItems[5] =
        addItem(modes, "mnuSoundingsColorModeScanning2", QStringLiteral("Scanning Gray"));
    modeItems[6] = addItem(modes, "mnuSoundingsColorModeUser", QStringLiteral("User Defined"));
    mnuSoundingsColorModeRegions = addItem(modes, "mnuSoundingsColorModeRegions",
                                           QStringLiteral("Color Regions"), QString(), false);
    modeItems[7] =
        addItem(modes, "mnuSoundingsColorModeUserRegions", QStringLiteral("User Defined Regions"));

    mnuWindow = addTopMenu("mnuWindow", QStringLiteral("&Window"));
    mnuWindowNewWindow = addItem(mnuWindow, "mnuWindowNewWindow", QStringLiteral("&New Window"));
    mnuWindowBar1 = addSeparator(mnuWindow, "mnuWindowBar1");
    mnuWindowCascade = addItem(mnuWindow, "mnuWindowCascade", QStringLiteral("&Cascade"));
    mnuWindowTileHorizontal =
        addItem(mnuWindow, "mnuWindowTileHorizontal", QStringLiteral("Tile &Horizontal"));
    mnuWindowTileVertical =
        addItem(mnuWindow, "mnuWindowTileVertical", QStringLiteral("Tile &Vertical"));
    mnuWindowArrangeIcons =
        addItem(mnuWindow, "mnuWindowArrangeIcons", QStringLiteral("&Arrange Icons"));
    connect(mnuWindow, &QMenu::aboutToShow, this, &frmMain::updateWindowMenu);

    mnuHelp = addTopMenu("mnuHelp", QStringLiteral("&Help"));
    mnuHelpContents =
        addItem(mnuHelp, "mnuHelpContents", QStringLiteral("&Contents"), QString(), false);
    mnuHelpSearch = addItem(mnuHelp, "mnuHelpSearch", QStringLiteral("&Search For Help On..."),
                            QString(), false);
    mnuHelpTipOfDay = addItem(mnuHelp, "mnuHelpTipOfDay", QStringLiteral("&Tip of the Day"));
    mnuHelpBar1 = addSeparator(mnuHelp, "mnuHelpBar1");
    mnuHelpAbout = addItem(mnuHelp, "mnuHelpAbout", QStringLiteral("&About Brellix..."));

    // Check marks: every item that can carry one, with the initial marks of the tree.
    const QList<QAction*> checkable = {mnuViewToolbar,
                                       mnuViewStatusBar,
                                       mnuViewChartSettings,
                                       mnuViewUserColorScheme,
                                       mnuSoundingsPositionPlay,
                                       mnuSoundingsPositionPause,
                                       mnuSoundingsPositionReplay,
                                       mnuSoundingsAutoSensitivity,
                                       mnuSoundingsAutoDepthRange,
                                       mnuSoundingsFishIDFishSymbols,
                                       mnuSoundingsFishIDFishDepths,
                                       mnuSoundingsColorModeRegions};
    for (QAction* item : checkable) {
        item->setCheckable(true);
    }
    for (QAction* item : mnuSoundingsSurfaceClarityItems) {
        item->setCheckable(true);
    }
    for (QAction* item : mnuSoundingsASPItems) {
        item->setCheckable(true);
    }
    for (QAction* item : mnuSoundingsColorModeItems) {
        item->setCheckable(true);
    }
    for (QAction* item :
         {mnuViewToolbar, mnuViewStatusBar, mnuSoundingsPositionPause, mnuSoundingsAutoSensitivity,
          mnuSoundingsAutoDepthRange, mnuSoundingsFishIDFishSymbols, mnuSoundingsFishIDFishDepths,
          mnuSoundingsSurfaceClarityItems[2], mnuSoundingsASPItems[1],
          mnuSoundingsColorModeItems[0]}) {
        item->setChecked(true);
    }
}

void frmMain::createActions()
{
    // A click on a check item must not flip its mark by itself: the command and the next
    // synchronisation set it. QAction toggles before triggered, so put it back first.
    auto command = [this](QAction* item, auto&& run) {
        connect(item, &QAction::triggered, this, [item, run]() {
            if (item->isCheckable()) {
                item->setChecked(!item->isChecked());
            }
            run();
        });
    };

    command(mnuFileNew, [this] { mnuFileNew_Click(); });
    command(mnuFileClose, [this] { mnuFileClose_Click(); });
    command(mnuFileSave, [] {});
    command(mnuFileExit, [this] { close(); });
    for (QAction* later : {mnuFileOpen, mnuFileOpenColors, mnuFileSaveColors, mnuFileSaveAs,
                           mnuFileConvert, mnuFileProperties, mnuFilePageSetup, mnuFilePrint,
                           mnuViewOptions, mnuHelpTipOfDay, mnuHelpAbout}) {
        command(later, [this, later] { showLaterCommand(later); });
    }
    command(mnuEditCut, [this] { showMessage(QStringLiteral("Cut Code goes here!")); });
    command(mnuEditPaste, [this] { showMessage(QStringLiteral("Paste Code goes here!")); });
    command(mnuEditUndo, [this] { showMessage(QStringLiteral("Undo Code goes here!")); });
    command(mnuEditPasteSpecial,
            [this] { showMessage(QStringLiteral("Paste Special Code goes here!")); });
    command(mnuFilePrintPreview,
            [this] { showMessage(QStringLiteral("Print Preview Code goes here!")); });
    for (QAction* mru : mnuFileMRU) {
        command(mru, [this] { showMessage(QStringLiteral("MRU Code goes here!")); });
    }
    command(mnuEditCopy, [this] { mnuEditCopy_Click(); });

    command(mnuViewToolbar, [this] { mnuViewToolbar_Click(); });
    command(mnuViewStatusBar, [this] { mnuViewStatusBar_Click(); });
    command(mnuViewChartSettings, [this] { mnuViewChartSettings_Click(); });
    command(mnuViewUserColorScheme, [this] { mnuViewUserColorScheme_Click(); });
    command(mnuViewRefresh, [this] { mnuViewRefresh_Click(); });

    command(mnuSoundingsPositionPlay, [this] { setActiveState(frmDocument::kPlaying); });
    command(mnuSoundingsPositionPause, [this] { setActiveState(frmDocument::kPaused); });
    command(mnuSoundingsPositionReplay, [this] { setActiveState(frmDocument::kPlayingReverse); });
    command(mnuSoundingsPositionForward, [this] { setActiveState(frmDocument::kFastForward); });
    command(mnuSoundingsPositionRewind, [this] { setActiveState(frmDocument::kRewinding); });
    command(mnuSoundingsPositionPrevious, [this] { gotoStart(); });
    command(mnuSoundingsPositionNext, [this] { gotoEnd(); });
    command(mnuSoundingsPositionStartSelection, [this] { startSelection(); });
    command(mnuSoundingsPositionStopSelection, [this] { stopSelection(); });

    command(mnuSoundingsAutoDepthRange, [this] {
        toggleOption([](tSonarOptions& o) { o.setbAutoDepthRange(!o.bAutoDepthRange()); });
    });
    command(mnuSoundingsAutoSensitivity, [this] {
        toggleOption([](tSonarOptions& o) { o.setbAutoSensitivity(!o.bAutoSensitivity()); });
    });
    command(mnuSoundingsFishIDFishSymbols, [this] {
        toggleOption([](tSonarOptions& o) { o.setbFishSymbols(!o.bFishSymbols()); });
    });
    command(mnuSoundingsFishIDFishDepths,
            [this] { toggleOption([](tSonarOptions& o) { o.setbFishDepths(!o.bFishDepths()); }); });
    for (size_t i = 0; i < mnuSoundingsSurfaceClarityItems.size(); ++i) {
        command(mnuSoundingsSurfaceClarityItems[i],
                [this, i] { setSurfaceClarity(static_cast<int32_t>(i)); });
    }
    for (size_t i = 0; i < mnuSoundingsASPItems.size(); ++i) {
        command(mnuSoundingsASPItems[i],
                [this, i] { setAdvancedSignalProcessing(static_cast<int32_t>(i)); });
    }
    for (size_t i = 0; i < mnuSoundingsColorModeItems.size(); ++i) {
        command(mnuSoundingsColorModeItems[i],
                [this, i] { setColorMode(static_cast<int32_t>(i)); });
    }
    // Sen&d..., Sensitivity, ColorLine, Depth Range, Upper and Lower Limits and Color Regions
    // have no command.

    command(mnuWindowNewWindow, [this] { mnuWindowNewWindow_Click(); });
    command(mnuWindowCascade, [this] { m_mdiArea->cascadeSubWindows(); });
    // Horizontal: charts one above the other, each the full width; vertical: side by side.
    command(mnuWindowTileHorizontal, [this] { tileCharts(Qt::Vertical); });
    command(mnuWindowTileVertical, [this] { tileCharts(Qt::Horizontal); });
    command(mnuWindowArrangeIcons, [this] {
        // QMdiArea lines minimised windows up along the bottom whenever it lays out.
        m_mdiArea->update();
        for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) {
            if (sub->isMinimized()) {
                sub->showMinimized();
            }
        }
    });
    command(mnuHelpContents, [this] { mnuHelpContents_Click(); });
    command(mnuHelpSearch, [this] { mnuHelpContents_Click(); });
}

void frmMain::createToolBar()
{
    tbToolBar = addToolBar(QStringLiteral("Toolbar"));
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbToolBar->setIconSize(QSize(16, 16));
    int position = 0;
    for (const ToolButton& button : kToolButtons) {
        ++position;
        const QString key = QLatin1String(button.key);
        if (key.isEmpty()) {
            QAction* separator = tbToolBar->addSeparator();
            separator->setObjectName(QStringLiteral("tbSeparator%1").arg(position));
            continue;
        }
        const QIcon fallback(QStringLiteral(":/icons/%1.png").arg(key.toLower()));
        const QIcon icon = *button.themeIcon != '\0'
                               ? QIcon::fromTheme(QLatin1String(button.themeIcon), fallback)
                               : fallback;
        QAction* action = tbToolBar->addAction(icon, key);
        action->setObjectName(QStringLiteral("tb") + key);
        action->setData(key);
        action->setToolTip(key);
        // The play-state buttons stay pressed while their state is the active chart's.
        action->setCheckable(isStateKey(key));
        connect(action, &QAction::triggered, this, [this, action, key]() {
            if (action->isCheckable()) {
                action->setChecked(!action->isChecked());
            }
            tbToolBar_ButtonClick(key);
        });
    }
}

void frmMain::createStatusBar()
{
    sbStatusBar = statusBar();
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    m_panelStatus = new QLabel(this);
    m_panelStatus->setObjectName(QStringLiteral("sbPanelStatus"));
    m_panelDate = new QLabel(this);
    m_panelDate->setObjectName(QStringLiteral("sbPanelDate"));
    m_panelTime = new QLabel(this);
    m_panelTime->setObjectName(QStringLiteral("sbPanelTime"));
    sbStatusBar->addWidget(m_panelStatus, 1);
    sbStatusBar->addPermanentWidget(m_panelDate);
    sbStatusBar->addPermanentWidget(m_panelTime);
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &frmMain::updateClock);
    m_clock->start();
    updateClock();
}

void frmMain::createToolWindows()
{
    m_userColorScheme = new frmUserColorScheme(this);
    m_chartOptions = new frmChartOptions(m_settings, this);
    connect(m_chartOptions, &frmChartOptions::closedByUser, this,
            [this] { mnuViewChartSettings->setChecked(false); });
    connect(m_userColorScheme, &frmUserColorScheme::closedByUser, this,
            [this] { mnuViewUserColorScheme->setChecked(false); });
}

void frmMain::updateClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    m_panelDate->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_panelTime->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

QAction* frmMain::toolButton(const QString& key) const
{
    for (QAction* action : tbToolBar->actions()) {
        if (!action->isSeparator() && action->data().toString() == key) {
            return action;
        }
    }
    return nullptr;
}

QLabel* frmMain::statusPanel(int panel) const
{
    switch (panel) {
    case 1:
        return m_panelStatus;
    case 2:
        return m_panelDate;
    case 3:
        return m_panelTime;
    default:
        return nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// Load and unload

double frmMain::twipsPerPixelX() const
{
    return screenTwipsPerPixelX(*this);
}

double frmMain::twipsPerPixelY() const
{
    return screenTwipsPerPixelY(*this);
}

void frmMain::loadPlacement()
{
    const double tppX = twipsPerPixelX();
    const double tppY = twipsPerPixelY();
    const float left = m_settings.getFloat(kSettings, QStringLiteral("MainLeft"), 1000.0f);
    const float top = m_settings.getFloat(kSettings, QStringLiteral("MainTop"), 1000.0f);
    const float width = m_settings.getFloat(kSettings, QStringLiteral("MainWidth"), 6500.0f);
    const float height = m_settings.getFloat(kSettings, QStringLiteral("MainHeight"), 6500.0f);
    move(twipsToPixels(left, tppX), twipsToPixels(top, tppY));
    resize(std::max(1, twipsToPixels(width, tppX)), std::max(1, twipsToPixels(height, tppY)));
    switch (m_settings.getInt(kSettings, QStringLiteral("State"), 0)) {
    case 1:
        setWindowState(Qt::WindowMinimized);
        break;
    case 2:
        setWindowState(Qt::WindowMaximized);
        break;
    default:
        setWindowState(Qt::WindowNoState);
        break;
    }
}

void frmMain::savePlacement()
{
    if (isMinimized()) {
        return;
    }
    if (isMaximized()) {
        m_settings.saveInt(kSettings, QStringLiteral("State"), 2);
        return;
    }
    m_settings.saveInt(kSettings, QStringLiteral("State"), 0);
    // Left and top of the frame, width and height of the window as load gives them back.
    const double tppX = twipsPerPixelX();
    const double tppY = twipsPerPixelY();
    m_settings.saveFloat(kSettings, QStringLiteral("MainLeft"), static_cast<float>(x() * tppX));
    m_settings.saveFloat(kSettings, QStringLiteral("MainTop"), static_cast<float>(y() * tppY));
    m_settings.saveFloat(kSettings, QStringLiteral("MainWidth"),
                         static_cast<float>(width() * tppX));
    m_settings.saveFloat(kSettings, QStringLiteral("MainHeight"),
                         static_cast<float>(height() * tppY));
}

QString frmMain::defaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) {
        folder = QDir::homePath();
    }
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// The editor's left and top in twips, as "left,top" under "Settings"/"UserColorScheme".
void frmMain::loadEditorPosition()
{
    const QStringList parts =
        m_settings.getText(kSettings, QStringLiteral("UserColorScheme"), QString())
            .split(QLatin1Char(','));
    if (parts.size() != 2) {
        return;
    }
    bool leftOk = false;
    bool topOk = false;
    const double left = parts[0].trimmed().toDouble(&leftOk);
    const double top = parts[1].trimmed().toDouble(&topOk);
    if (leftOk && topOk) {
        m_userColorScheme->move(twipsToPixels(left, twipsPerPixelX()),
                                twipsToPixels(top, twipsPerPixelY()));
    }
}

void frmMain::saveEditorPosition()
{
    if (!m_userColorScheme->isVisible()) {
        m_settings.deleteKey(kSettings, QStringLiteral("UserColorScheme"));
        return;
    }
    const QPoint at = m_userColorScheme->pos();
    m_settings.saveText(kSettings, QStringLiteral("UserColorScheme"),
                        QStringLiteral("%1,%2")
                            .arg(std::lround(at.x() * twipsPerPixelX()))
                            .arg(std::lround(at.y() * twipsPerPixelY())));
}

void frmMain::Form_Load(const QString& commandLine)
{
    // Step 1: the editor and its scheme exist from the constructor on.
    connect(&m_userColorScheme->UserColorScheme(), &tColorScheme::BlackLineChanged, this,
            &frmMain::UserColorSchemeEvents_BlackLineChanged);
    connect(&m_userColorScheme->UserColorScheme(), &tColorScheme::UserPaletteChanged, this,
            &frmMain::UserColorSchemeEvents_UserPaletteChanged);

    loadPlacement();
    m_fileDialogFolder = m_settings.getText(kOptions, QStringLiteral("MRUDir"), defaultFolder());
    SynchronizeMenu();
    m_panelStatus->setText(QStringLiteral("Ready"));

    const bool showChartSettings =
        m_settings.getBool(kOptions, QStringLiteral("Show Chart Settings"), true);
    mnuViewChartSettings->setChecked(showChartSettings);
    // The chart settings window is placed beside the main window's frame, which exists only
    // once the main window is shown: it comes up right after it (showEvent).
    m_showChartOptionsOnShow = showChartSettings;

    QString fileName = commandLine;
    if (fileName.size() >= 2 && fileName.front() == QLatin1Char('"') &&
        fileName.back() == QLatin1Char('"')) {
        fileName = fileName.mid(1, fileName.size() - 2);
    }
    if (!fileName.isEmpty()) {
        openChart(fileName);
    }
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_chartOptionsPlaced) {
        return;
    }
    m_chartOptionsPlaced = true;
    m_chartOptions->Form_Load();
    if (m_showChartOptionsOnShow && mnuViewChartSettings->isChecked()) {
        m_chartOptions->show();
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // The charts go first and write their own keys.
    m_previousActive = nullptr;
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) {
        sub->close();
    }
    savePlacement();
    m_settings.saveBool(kOptions, QStringLiteral("Show Chart Settings"),
                        mnuViewChartSettings->isChecked());
    m_chartOptions->Form_Unload();
    saveEditorPosition();
    m_settings.sync();
    m_chartOptions->hide();
    m_userColorScheme->hide();
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// Charts

QMdiSubWindow* frmMain::addDocumentWindow(frmDocument* document)
{
    // The chart comes at its design size; the sub-window would otherwise shrink it to the
    // minimum of its frame, since a chart lays its controls out by hand.
    const QSize design = document->size();
    QMdiSubWindow* sub = m_mdiArea->addSubWindow(document);
    QStyleOptionTitleBar titleOption;
    titleOption.initFrom(sub);
    const int titleHeight = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, &titleOption, sub);
    const int frameWidth =
        sub->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub);
    sub->resize(design.width() + 2 * frameWidth, design.height() + titleHeight + frameWidth);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    document->setAttribute(Qt::WA_DeleteOnClose);
    return sub;
}

void frmMain::ShowDocument(frmDocument* document)
{
    if (document == nullptr) {
        return;
    }
    QMdiSubWindow* sub = document->parentWidget() != nullptr
                             ? qobject_cast<QMdiSubWindow*>(document->parentWidget())
                             : nullptr;
    if (sub == nullptr) {
        sub = addDocumentWindow(document);
    }
    // The chart applies its stored window state itself when first shown.
    sub->show();
    document->show();
}

frmDocument* frmMain::openChart(const QString& fileName)
{
    auto* document = new frmDocument(*this);
    QMdiSubWindow* sub = addDocumentWindow(document);
    if (!document->OpenFile(fileName, 0)) {
        document->Unload();
        m_mdiArea->removeSubWindow(sub);
        delete sub;
        return nullptr;
    }
    ShowDocument(document);
    return document;
}

frmDocument* frmMain::ActiveForm() const
{
    if (m_mdiArea == nullptr) {
        return nullptr;
    }
    QMdiSubWindow* sub = m_mdiArea->currentSubWindow();
    auto* document = sub != nullptr ? qobject_cast<frmDocument*>(sub->widget()) : nullptr;
    return document != nullptr && !m_unloading.contains(document) ? document : nullptr;
}

QList<frmDocument*> frmMain::documents() const
{
    QList<frmDocument*> list;
    if (m_mdiArea == nullptr) {
        return list;
    }
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) {
        auto* document = qobject_cast<frmDocument*>(sub->widget());
        if (document != nullptr && !m_unloading.contains(document)) {
            list.append(document);
        }
    }
    return list;
}

void frmMain::DocumentUnloading(frmDocument& document)
{
    // A chart on its way out hands nothing over at the next synchronisation.
    if (m_previousActive == &document) {
        m_previousActive = nullptr;
    }
    if (!m_unloading.contains(&document)) {
        m_unloading.insert(&document);
        const frmDocument* gone = &document;
        connect(&document, &QObject::destroyed, this, [this, gone] { m_unloading.remove(gone); });
    }
}

void frmMain::SynchronizeMenu()
{
    frmDocument* active = ActiveForm();
    const bool ready = active != nullptr && active->bDocumentReady;

    if (m_previousActive != nullptr && active != nullptr && m_previousActive != active) {
        frmDocument* previous = m_previousActive.data();
        active->SetState(previous->GetState());
        previous->SetState(frmDocument::kPaused);
    }
    m_previousActive = active;

    const QString key = ready ? stateKey(active->DocumentState) : QStringLiteral("---");

    int position = 0;
    for (QAction* button : tbToolBar->actions()) {
        ++position;
        if (position < 3) {
            continue;
        }
        button->setEnabled(ready);
        if (button->isCheckable()) {
            button->setChecked(button->data().toString() == key);
        }
    }
    tbToolBar->update();

    m_chartOptions->setSonarOptions(ready ? &active->SonarOptions : nullptr);
    m_chartOptions->LoadSettings();

    const QList<QAction*> needsChart = {
        mnuFileClose,
        mnuFileSave,
        mnuFileSaveAs,
        mnuFileSaveAll,
        mnuFileProperties,
        mnuFilePrint,
        mnuFilePrintPreview,
        mnuFileSend,
        mnuEditUndo,
        mnuEditCut,
        mnuEditCopy,
        mnuEditPaste,
        mnuSoundingsSensitivity,
        mnuSoundingsColorLine,
        mnuSoundingsDepthRange,
        mnuSoundingsAutoDepthRange,
        mnuSoundingsPositionPrevious,
        mnuSoundingsPositionNext,
        mnuSoundingsPositionPlay,
        mnuSoundingsPositionPause,
        mnuSoundingsPositionReplay,
        mnuSoundingsPositionRewind,
        mnuSoundingsPositionForward,
        mnuSoundingsPositionStartSelection,
        mnuSoundingsPositionStopSelection,
        mnuSoundingsAutoSensitivity,
        mnuSoundingsFishIDFishDepths,
        mnuSoundingsFishIDFishSymbols,
        mnuSoundingsASPItems[0],
        mnuSoundingsASPItems[1],
        mnuSoundingsASPItems[2],
        mnuSoundingsColorModeItems[tSonarOptions::kUserDefined],
        mnuSoundingsColorModeItems[tSonarOptions::kColorWhiteBackground],
        mnuSoundingsColorModeItems[tSonarOptions::kColorBlueBackground],
        mnuSoundingsColorModeItems[tSonarOptions::kGrayscale],
        mnuSoundingsColorModeItems[tSonarOptions::kInverseGrayscale],
        mnuWindowNewWindow,
    };
    for (QAction* item : needsChart) {
        item->setEnabled(ready);
    }
    for (QAction* item : mnuSoundingsSurfaceClarityItems) {
        item->setEnabled(ready);
    }

    if (!ready) {
        return;
    }
    const tSonarOptions& options = active->SonarOptions;
    const int32_t state = active->DocumentState;
    mnuSoundingsPositionPlay->setChecked(state == frmDocument::kPlaying);
    mnuSoundingsPositionPause->setChecked(state == frmDocument::kPaused);
    mnuSoundingsPositionReplay->setChecked(state == frmDocument::kPlayingReverse);
    mnuSoundingsAutoDepthRange->setChecked(options.bAutoDepthRange());
    mnuSoundingsAutoSensitivity->setChecked(options.bAutoSensitivity());
    mnuSoundingsFishIDFishDepths->setChecked(options.bFishDepths());
    mnuSoundingsFishIDFishSymbols->setChecked(options.bFishSymbols());
    for (size_t i = 0; i < mnuSoundingsSurfaceClarityItems.size(); ++i) {
        mnuSoundingsSurfaceClarityItems[i]->setChecked(static_cast<int32_t>(i) ==
                                                       options.SurfaceClarity());
    }
    for (size_t i = 0; i < mnuSoundingsASPItems.size(); ++i) {
        mnuSoundingsASPItems[i]->setChecked(static_cast<int32_t>(i) ==
                                            options.AdvancedSignalProcessing());
    }
    for (size_t i = 0; i < mnuSoundingsColorModeItems.size(); ++i) {
        mnuSoundingsColorModeItems[i]->setChecked(static_cast<int32_t>(i) == options.ColorMode());
    }
}

void frmMain::SyncFilePosition(tSonarFile& SonarFile, int32_t SoundingNumber)
{
    SonarFile.SSeek(SoundingNumber);
    const int64_t address = SonarFile.AddressTell();
    const QString fileName = SonarFile.GetFilename();
    for (frmDocument* document : documents()) {
        if (document->SonarFile.get() == &SonarFile || document->SonarFile == nullptr) {
            continue;
        }
        if (document->SonarFile->GetFilename() == fileName) {
            document->GotoFilePosition(address);
        }
    }
}

bool frmMain::AnyIdleWorking()
{
    for (const frmDocument* document : documents()) {
        if (document->bIdleWorking) {
            return true;
        }
    }
    return false;
}

tColorScheme& frmMain::UserColorScheme()
{
    return m_userColorScheme->UserColorScheme();
}

void frmMain::ShowUserColorScheme(int32_t ColorMode)
{
    m_userColorScheme->ShowUserColorScheme(ColorMode);
}

void frmMain::LoadChartSettings()
{
    m_chartOptions->LoadSettings();
}

QString frmMain::GetSetting(const QString& section, const QString& key, const QString& defaultValue)
{
    return m_settings.getText(section, key, defaultValue);
}

void frmMain::SaveSetting(const QString& section, const QString& key, const QString& value)
{
    m_settings.saveText(section, key, value);
}

int32_t frmMain::PositionFormat() const
{
    return applicationState().lPositionFormat;
}

int32_t frmMain::DepthFormat() const
{
    return applicationState().lDepthFormat;
}

void frmMain::UserColorSchemeEvents_BlackLineChanged()
{
    mnuViewRefresh_Click();
}

void frmMain::UserColorSchemeEvents_UserPaletteChanged()
{
    for (frmDocument* document : documents()) {
        document->UserColorSchemeChanged();
    }
}

// ---------------------------------------------------------------------------------------------
// Commands

void frmMain::tbToolBar_ButtonClick(const QString& key)
{
    if (key == QLatin1String("New")) {
        mnuFileNew_Click();
    } else if (key == QLatin1String("Open")) {
        showLaterCommand(mnuFileOpen);
    } else if (key == QLatin1String("Save")) {
        // Save does nothing.
    } else if (key == QLatin1String("Print")) {
        showLaterCommand(mnuFilePrint);
    } else if (key == QLatin1String("Cut")) {
        showMessage(QStringLiteral("Cut Code goes here!"));
    } else if (key == QLatin1String("Copy")) {
        mnuEditCopy_Click();
    } else if (key == QLatin1String("Paste")) {
        showMessage(QStringLiteral("Paste Code goes here!"));
    } else if (key == QLatin1String("Replay")) {
        setActiveState(frmDocument::kPlayingReverse);
    } else if (key == QLatin1String("Pause")) {
        setActiveState(frmDocument::kPaused);
    } else if (key == QLatin1String("Play")) {
        setActiveState(frmDocument::kPlaying);
    } else if (key == QLatin1String("Previous")) {
        gotoStart();
    } else if (key == QLatin1String("Rewind")) {
        setActiveState(frmDocument::kRewinding);
    } else if (key == QLatin1String("Forward")) {
        setActiveState(frmDocument::kFastForward);
    } else if (key == QLatin1String("Next")) {
        gotoEnd();
    } else if (key == QLatin1String("StartSelection")) {
        startSelection();
    } else if (key == QLatin1String("StopSelection")) {
        stopSelection();
    }
}

void frmMain::showMessage(const QString& text, QMessageBox::Icon icon)
{
    if (m_messageHandler) {
        m_messageHandler(windowTitle(), text, icon);
        return;
    }
    QMessageBox box(icon, windowTitle(), text, QMessageBox::Ok, this);
    box.exec();
}

void frmMain::showLaterCommand(const QAction* item)
{
    QString caption = item->text();
    caption.remove(QLatin1Char('&'));
    if (caption.endsWith(QLatin1String("..."))) {
        caption.chop(3);
    }
    showMessage(caption + QStringLiteral(" is not available in this version yet."));
}

void frmMain::mnuFileNew_Click()
{
    ++m_newDocumentCount;
    auto* document = new frmDocument(*this);
    document->setWindowTitle(QStringLiteral("Document %1").arg(m_newDocumentCount));
    addDocumentWindow(document);
    ShowDocument(document);
}

void frmMain::mnuFileClose_Click()
{
    if (QMdiSubWindow* sub = m_mdiArea->currentSubWindow()) {
        sub->close();
    }
}

QString frmMain::userPaletteText() const
{
    const tColorScheme& scheme = m_userColorScheme->UserColorScheme();
    QString text;
    text.reserve(256 * 20);
    for (int index = 0; index < 256; ++index) {
        const int32_t color = scheme.GetColorValue(1, static_cast<int16_t>(index));
        text += QStringLiteral("0x") + twoHexDigits(color & 0xFF) + QStringLiteral(", 0x") +
                twoHexDigits((color >> 8) & 0xFF) + QStringLiteral(", 0x") +
                twoHexDigits((color >> 16) & 0xFF) + QStringLiteral(",\r\n");
    }
    return text;
}

void frmMain::mnuEditCopy_Click()
{
    // A scheme being edited can hold two points at one position, where no colour blends; the
    // clipboard then keeps what it had.
    QString text;
    try {
        text = userPaletteText();
    } catch (const std::exception& error) {
        showMessage(QString::fromUtf8(error.what()));
        return;
    }
    QApplication::clipboard()->setText(text);
}

void frmMain::mnuViewToolbar_Click()
{
    const bool show = !mnuViewToolbar->isChecked();
    tbToolBar->setVisible(show);
    mnuViewToolbar->setChecked(show);
}

void frmMain::mnuViewStatusBar_Click()
{
    const bool show = !mnuViewStatusBar->isChecked();
    sbStatusBar->setVisible(show);
    mnuViewStatusBar->setChecked(show);
}

void frmMain::mnuViewChartSettings_Click()
{
    const bool show = !mnuViewChartSettings->isChecked();
    mnuViewChartSettings->setChecked(show);
    if (show && !m_chartOptionsPlaced) {
        m_chartOptionsPlaced = true;
        m_chartOptions->Form_Load();
    }
    m_chartOptions->setVisible(show);
}

void frmMain::mnuViewUserColorScheme_Click()
{
    const bool show = !mnuViewUserColorScheme->isChecked();
    mnuViewUserColorScheme->setChecked(show);
    if (show && !m_editorPlaced) {
        m_editorPlaced = true;
        loadEditorPosition();
    }
    m_userColorScheme->setVisible(show);
}

void frmMain::mnuViewRefresh_Click()
{
    SynchronizeMenu();
    for (frmDocument* document : documents()) {
        document->ResetIdle();
    }
}

void frmMain::setActiveState(int32_t state)
{
    if (frmDocument* active = ActiveForm()) {
        active->SetState(state);
        SynchronizeMenu();
    }
}

void frmMain::gotoStart()
{
    if (frmDocument* active = ActiveForm()) {
        active->GotoStart();
        SynchronizeMenu();
    }
}

void frmMain::gotoEnd()
{
    if (frmDocument* active = ActiveForm()) {
        active->GotoEnd();
        SynchronizeMenu();
    }
}

void frmMain::startSelection()
{
    if (frmDocument* active = ActiveForm()) {
        ChartSlider& slider = *active->sldSounding;
        slider.setSelStart(slider.value());
        slider.setSelLength(0);
        SynchronizeMenu();
    }
}

void frmMain::stopSelection()
{
    if (frmDocument* active = ActiveForm()) {
        ChartSlider& slider = *active->sldSounding;
        if (slider.value() > slider.SelStart()) {
            slider.setSelLength(slider.value() - slider.SelStart());
        } else {
            slider.setSelStart(slider.value());
            slider.setSelLength(0);
        }
        SynchronizeMenu();
    }
}

void frmMain::toggleOption(void (*toggle)(tSonarOptions&))
{
    if (frmDocument* active = ActiveForm()) {
        toggle(active->SonarOptions);
        SynchronizeMenu();
    }
}

void frmMain::setSurfaceClarity(int32_t value)
{
    if (frmDocument* active = ActiveForm()) {
        active->SonarOptions.setSurfaceClarity(value);
        SynchronizeMenu();
    }
}

void frmMain::setAdvancedSignalProcessing(int32_t value)
{
    if (frmDocument* active = ActiveForm()) {
        active->SonarOptions.setAdvancedSignalProcessing(value);
        SynchronizeMenu();
    }
}

void frmMain::setColorMode(int32_t value)
{
    if (frmDocument* active = ActiveForm()) {
        active->SonarOptions.setColorMode(value);
        SynchronizeMenu();
    }
}

void frmMain::mnuWindowNewWindow_Click()
{
    frmDocument* active = ActiveForm();
    if (active == nullptr) {
        return;
    }
    auto* document = new frmDocument(*this);
    addDocumentWindow(document);
    document->NewWindow(active->SonarFile, active->strFileName);
    ShowDocument(document);
}

void frmMain::mnuHelpContents_Click()
{
    // No help file ships with the viewer, and there is no platform help viewer to give one to.
    showMessage(
        QStringLiteral(
            "Unable to display Help Contents. There is no Help associated with this project."),
        QMessageBox::Information);
}

void frmMain::updateWindowMenu()
{
    for (QAction* item : m_windowListItems) {
        mnuWindow->removeAction(item);
        delete item;
    }
    m_windowListItems.clear();
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
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
        item->setChecked(sub == m_mdiArea->activeSubWindow());
        connect(item, &QAction::triggered, this,
                [this, sub] { m_mdiArea->setActiveSubWindow(sub); });
        m_windowListItems.append(item);
    }
}

void frmMain::tileCharts(Qt::Orientation along)
{
    QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    windows.removeIf([](const QMdiSubWindow* sub) { return sub->isMinimized(); });
    if (windows.isEmpty())
        return;
    const QSize area = m_mdiArea->viewport()->size();
    const auto count = static_cast<int>(windows.size());
    const int step = (along == Qt::Horizontal ? area.width() : area.height()) / count;
    int offset = 0;
    for (QMdiSubWindow* sub : windows) {
        sub->showNormal();
        if (along == Qt::Horizontal)
            sub->setGeometry(offset, 0, step, area.height());
        else
            sub->setGeometry(0, offset, area.width(), step);
        offset += step;
    }
}

} // namespace brellix

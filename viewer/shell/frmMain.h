// The multiple-document main window: menus, toolbar and status bar over a QMdiArea of chart
// windows, the two tool windows (chart settings, colour scheme editor) and the services the
// charts call back (DocumentHost). Settings go through the SettingsStore it is given.
#pragma once

#include "document/DocumentHost.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QSet>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;

namespace brellix {

class SettingsStore;
class frmChartOptions;
class frmUserColorScheme;
class tSonarOptions;

class frmMain : public QMainWindow, public DocumentHost
{
    Q_OBJECT

public:
    // The toolbar key for a play state; empty for a value without one.
    static QString stateKey(int32_t documentState);

    explicit frmMain(SettingsStore& settings, QWidget* parent = nullptr);
    ~frmMain() override;

    // Main window load: the editor's scheme subscription, placement and state from the store,
    // SynchronizeMenu, "Ready", the Chart Settings check (its window comes up with the main
    // window's first show, beside its frame), and the log named by commandLine (one file name,
    // optionally in double quotes; empty for none). Call once, before show().
    void Form_Load(const QString& commandLine);

    // Opens the log in a new chart window (and, for SL2, the further channels): the window is
    // shown when the log opened and thrown away otherwise. Returns the chart or nullptr.
    frmDocument* openChart(const QString& fileName);

    // The active chart window, or nullptr.
    frmDocument* ActiveForm() const;
    // Every open chart window, in the MDI area's creation order.
    QList<frmDocument*> documents() const;
    QMdiArea* mdiArea() const { return m_mdiArea; }
    // The folder the file dialogs start in: "Options"/"MRUDir" as read at load, by default the
    // user's documents folder, with a trailing separator.
    QString fileDialogFolder() const { return m_fileDialogFolder; }
    static QString defaultFolder();

    frmChartOptions& chartOptions() const { return *m_chartOptions; }
    frmUserColorScheme& userColorSchemeWindow() const { return *m_userColorScheme; }
    SettingsStore& settings() const { return m_settings; }

    // Dispatches a toolbar click by the button's key; an unknown key does nothing.
    void tbToolBar_ButtonClick(const QString& key);
    // The toolbar button of a key, or nullptr.
    QAction* toolButton(const QString& key) const;
    // The status bar panel 1, 2 or 3.
    QLabel* statusPanel(int panel) const;

    // Copy: the user palette of the water column as 256 lines "0xRR, 0xGG, 0xBB,\r\n".
    // Throws what tColorScheme::GetColorValue throws for a scheme it cannot blend.
    QString userPaletteText() const;

    // DocumentHost
    void SynchronizeMenu() override;
    void SyncFilePosition(tSonarFile& SonarFile, int32_t SoundingNumber) override;
    bool AnyIdleWorking() override;
    tColorScheme& UserColorScheme() override;
    void ShowUserColorScheme(int32_t ColorMode) override;
    void LoadChartSettings() override;
    void ShowDocument(frmDocument* document) override;
    void DocumentUnloading(frmDocument& document) override;
    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue) override;
    void SaveSetting(const QString& section, const QString& key, const QString& value) override;
    int32_t PositionFormat() const override;
    int32_t DepthFormat() const override;

    // Menus, in the order of the menu bar.
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
    QAction* mnuFileBar3 = nullptr;
    QAction* mnuFilePageSetup = nullptr;
    QAction* mnuFilePrintPreview = nullptr;
    QAction* mnuFilePrint = nullptr;
    QAction* mnuFileBar4 = nullptr;
    QAction* mnuFileSend = nullptr;
    QAction* mnuFileBar5 = nullptr;
    std::array<QAction*, 4> mnuFileMRU{};
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
    std::array<QAction*, 4> mnuSoundingsSurfaceClarityItems{}; // Off, Low, Medium, High
    QMenu* mnuSoundingsASP = nullptr;
    std::array<QAction*, 3> mnuSoundingsASPItems{}; // Off, Normal, High
    QMenu* mnuSoundingsColorMode = nullptr;
    std::array<QAction*, 8> mnuSoundingsColorModeItems{}; // by ColorMode value
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

    QToolBar* tbToolBar = nullptr;
    QStatusBar* sbStatusBar = nullptr;

    // Shows the window's message boxes; replaceable so that tests read them instead.
    using MessageHandler =
        std::function<void(const QString& title, const QString& text, QMessageBox::Icon icon)>;
    void setMessageHandler(MessageHandler handler) { m_messageHandler = std::move(handler); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The menu tree with captions, shortcuts, visibility and initial marks.
    void createMenus();
    // The commands behind the menu items.
    void createActions();
    void createToolBar();
    void createStatusBar();
    // Lays the charts that are not minimised out in a row (Horizontal) or a column (Vertical).
    void tileCharts(Qt::Orientation along);
    void createToolWindows();

    QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                     const QString& shortcut = QString(), bool shown = true);
    QAction* addSeparator(QMenu* menu, const char* name, bool shown = true);
    QMenu* addSubMenu(QMenu* menu, const char* name, const QString& caption, bool shown = true);
    QMenu* addTopMenu(const char* name, const QString& caption);

    void loadPlacement();
    void savePlacement();
    void loadEditorPosition();
    void saveEditorPosition();
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;

    // A message box with the main window's caption as its title.
    void showMessage(const QString& text, QMessageBox::Icon icon = QMessageBox::NoIcon);
    void showLaterCommand(const QAction* item);

    // Commands.
    void mnuFileNew_Click();
    void mnuFileClose_Click();
    void mnuEditCopy_Click();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewChartSettings_Click();
    void mnuViewUserColorScheme_Click();
    void mnuViewRefresh_Click();
    void setActiveState(int32_t state);
    void gotoStart();
    void gotoEnd();
    void startSelection();
    void stopSelection();
    void toggleOption(void (*toggle)(tSonarOptions&));
    void setSurfaceClarity(int32_t value);
    void setAdvancedSignalProcessing(int32_t value);
    void setColorMode(int32_t value);
    void mnuWindowNewWindow_Click();
    void mnuHelpContents_Click();
    void updateWindowMenu();
    void updateClock();

    void UserColorSchemeEvents_BlackLineChanged();
    void UserColorSchemeEvents_UserPaletteChanged();

    QMdiSubWindow* addDocumentWindow(frmDocument* document);

    SettingsStore& m_settings;
    QMdiArea* m_mdiArea = nullptr;
    frmChartOptions* m_chartOptions = nullptr;
    frmUserColorScheme* m_userColorScheme = nullptr;
    QLabel* m_panelStatus = nullptr;
    QLabel* m_panelDate = nullptr;
    QLabel* m_panelTime = nullptr;
    QTimer* m_clock = nullptr;
    QList<QAction*> m_windowListItems;
    // The chart active at the previous synchronisation; forgotten when it unloads.
    QPointer<frmDocument> m_previousActive;
    // Charts past the start of their unload: no longer active, listed or handed anything.
    QSet<const frmDocument*> m_unloading;
    MessageHandler m_messageHandler;
    int m_newDocumentCount = 0;
    bool m_chartOptionsPlaced = false;
    bool m_editorPlaced = false;
    QString m_fileDialogFolder;
    bool m_showChartOptionsOnShow = false;
};

} // namespace brellix

// The multiple-document main window: menus, toolbar and status bar over a QMdiArea of chart
// windows, the two tool windows (chart settings, colour scheme editor) and the services the
// charts call back (DocumentHost). Settings go through the SettingsStore it is given.
//
// The menu tree, the toolbar and the status bar are its controls, as a form's are;
// every command is written once here and run alike from its menu item and its button.
#pragma once

#include "document/DocumentHost.h"
#include "shell/MainMenus.h"
#include "shell/MainStatusBar.h"
#include "shell/MainToolBar.h"
#include "shell/WindowPlacement.h"

#include <QHash>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QMdiArea;
class QMdiSubWindow;
class QPrinter;

namespace brellix {

class SettingsStore;
class FileCommands;
struct FileRequest;
class frmChartOptions;
class frmTrack;
class frmUserColorScheme;
class frmDocument;

class frmMain : public QMainWindow,
                public MainMenus,
                public MainToolBar,
                public MainStatusBar,
                public DocumentHost
{
    Q_OBJECT

public:
    explicit frmMain(SettingsStore& settings, QWidget* parent = nullptr);
    ~frmMain() override;

    // Main window load: the editor's scheme subscription, placement and state from the store,
    // SynchronizeMenu, "Ready", the Chart Settings check (its window comes up with the main
    // window's first show, beside its frame), a message when the sonar data library is missing
    // or incomplete, and the log named by commandLine (one file name, optionally in double
    // quotes; empty for none). Call once, before show().
    void load(const QString& commandLine);

    // Opens the log in a new chart window (and, for SL2, the further channels): the window is
    // shown when the log opened and thrown away otherwise, with a message that names the file
    // and says why when no window of it opened. Returns the chart or nullptr.
    frmDocument* openChart(const QString& fileName);

    // The active chart window, or nullptr.
    frmDocument* ActiveForm() const;
    // Every open chart window not being unloaded, in the MDI area's creation order.
    QList<frmDocument*> documents() const;
    QMdiArea* mdiArea() const { return m_mdiArea; }
    // The folder the file dialogs start in: "Options"/"MRUDir" as read at load, by default the
    // user's documents folder, with a trailing separator.
    QString fileDialogFolder() const { return m_fileDialogFolder; }
    static QString defaultFolder();

    frmChartOptions& chartOptions() const { return *m_chartOptions; }
    frmTrack& trackWindow() const { return *m_track; }
    frmUserColorScheme& userColorSchemeWindow() const { return *m_userColorScheme; }

    // Dispatches a toolbar click by the button's key to its menu item's command; an unknown
    // key does nothing.
    void tbToolBar_ButtonClick(const QString& key);
    // DocumentHost
    void SynchronizeMenu() override;
    void SyncFilePosition(tSonarFile& SonarFile, int32_t SoundingNumber) override;
    bool AnyIdleWorking() override;
    tColorScheme& UserColorScheme() override;
    void ShowUserColorScheme(int32_t ColorMode) override;
    void loadChartSettings() override;
    void showDocument(std::unique_ptr<frmDocument> document) override;
    void documentUnloading(frmDocument& document) override;
    SettingsStore& settings() override { return m_settings; }
    int32_t positionFormat() const override;
    int32_t depthFormat() const override;

    // Shows the window's message boxes; replaceable so that tests read them instead.
    using MessageHandler =
        std::function<void(const QString& title, const QString& text, QMessageBox::Icon icon)>;
    void setMessageHandler(MessageHandler handler) { m_messageHandler = std::move(handler); }
    // A message box with the main window's caption as its title.
    void showMessage(const QString& text, QMessageBox::Icon icon = QMessageBox::NoIcon);

    // The file dialog; an empty name when the user cancels. Replaceable for tests.
    using FileChooser = std::function<QString(const FileRequest& request)>;
    void setFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }
    QString chooseFile(const FileRequest& request);
    // A question with a warning icon, OK and Cancel; true for OK. Replaceable for tests.
    using QuestionHandler = std::function<bool(const QString& title, const QString& text)>;
    void setQuestionHandler(QuestionHandler handler) { m_questionHandler = std::move(handler); }
    bool askOkCancel(const QString& title, const QString& text);
    // Shows a modal dialog owned by the main window; tests look at it and close it instead.
    using DialogHandler = std::function<void(QDialog& dialog)>;
    void setDialogHandler(DialogHandler handler) { m_dialogHandler = std::move(handler); }
    void showDialog(QDialog& dialog);

    // The folder of the viewer's program, where the converter and the tips file are found.
    QString applicationFolder() const;
    void setApplicationFolder(const QString& folder) { m_applicationFolder = folder; }
    FileCommands& fileCommands() const { return *m_fileCommands; }

    // Shows or hides the colour scheme editor with its menu item, placing it on its first show.
    void showUserColorSchemeWindow(bool show);
    // The tip of the day, modal, owned by the main window.
    void showTipOfTheDay();
    // The application's printer: the system's default, or a PDF file where there is none.
    QPrinter& printer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Log and colour files dropped from a file manager open as the File menu would open them.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The commands behind the menu items, each registered once for its item.
    void createActions();
    void createToolWindows();
    // Connects item to run, and keeps run as the item's command for its toolbar button. A
    // click on a check item does not flip its mark by itself: the command and the next
    // synchronisation set it.
    void command(QAction* item, std::function<void()> run);
    void runCommand(const QAction* item);
    // Runs act on the active chart and synchronises; nothing without an active chart.
    void withActiveChart(const std::function<void(frmDocument&)>& act);

    // Puts a chart into a new sub-window at the chart's design size; the sub-window owns it
    // and deletes it when closed.
    QMdiSubWindow* addDocumentWindow(std::unique_ptr<frmDocument> document);
    void showChartWindow(QMdiSubWindow* sub);
    // New chart windows inside the area: the channel windows of one log side by side when
    // they would not fit in a row as they came, any other moved and shrunk to fit.
    void arrangeNewCharts(const QList<QMdiSubWindow*>& opened);

    void mnuFileNew_Click();
    void mnuEditCopy_Click();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewChartSettings_Click();
    void mnuViewUserColorScheme_Click();
    void mnuViewTrack_Click();
    // Points the track window at the active chart's log and sounding.
    void followActiveChart();
    void mnuViewOptions_Click();
    void mnuFilePrint_Click();
    void mnuHelpAbout_Click();
    void mnuViewRefresh_Click();
    void mnuWindowNewWindow_Click();
    void mnuHelpContents_Click();
    void startSelection(frmDocument& chart);
    void stopSelection(frmDocument& chart);

    void UserColorSchemeEvents_BlackLineChanged();
    void UserColorSchemeEvents_UserPaletteChanged();

    SettingsStore& m_settings;
    WindowPlacement m_placement;
    QMdiArea* m_mdiArea = nullptr;
    frmChartOptions* m_chartOptions = nullptr;
    frmTrack* m_track = nullptr;
    frmUserColorScheme* m_userColorScheme = nullptr;
    QHash<const QAction*, std::function<void()>> m_commands;
    // The chart active at the previous synchronisation; forgotten when it unloads.
    QPointer<frmDocument> m_previousActive;
    MessageHandler m_messageHandler;
    FileChooser m_fileChooser;
    QuestionHandler m_questionHandler;
    DialogHandler m_dialogHandler;
    QString m_applicationFolder;
    FileCommands* m_fileCommands = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    int m_newDocumentCount = 0;
    bool m_chartOptionsPlaced = false;
    bool m_trackPlaced = false;
    bool m_editorPlaced = false;
    QString m_fileDialogFolder;
    bool m_showChartOptionsOnShow = false;
    bool m_showEditorOnShow = false;
    // Whether the main window has shown: the tool windows are placed beside it from then on.
    bool m_shownOnce = false;
};

} // namespace brellix

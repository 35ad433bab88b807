#include "shell/frmMain.h"

#include "dialogs/frmAbout.h"
#include "dialogs/frmChartOptions.h"
#include "dialogs/frmOptions.h"
#include "dialogs/frmTip.h"
#include "dialogs/frmTrack.h"
#include "dialogs/frmUserColorScheme.h"
#include "document/ChartSlider.h"
#include "document/frmDocument.h"
#include "platform/ApplicationState.h"
#include "platform/SettingsStore.h"
#include "platform/VantrelLibrary.h"
#include "printing/frmPrintOptions.h"
#include "render/UserPaletteText.h"
#include "shell/ChartArrangement.h"
#include "shell/ChartImageExportCommand.h"
#include "shell/FileCommands.h"
#include "shell/FileRequest.h"
#include "shell/TrackExportCommand.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <stdexcept>

// The icons live in the static library; their registration must be pulled in by name.
static void initBrellixResources()
{
    Q_INIT_RESOURCE(brellix);
}

namespace brellix {

frmMain::frmMain(SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_placement(settings)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Brellix"));
    initBrellixResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/brellix.png")));

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    setAcceptDrops(true);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) {
        // The chart itself synchronises when it becomes active; this covers the frame's own
        // changes (the last chart gone, a sub-window without a chart).
        SynchronizeMenu();
    });

    createMenus(*menuBar(), *this);
    connect(mnuWindow, &QMenu::aboutToShow, this, [this] { updateWindowList(*m_mdiArea); });
    createActions();
    createToolBar(*this, *this, [this](const QString& key) { tbToolBar_ButtonClick(key); });
    createStatusBar(*this);
    createToolWindows();
}

frmMain::~frmMain()
{
    // Tearing the window down hides its sub-windows, and the area reports each change of the
    // active one; this window's members are gone by then.
    disconnect(m_mdiArea, nullptr, this, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Building the window

void frmMain::command(QAction* item, std::function<void()> run)
{
    m_commands.insert(item, run);
    connect(item, &QAction::triggered, this, [item, run = std::move(run)]() {
        // QAction toggles before triggered; put the mark back first.
        if (item->isCheckable()) {
            item->setChecked(!item->isChecked());
        }
        run();
    });
}

void frmMain::runCommand(const QAction* item)
{
    const auto found = m_commands.constFind(item);
    if (found != m_commands.constEnd()) {
        found.value()();
    }
}

void frmMain::withActiveChart(const std::function<void(frmDocument&)>& act)
{
    if (frmDocument* active = ActiveForm()) {
        act(*active);
        SynchronizeMenu();
    }
}

void frmMain::createActions()
{
    command(mnuFileNew, [this] { mnuFileNew_Click(); });
    command(mnuFileClose, [this] {
        if (QMdiSubWindow* sub = m_mdiArea->currentSubWindow()) {
            sub->close();
        }
    });
    command(mnuFileSave, [] {});
    command(mnuFileExit, [this] { close(); });
    m_fileCommands = new FileCommands(*this);
    FileCommands& files = *m_fileCommands;
    command(mnuFileOpen, [&files] { files.OpenChart(); });
    command(mnuFileSaveAs, [&files] { files.SaveAs(); });
    command(mnuFileOpenColors, [&files] { files.OpenUserColors(); });
    command(mnuFileSaveColors, [&files] { files.SaveUserColorFile(true); });
    command(mnuFileConvert, [&files] { files.OutputChartInformation(); });
    command(mnuFileProperties, [&files] { files.Properties(); });
    command(mnuFileExportTrack, [this] { TrackExportCommand(*this).run(); });
    command(mnuFileExportImage, [this] { ChartImageExportCommand(*this).run(); });
    command(mnuFilePrint, [this] { mnuFilePrint_Click(); });
    command(mnuFilePageSetup, [this] {
        QPageSetupDialog setup(&printer(), this);
        showDialog(setup);
    });
    command(mnuViewOptions, [this] { mnuViewOptions_Click(); });
    command(mnuHelpTipOfDay, [this] { showTipOfTheDay(); });
    command(mnuHelpAbout, [this] { mnuHelpAbout_Click(); });
    const auto placeholder = [this](QAction* item, const char* text) {
        command(item, [this, text] { showMessage(QLatin1String(text)); });
    };
    placeholder(mnuEditCut, "Cut Code goes here!");
    placeholder(mnuEditPaste, "Paste Code goes here!");
    placeholder(mnuEditUndo, "Undo Code goes here!");
    placeholder(mnuEditPasteSpecial, "Paste Special Code goes here!");
    placeholder(mnuFilePrintPreview, "Print Preview Code goes here!");
    for (QAction* mru : mnuFileMRU) {
        placeholder(mru, "MRU Code goes here!");
    }
    command(mnuEditCopy, [this] { mnuEditCopy_Click(); });

    command(mnuViewToolbar, [this] { mnuViewToolbar_Click(); });
    command(mnuViewStatusBar, [this] { mnuViewStatusBar_Click(); });
    command(mnuViewChartSettings, [this] { mnuViewChartSettings_Click(); });
    command(mnuViewUserColorScheme, [this] { mnuViewUserColorScheme_Click(); });
    command(mnuViewTrack, [this] { mnuViewTrack_Click(); });
    command(mnuViewRefresh, [this] { mnuViewRefresh_Click(); });

    const auto playState = [this](QAction* item, frmDocument::PlayState state) {
        command(item,
                [this, state] { withActiveChart([state](frmDocument& c) { c.SetState(state); }); });
    };
    playState(mnuSoundingsPositionPlay, frmDocument::kPlaying);
    playState(mnuSoundingsPositionPause, frmDocument::kPaused);
    playState(mnuSoundingsPositionReplay, frmDocument::kPlayingReverse);
    playState(mnuSoundingsPositionForward, frmDocument::kFastForward);
    playState(mnuSoundingsPositionRewind, frmDocument::kRewinding);
    command(mnuSoundingsPositionPrevious,
            [this] { withActiveChart([](frmDocument& c) { c.GotoStart(); }); });
    command(mnuSoundingsPositionNext,
            [this] { withActiveChart([](frmDocument& c) { c.GotoEnd(); }); });
    command(mnuSoundingsPositionStartSelection,
            [this] { withActiveChart([this](frmDocument& c) { startSelection(c); }); });
    command(mnuSoundingsPositionStopSelection,
            [this] { withActiveChart([this](frmDocument& c) { stopSelection(c); }); });

    const auto option = [this](QAction* item, void (*change)(tSonarOptions&)) {
        command(item, [this, change] {
            withActiveChart([change](frmDocument& c) { change(c.SonarOptions); });
        });
    };
    option(mnuSoundingsAutoDepthRange,
           [](tSonarOptions& o) { o.setbAutoDepthRange(!o.bAutoDepthRange()); });
    option(mnuSoundingsAutoSensitivity,
           [](tSonarOptions& o) { o.setbAutoSensitivity(!o.bAutoSensitivity()); });
    option(mnuSoundingsFishIDFishSymbols,
           [](tSonarOptions& o) { o.setbFishSymbols(!o.bFishSymbols()); });
    option(mnuSoundingsFishIDFishDepths,
           [](tSonarOptions& o) { o.setbFishDepths(!o.bFishDepths()); });
    const auto choice = [this](const std::vector<QAction*>& items,
                               void (tSonarOptions::*set)(int32_t)) {
        for (size_t i = 0; i < items.size(); ++i) {
            const auto value = static_cast<int32_t>(i);
            command(items[i], [this, set, value] {
                withActiveChart([set, value](frmDocument& c) { (c.SonarOptions.*set)(value); });
            });
        }
    };
    choice(mnuSoundingsSurfaceClarityItems, &tSonarOptions::setSurfaceClarity);
    choice(mnuSoundingsASPItems, &tSonarOptions::setAdvancedSignalProcessing);
    choice(mnuSoundingsColorModeItems, &tSonarOptions::setColorMode);
    // Sen&d..., Sensitivity, ColorLine, Depth Range, Upper and Lower Limits and Color Regions
    // have no command.

    command(mnuWindowNewWindow, [this] { mnuWindowNewWindow_Click(); });
    command(mnuWindowCascade, [this] { cascadeCharts(*m_mdiArea); });
    // Horizontal: charts one above the other, each the full width; vertical: side by side.
    command(mnuWindowTileHorizontal, [this] { tileCharts(*m_mdiArea, Qt::Vertical); });
    command(mnuWindowTileVertical, [this] { tileCharts(*m_mdiArea, Qt::Horizontal); });
    command(mnuWindowArrangeIcons, [this] { arrangeIcons(*m_mdiArea); });
    command(mnuHelpContents, [this] { mnuHelpContents_Click(); });
    command(mnuHelpSearch, [this] { mnuHelpContents_Click(); });
}

void frmMain::createToolWindows()
{
    m_userColorScheme = new frmUserColorScheme(this);
    m_chartOptions = new frmChartOptions(this);
    // The close box forgets where the window stood: it comes back at its default place.
    connect(m_chartOptions, &frmChartOptions::closedByUser, this, [this] {
        mnuViewChartSettings->setChecked(false);
        m_placement.forgetChartOptions();
        m_chartOptionsPlaced = false;
    });
    connect(m_chartOptions, &frmChartOptions::userColorModeEntered, this,
            [this] { showUserColorSchemeWindow(true); });
    connect(m_userColorScheme, &frmUserColorScheme::closedByUser, this,
            [this] { mnuViewUserColorScheme->setChecked(false); });
    m_track = new frmTrack(this);
    connect(m_track, &frmTrack::closedByUser, this, [this] { mnuViewTrack->setChecked(false); });
    // A click on the track moves the active chart, and with it the log's other windows.
    connect(m_track, &frmTrack::soundingChosen, this, [this](int32_t sounding) {
        frmDocument* active = ActiveForm();
        if (active != nullptr && active->SonarFile &&
            active->SonarFile->GetFilename() == m_track->fileName()) {
            active->GotoSounding(sounding);
        }
    });
}

// ---------------------------------------------------------------------------------------------
// Load and unload

QString frmMain::defaultFolder()
{
    // The user's Documents folder, or the home folder where there is none (a fresh account).
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void frmMain::load(const QString& commandLine)
{
    // The editor, and with it the user colour scheme, exists from the constructor on.
    connect(&m_userColorScheme->UserColorScheme(), &tColorScheme::BlackLineChanged, this,
            &frmMain::UserColorSchemeEvents_BlackLineChanged);
    connect(&m_userColorScheme->UserColorScheme(), &tColorScheme::UserPaletteChanged, this,
            &frmMain::UserColorSchemeEvents_UserPaletteChanged);

    m_placement.loadMainWindow(*this);
    m_fileDialogFolder = m_settings.getText(settingskeys::kMruDir, defaultFolder());
    SynchronizeMenu();
    statusPanel(1)->setText(QStringLiteral("Ready"));

    const bool showChartSettings = m_settings.get(settingskeys::kShowChartSettings);
    mnuViewChartSettings->setChecked(showChartSettings);
    // The chart settings window is placed beside the main window's frame, which exists only
    // once the main window is shown: it comes up right after it (showEvent).
    m_showChartOptionsOnShow = showChartSettings;

    // Without the library every chart stays blank: say so once, before any chart needs it.
    VantrelLibrary& library = VantrelLibrary::instance();
    if (!library.verify()) {
        showMessage(library.errorString(), QMessageBox::Critical);
    }

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
    if (m_shownOnce) {
        return;
    }
    m_shownOnce = true;
    m_chartOptionsPlaced = true;
    arrangeNewCharts(m_mdiArea->subWindowList());
    m_placement.loadChartOptions(*m_chartOptions, *this);
    if (m_showChartOptionsOnShow && mnuViewChartSettings->isChecked()) {
        m_chartOptions->show();
    }
    if (m_showEditorOnShow) {
        showUserColorSchemeWindow(true);
    }
}

namespace {

// The local files among what is dragged; links and remote places are not logs to open.
QStringList droppedFiles(const QMimeData* data)
{
    QStringList files;
    if (data == nullptr) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) {
            files.append(url.toLocalFile());
        }
    }
    return files;
}

} // namespace

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    for (const QString& file : files) {
        m_fileCommands->openDroppedFile(file);
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // The charts go first and write their own keys.
    m_previousActive = nullptr;
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) {
        sub->close();
    }
    m_placement.saveMainWindow(*this);
    m_settings.saveBool(settingskeys::kShowChartSettings, mnuViewChartSettings->isChecked());
    m_placement.saveChartOptions(*m_chartOptions);
    m_placement.saveUserColorScheme(*m_userColorScheme);
    m_settings.sync();
    m_chartOptions->hide();
    m_userColorScheme->hide();
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// Charts

QMdiSubWindow* frmMain::addDocumentWindow(std::unique_ptr<frmDocument> document)
{
    // The chart comes at its design size; the sub-window would otherwise shrink it to the
    // minimum of its frame, since a chart lays its controls out by hand.
    const QSize design = document->size();
    QMdiSubWindow* sub = m_mdiArea->addSubWindow(document.release());
    QStyleOptionTitleBar titleOption;
    titleOption.initFrom(sub);
    const int titleHeight = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, &titleOption, sub);
    const int frameWidth =
        sub->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub);
    sub->resize(design.width() + 2 * frameWidth, design.height() + titleHeight + frameWidth);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    return sub;
}

void frmMain::showChartWindow(QMdiSubWindow* sub)
{
    // The chart applies its stored window state itself when first shown.
    sub->show();
    sub->widget()->show();
}

void frmMain::arrangeNewCharts(const QList<QMdiSubWindow*>& opened)
{
    // Before the first show the area has no size to fit into; showEvent comes back here.
    if (!isVisible()) {
        return;
    }
    if (opened.size() > 1 && !fitInARow(*m_mdiArea, opened)) {
        tileCharts(*m_mdiArea, Qt::Horizontal, opened);
        return;
    }
    for (QMdiSubWindow* sub : opened) {
        fitInside(*m_mdiArea, *sub);
    }
}

void frmMain::showDocument(std::unique_ptr<frmDocument> document)
{
    if (document != nullptr) {
        showChartWindow(addDocumentWindow(std::move(document)));
    }
}

frmDocument* frmMain::openChart(const QString& fileName)
{
    // Into its sub-window before it opens, so that it comes before the further channel windows
    // the opening shows.
    auto owned = std::make_unique<frmDocument>(*this);
    frmDocument* document = owned.get();
    QMdiSubWindow* sub = addDocumentWindow(std::move(owned));
    const QList<QMdiSubWindow*> before = m_mdiArea->subWindowList();
    if (!document->OpenFile(fileName, 0)) {
        const QString why = document->SonarFile->openError();
        document->unload();
        m_mdiArea->removeSubWindow(sub);
        delete sub;
        // An SL2 log without a primary channel may still have opened on its others.
        if (m_mdiArea->subWindowList().size() < before.size()) {
            showMessage(QStringLiteral("Unable to open %1.\n\n%2")
                            .arg(QDir::toNativeSeparators(fileName), why),
                        QMessageBox::Warning);
        }
        return nullptr;
    }
    showChartWindow(sub);
    QList<QMdiSubWindow*> opened = m_mdiArea->subWindowList();
    opened.removeIf(
        [&before, sub](QMdiSubWindow* other) { return other != sub && before.contains(other); });
    arrangeNewCharts(opened);
    return document;
}

frmDocument* frmMain::ActiveForm() const
{
    QMdiSubWindow* sub = m_mdiArea->currentSubWindow();
    auto* document = sub != nullptr ? qobject_cast<frmDocument*>(sub->widget()) : nullptr;
    return document != nullptr && !document->isUnloaded() ? document : nullptr;
}

QList<frmDocument*> frmMain::documents() const
{
    QList<frmDocument*> list;
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) {
        auto* document = qobject_cast<frmDocument*>(sub->widget());
        if (document != nullptr && !document->isUnloaded()) {
            list.append(document);
        }
    }
    return list;
}

void frmMain::documentUnloading(frmDocument& document)
{
    // A chart on its way out hands nothing over at the next synchronisation.
    if (m_previousActive == &document) {
        m_previousActive = nullptr;
    }
}

void frmMain::SynchronizeMenu()
{
    frmDocument* active = ActiveForm();
    const bool ready = active != nullptr && active->bDocumentReady;
    // The frame names the active chart's log, as desktop tools name their document.
    const QString logName = ready && active->SonarFile
                                ? QFileInfo(active->SonarFile->GetFilename()).fileName()
                                : QString();
    setWindowTitle(logName.isEmpty() ? QStringLiteral("Brellix")
                                     : logName + QStringLiteral(" - Brellix"));

    if (m_previousActive != nullptr && active != nullptr && m_previousActive != active) {
        frmDocument* previous = m_previousActive.data();
        active->SetState(previous->GetState());
        previous->SetState(frmDocument::kPaused);
    }
    m_previousActive = active;

    synchronizeToolBar(ready, ready ? active->DocumentState : -1);

    m_chartOptions->setSonarOptions(ready ? &active->SonarOptions : nullptr);
    m_chartOptions->LoadSettings();
    followActiveChart();

    enableChartItems(ready);

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
    const auto markChoice = [](const std::vector<QAction*>& items, int32_t value) {
        for (size_t i = 0; i < items.size(); ++i) {
            items[i]->setChecked(static_cast<int32_t>(i) == value);
        }
    };
    markChoice(mnuSoundingsSurfaceClarityItems, options.SurfaceClarity());
    markChoice(mnuSoundingsASPItems, options.AdvancedSignalProcessing());
    markChoice(mnuSoundingsColorModeItems, options.ColorMode());
}

void frmMain::SyncFilePosition(tSonarFile& SonarFile, int32_t SoundingNumber)
{
    // The track marks the active chart's newest sounding, where the chart is playing.
    if (const frmDocument* active = ActiveForm();
        active != nullptr && active->SonarFile.get() == &SonarFile) {
        m_track->setCurrentSounding(active->ChartPositionRight());
    }
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
    const QList<frmDocument*> charts = documents();
    return std::any_of(charts.begin(), charts.end(),
                       [](const frmDocument* chart) { return chart->bIdleWorking; });
}

tColorScheme& frmMain::UserColorScheme()
{
    return m_userColorScheme->UserColorScheme();
}

void frmMain::ShowUserColorScheme(int32_t ColorMode)
{
    m_userColorScheme->ShowUserColorScheme(ColorMode);
}

void frmMain::loadChartSettings()
{
    m_chartOptions->LoadSettings();
}

int32_t frmMain::positionFormat() const
{
    return applicationState().lPositionFormat;
}

int32_t frmMain::depthFormat() const
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
    runCommand(commandItem(key));
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

QString frmMain::chooseFile(const FileRequest& request)
{
    if (m_fileChooser) {
        return m_fileChooser(request);
    }
    QFileDialog dialog(this, request.title, request.folder, request.filter);
    dialog.setAcceptMode(request.kind == FileRequest::Save ? QFileDialog::AcceptSave
                                                           : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.kind == FileRequest::Save ? QFileDialog::AnyFile
                                                         : QFileDialog::ExistingFile);
    // The descriptions read as written, without Qt's pattern lists after them.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

bool frmMain::askOkCancel(const QString& title, const QString& text)
{
    if (m_questionHandler) {
        return m_questionHandler(title, text);
    }
    return QMessageBox::warning(this, title, text, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

void frmMain::showDialog(QDialog& dialog)
{
    if (m_dialogHandler) {
        m_dialogHandler(dialog);
        return;
    }
    dialog.exec();
}

QString frmMain::applicationFolder() const
{
    return m_applicationFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                         : m_applicationFolder;
}

void frmMain::showTipOfTheDay()
{
    QStringList files = frmTip::defaultTipFiles();
    if (!m_applicationFolder.isEmpty()) {
        files.prepend(QDir(m_applicationFolder).filePath(QLatin1String(frmTip::kTipsFile)));
    }
    frmTip tip(m_settings, files, this);
    showDialog(tip);
}

QPrinter& frmMain::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *m_printer;
}

void frmMain::mnuFilePrint_Click()
{
    frmDocument* chart = ActiveForm();
    if (chart == nullptr || !chart->bDocumentReady) {
        return;
    }
    QPrinter& destination = printer();
    // Without a printer of the system's the page goes to a PDF file named after the log.
    if (destination.outputFormat() == QPrinter::PdfFormat &&
        destination.outputFileName().isEmpty()) {
        destination.setOutputFileName(defaultFolder() +
                                      QFileInfo(chart->strFile).completeBaseName() +
                                      QStringLiteral(".pdf"));
    }
    frmPrintOptions dialog(*chart, destination, this);
    dialog.setDialogRunner([this](QDialog& inner) {
        showDialog(inner);
        return inner.result();
    });
    if (dialog.hasPrinter()) {
        showDialog(dialog);
    }
}

void frmMain::mnuViewOptions_Click()
{
    frmOptions options(m_settings, this);
    showDialog(options);
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout about(this);
    about.setMessageHandler([this](const QString& text) { showMessage(text); });
    showDialog(about);
}

void frmMain::mnuFileNew_Click()
{
    ++m_newDocumentCount;
    auto document = std::make_unique<frmDocument>(*this);
    document->setWindowTitle(QStringLiteral("Document %1").arg(m_newDocumentCount));
    QMdiSubWindow* sub = addDocumentWindow(std::move(document));
    showChartWindow(sub);
    arrangeNewCharts({sub});
}

void frmMain::mnuEditCopy_Click()
{
    // A scheme being edited can hold two points at one position, where no colour blends; the
    // clipboard then keeps what it had.
    QString text;
    try {
        text = userPaletteText(m_userColorScheme->UserColorScheme());
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
        m_placement.loadChartOptions(*m_chartOptions, *this);
    }
    m_chartOptions->setVisible(show);
}

void frmMain::mnuViewTrack_Click()
{
    const bool show = !mnuViewTrack->isChecked();
    mnuViewTrack->setChecked(show);
    if (show && !m_trackPlaced) {
        // First shown in the main window's lower right corner, over the charts' ends.
        const QRect frame = geometry();
        m_track->move(frame.right() - m_track->width() - 24,
                      frame.bottom() - m_track->height() - 48);
        m_trackPlaced = true;
    }
    m_track->setVisible(show);
    followActiveChart();
}

void frmMain::followActiveChart()
{
    // A hidden track window reads nothing.
    const frmDocument* active = ActiveForm();
    if (!m_track->isVisible() || active == nullptr || !active->bDocumentReady ||
        !active->SonarFile) {
        if (m_track->isVisible() && active == nullptr) {
            m_track->follow(QString(), -1);
        }
        return;
    }
    m_track->setDepthFormat(applicationState().lDepthFormat);
    m_track->follow(active->SonarFile->GetFilename(), active->SonarFile->channel(),
                    active->SonarFile.get());
    m_track->setCurrentSounding(active->ChartPositionRight());
}

void frmMain::mnuViewUserColorScheme_Click()
{
    showUserColorSchemeWindow(!mnuViewUserColorScheme->isChecked());
}

void frmMain::showUserColorSchemeWindow(bool show)
{
    mnuViewUserColorScheme->setChecked(show);
    // Placed beside the main window's frame and below the chart settings window: before the
    // main window first shows, neither stands where it will.
    if (!m_shownOnce) {
        m_showEditorOnShow = show;
        return;
    }
    if (show && !m_editorPlaced) {
        m_editorPlaced = true;
        if (const frmDocument* active = ActiveForm()) {
            m_userColorScheme->ShowUserColorScheme(active->SonarOptions.ColorMode());
        }
        m_placement.loadUserColorScheme(*m_userColorScheme, *this, *m_chartOptions);
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

void frmMain::startSelection(frmDocument& chart)
{
    ChartSlider& slider = *chart.sldSounding;
    slider.setSelStart(slider.value());
    slider.setSelLength(0);
}

void frmMain::stopSelection(frmDocument& chart)
{
    ChartSlider& slider = *chart.sldSounding;
    if (slider.value() > slider.SelStart()) {
        slider.setSelLength(slider.value() - slider.SelStart());
    } else {
        slider.setSelStart(slider.value());
        slider.setSelLength(0);
    }
}

void frmMain::mnuWindowNewWindow_Click()
{
    frmDocument* active = ActiveForm();
    if (active == nullptr) {
        return;
    }
    auto owned = std::make_unique<frmDocument>(*this);
    frmDocument* document = owned.get();
    QMdiSubWindow* sub = addDocumentWindow(std::move(owned));
    document->NewWindow(active->SonarFile, active->strFileName, active);
    showChartWindow(sub);
    arrangeNewCharts({sub});
}

void frmMain::mnuHelpContents_Click()
{
    // No help file ships with the viewer, and there is no platform help viewer to give one to.
    showMessage(
        QStringLiteral(
            "Unable to display Help Contents. There is no Help associated with this project."),
        QMessageBox::Information);
}

} // namespace brellix

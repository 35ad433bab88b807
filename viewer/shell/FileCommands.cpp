#include "shell/FileCommands.h"

#include "dialogs/frmChartOptions.h"
#include "dialogs/frmProperties.h"
#include "dialogs/frmUserColorScheme.h"
#include "document/frmDocument.h"
#include "logs/LogFileNames.h"
#include "logs/tSonarFile.h"
#include "platform/ApplicationState.h"
#include "platform/SettingsKeys.h"
#include "platform/SettingsStore.h"
#include "shell/FileRequest.h"
#include "shell/frmMain.h"

#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>

namespace brellix {

namespace keys = settingskeys;

namespace {

const QString kLogFilter =
    QStringLiteral("Sonar Log Files (*.slg,*.sl2)|*.slg;*.sl2|All Files (*.*)|*.*");
const QString kSaveLogFilter = QStringLiteral("Sonar Log Files (*.slg)|*.slg|All Files (*.*)|*.*");
const QString kColorFilter =
    QStringLiteral("Talvern Color Files (*.kcf)|*.kcf|All Files (*.*)|*.*");
const QString kExportFilter = QStringLiteral("Comma Delimted Text Files (*.csv)|*.csv|Text files "
                                             "(*.txt)|*.txt|All Files (*.*)|*.*");

// Whether two paths name one file, also through a link or another spelling.
bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists()) {
        return first.canonicalFilePath() == second.canonicalFilePath();
    }
    return first.absoluteFilePath() == second.absoluteFilePath();
}

} // namespace

FileCommands::FileCommands(frmMain& main) : QObject(&main), m_main(main) {}

QString FileCommands::askFileName(bool save, const QString& filter, const SettingKey& folderKey,
                                  const QString& lastName, bool confirmOverwrite)
{
    FileRequest request;
    request.kind = save ? FileRequest::Save : FileRequest::Open;
    request.filter = qtFileFilter(filter);
    request.folder = m_main.settings().getText(folderKey, frmMain::defaultFolder());
    request.fileName = lastName;
    request.confirmOverwrite = confirmOverwrite;
    return m_main.chooseFile(request);
}

FileCommands::~FileCommands()
{
    // The export is the user's: it is not cut short because the viewer closes. The process
    // object is left behind so that its destructor does not kill the converter.
    if (m_converter != nullptr && m_converter->state() != QProcess::NotRunning) {
        m_converter->disconnect();
        m_converter->setParent(nullptr);
    }
}

void FileCommands::OpenChart()
{
    ApplicationState& state = applicationState();
    const QString path = askFileName(false, kLogFilter, keys::kMruDir, state.strLastFileName);
    if (!path.isEmpty()) {
        openChartFile(path);
    }
}

void FileCommands::openChartFile(const QString& path)
{
    applicationState().strLastFileName = path;
    if (!QFileInfo::exists(path)) {
        return;
    }
    m_main.settings().saveText(keys::kMruDir, splitPath(path).folder);
    m_main.openChart(path);
}

void FileCommands::SaveAs()
{
    frmDocument* chart = m_main.ActiveForm();
    if (chart == nullptr || !chart->SonarFile) {
        return;
    }
    ApplicationState& state = applicationState();
    const QString path = askFileName(true, kSaveLogFilter, keys::kMruDir, state.strLastFileName);
    if (path.isEmpty()) {
        return;
    }
    state.strLastFileName = path;
    m_main.settings().saveText(keys::kMruDir, splitPath(path).folder);
    if (!chart->SonarFile->SaveAs(path)) {
        m_main.showMessage(QStringLiteral("Unable to save the log as %1.").arg(path),
                           QMessageBox::Warning);
    }
}

void FileCommands::OpenUserColors()
{
    ApplicationState& state = applicationState();
    const QString path =
        askFileName(false, kColorFilter, keys::kMruColorDir, state.strLastColorFileName);
    if (!path.isEmpty()) {
        openUserColorFile(path);
    }
}

void FileCommands::openUserColorFile(const QString& path)
{
    applicationState().strLastColorFileName = path;
    m_main.settings().saveText(keys::kMruColorDir, splitPath(path).folder);

    QString why;
    const int32_t mode = m_main.UserColorScheme().ReadScheme(path, &why);
    if (!why.isEmpty()) {
        // The scheme stays as it was, and so do the charts' colour modes.
        m_main.showMessage(why, QMessageBox::Warning);
        return;
    }
    for (frmDocument* chart : m_main.documents()) {
        chart->LoadOptions();
        if (mode == tColorScheme::kUserColorMode || mode == tColorScheme::kUserRegionsColorMode) {
            chart->SonarOptions.setColorMode(mode);
        }
    }
    m_main.chartOptions().LoadSettings();
    m_main.showUserColorSchemeWindow(true);
}

void FileCommands::openDroppedFile(const QString& path)
{
    if (QFileInfo(path).suffix().compare(QStringLiteral("kcf"), Qt::CaseInsensitive) == 0) {
        openUserColorFile(path);
    } else {
        openChartFile(path);
    }
}

bool FileCommands::SaveUserColorFile(bool askName)
{
    ApplicationState& state = applicationState();
    if (askName || state.strLastColorFileName.isEmpty()) {
        // A file there is asked about below, once, in the viewer's own words.
        const QString path =
            askFileName(true, kColorFilter, keys::kMruColorDir, state.strLastColorFileName, false);
        if (path.isEmpty()) {
            return false;
        }
        state.strLastColorFileName = path;
        if (QFileInfo::exists(path) &&
            !m_main.askOkCancel(QStringLiteral("Save File As"),
                                path + QStringLiteral(" exists.\r\nDo you want to replace it?"))) {
            return false;
        }
    }
    const QString path = state.strLastColorFileName;
    m_main.settings().saveText(keys::kMruColorDir, splitPath(path).folder);
    const frmDocument* chart = m_main.ActiveForm();
    const bool regions = chart != nullptr && chart->SonarOptions.IsRegionColorMode();
    // The writer replaces the old file only once the new one is complete.
    QString why;
    if (!m_main.UserColorScheme().WriteScheme(path, regions, &why)) {
        m_main.showMessage(QStringLiteral("Unable to save the colours as %1.\n\n%2").arg(path, why),
                           QMessageBox::Warning);
        return false;
    }
    return true;
}

void FileCommands::OutputChartInformation()
{
    const frmDocument* chart = m_main.ActiveForm();
    if (chart == nullptr) {
        return;
    }
    const QString logPath = chart->strFileName;
    const PathParts parts = splitPath(logPath);
    FileRequest request;
    request.kind = FileRequest::Save;
    request.filter = qtFileFilter(kExportFilter);
    request.folder = parts.folder;
    request.fileName = parts.folder + proposedExportName(parts.name);
    const QString output = m_main.chooseFile(request);
    if (output.isEmpty()) {
        return;
    }
    const QString converter = converterPath(m_main.applicationFolder());
    if (!QFileInfo::exists(converter)) {
        m_main.showMessage(
            QStringLiteral("Tarnex application not found. Unable to perform operation"),
            QMessageBox::Critical);
        return;
    }
    if (sameFile(output, logPath)) {
        m_main.showMessage(QStringLiteral("%1 is the log itself. Choose another name for the "
                                          "chart information.")
                               .arg(output),
                           QMessageBox::Warning);
        return;
    }
    startConverter(logPath, output);
}

void FileCommands::startConverter(const QString& logPath, const QString& outputPath)
{
    auto* process = new QProcess(this);
    // Its own input, never the viewer's; the arguments go to it as they are, through no shell.
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QLabel* status = m_main.statusPanel(1);
    const QString name = splitPath(outputPath).name;
    connect(process, &QProcess::finished, this,
            [this, process, status, name](int exitCode, QProcess::ExitStatus exitStatus) {
                const bool written = exitStatus == QProcess::NormalExit && exitCode == 0;
                status->setText(written
                                    ? QStringLiteral("Chart information written to %1").arg(name)
                                    : QStringLiteral("The converter failed on %1 (exit status %2)")
                                          .arg(name)
                                          .arg(exitCode));
                if (m_converter == process) {
                    m_converter = nullptr;
                }
                process->deleteLater();
                emit converterFinished(exitCode);
            });
    connect(process, &QProcess::errorOccurred, this,
            [this, process, status](QProcess::ProcessError error) {
                if (error != QProcess::FailedToStart) {
                    return;
                }
                status->setText(QStringLiteral("The converter could not be started"));
                if (m_converter == process) {
                    m_converter = nullptr;
                }
                process->deleteLater();
                emit converterFinished(-1);
            });
    m_converter = process;
    status->setText(QStringLiteral("Writing chart information to %1...").arg(name));
    process->start(converterPath(m_main.applicationFolder()), {logPath, outputPath});
}

void FileCommands::Properties()
{
    const frmDocument* chart = m_main.ActiveForm();
    if (chart == nullptr || !chart->SonarFile) {
        return;
    }
    const tSonarFile& log = *chart->SonarFile;
    frmProperties dialog(&m_main);
    dialog.setWindowTitle(chart->strFile + QStringLiteral(" Properites"));
    dialog.lblBytesPerSounding->setText(QString::number(log.iBytesPerSounding()));
    dialog.lblSoundings->setText(QString::number(log.NumSoundings()));
    dialog.lblSize->setText(formatFileSize(log.lFileSize));
    m_main.showDialog(dialog);
}

} // namespace brellix

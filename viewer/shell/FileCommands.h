// The File menu's commands that move data in or out of the viewer: opening a log, saving it
// under another name, reading and writing colour files, exporting the active chart's log with
// the converter, and the log's properties. They run in the main window and use its dialogs.
#pragma once

#include <QObject>
#include <QString>

class QProcess;

namespace brellix {

class frmMain;
struct SettingKey;

class FileCommands : public QObject
{
    Q_OBJECT

public:
    // The main window must outlive the commands.
    explicit FileCommands(frmMain& main);
    // A converter still running goes on without the viewer.
    ~FileCommands() override;

    void OpenChart();
    void SaveAs();
    void OpenUserColors();
    // What Open Chart and Open User Colors do once the user has named the file.
    void openChartFile(const QString& path);
    void openUserColorFile(const QString& path);
    // A file dropped onto the main window: a colour file (.kcf) is read as the user colours,
    // anything else is opened as a chart.
    void openDroppedFile(const QString& path);
    // Writes the user colour scheme, asking for a name when askName or no colour file was
    // named yet; false when the user cancelled or the file could not be written.
    bool SaveUserColorFile(bool askName);
    void OutputChartInformation();
    void Properties();

    // The converter of the last export while it runs, for tests to wait on.
    QProcess* runningConverter() const { return m_converter; }

signals:
    // A started converter ended; the status bar said how.
    void converterFinished(int exitCode);

private:
    // The file dialog on the folder stored at folderKey with lastName proposed; empty when the
    // user cancels.
    QString askFileName(bool save, const QString& filter, const SettingKey& folderKey,
                        const QString& lastName, bool confirmOverwrite = true);
    void startConverter(const QString& logPath, const QString& outputPath);

    frmMain& m_main;
    QProcess* m_converter = nullptr;
};

} // namespace brellix

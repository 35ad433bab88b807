#include "shell/ChartImageExportCommand.h"

#include "common/ReplaceableFile.h"
#include "dialogs/frmExportImage.h"
#include "document/frmDocument.h"
#include "printing/PrintJob.h"
#include "shell/FileRequest.h"
#include "shell/frmMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QLabel>
#include <QProgressDialog>
#include <QSaveFile>

namespace brellix {

QImage ChartImageExportCommand::render(frmDocument& chart, int32_t from, int32_t to, int32_t width,
                                       int32_t height, bool depthLines,
                                       const std::function<bool(double)>& progress)
{
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        return image;
    }
    image.fill(Qt::white);
    PrintJob::Settings settings;
    settings.from = from;
    settings.to = to;
    settings.depthLines = depthLines;
    settings.pageDecoration = false;
    PrintJob job(chart, settings);
    if (!job.run(image, image.rect(), progress)) {
        return {};
    }
    return image;
}

void ChartImageExportCommand::run()
{
    frmDocument* chart = m_main.ActiveForm();
    if (chart == nullptr || !chart->SonarFile) {
        return;
    }
    const int32_t soundings = chart->SonarFile->NumSoundings();
    // The soundings on the screen are proposed.
    frmExportImage dialog(soundings, chart->currentSounding(),
                          std::min(chart->ChartPositionRight() + 1, soundings), &m_main);
    m_main.showDialog(dialog);
    if (dialog.result() != QDialog::Accepted) {
        return;
    }

    const QFileInfo log(chart->strFileName);
    FileRequest request;
    request.kind = FileRequest::Save;
    request.title = QStringLiteral("Export Chart Image");
    request.filter = QStringLiteral("PNG Images (*.png);;All Files (*)");
    request.folder = log.absolutePath();
    request.fileName =
        QDir(log.absolutePath())
            .filePath(log.completeBaseName() +
                      QStringLiteral("-%1-%2.png").arg(dialog.from()).arg(dialog.to()));
    QString path = m_main.chooseFile(request);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".png");
    }

    QProgressDialog progress(
        QStringLiteral("Drawing soundings %1 to %2...").arg(dialog.from()).arg(dialog.to() - 1),
        QStringLiteral("Cancel"), 0, 1000, &m_main);
    progress.setWindowTitle(QStringLiteral("Export Chart Image"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    // A side-looking chart runs its soundings down and its depth across, as on the screen.
    const bool sideways = chart->horizontal();
    const QImage image = render(*chart, dialog.from(), dialog.to(),
                                sideways ? dialog.depthPixels() : dialog.soundingPixels(),
                                sideways ? dialog.soundingPixels() : dialog.depthPixels(),
                                dialog.depthLines(), [&progress](double done) {
                                    progress.setValue(static_cast<int>(done * 1000));
                                    QCoreApplication::processEvents();
                                    return !progress.wasCanceled();
                                });
    if (image.isNull()) {
        m_main.statusPanel(1)->setText(progress.wasCanceled()
                                           ? QStringLiteral("Chart image export cancelled")
                                           : QStringLiteral("Chart image could not be drawn"));
        return;
    }

    QSaveFile file(path);
    QString failure;
    if (!isReplaceableFile(path)) {
        failure = QStringLiteral("it is not a regular file");
    } else if (!file.open(QIODevice::WriteOnly)) {
        failure = file.errorString();
    } else {
        QImageWriter writer(&file, "png");
        if (!writer.write(image)) {
            failure = writer.errorString();
            file.cancelWriting();
        } else if (!file.commit()) {
            failure = file.errorString();
        }
    }
    if (!failure.isEmpty()) {
        m_main.showMessage(QStringLiteral("The chart image %1 could not be written: %2")
                               .arg(QDir::toNativeSeparators(path), failure),
                           QMessageBox::Warning);
        return;
    }
    m_main.statusPanel(1)->setText(QStringLiteral("Chart image written to %1 (%2 x %3)")
                                       .arg(QFileInfo(path).fileName())
                                       .arg(image.width())
                                       .arg(image.height()));
}

} // namespace brellix

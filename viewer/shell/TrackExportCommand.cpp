#include "shell/TrackExportCommand.h"

#include "document/frmDocument.h"
#include "readout/ChartReadout.h"
#include "shell/FileRequest.h"
#include "shell/frmMain.h"
#include "track/TrackFileWriter.h"
#include "track/TrackReader.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QSpinBox>

namespace brellix {

namespace {

// Soundings read between two looks at the event loop: a few milliseconds of reading.
constexpr int32_t kSlice = 2000;

} // namespace

void TrackExportCommand::run()
{
    frmDocument* chart = m_main.ActiveForm();
    if (chart == nullptr || !chart->SonarFile) {
        return;
    }
    const QString logPath = chart->strFileName;
    const QFileInfo log(logPath);
    FileRequest request;
    request.kind = FileRequest::Save;
    request.title = QStringLiteral("Export Track");
    request.filter =
        QStringLiteral("GPS Exchange Files (*.gpx);;Keyhole Markup Files (*.kml);;All Files (*)");
    request.folder = log.absolutePath();
    request.fileName =
        QDir(log.absolutePath()).filePath(log.completeBaseName() + QStringLiteral(".gpx"));
    QString path = m_main.chooseFile(request);
    if (path.isEmpty()) {
        return;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty()) {
        path += QStringLiteral(".gpx");
    }
    const TrackFileWriter::Format format =
        suffix == QLatin1String("kml") ? TrackFileWriter::Kml : TrackFileWriter::Gpx;
    int32_t placemarkEvery = 0;
    if (format == TrackFileWriter::Kml) {
        // KML carries depth placemarks if the user wants them, as often as asked.
        QDialog ask(&m_main);
        ask.setObjectName(QStringLiteral("frmKmlPlacemarks"));
        ask.setWindowTitle(QStringLiteral("Export Track"));
        auto* form = new QFormLayout(&ask);
        auto* every = new QSpinBox(&ask);
        every->setObjectName(QStringLiteral("spnPlacemarkEvery"));
        every->setRange(0, 1000000);
        every->setValue(kPlacemarkEvery);
        every->setSpecialValueText(QStringLiteral("none"));
        every->setSuffix(QStringLiteral(" soundings"));
        form->addRow(QStringLiteral("A depth placemark every:"), every);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &ask);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
        form->addRow(buttons);
        m_main.showDialog(ask);
        if (ask.result() != QDialog::Accepted) {
            return;
        }
        placemarkEvery = every->value();
    }

    TrackReader reader;
    if (!reader.open(logPath, chart->SonarFile->channel(), 0, chart->SonarFile.get())) {
        m_main.showMessage(QStringLiteral("Unable to export the track of %1.\n\n%2")
                               .arg(QDir::toNativeSeparators(logPath), reader.openError()),
                           QMessageBox::Warning);
        return;
    }
    QProgressDialog progress(QStringLiteral("Reading the positions of %1...").arg(log.fileName()),
                             QStringLiteral("Cancel"), 0, reader.soundings(), &m_main);
    progress.setWindowTitle(QStringLiteral("Export Track"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    while (reader.readSlice(kSlice)) {
        progress.setValue(reader.nextSounding());
        QCoreApplication::processEvents();
        if (progress.wasCanceled()) {
            m_main.statusPanel(1)->setText(QStringLiteral("Track export cancelled"));
            return;
        }
    }
    if (reader.pointCount() == 0) {
        m_main.showMessage(QStringLiteral("%1 holds no positions: there is no track to export.")
                               .arg(log.fileName()),
                           QMessageBox::Information);
        return;
    }

    progress.setLabelText(QStringLiteral("Writing %1...").arg(QFileInfo(path).fileName()));
    progress.setRange(0, static_cast<int>(reader.pointCount()));
    TrackFileWriter writer;
    writer.name = log.fileName();
    // The readout's clock: the log's time stamp where it is a real date.
    if (isClockStamp(reader.file().FileTimeStamp)) {
        writer.recordingStart = reader.file().FileTimeStamp;
    }
    writer.placemarkEvery = placemarkEvery;
    writer.progress = [&progress](size_t written) {
        progress.setValue(static_cast<int>(written));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    if (!writer.write(path, format, reader.segments())) {
        if (writer.cancelled()) {
            m_main.statusPanel(1)->setText(QStringLiteral("Track export cancelled"));
        } else {
            m_main.showMessage(writer.error(), QMessageBox::Warning);
        }
        return;
    }
    m_main.statusPanel(1)->setText(QStringLiteral("Track written to %1 (%2 points)")
                                       .arg(QFileInfo(path).fileName())
                                       .arg(reader.pointCount()));
}

} // namespace brellix

#include "printing/frmPrintOptions.h"

#include "dialogs/BoundSpinBox.h"
#include "document/frmDocument.h"
#include "logs/tSonarFile.h"
#include "printing/PrintJob.h"
#include "printing/frmPrinting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace brellix {

namespace {

// High, Medium, Low, Draft.
constexpr int kQualityDpi[] = {600, 300, 150, 75};

} // namespace

frmPrintOptions::frmPrintOptions(frmDocument& source, QPrinter& printer, QWidget* owner)
    : QDialog(owner), m_source(source), m_printer(printer)
{
    setObjectName(QStringLiteral("frmPrintOptions"));
    m_runDialog = [](QDialog& dialog) { return dialog.exec(); };
    createControls();

    setWindowTitle(QStringLiteral("Print - ") +
                   (source.strFile.isEmpty() ? QStringLiteral("Untitled") : source.strFile));
    lblPrinterName->setText(destinationName(printer));
    m_hasPrinter = printer.isValid();
    if (!m_hasPrinter) {
        QMessageBox::critical(owner, windowTitle(), QStringLiteral("No printer found!"));
        QTimer::singleShot(0, this, &QDialog::reject);
    }

    const int32_t left = source.ChartPositionLeft();
    const int32_t right = source.ChartPositionRight();
    const int32_t count = source.SonarFile ? source.SonarFile->NumSoundings() : 0;
    udFrom->setRange(0, std::max(0, right));
    udTo->setRange(std::max(0, left), std::max(count, left));
    udTo->setValue(right);
    udFrom->setValue(left);
}

void frmPrintOptions::createControls()
{
    lblPrinterName = new QLabel(this);
    lblPrinterName->setObjectName(QStringLiteral("lblPrinterName"));
    cboPrintQuality = new QComboBox(this);
    cboPrintQuality->setObjectName(QStringLiteral("cboPrintQuality"));
    cboPrintQuality->addItems({QStringLiteral("High"), QStringLiteral("Medium"),
                               QStringLiteral("Low"), QStringLiteral("Draft")});
    auto* printer = new QFormLayout;
    printer->addRow(QStringLiteral("Printer:"), lblPrinterName);
    auto* quality = new QLabel(QStringLiteral("Print &Quality:"), this);
    quality->setBuddy(cboPrintQuality);
    printer->addRow(quality, cboPrintQuality);

    auto* range = new QGroupBox(QStringLiteral("Page Range"), this);
    range->setObjectName(QStringLiteral("Frame3"));
    optAll = new QRadioButton(QStringLiteral("Entire Chart"), range);
    optAll->setObjectName(QStringLiteral("optAll"));
    btnSelected = new QRadioButton(QStringLiteral("Selected Columns"), range);
    btnSelected->setObjectName(QStringLiteral("btnSelected"));
    btnSelected->setChecked(true);
    udFrom = new BoundSpinBox(QStringLiteral("udFrom"), QStringLiteral("txtFrom"), range);
    udTo = new BoundSpinBox(QStringLiteral("udTo"), QStringLiteral("txtTo"), range);
    for (BoundSpinBox* box : {udFrom, udTo}) {
        // Leaving the box takes the number typed, brought within the range.
        box->setClampOnLeave(true);
    }
    m_fromLabel = new QLabel(QStringLiteral("From"), range);
    m_fromLabel->setObjectName(QStringLiteral("lblFromText"));
    m_toLabel = new QLabel(QStringLiteral("To"), range);
    m_toLabel->setObjectName(QStringLiteral("lblToText"));
    auto* rangeLayout = new QGridLayout(range);
    rangeLayout->addWidget(optAll, 0, 0, 1, 4);
    rangeLayout->addWidget(btnSelected, 1, 0, 1, 4);
    rangeLayout->addWidget(m_fromLabel, 2, 0);
    rangeLayout->addWidget(udFrom, 2, 1);
    rangeLayout->addWidget(m_toLabel, 2, 2);
    rangeLayout->addWidget(udTo, 2, 3);

    auto* optional = new QGroupBox(QStringLiteral("Optional Data"), this);
    optional->setObjectName(QStringLiteral("Frame1"));
    chkDepthLines = new QCheckBox(QStringLiteral("Depth Lines"), optional);
    chkDepthLines->setObjectName(QStringLiteral("chkDepthLines"));
    chkDepthLines->setChecked(true);
    chkSoundingNumbers = new QCheckBox(QStringLiteral("Sounding Numbers"), optional);
    chkSoundingNumbers->setObjectName(QStringLiteral("chkSoundingNumbers"));
    auto* optionalLayout = new QVBoxLayout(optional);
    optionalLayout->addWidget(chkDepthLines);
    optionalLayout->addWidget(chkSoundingNumbers);

    btnSetup = new QPushButton(QStringLiteral("Printer Setup"), this);
    btnSetup->setObjectName(QStringLiteral("btnSetup"));
    btnPrint = new QPushButton(QStringLiteral("Print"), this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnPrint->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSetup);
    buttons->addStretch();
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(printer);
    auto* groups = new QHBoxLayout;
    groups->addWidget(range, 1);
    groups->addWidget(optional);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    connect(udFrom, &QSpinBox::valueChanged, this, [this](int value) { udTo->setMinimum(value); });
    connect(udTo, &QSpinBox::valueChanged, this, [this](int value) { udFrom->setMaximum(value); });
    connect(optAll, &QRadioButton::toggled, this, [this](bool all) {
        enableRange(!all);
        if (all) {
            udTo->setValue(udTo->maximum());
            udFrom->setValue(udFrom->minimum());
        }
    });
    connect(btnSetup, &QPushButton::clicked, this, &frmPrintOptions::btnSetup_Click);
    connect(btnPrint, &QPushButton::clicked, this, &frmPrintOptions::btnPrint_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmPrintOptions::enableRange(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{udFrom, udTo, m_fromLabel, m_toLabel}) {
        control->setEnabled(enabled);
    }
}

QString frmPrintOptions::destinationName(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return QStringLiteral("PDF file %1").arg(printer.outputFileName());
    }
    return printer.printerName();
}

int frmPrintOptions::resolutionFor(int quality, const QPrinter& printer)
{
    const int wanted = kQualityDpi[std::clamp(quality, 0, 3)];
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return wanted;
    }
    // The finest the printer offers up to the wish, or its coarsest when all are finer.
    const QList<int> offered = printer.supportedResolutions();
    int best = 0;
    for (int dpi : offered) {
        if (dpi <= wanted) {
            best = std::max(best, dpi);
        }
    }
    if (best == 0 && !offered.isEmpty()) {
        best = *std::min_element(offered.begin(), offered.end());
    }
    return best > 0 ? best : wanted;
}

void frmPrintOptions::btnSetup_Click()
{
    QPrintDialog setup(&m_printer, this);
    if (m_runDialog(setup) == QDialog::Accepted) {
        lblPrinterName->setText(destinationName(m_printer));
    }
}

void frmPrintOptions::btnPrint_Click()
{
    Quit = false;
    DoPrintJob();
    if (!Quit) {
        accept();
    }
}

bool frmPrintOptions::DoPrintJob()
{
    m_printer.setResolution(resolutionFor(cboPrintQuality->currentIndex(), m_printer));
    m_printer.setDocName(windowTitle());
    frmPrinting progress(destinationName(m_printer), this);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.show();
    QCoreApplication::processEvents();

    PrintJob::Settings settings;
    settings.from = udFrom->value();
    settings.to = udTo->value();
    settings.depthLines = chkDepthLines->isChecked();
    settings.soundingNumbers = chkSoundingNumbers->isChecked();
    PrintJob job(m_source, settings);
    const QRect printable(QPoint(0, 0),
                          m_printer.pageLayout().paintRectPixels(m_printer.resolution()).size());
    const bool printed = job.run(m_printer, printable, [this, &progress](double done) {
        progress.setProgress(done);
        QCoreApplication::processEvents();
        Quit = progress.cancelled();
        return !Quit;
    });
    progress.hide();
    return printed;
}

} // namespace brellix

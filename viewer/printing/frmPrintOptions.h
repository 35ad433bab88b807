// The print dialog ("Print - <log>"): the printer, the print quality, the page range (the
// soundings the window shows, or the whole log) and the depth lines; Print runs the job with
// its progress window.
#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace brellix {

class BoundSpinBox;
class frmDocument;

class frmPrintOptions : public QDialog
{
    Q_OBJECT

public:
    // Shows a dialog modally and returns its result; tests answer it themselves.
    using DialogRunner = std::function<int(QDialog& dialog)>;

    // The source window and the printer must outlive the dialog.
    frmPrintOptions(frmDocument& source, QPrinter& printer, QWidget* owner);

    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

    // Whether there is a destination; without one the dialog said "No printer found!".
    bool hasPrinter() const { return m_hasPrinter; }
    // The destination as the dialog names it: the printer, or the PDF file.
    static QString destinationName(const QPrinter& printer);
    // The resolution a print quality asks for (0 High to 3 Draft) on the printer.
    static int resolutionFor(int quality, const QPrinter& printer);

    // Prints with the dialog's settings; false when cancelled or failed.
    bool DoPrintJob();
    // Set by the progress window's Cancel.
    bool Quit = false;

    QLabel* lblPrinterName = nullptr;
    QComboBox* cboPrintQuality = nullptr;
    QRadioButton* optAll = nullptr;
    QRadioButton* btnSelected = nullptr;
    BoundSpinBox* udFrom = nullptr;
    BoundSpinBox* udTo = nullptr;
    QCheckBox* chkDepthLines = nullptr;
    QCheckBox* chkSoundingNumbers = nullptr;
    QPushButton* btnSetup = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    void createControls();
    void enableRange(bool enabled);
    void btnPrint_Click();
    void btnSetup_Click();

    frmDocument& m_source;
    QPrinter& m_printer;
    DialogRunner m_runDialog;
    bool m_hasPrinter = true;
    QLabel* m_fromLabel = nullptr;
    QLabel* m_toLabel = nullptr;
};

} // namespace brellix

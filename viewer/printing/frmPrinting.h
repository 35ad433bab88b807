// The progress window of a print job ("Printing"): where the page goes, how far the job is,
// and a Cancel that ends it early.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace brellix {

class frmPrinting : public QDialog
{
    Q_OBJECT

public:
    frmPrinting(const QString& destination, QWidget* owner);

    // The share of the job done, 0 to 1.
    void setProgress(double done);
    // Whether the user asked to stop.
    bool cancelled() const { return m_cancelled; }

    QLabel* lblPrintStatus = nullptr;
    QLabel* lblDestination = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void reject() override;

private:
    QProgressBar* m_progress = nullptr;
    bool m_cancelled = false;
};

} // namespace brellix

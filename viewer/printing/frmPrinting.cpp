#include "printing/frmPrinting.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace brellix {

frmPrinting::frmPrinting(const QString& destination, QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmPrinting"));
    setWindowTitle(QStringLiteral("Printing"));
    lblPrintStatus = new QLabel(QStringLiteral("Now printing Chart"), this);
    lblPrintStatus->setObjectName(QStringLiteral("lblPrintStatus"));
    lblDestination = new QLabel(destination, this);
    lblDestination->setObjectName(QStringLiteral("lblDestination"));
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnCancel, &QPushButton::clicked, this, &frmPrinting::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrintStatus);
    layout->addWidget(lblDestination);
    layout->addWidget(m_progress);
    layout->addWidget(btnCancel, 0, Qt::AlignRight);
    setMinimumWidth(320);
}

void frmPrinting::setProgress(double done)
{
    m_progress->setValue(static_cast<int>(done * 100));
}

void frmPrinting::reject()
{
    // The job stops at its next report and closes the window itself.
    m_cancelled = true;
    btnCancel->setEnabled(false);
    lblPrintStatus->setText(QStringLiteral("Cancelling..."));
}

} // namespace brellix

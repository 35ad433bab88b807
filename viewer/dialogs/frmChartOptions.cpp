#include "dialogs/frmChartOptions.h"

#include "options/tSonarOptions.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace brellix {

frmChartOptions::frmChartOptions(QWidget* owner) : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("frmChartOptions"));
    setWindowTitle(QStringLiteral("Chart Options"));
    // The editing controls come with the options dialog; until then the window names what it
    // would edit.
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setMargin(8);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_summary);
    LoadSettings();
    m_loadCount = 0;
}

frmChartOptions::~frmChartOptions() = default;

void frmChartOptions::setSonarOptions(tSonarOptions* options)
{
    m_sonarOptions = options;
}

void frmChartOptions::LoadSettings()
{
    ++m_loadCount;
    const tSonarOptions* options = m_sonarOptions.data();
    m_ready = options != nullptr;
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setEnabled(m_ready);
    }
    if (!m_ready) {
        m_summary->setText(QStringLiteral("No chart is active."));
        return;
    }
    m_summary->setText(
        QStringLiteral("Color mode: %1\nSurface clarity: %2\nAdvanced signal processing: %3\n"
                       "Depth: %4 to %5 ft")
            .arg(tSonarOptions::colorModeMenuCaption(options->ColorMode()))
            .arg(options->SurfaceClarity())
            .arg(options->AdvancedSignalProcessing())
            .arg(static_cast<double>(options->sngUpperLimit()), 0, 'f', 1)
            .arg(static_cast<double>(options->sngLowerLimit()), 0, 'f', 1));
}

void frmChartOptions::closeEvent(QCloseEvent* event)
{
    // The close box only hides the window: the main window keeps it for the whole run. The
    // main window itself hides it without closing, so every close is the user's.
    event->accept();
    emit closedByUser();
}

} // namespace brellix

#include "dialogs/frmChartOptions.h"

#include "options/tSonarOptions.h"
#include "platform/SettingsStore.h"
#include "shell/ScreenTwips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace brellix {

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kLeft = QStringLiteral("ChartOptionsLeft");
const QString kTop = QStringLiteral("ChartOptionsTop");

} // namespace

frmChartOptions::frmChartOptions(SettingsStore& settings, QWidget* owner)
    : QWidget(owner, Qt::Tool), m_settings(settings)
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

void frmChartOptions::Form_Load()
{
    const QWidget* owner = parentWidget();
    const double tppX = screenTwipsPerPixelX(*this);
    const double tppY = screenTwipsPerPixelY(*this);
    float defaultLeft = 0.0f;
    float defaultTop = 0.0f;
    if (owner != nullptr) {
        const QRect frame = owner->frameGeometry();
        defaultLeft = static_cast<float>((frame.x() + frame.width()) * tppX);
        defaultTop = static_cast<float>(frame.y() * tppY);
    }
    const float left = m_settings.getFloat(kSettings, kLeft, defaultLeft);
    const float top = m_settings.getFloat(kSettings, kTop, defaultTop);
    move(twipsToPixels(left, tppX), twipsToPixels(top, tppY));
}

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

void frmChartOptions::Form_Unload()
{
    if (isVisible()) {
        const QPoint at = pos();
        m_settings.saveFloat(kSettings, kLeft,
                             static_cast<float>(at.x() * screenTwipsPerPixelX(*this)));
        m_settings.saveFloat(kSettings, kTop,
                             static_cast<float>(at.y() * screenTwipsPerPixelY(*this)));
    } else {
        m_settings.deleteKey(kSettings, kLeft);
        m_settings.deleteKey(kSettings, kTop);
    }
}

void frmChartOptions::closeEvent(QCloseEvent* event)
{
    // The close box only hides the window: the main window keeps it for the whole run. The
    // main window itself hides it without closing, so every close is the user's.
    event->accept();
    emit closedByUser();
}

} // namespace brellix

#include "dialogs/frmChartOptions.h"

#include "common/Rounding.h"
#include "dialogs/BoundSpinBox.h"
#include "options/tSonarOptions.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>

namespace brellix {

namespace {

QCheckBox* checkBox(const char* name, const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QComboBox* comboBox(const char* name, const QStringList& items, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    return box;
}

QLabel* label(const char* name, const QString& caption, QWidget* buddy, QWidget* parent)
{
    auto* text = new QLabel(caption, parent);
    text->setObjectName(QLatin1String(name));
    text->setBuddy(buddy);
    return text;
}

QGroupBox* frame(const char* name, const QString& caption, QWidget* parent)
{
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(QLatin1String(name));
    return group;
}

} // namespace

frmChartOptions::frmChartOptions(QWidget* owner) : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("frmChartOptions"));
    setWindowTitle(QStringLiteral("Chart Options"));
    createControls();
    LoadSettings();
}

frmChartOptions::~frmChartOptions() = default;

void frmChartOptions::createControls()
{
    QStringList modes;
    for (int32_t mode = tSonarOptions::kGrayscale; mode <= tSonarOptions::kUserDefinedRegions;
         ++mode) {
        modes.append(tSonarOptions::colorModeDialogCaption(mode));
    }
    chkAutoSense = checkBox("chkAutoSense", QStringLiteral("Auto Sensitivity"), this);
    cboColorMode = comboBox("cboColorMode", modes, this);

    QGroupBox* processing = frame("Frame3", QStringLiteral("Processing Options"), this);
    cboASP = comboBox("cboASP",
                      {QStringLiteral("Off"), QStringLiteral("Normal"), QStringLiteral("High")},
                      processing);
    cboSurfaceClarity = comboBox("cboSurfaceClarity",
                                 {QStringLiteral("Off"), QStringLiteral("Low"),
                                  QStringLiteral("Medium"), QStringLiteral("High")},
                                 processing);
    auto* processingLayout = new QFormLayout(processing);
    processingLayout->addRow(label("Label7", QStringLiteral("ASP"), cboASP, processing), cboASP);
    processingLayout->addRow(
        label("Label5", QStringLiteral("Surface Clarity"), cboSurfaceClarity, processing),
        cboSurfaceClarity);

    QGroupBox* fish = frame("Frame2", QStringLiteral("Fish ID"), this);
    chkFishSymbols = checkBox("chkFishSymbols", QStringLiteral("Fish Symbols"), fish);
    chkFishDepths = checkBox("chkFishDepths", QStringLiteral("Fish Depths"), fish);
    auto* fishLayout = new QVBoxLayout(fish);
    fishLayout->addWidget(chkFishSymbols);
    fishLayout->addWidget(chkFishDepths);

    QGroupBox* depth = frame("Frame1", QStringLiteral("Depth"), this);
    chkAutoDepthRange = checkBox("chkAutoDepthRange", QStringLiteral("Auto Range"), depth);
    udUpperLimit =
        new BoundSpinBox(QStringLiteral("udUpperLimit"), QStringLiteral("txtUpperLimit"), depth);
    udLowerLimit =
        new BoundSpinBox(QStringLiteral("udLowerLimit"), QStringLiteral("txtLowerLimit"), depth);
    for (BoundSpinBox* limit : {udUpperLimit, udLowerLimit}) {
        limit->setRange(0, kLimitMaximum);
        limit->setSingleStep(kLimitStep);
        limit->setSuffix(QString());
    }
    auto* depthLayout = new QFormLayout(depth);
    depthLayout->addRow(chkAutoDepthRange);
    depthLayout->addRow(label("Label1", QStringLiteral("Upper Limit"), udUpperLimit, depth),
                        udUpperLimit);
    depthLayout->addRow(label("Label2", QStringLiteral("Lower Limit"), udLowerLimit, depth),
                        udLowerLimit);

    auto* modeLayout = new QFormLayout;
    modeLayout->addRow(label("Label6", QStringLiteral("Color Mode"), cboColorMode, this),
                       cboColorMode);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkAutoSense);
    layout->addLayout(modeLayout);
    layout->addWidget(processing);
    layout->addWidget(fish);
    layout->addWidget(depth);
    layout->addStretch();

    const auto choice = [this](QComboBox* box, void (tSonarOptions::*set)(int32_t)) {
        connect(box, &QComboBox::activated, this, [this, set](int index) {
            if (m_sonarOptions) {
                (m_sonarOptions.data()->*set)(index);
            }
        });
    };
    choice(cboColorMode, &tSonarOptions::setColorMode);
    choice(cboASP, &tSonarOptions::setAdvancedSignalProcessing);
    choice(cboSurfaceClarity, &tSonarOptions::setSurfaceClarity);
    connect(chkAutoSense, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_sonarOptions) {
            m_sonarOptions->setbAutoSensitivity(checked);
        }
    });
    connect(chkAutoDepthRange, &QCheckBox::clicked, this,
            &frmChartOptions::chkAutoDepthRange_Click);
    connect(chkFishDepths, &QCheckBox::clicked, this, &frmChartOptions::chkFishDepths_Click);
    connect(chkFishSymbols, &QCheckBox::clicked, this, &frmChartOptions::chkFishSymbols_Click);
    connect(udLowerLimit, &QSpinBox::valueChanged, this, &frmChartOptions::udLowerLimit_Change);
    connect(udUpperLimit, &QSpinBox::valueChanged, this, &frmChartOptions::udUpperLimit_Change);
}

void frmChartOptions::setSonarOptions(tSonarOptions* options)
{
    m_sonarOptions = options;
}

void frmChartOptions::LoadSettings()
{
    tSonarOptions* options = m_sonarOptions.data();
    m_ready = options != nullptr;
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setEnabled(m_ready);
    }
    if (!m_ready) {
        return;
    }
    // A limit written here reloads the window from within; the outer reload stays a reload.
    const QScopedValueRollback loading(m_loading, true);
    if (options->sngLowerLimit() - options->sngUpperLimit() < tSonarOptions::kMinimumDepthRange) {
        options->setsngLowerLimit(options->sngUpperLimit() + tSonarOptions::kMinimumDepthRange);
    }
    if (options->sngLowerLimit() > static_cast<float>(udLowerLimit->maximum())) {
        options->setsngLowerLimit(static_cast<float>(udLowerLimit->maximum()));
    }
    if (options->sngLowerLimit() - options->sngUpperLimit() < tSonarOptions::kMinimumDepthRange) {
        options->setsngUpperLimit(options->sngLowerLimit() - tSonarOptions::kMinimumDepthRange);
    }
    // The options may have been replaced while their own change reloaded this window.
    options = m_sonarOptions.data();
    if (options == nullptr) {
        return;
    }
    udLowerLimit->setMinimum(0);
    udUpperLimit->setMaximum(kLimitMaximum);
    if (options->AllowSubZeroUL()) {
        udUpperLimit->setMinimum(-kLimitMaximum);
    }
    udLowerLimit->setValue(static_cast<int>(roundHalfEven(options->sngLowerLimit())));
    udUpperLimit->setValue(static_cast<int>(roundHalfEven(options->sngUpperLimit())));
    chkAutoDepthRange->setChecked(options->bAutoDepthRange());
    chkAutoSense->setChecked(options->bAutoSensitivity());
    enableLimits(options->bAutoDepthRange());
    cboSurfaceClarity->setCurrentIndex(options->SurfaceClarity());
    cboASP->setCurrentIndex(options->AdvancedSignalProcessing());
    cboColorMode->setCurrentIndex(options->ColorMode());
    const bool userMode = options->IsUserColorMode();
    if (userMode && !m_userModeShown) {
        emit userColorModeEntered();
    }
    m_userModeShown = userMode;
    chkFishDepths->setChecked(options->bFishDepths());
    chkFishSymbols->setChecked(options->bFishSymbols());
}

void frmChartOptions::enableLimits(bool autoDepthRange)
{
    udUpperLimit->setEnabled(!autoDepthRange);
    udLowerLimit->setEnabled(!autoDepthRange);
}

void frmChartOptions::chkAutoDepthRange_Click(bool checked)
{
    if (!m_sonarOptions) {
        return;
    }
    m_sonarOptions->setbAutoDepthRange(checked);
    if (m_sonarOptions) {
        enableLimits(m_sonarOptions->bAutoDepthRange());
    }
}

void frmChartOptions::chkFishDepths_Click(bool checked)
{
    if (!m_sonarOptions) {
        return;
    }
    m_sonarOptions->setbFishDepths(checked);
    // Fish depths are never shown without their symbols.
    if (checked && !chkFishSymbols->isChecked()) {
        chkFishSymbols->setChecked(true);
        chkFishSymbols_Click(true);
    }
}

void frmChartOptions::chkFishSymbols_Click(bool checked)
{
    if (!m_sonarOptions) {
        return;
    }
    m_sonarOptions->setbFishSymbols(checked);
    if (!checked && chkFishDepths->isChecked()) {
        chkFishDepths->setChecked(false);
        chkFishDepths_Click(false);
    }
}

void frmChartOptions::udLowerLimit_Change(int value)
{
    if (m_loading || !m_sonarOptions) {
        return;
    }
    m_sonarOptions->setsngLowerLimit(static_cast<float>(value));
    if (m_sonarOptions) {
        udUpperLimit->setMaximum(static_cast<int>(
            roundHalfEven(m_sonarOptions->sngLowerLimit() - tSonarOptions::kMinimumDepthRange)));
    }
}

void frmChartOptions::udUpperLimit_Change(int value)
{
    if (m_loading || !m_sonarOptions) {
        return;
    }
    m_sonarOptions->setsngUpperLimit(static_cast<float>(value));
    if (m_sonarOptions) {
        udLowerLimit->setMinimum(static_cast<int>(
            roundHalfEven(m_sonarOptions->sngUpperLimit() + tSonarOptions::kMinimumDepthRange)));
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

#include "dialogs/frmOptions.h"

#include "platform/ApplicationState.h"
#include "platform/SettingsKeys.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brellix {

namespace keys = settingskeys;

frmOptions::frmOptions(SettingsStore& settings, QWidget* owner)
    : QDialog(owner), m_settings(settings)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    const auto option = [](const QString& name, const QString& caption, QWidget* parent,
                           QLayout* layout) {
        auto* button = new QRadioButton(caption, parent);
        button->setObjectName(name);
        layout->addWidget(button);
        return button;
    };

    auto* positions = new QGroupBox(QStringLiteral("Position Format"), this);
    positions->setObjectName(QStringLiteral("fraPositionFormat"));
    auto* positionLayout = new QVBoxLayout(positions);
    const QStringList positionCaptions = {QStringLiteral("Degrees"), QStringLiteral("Deg, Min"),
                                          QStringLiteral("Deg, Min, Sec"),
                                          QStringLiteral("Mercator Meter")};
    for (int index = 1; index <= 4; ++index) {
        optPositionFormat[size_t(index)] =
            option(QStringLiteral("optPositionFormat_%1").arg(index), positionCaptions[index - 1],
                   positions, positionLayout);
    }

    auto* depths = new QGroupBox(QStringLiteral("Depth Units"), this);
    depths->setObjectName(QStringLiteral("Frame1"));
    auto* depthLayout = new QVBoxLayout(depths);
    optDepthFormat[0] =
        option(QStringLiteral("optDepthFormat_0"), QStringLiteral("Feet"), depths, depthLayout);
    optDepthFormat[1] =
        option(QStringLiteral("optDepthFormat_1"), QStringLiteral("Meters"), depths, depthLayout);

    chkTips = new QCheckBox(QStringLiteral("Show Tips on Startup"), this);
    chkTips->setObjectName(QStringLiteral("chkTips"));
    cboLptPort = new QComboBox(this);
    cboLptPort->setObjectName(QStringLiteral("cboLptPort"));
    chkRVG = new QCheckBox(QStringLiteral("Enable RVG"), this);
    chkRVG->setObjectName(QStringLiteral("chkRVG"));
    auto* port = new QFormLayout;
    port->addRow(QStringLiteral("MMC Port"), cboLptPort);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &frmOptions::cmdOK_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* formats = new QHBoxLayout;
    formats->addWidget(positions);
    formats->addWidget(depths);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(formats);
    layout->addWidget(chkTips);
    layout->addLayout(port);
    layout->addWidget(chkRVG);
    layout->addWidget(buttons);
    load();
}

int16_t frmOptions::SelectedLPTPort() const
{
    return static_cast<int16_t>(m_settings.get(keys::kLptPort));
}

void frmOptions::load()
{
    const ApplicationState& state = applicationState();
    chkTips->setChecked(m_settings.get(keys::kShowTipsAtStartup) != 0);
    const size_t position = size_t(state.lPositionFormat) + 1;
    if (position < optPositionFormat.size() && optPositionFormat[position] != nullptr) {
        optPositionFormat[position]->setChecked(true);
    }
    if (size_t(state.lDepthFormat) < optDepthFormat.size()) {
        optDepthFormat[size_t(state.lDepthFormat)]->setChecked(true);
    }
    cboLptPort->addItems({QStringLiteral("0x378 (LPT1)"), QStringLiteral("0x278 (LPT2)")});
    cboLptPort->setCurrentIndex(SelectedLPTPort() - 1);
    chkRVG->setChecked(state.g_RVGEnabled);
    chkRVG->hide();
}

void frmOptions::cmdOK_Click()
{
    ApplicationState& state = applicationState();
    for (int index = 1; index <= 4; ++index) {
        if (optPositionFormat[size_t(index)]->isChecked()) {
            state.lPositionFormat = index - 1;
        }
    }
    for (int index = 0; index <= 1; ++index) {
        if (optDepthFormat[size_t(index)]->isChecked()) {
            state.lDepthFormat = index;
        }
    }
    m_settings.saveInt(keys::kShowTipsAtStartup, chkTips->isChecked() ? 1 : 0);
    m_settings.saveInt(keys::kPositionFormat, state.lPositionFormat);
    m_settings.saveInt(keys::kLptPort, cboLptPort->currentIndex() + 1);
    m_settings.saveInt(keys::kDepthFormat, state.lDepthFormat);
    state.g_RVGEnabled = chkRVG->isChecked();
    accept();
}

} // namespace brellix

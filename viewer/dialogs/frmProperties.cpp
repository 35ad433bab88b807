#include "dialogs/frmProperties.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brellix {

frmProperties::frmProperties(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(QStringLiteral("Properties"));
    const auto value = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    lblSize = value("lblSize");
    lblSoundings = value("lblSoundings");
    lblBytesPerSounding = value("lblBytesPerSounding");
    auto* facts = new QFormLayout;
    facts->addRow(QStringLiteral("File Size:"), lblSize);
    facts->addRow(QStringLiteral("Number of Soundings:"), lblSoundings);
    facts->addRow(QStringLiteral("Number of Bytes per Sounding:"), lblBytesPerSounding);

    auto* frame = new QGroupBox(QStringLiteral("Optional Data Stored"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* boxes = new QVBoxLayout(frame);
    const std::array<std::pair<const char*, const char*>, 5> captions = {{
        {"chkTemp1", "Temperature 1"},
        {"chkTemp2", "Temperature 2"},
        {"chkWaterTemp", "Water Temperature"},
        {"chkWaterSpeed", "Water speed"},
        {"chkWaterDist", "Water Distance"},
    }};
    for (size_t i = 0; i < captions.size(); ++i) {
        auto* box = new QCheckBox(QLatin1String(captions[i].second), frame);
        box->setObjectName(QLatin1String(captions[i].first));
        // Display only: a click by the user leaves the box as it was.
        connect(box, &QCheckBox::clicked, box, [box](bool checked) {
            const QSignalBlocker blocker(box);
            box->setChecked(!checked);
        });
        boxes->addWidget(box);
        checkBoxes[i] = box;
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(facts);
    layout->addWidget(frame);
    layout->addWidget(buttons);
}

} // namespace brellix

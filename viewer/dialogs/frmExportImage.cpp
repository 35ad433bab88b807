#include "dialogs/frmExportImage.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include <algorithm>

namespace brellix {

frmExportImage::frmExportImage(int32_t soundings, int32_t from, int32_t to, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmExportImage"));
    setWindowTitle(QStringLiteral("Export Chart Image"));
    auto* form = new QFormLayout(this);
    const int32_t last = std::max(soundings, 1);
    spnFrom = new QSpinBox(this);
    spnFrom->setRange(0, last - 1);
    spnFrom->setValue(std::clamp(from, 0, last - 1));
    spnTo = new QSpinBox(this);
    spnTo->setRange(1, last);
    spnTo->setValue(std::clamp(to, 1, last));
    spnDepthPixels = new QSpinBox(this);
    spnDepthPixels->setRange(16, kMaxDepthPixels);
    spnDepthPixels->setValue(600);
    spnDepthPixels->setSuffix(QStringLiteral(" pixels"));
    spnSoundingPixels = new QSpinBox(this);
    spnSoundingPixels->setRange(0, kMaxSoundingPixels);
    spnSoundingPixels->setSpecialValueText(QStringLiteral("one a sounding"));
    spnSoundingPixels->setSuffix(QStringLiteral(" pixels"));
    chkDepthLines = new QCheckBox(QStringLiteral("Depth lines"), this);
    chkDepthLines->setChecked(true);
    form->addRow(QStringLiteral("From sounding:"), spnFrom);
    form->addRow(QStringLiteral("To sounding:"), spnTo);
    form->addRow(QStringLiteral("Depth:"), spnDepthPixels);
    form->addRow(QStringLiteral("Soundings:"), spnSoundingPixels);
    form->addRow(chkDepthLines);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

int32_t frmExportImage::from() const
{
    return std::min(spnFrom->value(), spnTo->value() - 1);
}

int32_t frmExportImage::to() const
{
    return spnTo->value();
}

int32_t frmExportImage::depthPixels() const
{
    return spnDepthPixels->value();
}

int32_t frmExportImage::soundingPixels() const
{
    const int32_t lines = std::max(to() - from(), 1);
    return std::min(spnSoundingPixels->value() > 0 ? spnSoundingPixels->value() : lines,
                    kMaxSoundingPixels);
}

bool frmExportImage::depthLines() const
{
    return chkDepthLines->isChecked();
}

} // namespace brellix

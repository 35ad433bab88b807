// The application options dialog ("Options"): position format, depth units, the tip of the day
// at start-up and the port choice. OK stores them and applies the formats to every readout at
// once; Cancel changes nothing.
#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace brellix {

class SettingsStore;

class frmOptions : public QDialog
{
    Q_OBJECT

public:
    // The store must outlive the dialog.
    frmOptions(SettingsStore& settings, QWidget* owner);

    // The stored port choice: 1 LPT1, 2 LPT2.
    int16_t SelectedLPTPort() const;

    // Indices 1 to 4: Degrees, Deg Min, Deg Min Sec, Mercator Meter (index 0 unused).
    std::array<QRadioButton*, 5> optPositionFormat{};
    // Indices 0 and 1: Feet, Meters.
    std::array<QRadioButton*, 2> optDepthFormat{};
    QCheckBox* chkTips = nullptr;
    QComboBox* cboLptPort = nullptr;
    QCheckBox* chkRVG = nullptr;

private:
    void load();
    void cmdOK_Click();

    SettingsStore& m_settings;
};

} // namespace brellix

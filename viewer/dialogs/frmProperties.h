// The log properties dialog: size, soundings and bytes per sounding of the active chart's log,
// and the optional data a log may store, as check boxes the user cannot change.
#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;

namespace brellix {

class frmProperties : public QDialog
{
    Q_OBJECT

public:
    explicit frmProperties(QWidget* owner);

    QLabel* lblSize = nullptr;
    QLabel* lblSoundings = nullptr;
    QLabel* lblBytesPerSounding = nullptr;
    // Temperature 1, Temperature 2, Water Temperature, Water speed, Water Distance.
    std::array<QCheckBox*, 5> checkBoxes{};
};

} // namespace brellix

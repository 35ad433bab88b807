// The chart settings tool window ("Chart Options"): shows and edits the options of the active
// chart, which the main window hands it before every LoadSettings. It keeps no options of its
// own: every change goes straight into the options object, whose change makes the chart redraw
// and the menus follow. The main window keeps its position.
#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>

class QCheckBox;
class QComboBox;

namespace brellix {

class BoundSpinBox;
class tSonarOptions;

class frmChartOptions : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kLimitStep = 10;
    static constexpr int kLimitMaximum = 12000;

    // A tool window owned by the main window, hidden until shown.
    explicit frmChartOptions(QWidget* owner);
    ~frmChartOptions() override;

    // The options being edited; nullptr for none. A destroyed options object reads as none.
    tSonarOptions* SonarOptions() const { return m_sonarOptions; }
    void setSonarOptions(tSonarOptions* options);

    // Brings every control in line with SonarOptions, first putting its depth window in reach
    // of the limit boxes; with none every control is disabled.
    void LoadSettings();
    // Whether the last LoadSettings had options to show.
    bool ready() const { return m_ready; }

    QCheckBox* chkAutoSense = nullptr;
    QComboBox* cboColorMode = nullptr;
    QComboBox* cboASP = nullptr;
    QComboBox* cboSurfaceClarity = nullptr;
    QCheckBox* chkFishSymbols = nullptr;
    QCheckBox* chkFishDepths = nullptr;
    QCheckBox* chkAutoDepthRange = nullptr;
    BoundSpinBox* udUpperLimit = nullptr;
    BoundSpinBox* udLowerLimit = nullptr;

signals:
    // The user closed the window with its close box.
    void closedByUser();
    // LoadSettings met a user colour mode where the last one did not: the editor shows.
    void userColorModeEntered();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void enableLimits(bool autoDepthRange);

    void chkAutoDepthRange_Click(bool checked);
    void chkFishDepths_Click(bool checked);
    void chkFishSymbols_Click(bool checked);
    void udLowerLimit_Change(int value);
    void udUpperLimit_Change(int value);

    QPointer<tSonarOptions> m_sonarOptions;
    bool m_ready = false;
    bool m_loading = false;
    bool m_userModeShown = false;
};

} // namespace brellix

// The chart settings tool window ("Chart Options"): shows and edits the options of the active
// chart, which the main window hands it before every LoadSettings. It keeps no options of its
// own; the main window keeps its position.
#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>

class QLabel;

namespace brellix {

class tSonarOptions;

class frmChartOptions : public QWidget
{
    Q_OBJECT

public:
    // A tool window owned by the main window, hidden until shown.
    explicit frmChartOptions(QWidget* owner);
    ~frmChartOptions() override;

    // The options being edited; nullptr for none. A destroyed options object reads as none.
    tSonarOptions* SonarOptions() const { return m_sonarOptions; }
    void setSonarOptions(tSonarOptions* options);

    // Brings the window in line with SonarOptions; with none every control is disabled.
    void LoadSettings();
    // How often LoadSettings ran (tests follow the synchronisation with it).
    int loadCount() const { return m_loadCount; }
    // Whether the last LoadSettings had options to show.
    bool ready() const { return m_ready; }

signals:
    // The user closed the window with its close box.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<tSonarOptions> m_sonarOptions;
    QLabel* m_summary = nullptr;
    bool m_ready = false;
    int m_loadCount = 0;
};

} // namespace brellix

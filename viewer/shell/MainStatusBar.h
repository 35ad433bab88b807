// The main window's status bar: a stretching status panel, then the date and the time, which
// keep themselves current.
#pragma once

class QLabel;
class QMainWindow;
class QStatusBar;
class QTimer;

namespace brellix {

class MainStatusBar
{
public:
    // Builds the status bar of window and starts its clock.
    void createStatusBar(QMainWindow& window);

    // The status bar panel 1, 2 or 3; nullptr for any other number.
    QLabel* statusPanel(int panel) const;

    QStatusBar* sbStatusBar = nullptr;

private:
    void updateClock();

    QLabel* m_panelStatus = nullptr;
    QLabel* m_panelDate = nullptr;
    QLabel* m_panelTime = nullptr;
    QTimer* m_clock = nullptr;
};

} // namespace brellix

// The main window's toolbar, built from one table of keys, icons and the menu items whose
// commands the buttons run: 21 positions, separators included. The play-state buttons stay
// pressed while their state is the active chart's.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QToolBar;

namespace brellix {

class MainMenus;

class MainToolBar
{
public:
    // The key of the button that shows a play state; empty for a value without one.
    static QString stateKey(int32_t documentState);

    // Builds the toolbar into window. A click hands the button's key to click, the check mark
    // of a play-state button left to the next synchronisation.
    void createToolBar(QMainWindow& window, const MainMenus& menus,
                       std::function<void(const QString& key)> click);

    // The button of a key, or nullptr.
    QAction* toolButton(const QString& key) const;
    // The menu item whose command the button of a key runs; nullptr for an unknown key.
    QAction* commandItem(const QString& key) const;
    // Enables the buttons that need a chart when one is ready and presses the button of the
    // play state (none for -1).
    void synchronizeToolBar(bool ready, int32_t documentState);

    QToolBar* tbToolBar = nullptr;

private:
    struct Button
    {
        QAction* action = nullptr;
        QAction* command = nullptr;
        bool needsChart = false;
        int32_t state = -1;
    };
    std::vector<Button> m_buttons;
};

} // namespace brellix

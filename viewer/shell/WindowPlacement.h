// Where the main window and its two tool windows stand between runs: positions and sizes in
// twips in the settings store, converted with the screen's twips per pixel. A position is
// that of the window's frame, as the user sees it; one that would leave a window's title bar
// off every screen is brought back onto the screen.
#pragma once

class QWidget;

namespace brellix {

class SettingsStore;

class WindowPlacement
{
public:
    // The store must outlive the placement.
    explicit WindowPlacement(SettingsStore& settings) : m_settings(settings) {}

    // Left, top, width and height from the store (1000 and 1000 when absent; without a stored
    // width or height the size the window asks for, within the screen, and at least 6500),
    // then the state: 1 minimised, 2 maximised, anything else normal.
    void loadMainWindow(QWidget& window) const;
    // The state unless the window is minimised, and the placement too while it is normal.
    void saveMainWindow(const QWidget& window);

    // The stored left and top, by default just right of the owner's frame and level with its
    // top, the whole window kept on the screen; call once the owner is placed.
    void loadChartOptions(QWidget& window, const QWidget& owner) const;
    // Writes the position while the window is shown, deletes it while hidden.
    void saveChartOptions(const QWidget& window);
    // Deletes the stored position: the next load takes the default.
    void forgetChartOptions();

    // The stored "left,top" (the user put it there); without one just right of the owner's
    // frame, below the chart settings window while that shows, level with the owner otherwise;
    // the whole window kept on the screen.
    void loadUserColorScheme(QWidget& editor, const QWidget& owner,
                             const QWidget& chartOptions) const;
    // As saveChartOptions, as the text "left,top" of whole twips.
    void saveUserColorScheme(const QWidget& editor);

private:
    SettingsStore& m_settings;
};

} // namespace brellix

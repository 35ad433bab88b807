// The colour scheme editor tool window ("User Color Scheme"). It owns the application's one
// user colour scheme for the whole run, also while the window is hidden; the charts' user
// colour modes and the colour file commands reach the scheme through it.
//
// Per region (0 surface, 1 fish, 2 bottom) a group holds the colour bar, on which points are
// added, moved, recoloured and removed with the mouse, the black line and no-echo colours, and
// the black line width. The region layout shows all three groups; the single layout shows
// only the middle one, captioned "Settings", whose width goes to all three regions.
#pragma once

#include "render/ColorBarMouse.h"
#include "render/tColorScheme.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QGroupBox;
class QLabel;

namespace brellix {

class BoundSpinBox;
class ColorBar;
class ColorSwatch;

class frmUserColorScheme : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMaxBlacklineWidth = 20;

    // Asks the user for a colour, starting on current; nothing when the user cancels. Colours
    // are red + 256 x green + 65536 x blue.
    using ColorChooser = std::function<std::optional<int32_t>(int32_t current)>;

    explicit frmUserColorScheme(QWidget* owner);
    ~frmUserColorScheme() override;

    tColorScheme& UserColorScheme() { return m_scheme; }
    const tColorScheme& UserColorScheme() const { return m_scheme; }

    // Lays the window out for a colour mode: the regions' groups for 7 (User Defined Regions),
    // the water column's alone otherwise.
    void ShowUserColorScheme(int32_t ColorMode);
    // The colour mode of the last layout.
    int32_t shownColorMode() const { return m_shownColorMode; }

    // The colour dialog; tests choose through their own.
    void setColorChooser(ColorChooser chooser) { m_chooseColor = std::move(chooser); }

    // The controls of each region.
    struct RegionControls
    {
        QGroupBox* fraColorGroup = nullptr;
        ColorBar* picPalette = nullptr;
        ColorSwatch* picBlackline = nullptr;
        ColorSwatch* picNoEcho = nullptr;
        BoundSpinBox* udBlacklineWidth = nullptr;
    };
    const RegionControls& controls(int region) const { return m_regions.at(size_t(region)); }

signals:
    // The user closed the window with its close box.
    void closedByUser();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createRegion(int region);
    // Every region's controls in line with the scheme.
    void UserColorSchemeEvents_UserPaletteChanged();
    void chooseColor(int32_t current, const std::function<void(int32_t)>& store);
    void udBlacklineWidth_Change(int region, int value);

    tColorScheme m_scheme;
    ColorBarMouse m_mouse{m_scheme};
    std::array<RegionControls, tColorScheme::kRegions> m_regions;
    ColorChooser m_chooseColor;
    int32_t m_shownColorMode = tColorScheme::kUserColorMode;
    bool m_refreshing = false;
};

} // namespace brellix

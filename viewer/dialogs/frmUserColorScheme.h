// The colour scheme editor tool window ("User Color Scheme"). It owns the application's one
// user colour scheme for the whole run, also while the window is hidden; the charts' user
// colour modes and the colour file commands reach the scheme through it.
#pragma once

#include "render/tColorScheme.h"

#include <QWidget>

#include <cstdint>

namespace brellix {

class frmUserColorScheme : public QWidget
{
    Q_OBJECT

public:
    explicit frmUserColorScheme(QWidget* owner);
    ~frmUserColorScheme() override;

    tColorScheme& UserColorScheme() { return m_scheme; }
    const tColorScheme& UserColorScheme() const { return m_scheme; }

    // Lays the window out for a colour mode: the regions' bars for 7 (User Defined Regions),
    // the water column alone otherwise.
    void ShowUserColorScheme(int32_t ColorMode);
    // The colour mode of the last layout.
    int32_t shownColorMode() const { return m_shownColorMode; }

signals:
    // The user closed the window with its close box.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    tColorScheme m_scheme;
    int32_t m_shownColorMode = tColorScheme::kUserColorMode;
};

} // namespace brellix

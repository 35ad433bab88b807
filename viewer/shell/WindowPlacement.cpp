#include "shell/WindowPlacement.h"

#include "common/ScreenTwips.h"
#include "platform/SettingsStore.h"

#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace brellix {

namespace keys = settingskeys;

void WindowPlacement::loadMainWindow(QWidget& window) const
{
    const double tppX = screenTwipsPerPixelX(window.screen());
    const double tppY = screenTwipsPerPixelY(window.screen());
    window.move(twipsToPixels(m_settings.get(keys::kMainLeft), tppX),
                twipsToPixels(m_settings.get(keys::kMainTop), tppY));
    window.resize(std::max(1, twipsToPixels(m_settings.get(keys::kMainWidth), tppX)),
                  std::max(1, twipsToPixels(m_settings.get(keys::kMainHeight), tppY)));
    switch (m_settings.get(keys::kMainState)) {
    case 1:
        window.setWindowState(Qt::WindowMinimized);
        break;
    case 2:
        window.setWindowState(Qt::WindowMaximized);
        break;
    default:
        window.setWindowState(Qt::WindowNoState);
        break;
    }
}

void WindowPlacement::saveMainWindow(const QWidget& window)
{
    if (window.isMinimized()) {
        return;
    }
    if (window.isMaximized()) {
        m_settings.saveInt(keys::kMainState, 2);
        return;
    }
    m_settings.saveInt(keys::kMainState, 0);
    // Left and top of the frame, width and height of the window as load gives them back.
    const double tppX = screenTwipsPerPixelX(window.screen());
    const double tppY = screenTwipsPerPixelY(window.screen());
    m_settings.saveFloat(keys::kMainLeft, static_cast<float>(window.x() * tppX));
    m_settings.saveFloat(keys::kMainTop, static_cast<float>(window.y() * tppY));
    m_settings.saveFloat(keys::kMainWidth, static_cast<float>(window.width() * tppX));
    m_settings.saveFloat(keys::kMainHeight, static_cast<float>(window.height() * tppY));
}

void WindowPlacement::loadChartOptions(QWidget& window, const QWidget& owner) const
{
    const double tppX = screenTwipsPerPixelX(window.screen());
    const double tppY = screenTwipsPerPixelY(window.screen());
    const QRect frame = owner.frameGeometry();
    const auto defaultLeft = static_cast<float>((frame.x() + frame.width()) * tppX);
    const auto defaultTop = static_cast<float>(frame.y() * tppY);
    const float left = m_settings.getFloat(keys::kChartOptionsLeft, defaultLeft);
    const float top = m_settings.getFloat(keys::kChartOptionsTop, defaultTop);
    window.move(twipsToPixels(left, tppX), twipsToPixels(top, tppY));
}

void WindowPlacement::saveChartOptions(const QWidget& window)
{
    if (!window.isVisible()) {
        m_settings.deleteKey(keys::kChartOptionsLeft);
        m_settings.deleteKey(keys::kChartOptionsTop);
        return;
    }
    const QPoint at = window.pos();
    m_settings.saveFloat(keys::kChartOptionsLeft,
                         static_cast<float>(at.x() * screenTwipsPerPixelX(window.screen())));
    m_settings.saveFloat(keys::kChartOptionsTop,
                         static_cast<float>(at.y() * screenTwipsPerPixelY(window.screen())));
}

void WindowPlacement::loadUserColorScheme(QWidget& editor) const
{
    const QStringList parts =
        m_settings.getText(keys::kUserColorScheme, QString()).split(QLatin1Char(','));
    if (parts.size() != 2) {
        return;
    }
    bool leftOk = false;
    bool topOk = false;
    const double left = parts[0].trimmed().toDouble(&leftOk);
    const double top = parts[1].trimmed().toDouble(&topOk);
    if (leftOk && topOk) {
        editor.move(twipsToPixels(left, screenTwipsPerPixelX(editor.screen())),
                    twipsToPixels(top, screenTwipsPerPixelY(editor.screen())));
    }
}

void WindowPlacement::saveUserColorScheme(const QWidget& editor)
{
    if (!editor.isVisible()) {
        m_settings.deleteKey(keys::kUserColorScheme);
        return;
    }
    const QPoint at = editor.pos();
    m_settings.saveText(keys::kUserColorScheme,
                        QStringLiteral("%1,%2")
                            .arg(std::lround(at.x() * screenTwipsPerPixelX(editor.screen())))
                            .arg(std::lround(at.y() * screenTwipsPerPixelY(editor.screen()))));
}

} // namespace brellix

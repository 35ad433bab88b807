#include "shell/WindowPlacement.h"

#include "common/ScreenTwips.h"
#include "platform/SettingsStore.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace brellix {

namespace keys = settingskeys;

namespace {

// What of a window must stay on a screen for the user to take hold of it again: its title bar
// across this much of its width, or all of a narrower window.
constexpr int kReachableWidth = 100;
constexpr int kReachableHeight = 30;

// topLeft as it is while the title bar of a window of the given size stays within reach on
// the screen at topLeft; otherwise the whole window as far onto the nearest screen (the
// primary one when none is there) as it fits.
QPoint reachable(QPoint topLeft, QSize size)
{
    const QScreen* screen = QGuiApplication::screenAt(topLeft + QPoint(kReachableWidth / 2, 0));
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        const int across = std::min(kReachableWidth, std::max(1, size.width()));
        if (topLeft.x() + across - 1 <= area.right() && topLeft.y() >= area.top() &&
            topLeft.y() + kReachableHeight - 1 <= area.bottom()) {
            return topLeft;
        }
    } else {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return topLeft;
    }
    const QRect area = screen->availableGeometry();
    return {std::clamp(topLeft.x(), area.left(),
                       std::max(area.left(), area.right() + 1 - size.width())),
            std::clamp(topLeft.y(), area.top(),
                       std::max(area.top(), area.bottom() + 1 - size.height()))};
}

// Puts the window's frame at topLeft, kept within reach. A window never sized takes its size
// from its layout on its first show, and a position given before then would be taken for the
// inside of the frame: it is sized first.
void moveFrameTo(QWidget& window, QPoint topLeft)
{
    if (!window.isVisible() && !window.testAttribute(Qt::WA_Resized)) {
        window.adjustSize();
    }
    window.move(reachable(topLeft, window.frameGeometry().size()));
}

// A tool window stands wholly on the screen it is on (the nearest one otherwise): one past an
// edge is moved in, never above or left of the screen's top left. A window not yet framed by
// the window manager is taken to get a frame like its owner's, or a title bar.
void moveToolWindowTo(QWidget& window, QPoint topLeft, const QWidget& owner)
{
    moveFrameTo(window, topLeft);
    QRect frame = window.frameGeometry();
    if (frame.size() == window.size()) {
        QSize decoration = owner.frameGeometry().size() - owner.size();
        if (decoration.isNull()) {
            // Neither is framed yet (the first show): a title bar of the style's height.
            decoration = QSize(0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4);
        }
        frame.setSize(window.size() + decoration);
    }
    const QScreen* screen = QGuiApplication::screenAt(frame.topLeft() + QPoint(1, 1));
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QPoint inside(
        std::max(area.left(), std::min(frame.x(), area.right() + 1 - frame.width())),
        std::max(area.top(), std::min(frame.y(), area.bottom() + 1 - frame.height())));
    if (inside != frame.topLeft()) {
        window.move(inside);
    }
}

} // namespace

void WindowPlacement::loadMainWindow(QWidget& window) const
{
    const double tppX = screenTwipsPerPixelX(window.screen());
    const double tppY = screenTwipsPerPixelY(window.screen());
    // Without a stored size (the first start), the size the window asks for: the whole toolbar
    // and the chart area's room, within the screen and never below the stored default.
    QSize first = window.sizeHint();
    if (const QScreen* screen = window.screen()) {
        first = first.boundedTo(screen->availableGeometry().size() * 9 / 10);
    }
    const auto size = [this](const SettingWithDefault<float>& key, double twipsPerPixel, int wish) {
        const float stored = m_settings.getFloat(key, 0.0f);
        const int fallback = twipsToPixels(key.fallback, twipsPerPixel);
        return stored > 0 ? std::max(1, twipsToPixels(stored, twipsPerPixel))
                          : std::max(fallback, wish);
    };
    window.resize(size(keys::kMainWidth, tppX, first.width()),
                  size(keys::kMainHeight, tppY, first.height()));
    moveFrameTo(window, QPoint(twipsToPixels(m_settings.get(keys::kMainLeft), tppX),
                               twipsToPixels(m_settings.get(keys::kMainTop), tppY)));
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
    moveToolWindowTo(window, QPoint(twipsToPixels(left, tppX), twipsToPixels(top, tppY)), owner);
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

void WindowPlacement::forgetChartOptions()
{
    m_settings.deleteKey(keys::kChartOptionsLeft);
    m_settings.deleteKey(keys::kChartOptionsTop);
}

void WindowPlacement::loadUserColorScheme(QWidget& editor, const QWidget& owner,
                                          const QWidget& chartOptions) const
{
    const QStringList parts =
        m_settings.getText(keys::kUserColorScheme, QString()).split(QLatin1Char(','));
    bool leftOk = false;
    bool topOk = false;
    const double left = parts.size() == 2 ? parts[0].trimmed().toDouble(&leftOk) : 0;
    const double top = parts.size() == 2 ? parts[1].trimmed().toDouble(&topOk) : 0;
    if (leftOk && topOk && std::isfinite(left) && std::isfinite(top)) {
        moveToolWindowTo(editor,
                         QPoint(twipsToPixels(left, screenTwipsPerPixelX(editor.screen())),
                                twipsToPixels(top, screenTwipsPerPixelY(editor.screen()))),
                         owner);
        return;
    }
    const QRect frame = owner.frameGeometry();
    const QRect settings = chartOptions.frameGeometry();
    moveToolWindowTo(editor,
                     QPoint(frame.x() + frame.width(), chartOptions.isVisible()
                                                           ? settings.y() + settings.height()
                                                           : frame.y()),
                     owner);
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

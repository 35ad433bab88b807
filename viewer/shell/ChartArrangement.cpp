#include "shell/ChartArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include <algorithm>

namespace brellix {

void tileCharts(QMdiArea& area, Qt::Orientation along)
{
    tileCharts(area, along, area.subWindowList());
}

void tileCharts(QMdiArea& area, Qt::Orientation along, QList<QMdiSubWindow*> windows)
{
    windows.removeIf([](const QMdiSubWindow* sub) { return sub->isMinimized(); });
    if (windows.isEmpty()) {
        return;
    }
    const QSize extent = area.viewport()->size();
    const auto count = static_cast<int>(windows.size());
    const int step = (along == Qt::Horizontal ? extent.width() : extent.height()) / count;
    int offset = 0;
    for (QMdiSubWindow* sub : windows) {
        sub->showNormal();
        if (along == Qt::Horizontal) {
            sub->setGeometry(offset, 0, step, extent.height());
        } else {
            sub->setGeometry(0, offset, extent.width(), step);
        }
        offset += step;
    }
}

bool fitInARow(const QMdiArea& area, const QList<QMdiSubWindow*>& windows)
{
    const QSize extent = area.viewport()->size();
    int width = 0;
    for (const QMdiSubWindow* sub : windows) {
        if (sub->height() > extent.height()) {
            return false;
        }
        width += sub->width();
    }
    return width <= extent.width();
}

void fitInside(const QMdiArea& area, QMdiSubWindow& window)
{
    const QSize extent = area.viewport()->size();
    QRect frame = window.geometry();
    frame.setSize(frame.size().boundedTo(extent));
    frame.moveTo(std::clamp(frame.left(), 0, extent.width() - frame.width()),
                 std::clamp(frame.top(), 0, extent.height() - frame.height()));
    if (frame != window.geometry()) {
        window.setGeometry(frame);
    }
}

void cascadeCharts(QMdiArea& area)
{
    QList<QMdiSubWindow*> windows = area.subWindowList();
    windows.removeIf([](const QMdiSubWindow* sub) { return sub->isMinimized(); });
    if (windows.isEmpty()) {
        return;
    }
    const QSize extent = area.viewport()->size();
    QStyleOptionTitleBar title;
    title.initFrom(windows.front());
    const int step = std::max(1, windows.front()->style()->pixelMetric(QStyle::PM_TitleBarHeight,
                                                                       &title, windows.front()));
    const auto count = static_cast<int>(windows.size());
    const int width = std::max(extent.width() - (count - 1) * step, extent.width() / 2);
    const int height = std::max(extent.height() - (count - 1) * step, extent.height() / 2);
    // Beyond the room the windows leave, the staircase starts again at the top left.
    const int stepsAcross = std::max(1, (extent.width() - width) / step + 1);
    const int stepsDown = std::max(1, (extent.height() - height) / step + 1);
    const int steps = std::min(stepsAcross, stepsDown);
    int index = 0;
    for (QMdiSubWindow* sub : windows) {
        sub->showNormal();
        const int offset = (index % steps) * step;
        sub->setGeometry(offset, offset, width, height);
        sub->raise();
        ++index;
    }
}

void arrangeIcons(QMdiArea& area)
{
    // QMdiArea lines minimised windows up along the bottom whenever it lays out.
    area.update();
    for (QMdiSubWindow* sub : area.subWindowList()) {
        if (sub->isMinimized()) {
            sub->showMinimized();
        }
    }
}

} // namespace brellix

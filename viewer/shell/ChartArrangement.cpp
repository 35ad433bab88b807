#include "shell/ChartArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace brellix {

void tileCharts(QMdiArea& area, Qt::Orientation along)
{
    QList<QMdiSubWindow*> windows = area.subWindowList();
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

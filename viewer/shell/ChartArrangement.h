// The Window menu's arrangements of the chart sub-windows of an MDI area.
#pragma once

#include <QList>
#include <Qt>

class QMdiArea;
class QMdiSubWindow;

namespace brellix {

// Lays the sub-windows that are not minimised out side by side along the given direction,
// each the area's full extent across it: Qt::Horizontal in a row, Qt::Vertical in a column.
void tileCharts(QMdiArea& area, Qt::Orientation along);
// The same for the given sub-windows of the area alone.
void tileCharts(QMdiArea& area, Qt::Orientation along, QList<QMdiSubWindow*> windows);

// Whether the sub-windows at their present sizes fit into the area in a row.
bool fitInARow(const QMdiArea& area, const QList<QMdiSubWindow*>& windows);

// Moves a sub-window, shrunk to the area where it is larger, as little as it takes to lie
// wholly inside the area.
void fitInside(const QMdiArea& area, QMdiSubWindow& window);

// Staggers the sub-windows that are not minimised from the top left, each a title bar's height
// down and across from the one before, all of one size that leaves every title bar in view
// and, whatever their number, at least half the area in each direction, so that every chart
// stays usable.
void cascadeCharts(QMdiArea& area);

// Lines the minimised sub-windows up along the bottom of the area.
void arrangeIcons(QMdiArea& area);

} // namespace brellix

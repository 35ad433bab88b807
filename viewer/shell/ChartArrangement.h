// The Window menu's arrangements of the chart sub-windows of an MDI area.
#pragma once

#include <Qt>

class QMdiArea;

namespace brellix {

// Lays the sub-windows that are not minimised out side by side along the given direction,
// each the area's full extent across it: Qt::Horizontal in a row, Qt::Vertical in a column.
void tileCharts(QMdiArea& area, Qt::Orientation along);

// Staggers the sub-windows that are not minimised from the top left, each a title bar's height
// down and across from the one before, all of one size that leaves every title bar in view
// and, whatever their number, at least half the area in each direction, so that every chart
// stays usable.
void cascadeCharts(QMdiArea& area);

// Lines the minimised sub-windows up along the bottom of the area.
void arrangeIcons(QMdiArea& area);

} // namespace brellix

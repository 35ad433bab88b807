// How a chart window answers the mouse over its picture: hovering arms the readout popup with
// the sounding under the cursor; a left drag draws a dotted band across the chart and zooms
// into it, a short one (a click) re-centres the chart on the clicked sounding and depth; the
// right button cancels a drag or zooms out. Coordinates are twips of the picture.
#pragma once

#include "document/DepthPopup.h"
#include "readout/ChartView.h"

#include <cstdint>

namespace brellix {

class DocumentHost;
class frmDocument;

class ChartMouse
{
public:
    // The chart window whose controls it uses; both must outlive it.
    ChartMouse(frmDocument& chart, DocumentHost& host);

    // Button 1 is the left, 2 the right.
    void MouseDown(int button, float X, float Y);
    void MouseMove(float X, float Y);
    void MouseUp(float X, float Y);

    DepthPopup& popup() { return m_popup; }
    // The chart as the mouse meets it now.
    ChartView view() const;
    bool selecting() const { return bSelecting; }

private:
    frmDocument& m_chart;
    DocumentHost& m_host;
    DepthPopup m_popup;
    // The drag, and the last point the mouse moved to.
    bool bSelecting = false;
    int32_t lSelStartX = 0;
    int32_t lSelStartY = 0;
    int32_t lSelEndX = 0;
    int32_t lSelEndY = 0;
    float sngLastMouseX = -1;
    float sngLastMouseY = -1;
};

} // namespace brellix

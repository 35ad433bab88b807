#include "document/ChartMouse.h"

#include "common/Rounding.h"
#include "document/ChartPicture.h"
#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "readout/ChartReadout.h"
#include "readout/ChartView.h"

#include <optional>
#include <utility>

namespace brellix {

ChartMouse::ChartMouse(frmDocument& chart, DocumentHost& host)
    : m_chart(chart), m_host(host),
      m_popup(*chart.txtDepthPopup, *chart.tmrDepthPopup, *chart.picSonarImage)
{
    // The picture reports pixels; the chart window's handlers take twips.
    const auto twips = [&chart](QPointF at) {
        return std::pair{static_cast<float>(at.x() * chart.twipsPerPixelX()),
                         static_cast<float>(at.y() * chart.twipsPerPixelY())};
    };
    QObject::connect(
        chart.picSonarImage, &ChartPicture::mousePressed, &chart,
        [&chart, twips](Qt::MouseButton button, QPointF at) {
            const auto [x, y] = twips(at);
            const int code = button == Qt::LeftButton ? 1 : button == Qt::RightButton ? 2 : 0;
            chart.picSonarImage_MouseDown(code, x, y);
        });
    QObject::connect(chart.picSonarImage, &ChartPicture::mouseMoved, &chart,
                     [&chart, twips](Qt::MouseButtons, QPointF at) {
                         const auto [x, y] = twips(at);
                         chart.picSonarImage_MouseMove(x, y);
                     });
    QObject::connect(chart.picSonarImage, &ChartPicture::mouseReleased, &chart,
                     [&chart, twips](Qt::MouseButton, QPointF at) {
                         const auto [x, y] = twips(at);
                         chart.picSonarImage_MouseUp(x, y);
                     });
}

ChartView ChartMouse::view() const
{
    ChartView view;
    view.horizontal = m_chart.horizontal();
    view.chartColumns = m_chart.chartColumns();
    view.depthPixels = m_chart.depthPixels();
    view.twipsPerDepthPixel = m_chart.twipsPerDepthPixel();
    view.twipsPerPixelX = m_chart.twipsPerPixelX();
    view.twipsPerPixelY = m_chart.twipsPerPixelY();
    view.position = m_chart.position();
    view.visibleSoundings = m_chart.visibleSoundings();
    view.soundingCount = m_chart.SonarFile->NumSoundings();
    view.upperLimit = m_chart.SonarOptions.sngUpperLimit();
    view.lowerLimit = m_chart.SonarOptions.sngLowerLimit();
    return view;
}

void ChartMouse::MouseDown(int button, float X, float Y)
{
    m_popup.hide();
    if (!m_chart.bDocumentReady || !m_chart.IsInsideImage(nearestInt32(X), nearestInt32(Y))) {
        return;
    }
    if (button == 2) {
        if (bSelecting) {
            bSelecting = false;
            m_chart.picSonarImage->setFocusRects({});
            return;
        }
        const ChartView::Window window = view().zoomedOut();
        m_chart.SonarOptions.setsngUpperLimit(window.upperLimit);
        m_chart.SonarOptions.setsngLowerLimit(window.lowerLimit);
    } else if (button == 1) {
        bSelecting = true;
        lSelStartX = nearestInt32(X);
        lSelStartY = nearestInt32(Y);
        // The band shows at once, also where the mouse last stood.
        sngLastMouseX = -1;
        MouseMove(X, Y);
    }
}

void ChartMouse::MouseMove(float X, float Y)
{
    if (X == sngLastMouseX && Y == sngLastMouseY) {
        return;
    }
    sngLastMouseX = X;
    sngLastMouseY = Y;
    if (bSelecting) {
        lSelEndX = nearestInt32(X);
        lSelEndY = nearestInt32(Y);
        m_chart.picSonarImage->setFocusRects(
            view().dragMarks(lSelStartX, lSelStartY, lSelEndX, lSelEndY));
        return;
    }
    const int32_t x = nearestInt32(X);
    const int32_t y = nearestInt32(Y);
    const ChartView chart = view();
    const std::optional<Readout> readout =
        m_chart.bDocumentReady && m_chart.IsInsideImage(x, y)
            ? readoutFor(*m_chart.SonarFile, chart.soundingAt(X, Y), chart.depthAt(X, Y),
                         m_host.positionFormat(), m_host.depthFormat())
            : std::nullopt;
    if (!readout) {
        m_popup.hide();
        return;
    }
    m_popup.arm(readout->text, readout->width, readout->height, x, y, m_chart.twipsPerPixelX(),
                m_chart.twipsPerPixelY());
}

void ChartMouse::MouseUp(float X, float Y)
{
    if (!bSelecting) {
        return;
    }
    bSelecting = false;
    lSelEndX = nearestInt32(X);
    lSelEndY = nearestInt32(Y);
    m_chart.picSonarImage->setFocusRects({});
    const ChartView chart = view();
    if (!ChartView::isClick(lSelStartX, lSelStartY, lSelEndX, lSelEndY)) {
        if (const auto window = chart.zoomedInto(lSelStartX, lSelStartY, lSelEndX, lSelEndY)) {
            m_chart.SonarOptions.setsngLowerLimit(window->lowerLimit);
            m_chart.SonarOptions.setsngUpperLimit(window->upperLimit);
        }
        return;
    }
    const ChartView::Recentre recentre =
        chart.recentred(lSelStartX, lSelStartY, lSelEndX, lSelEndY);
    m_chart.recentreOn(recentre.position, recentre.window.upperLimit, recentre.window.lowerLimit);
}

} // namespace brellix

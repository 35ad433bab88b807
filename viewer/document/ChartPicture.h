// The chart picture: keeps what was last copied to it from the chart bitmap (like a picture
// that redraws itself) and shows it. The mouse arrives as signals in the picture's pixels.
#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QWidget>

namespace brellix {

class tChart;

class ChartPicture : public QWidget
{
    Q_OBJECT

public:
    explicit ChartPicture(QWidget* parent = nullptr);

    // Copies the chart bitmap unscaled to the top left of the picture and repaints it.
    void showChart(const tChart& chart);
    // What the picture shows.
    const QImage& screen() const { return m_screen; }

    // Dotted marks drawn over the chart in pixels, inverting what lies under them: a drag's
    // band, and a rectangle of no width or height as a line across the chart (the click
    // marker). An empty list erases them.
    void setFocusRects(const QList<QRect>& rects);
    const QList<QRect>& focusRects() const { return m_focusRects; }

signals:
    void mousePressed(Qt::MouseButton button, QPointF position);
    void mouseMoved(Qt::MouseButtons buttons, QPointF position);
    void mouseReleased(Qt::MouseButton button, QPointF position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_screen;
    QList<QRect> m_focusRects;
};

} // namespace brellix

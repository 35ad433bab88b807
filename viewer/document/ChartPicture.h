// The chart picture: keeps what was last copied to it from the chart bitmap (like a picture
// that redraws itself) and shows it. The mouse arrives as signals in the picture's pixels.
#pragma once

#include <QImage>
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
};

} // namespace brellix

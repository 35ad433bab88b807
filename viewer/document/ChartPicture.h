// The chart picture: keeps what was last copied to it from the chart bitmap (like a picture
// that redraws itself) and shows it. The mouse arrives as signals in the picture's pixels.
//
// A copy keeps the bitmap's 8-bit pixels; they become screen colours only when the picture is
// painted, so a hidden or minimised chart costs a copy a tick, and only the lines that changed
// since the last paint are converted: a line that scrolled by a few pixels is moved on the
// screen and converted where it is new.
#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

namespace brellix {

class tChart;

class ChartPicture : public QWidget
{
    Q_OBJECT

public:
    explicit ChartPicture(QWidget* parent = nullptr);

    // Copies the chart bitmap unscaled to the top left of the picture and repaints it.
    void showChart(const tChart& chart);
    // What the picture shows: the last copy in screen colours.
    const QImage& screen();

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
    // The bitmap's pixels top row first, cropped to the picture, with the palette then.
    struct Copy
    {
        std::vector<uint8_t> pixels;
        std::array<QRgb, 256> palette{};
        int rows = 0;
        int columns = 0;
    };

    // Brings the screen up to the last copy.
    void convert();
    // Converts columns [from, to) of line y of the last copy onto the screen.
    void convertRow(int y, size_t from, size_t to);
    // The shift (positive to the left) that makes line y of the last copy from line y of the
    // shown one outside the columns it brings in; 0 when there is none.
    int rowShift(int y, int hint) const;
    // The lines (positive upwards) that the last copy moved as a whole against the shown one
    // outside the lines it brings in; 0 when there is none.
    int columnShift() const;
    // Moves the screen's lines and the shown copy's alike.
    void moveRows(int shift);

    QImage m_screen;
    Copy m_copy;
    // What the screen holds now; no rows when the screen holds no copy.
    Copy m_shown;
    bool m_converted = true;
    QList<QRect> m_focusRects;
};

} // namespace brellix

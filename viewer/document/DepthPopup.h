// The readout popup of a chart window: a tooltip-coloured box next to the cursor, armed with
// its text and shown by its timer 200 ms after the last move. While it shows, the chart picture
// holds the mouse, so that a move off the picture still arrives to hide it; every hide lets go.
#pragma once

#include <QSize>
#include <QString>

#include <cstdint>

class QPlainTextEdit;
class QTimer;
class QWidget;

namespace brellix {

class DepthPopup
{
public:
    // The popup box, its timer and the picture it stands over: the chart window's controls,
    // which must outlive this.
    DepthPopup(QPlainTextEdit& box, QTimer& timer, QWidget& picture);

    // Arms the popup with text, widthTwips x heightTwips, beside the cursor at (x, y) twips in
    // the picture: right of it in the picture's left half, left of it otherwise; below it in
    // the upper half, above it otherwise; larger where the text needs it. At the place it
    // already stands nothing changes.
    void arm(const QString& text, int32_t widthTwips, int32_t heightTwips, int32_t x, int32_t y,
             double twipsPerPixelX, double twipsPerPixelY);
    // Hides the popup, stops its timer and lets go of the mouse.
    void hide();
    // The timer's tick: shows the popup, taking the mouse for the picture unless a window of
    // the process already holds it.
    void showNow();

private:
    // The room text takes in the box's font, with the box's frame and margins.
    QSize textSize(const QString& text) const;

    QPlainTextEdit& m_box;
    QTimer& m_timer;
    QWidget& m_picture;
};

} // namespace brellix

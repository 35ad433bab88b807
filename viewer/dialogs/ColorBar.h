// One region's colour bar in the scheme editor: paints the region's gradient with its point
// markers (position 0 at the bottom) and hands the mouse, measured upward from its bottom, to
// the editor's ColorBarMouse.
#pragma once

#include <QWidget>

namespace brellix {

class ColorBarMouse;
class tColorScheme;

class ColorBar : public QWidget
{
    Q_OBJECT

public:
    // The scheme and the mouse handling must outlive the bar.
    ColorBar(tColorScheme& scheme, ColorBarMouse& mouse, int region, QWidget* parent);

signals:
    // A left click on a point: the editor asks for its colour.
    void pointClicked(int region, int point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    float upward(const QMouseEvent& event) const;

    tColorScheme& m_scheme;
    ColorBarMouse& m_mouse;
    int m_region;
};

} // namespace brellix

// A patch of colour that asks for a new one when clicked: the black line and no-echo colours
// of the scheme editor.
#pragma once

#include <QFrame>

namespace brellix {

class ColorSwatch : public QFrame
{
    Q_OBJECT

public:
    ColorSwatch(const QString& name, QWidget* parent);

    // Colours are red + 256 x green + 65536 x blue.
    void setColor(int32_t color);
    int32_t color() const { return m_color; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int32_t m_color = 0;
};

} // namespace brellix

// A horizontal slider with a selection range (start and length), shown as a band under the
// groove; the sounding slider's selection marks the soundings chosen for printing.
#pragma once

#include <QSlider>

namespace brellix {

class ChartSlider : public QSlider
{
    Q_OBJECT

public:
    explicit ChartSlider(QWidget* parent = nullptr);

    int SelStart() const { return m_selStart; }
    void setSelStart(int value);
    int SelLength() const { return m_selLength; }
    void setSelLength(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_selStart = 0;
    int m_selLength = 0;
};

} // namespace brellix

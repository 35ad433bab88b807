#include "document/ChartControls.h"

#include "common/ScreenTwips.h"
#include "document/ChartPicture.h"
#include "document/ChartSlider.h"
#include "render/ChartLayout.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace brellix {

void ChartControls::createControls(QWidget& form)
{
    picSonarImage = new ChartPicture(&form);
    sldSounding = new ChartSlider(&form);
    sldSensitivity = new ChartSlider(&form);
    sldColorLine = new ChartSlider(&form);
    lblSensitivity = new QLabel(QStringLiteral("Sensitivity"), &form);
    lblColorLine = new QLabel(QStringLiteral("ColorLine"), &form);
    lblSensitivity->setAlignment(Qt::AlignCenter);
    lblColorLine->setAlignment(Qt::AlignCenter);
    txtDepthPopup = new QPlainTextEdit(&form);
    txtDepthPopup->setReadOnly(true);
    txtDepthPopup->setVisible(false);
    txtDepthPopup->setBackgroundRole(QPalette::ToolTipBase);
}

void ChartControls::readScreenMetrics(const QWidget& form)
{
    if (m_metricsOverridden) {
        return;
    }
    m_twipsPerPixelX = screenTwipsPerPixelX(form.screen());
    m_twipsPerPixelY = screenTwipsPerPixelY(form.screen());
}

void ChartControls::setTwipsPerPixel(double x, double y)
{
    m_twipsPerPixelX = x;
    m_twipsPerPixelY = y;
    m_metricsOverridden = true;
}

void ChartControls::placeControls(const ChartLayout& layout)
{
    const double tppX = m_twipsPerPixelX;
    const double tppY = m_twipsPerPixelY;
    const auto place = [tppX, tppY](QWidget* control, const TwipsRect& r) {
        control->setGeometry(twipsToPixels(r.left, tppX), twipsToPixels(r.top, tppY),
                             twipsToPixels(r.width, tppX), twipsToPixels(r.height, tppY));
    };
    place(picSonarImage, layout.picSonarImage);
    place(sldSounding, layout.sldSounding);
    // The label boxes were sized for a smaller system font: widen them about their centre so
    // the captions are never cut.
    const auto placeLabel = [&place](QLabel* label, const TwipsRect& r) {
        place(label, r);
        const int needed = label->sizeHint().width();
        QRect g = label->geometry();
        if (needed > g.width()) {
            g.adjust(-(needed - g.width()) / 2, 0, (needed - g.width() + 1) / 2, 0);
            label->setGeometry(g);
        }
    };
    placeLabel(lblSensitivity, layout.lblSensitivity);
    placeLabel(lblColorLine, layout.lblColorLine);
    place(sldSensitivity, layout.sldSensitivity);
    place(sldColorLine, layout.sldColorLine);
    place(txtDepthPopup, layout.txtDepthPopup);
}

void ChartControls::setSliderValue(ChartSlider* slider, int value)
{
    ++m_settingSliders;
    slider->setValue(value);
    --m_settingSliders;
}

void ChartControls::onUserMove(ChartSlider* slider, QObject& context, std::function<void()> handle)
{
    QObject::connect(slider, &QSlider::valueChanged, &context, [this, handle = std::move(handle)] {
        if (!settingSliders()) {
            handle();
        }
    });
}

int16_t ChartControls::levelFromSlider(int value)
{
    return static_cast<int16_t>(nearestInt32((25500.0 - value * 255.0) / 100.0));
}

int ChartControls::sliderFromLevel(int level)
{
    return nearestInt32(100.0 - level * 100.0 / 255.0);
}

void ChartControls::showOptionSliders(int16_t colorLine, int16_t sensitivity, bool automatic)
{
    setSliderRange(sldColorLine, 0, 100);
    setSliderValue(sldColorLine, sliderFromLevel(colorLine));
    if (automatic) {
        setSliderRange(sldSensitivity, -50, 50);
        setSliderValue(sldSensitivity, sensitivity);
    } else {
        setSliderRange(sldSensitivity, 0, 100);
        setSliderValue(sldSensitivity, sliderFromLevel(sensitivity));
    }
}

void ChartControls::setSliderRange(ChartSlider* slider, int minimum, int maximum)
{
    if (maximum < minimum) {
        return;
    }
    ++m_settingSliders;
    slider->setRange(minimum, maximum);
    --m_settingSliders;
}

} // namespace brellix

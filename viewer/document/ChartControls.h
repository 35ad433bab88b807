// The chart window's controls, as its form carries them: the chart picture, the sounding
// slider, the sensitivity and colour line sliders with their labels, and the readout box;
// created on the form and placed in pixels from the layout in twips.
#pragma once

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace brellix {

class ChartLayout;
class ChartPicture;
class ChartSlider;

class ChartControls
{
public:
    // Creates the controls as children of form; the readout box starts hidden.
    void createControls(QWidget& form);
    // Takes the twips per pixel of the form's screen, unless they were set by hand.
    void readScreenMetrics(const QWidget& form);
    // Places every control from layout with the twips per pixel.
    void placeControls(const ChartLayout& layout);

    double twipsPerPixelX() const { return m_twipsPerPixelX; }
    double twipsPerPixelY() const { return m_twipsPerPixelY; }
    // Overrides the screen's twips per pixel (tests): the next layout uses them.
    void setTwipsPerPixel(double x, double y);

    // Moves a slider, or sets its range (an empty range is refused), without the move counting
    // as the user's: settingSliders() is true meanwhile.
    void setSliderValue(ChartSlider* slider, int value);
    void setSliderRange(ChartSlider* slider, int minimum, int maximum);
    bool settingSliders() const { return m_settingSliders > 0; }

    ChartPicture* picSonarImage = nullptr;
    ChartSlider* sldSounding = nullptr;
    ChartSlider* sldSensitivity = nullptr;
    ChartSlider* sldColorLine = nullptr;
    QLabel* lblSensitivity = nullptr;
    QLabel* lblColorLine = nullptr;
    QPlainTextEdit* txtDepthPopup = nullptr;

private:
    double m_twipsPerPixelX = 15.0;
    double m_twipsPerPixelY = 15.0;
    bool m_metricsOverridden = false;
    int m_settingSliders = 0;
};

} // namespace brellix

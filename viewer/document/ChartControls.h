// The chart window's controls, as its form carries them: the chart picture, the sounding
// slider, the sensitivity and colour line sliders with their labels, and the readout box;
// created on the form and placed in pixels from the layout in twips.
#pragma once

#include <cstdint>
#include <functional>

class QLabel;
class QObject;
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
    // Runs handle whenever the user, not the code, moves the slider.
    void onUserMove(ChartSlider* slider, QObject& context, std::function<void()> handle);

    // The option sliders' scale: slider 0 is level 255 and slider 100 level 0, to the nearest.
    static int16_t levelFromSlider(int value);
    static int sliderFromLevel(int level);
    // Shows a colour line and a sensitivity on their sliders: the sensitivity as an offset
    // from -50 to 50 when automatic, as a level otherwise.
    void showOptionSliders(int16_t colorLine, int16_t sensitivity, bool automatic);

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

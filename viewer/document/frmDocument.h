// The chart window: one channel of one open sonar log as a scrolling chart inside a sub-window
// of the main frame.
//
// What it calls on the main window, all through DocumentHost:
//   SynchronizeMenu      when its play state ends at a log end, after every option change and
//                        at the end of its unload (activation is the host's: its
//                        subWindowActivated handler synchronises);
//   SyncFilePosition     after every move made by playback, the slider, GotoStart and GotoEnd
//                        (never from GotoFilePosition, so synchronisation does not echo);
//   AnyIdleWorking       on every playback tick that would move it;
//   UserColorScheme, ShowUserColorScheme, loadChartSettings   for the user colour modes and
//                        automatic depth range;
//   showDocument         for the further channel windows that OpenFile of an SL2 log opens;
//   documentUnloading    at the start of its unload (close); the destructor calls nothing;
//   settings             the keys "Options"/"DocState", "Options"/"ColorMode<channel>",
//                        "Settings"/"SurfaceClarity", "ASP", "AutoSense";
//   depthFormat          for the depth texts.
//
// Its controls (ChartControls) are members as a form's are. When first shown inside a QMdiSubWindow
// it applies initialWindowState() to it. Whoever puts it into a sub-window owns it through that
// sub-window.
//
// The progressive full redraw runs in slices of a few milliseconds from a zero-interval timer
// and returns to the event loop between slices; it never spins a nested event loop.
#pragma once

#include "readout/ChartView.h"
#include "render/ChartLayout.h"
#include "render/SoundingPainter.h"

#include "document/ChartControls.h"
#include "logs/tSonarFile.h"
#include "options/tSonarOptions.h"
#include "render/ChartLayout.h"
#include "render/SoundingPainter.h"
#include "render/tChart.h"
#include "render/tSonarColor.h"
#include "render/tSonarProcessing.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>

class QTimer;

namespace brellix {

class ChartMouse;
class DocumentHost;

class frmDocument : public QWidget, public ChartControls
{
    Q_OBJECT

public:
    // The play states, as DocumentState holds them.
    enum PlayState : int32_t {
        kPlayingReverse = 0,
        kPlaying = 1,
        kPaused = 2,
        kFastForward = 3,
        kRewinding = 4,
    };

    static constexpr int kNormalInterval = 50;
    static constexpr int kFastInterval = 20;
    static constexpr int kDepthPopupInterval = 200;
    // How long one slice of the full redraw may run before it returns to the event loop.
    static constexpr int kRedrawSliceMs = 4;

    // Creates the window hidden, in state 2, with the caption "Empty Chart". The host must
    // outlive it.
    explicit frmDocument(DocumentHost& host, QWidget* parent = nullptr);
    ~frmDocument() override;

    // Opens channel Channel of the log; true when the reader opened it. Channel 0 of an SL2 log
    // also opens a window for each further channel the reader accepts (shown by the host).
    bool OpenFile(const QString& strNewFileName, int32_t Channel);
    // Makes this window a second view of a reader another window has open, on the reader's
    // channel and orientation. Given the window it is a view of, it takes that window's options
    // and its position, and moves no other window.
    void NewWindow(std::shared_ptr<tSonarFile> NewSonarFile, const QString& strNewFileName,
                   const frmDocument* source = nullptr);

    int32_t GetState() const { return DocumentState; }
    // Sets the play state with its step and timer interval; the current state changes nothing.
    void SetState(int32_t NewState);

    void LoadOptions() { SonarOptions_OptionsChanged(); }
    void UserColorSchemeChanged();

    int32_t ChartPositionLeft() const { return lPosition - lVisibleSoundings; }
    int32_t ChartPositionRight() const { return lPosition; }

    // Jumps to the sounding at a file address of the log (another window's moment): fewer than
    // ten soundings away it steps, otherwise it redraws. Does not synchronise others.
    void GotoFilePosition(int64_t Position);
    void GotoStart();
    void GotoEnd();
    // Moves the chart, as its slider would, so that the sounding is its newest (rightmost) one,
    // or as near as the log's ends allow; the log's other windows follow.
    void GotoSounding(int32_t sounding);
    // The chart's oldest sounding, as its slider says.
    int32_t currentSounding() const;

    // Starts or restarts the progressive full redraw.
    void ResetIdle();
    // Reads the sounding at the reader's current position into line x of DestinationChart.
    void DrawSounding(tChart& DestinationChart, int32_t x);
    // The same in the chart's depth window as it stands, never adopting a recorded one (the
    // printed page keeps one window throughout).
    void DrawSoundingInWindow(tChart& DestinationChart, int32_t x);

    // Depth text in the depth format ("12.34ft", "3.05m").
    QString FormatDepth(double dblDepth) const;

    // The mouse over the chart picture at (X, Y) twips of the picture; button 1 is the left,
    // 2 the right. Hovering arms the readout popup, a left drag zooms into a depth band and a
    // short one re-centres, the right button zooms out or cancels a drag.
    void picSonarImage_MouseDown(int button, float X, float Y);
    void picSonarImage_MouseMove(float X, float Y);
    void picSonarImage_MouseUp(float X, float Y);
    // Shows the armed popup.
    void tmrDepthPopup_Timer();
    // Whether (x, y) twips lie strictly inside the picture.
    bool IsInsideImage(float x, float y) const;
    // A click's re-centring: the newest sounding drawn and the depth window, then the other
    // windows of the log brought along and the chart redrawn.
    void recentreOn(int32_t position, float upperLimit, float lowerLimit);

    // Writes the persisted keys once; closing the window does it. bDocumentReady is false from
    // here on.
    void unload();
    // Whether the unload has begun: the window is on its way out and takes part in nothing.
    bool isUnloaded() const { return m_unloaded; }

    // The tick of tmrUpdate: a playback step when allowed, then a redraw slice.
    void tmrUpdate_Timer();
    // One slice of the full redraw; false when there is nothing left to draw.
    bool IdleRedraw();
    // Runs the full redraw to its end (tests and printing).
    void finishRedraw();

    // The window state to show it in, read from "Options"/"DocState" at creation: 0 normal,
    // 1 minimised, 2 maximised.
    int32_t initialWindowState() const { return m_initialWindowState; }

    std::shared_ptr<tSonarFile> SonarFile;
    tSonarOptions SonarOptions;
    tSonarColor SonarColors;
    tChart Chart;
    tSonarProcessing SonarProcessing;

    int32_t DocumentState = kPaused;
    bool bDocumentReady = false;
    bool bIdleWorking = false;
    QString strFileName;
    QString strPath;
    QString strFile;

    QTimer* tmrUpdate = nullptr;
    QTimer* tmrDepthPopup = nullptr;

    // Read-only views of the private state, for the print dialog and the tests.
    int32_t channel() const { return lChannel; }
    bool horizontal() const { return bHorizontal; }
    int32_t position() const { return lPosition; }
    int32_t visibleSoundings() const { return lVisibleSoundings; }
    int32_t chartColumns() const { return lChartColumns; }
    int32_t depthPixels() const { return lDepthPixels; }
    int32_t twipsPerDepthPixel() const { return lTwipsPerDepthPixel; }
    int16_t step() const { return iStep; }
    int16_t redrawPasses() const { return iRedrawPasses; }
    const ChartLayout& layoutTwips() const { return m_layout; }
    // Whether this window counts as maximised for the playback gate.
    bool isChartMaximized() const;

    // Lays the window out for its current size (runs on every resize).
    void layOutWindow();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SonarOptions_OptionsChanged();
    void SonarColors_SetColorTableValue(int16_t iIndex, int32_t lRGB);
    void InitializeView();
    void SetupSoundingSlider();
    // The sounding slider's range and the chart's span for the chart's columns.
    void setUpSoundingRange();
    // After a new size: the same left position on the slider, the right edge moving with the
    // chart's span, so that the windows of the log stay at one moment.
    void keepLeftPosition(int32_t left);
    // The slider, the caption, and the other windows of the log brought to this position.
    void UpdatePositionDisplay();
    // The slider and the caption alone: opening and laying out move no other window.
    void showPosition();
    void UpdateCaption();
    void syncOthers();
    // Moves the slider to sliderValue, redraws from there and brings the other channels along.
    void jumpTo(int sliderValue);
    // With automatic depth range, takes the window recorded with the newest sounding in view,
    // as playing there would have: a jump draws the chart anew in the window it arrives at.
    void adoptRecordedWindow();
    void StepForward();
    void StepBack();
    void StepSoundings(int32_t n);
    void ClearColumn(tChart& chart, int32_t x);
    void showChart();
    void sldSounding_Scroll();
    void sldSensitivity_Scroll();
    void sldColorLine_Scroll();
    void scheduleRedrawSlice();
    // Whether the reader was given a log (a chart that never opened one has none), and
    // whether that log has soundings.
    bool hasLog() const;
    bool hasSoundings() const;
    // The newest sounding in view for the slider's value.
    int32_t positionAtSlider() const;

    DocumentHost& m_host;
    SoundingPainter m_painter;
    ChartLayout m_layout;
    QTimer* m_redrawTimer = nullptr;

    int32_t lChannel = 0;
    bool bHorizontal = false;
    int32_t lPosition = 0;
    int32_t lVisibleSoundings = 0;
    int32_t lChartColumns = 0;
    int32_t lDepthPixels = 0;
    int32_t lTwipsPerDepthPixel = 0;
    int32_t lBottomMargin = 1000;
    int16_t iStep = 0;
    int16_t iRedrawPasses = 10;
    int32_t lRedrawPass = 0;
    int32_t lRedrawOffset = 0;
    int32_t lRedrawPosition = 0;
    std::unique_ptr<ChartMouse> m_mouse;

    int32_t m_initialWindowState = 0;
    bool m_unloaded = false;
    bool m_windowStateApplied = false;
    // A window that was never shown (a channel the reader refused) leaves the keys alone.
    bool m_everShown = false;
};

} // namespace brellix

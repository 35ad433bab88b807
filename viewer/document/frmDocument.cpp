#include "frmDocument.h"

#include "document/ChartMouse.h"
#include "document/ChartPicture.h"
#include "document/ChartSlider.h"
#include "document/DocumentHost.h"

#include "common/Rounding.h"
#include "common/ScreenTwips.h"
#include "logs/tSubHeader.h"
#include "platform/SettingsStore.h"
#include "readout/ChartReadout.h"
#include "render/tColorScheme.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QMdiSubWindow>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace brellix {

frmDocument::frmDocument(DocumentHost& host, QWidget* parent)
    : QWidget(parent), m_host(host), m_painter(SonarOptions, SonarColors, SonarProcessing)
{
    setWindowTitle(QStringLiteral("Empty Chart"));

    createControls(*this);

    tmrUpdate = new QTimer(this);
    tmrUpdate->setInterval(kNormalInterval);
    // Playback speed is a promise of soundings per second: a coarse timer would slip by up
    // to 5% per tick.
    tmrUpdate->setTimerType(Qt::PreciseTimer);
    tmrDepthPopup = new QTimer(this);
    tmrDepthPopup->setInterval(kDepthPopupInterval);
    tmrDepthPopup->setSingleShot(true);
    m_mouse = std::make_unique<ChartMouse>(*this, m_host);
    m_redrawTimer = new QTimer(this);
    m_redrawTimer->setInterval(0);
    m_redrawTimer->setSingleShot(true);

    // A window of its own has a reader of its own; New Window replaces it with a shared one.
    SonarFile = std::make_shared<tSonarFile>();
    SonarColors.setUserColorScheme(&m_host.UserColorScheme());
    m_painter.setUserColorScheme(&m_host.UserColorScheme());
    m_painter.setSonarFile(SonarFile.get());

    showOptionSliders(SonarOptions.iColorLine(), SonarOptions.iSensitivity(),
                      SonarOptions.bAutoSensitivity());

    // The window state of the chart closed last, applied when this one is first shown.
    m_initialWindowState = m_host.settings().get(settingskeys::kDocState);

    connect(&SonarOptions, &tSonarOptions::OptionsChanged, this,
            &frmDocument::SonarOptions_OptionsChanged);
    connect(&SonarColors, &tSonarColor::SetColorTableValue, this,
            &frmDocument::SonarColors_SetColorTableValue);
    connect(tmrUpdate, &QTimer::timeout, this, &frmDocument::tmrUpdate_Timer);
    connect(tmrDepthPopup, &QTimer::timeout, this, &frmDocument::tmrDepthPopup_Timer);
    connect(m_redrawTimer, &QTimer::timeout, this, [this] { IdleRedraw(); });
    onUserMove(sldSounding, *this, [this] { sldSounding_Scroll(); });
    onUserMove(sldSensitivity, *this, [this] { sldSensitivity_Scroll(); });
    onUserMove(sldColorLine, *this, [this] { sldColorLine_Scroll(); });

    readScreenMetrics(*this);
    placeControls(m_layout);
    resize(twipsToPixels(m_layout.picSonarImage.width, twipsPerPixelX()),
           twipsToPixels(m_layout.picSonarImage.height + lBottomMargin, twipsPerPixelY()));
    tmrUpdate->start();
}

frmDocument::~frmDocument()
{
    // The host may be going away itself: nothing is called on it from here.
    bDocumentReady = false;
    bIdleWorking = false;
}

bool frmDocument::OpenFile(const QString& strNewFileName, int32_t Channel)
{
    lChannel = Channel;
    m_painter.setChannel(Channel);

    const SettingsStore& store = m_host.settings();
    SonarOptions.setColorMode(store.get(settingskeys::colorMode(Channel)));
    SonarOptions.setSurfaceClarity(
        store.get(settingskeys::kSurfaceClarity, SonarOptions.SurfaceClarity()));
    SonarOptions.setAdvancedSignalProcessing(store.get(settingskeys::kAdvancedSignalProcessing,
                                                       SonarOptions.AdvancedSignalProcessing()));
    SonarOptions.setbAutoSensitivity(
        store.getBool(settingskeys::kAutoSense, SonarOptions.bAutoSensitivity()));

    bHorizontal = Channel >= 3 && Channel <= 5;
    m_painter.setHorizontal(bHorizontal);

    layOutWindow();

    strFileName = strNewFileName;
    const bool ok = SonarFile->SOpen(strFileName, Channel);

    if (Channel == 0 && SonarFile->Version() > 1) {
        // One map of the packet chain, made in the background, serves every channel's reader.
        const tSonarFile* mapped = ok ? SonarFile.get() : nullptr;
        if (mapped) {
            SonarFile->startChainIndex();
        }
        for (int32_t further = 1; further <= 5; ++further) {
            auto document = std::make_unique<frmDocument>(m_host);
            if (document->OpenFile(strFileName, further)) {
                if (mapped) {
                    document->SonarFile->shareChainIndex(*mapped);
                } else {
                    document->SonarFile->startChainIndex();
                    mapped = document->SonarFile.get();
                }
                m_host.showDocument(std::move(document));
            } else {
                document->unload();
            }
        }
    }

    if (ok) {
        InitializeView();
    }
    return ok;
}

void frmDocument::NewWindow(std::shared_ptr<tSonarFile> NewSonarFile, const QString& strNewFileName,
                            const frmDocument* source)
{
    strFileName = strNewFileName;
    SonarFile = std::move(NewSonarFile);
    m_painter.setSonarFile(SonarFile.get());
    // A second view shows the reader's channel, drawn the same way (a side-looking channel as
    // rows); its persisted options stay untouched.
    lChannel = SonarFile->channel();
    bHorizontal = SonarFile->isSideLooking();
    m_painter.setChannel(lChannel);
    m_painter.setHorizontal(bHorizontal);
    layOutWindow();
    InitializeView();
    if (source == nullptr || !bDocumentReady) {
        return;
    }
    // The sliders first: with their mode matching, the options' change leaves them alone.
    const tSonarOptions& theirs = source->SonarOptions;
    showOptionSliders(theirs.iColorLine(), theirs.iSensitivity(), theirs.bAutoSensitivity());
    SonarOptions.copyFrom(theirs);
    keepLeftPosition(source->sldSounding->value());
}

void frmDocument::InitializeView()
{
    lVisibleSoundings = 0;
    lPosition = 0;
    if (SonarFile->NumSoundings() > 0) {
        bDocumentReady = true;
        SetupSoundingSlider();
    }

    const qsizetype slash = strFileName.lastIndexOf(QLatin1Char('\\'));
    // Paths of this platform use the forward slash; either splits the name.
    const qsizetype split = std::max(slash, strFileName.lastIndexOf(QLatin1Char('/')));
    strPath = split >= 0 ? strFileName.left(split + 1) : QString();
    strFile = split >= 0 ? strFileName.mid(split + 1) : strFileName;

    float upper = 12000.0f;
    float lower = 0.0f;
    const int32_t w = Chart.lChartPixelWidth();
    const int32_t step = std::max(1, nearestInt32(w / 10.0));
    if (SonarFile->NumSoundings() > 0) {
        for (int32_t i = 0; i <= w; i += step) {
            // A damaged sounding's window is left out rather than taken for the log's.
            float recordedUpper = 0.0f;
            float recordedLower = 0.0f;
            if (SonarFile->recordedWindow(i, recordedUpper, recordedLower)) {
                upper = std::min(upper, recordedUpper);
                lower = std::max(lower, recordedLower);
            }
        }
    }
    SonarOptions.setsngLowerLimit(lower);
    SonarOptions.setsngUpperLimit(upper);

    showPosition();
}

void frmDocument::SetupSoundingSlider()
{
    setUpSoundingRange();
    if (lPosition < lVisibleSoundings) {
        lPosition = lVisibleSoundings;
    }
    showPosition();
    ResetIdle();
}

void frmDocument::setUpSoundingRange()
{
    const int32_t count = SonarFile->NumSoundings();
    lVisibleSoundings = lChartColumns;
    if (lVisibleSoundings >= count) {
        lVisibleSoundings = count - 1;
        sldSounding->setEnabled(false);
    } else {
        sldSounding->setEnabled(true);
    }
    const int maximum = lVisibleSoundings < 1 ? 1 : count - lVisibleSoundings - 1;
    setSliderRange(sldSounding, 0, maximum);
    sldSounding->setTickInterval(std::max(1, nearestInt32(maximum / 10.0)));
}

void frmDocument::keepLeftPosition(int32_t left)
{
    setUpSoundingRange();
    setSliderValue(sldSounding, left);
    lPosition = positionAtSlider();
    UpdateCaption();
    ResetIdle();
}

bool frmDocument::hasLog() const
{
    return SonarFile && !SonarFile->GetFilename().isEmpty();
}

bool frmDocument::hasSoundings() const
{
    return hasLog() && SonarFile->NumSoundings() > 0;
}

int32_t frmDocument::positionAtSlider() const
{
    // A log of one sounding still gets a slider of two values; its end is that sounding.
    const int32_t position = sldSounding->value() + lVisibleSoundings;
    return hasSoundings() ? std::min(position, SonarFile->NumSoundings() - 1) : position;
}

void frmDocument::UpdatePositionDisplay()
{
    showPosition();
    syncOthers();
}

void frmDocument::showPosition()
{
    setSliderValue(sldSounding, lPosition - lVisibleSoundings);
    UpdateCaption();
}

void frmDocument::syncOthers()
{
    // An empty chart has no log to keep others in step with.
    if (hasLog()) {
        m_host.SyncFilePosition(*SonarFile, sldSounding->value());
    }
}

void frmDocument::UpdateCaption()
{
    // A reader that never opened a log leaves the caption as the host set it.
    if (!hasLog()) {
        return;
    }
    const QString left = QString::number(lPosition - lVisibleSoundings);
    if (SonarFile->Version() < 2) {
        setWindowTitle(strFile + QStringLiteral(": Sounding ") + left);
    } else {
        setWindowTitle(strFile + QStringLiteral("(") + SonarFile->Description() +
                       QStringLiteral("): Sounding ") + left);
    }
}

void frmDocument::SetState(int32_t NewState)
{
    if (NewState == DocumentState) {
        return;
    }
    DocumentState = NewState;
    switch (NewState) {
    case kPlayingReverse:
        tmrUpdate->setInterval(kNormalInterval);
        iStep = -1;
        break;
    case kPlaying:
        tmrUpdate->setInterval(kNormalInterval);
        iStep = 1;
        break;
    case kPaused:
        tmrUpdate->setInterval(kNormalInterval);
        break;
    case kFastForward:
        tmrUpdate->setInterval(kFastInterval);
        iStep = 5;
        break;
    case kRewinding:
        tmrUpdate->setInterval(kFastInterval);
        iStep = -5;
        break;
    default:
        break;
    }
}

void frmDocument::UserColorSchemeChanged()
{
    m_painter.applyColorMode();
    showChart();
}

void frmDocument::SonarOptions_OptionsChanged()
{
    iRedrawPasses = SonarOptions.AdvancedSignalProcessing() != 0 ? 4000 : 10;

    const bool sliderAutomatic = sldSensitivity->minimum() == -50;
    if (sliderAutomatic != SonarOptions.bAutoSensitivity()) {
        if (SonarOptions.bAutoSensitivity()) {
            setSliderRange(sldSensitivity, -50, 50);
            setSliderValue(sldSensitivity, 0);
        } else {
            setSliderRange(sldSensitivity, 0, 100);
            int recorded = 0;
            if (hasSoundings()) {
                const int32_t n = nearestInt32(width() + (lPosition - lChartColumns)) - 8;
                tSubHeader subHeader;
                SonarFile->SReadSubHeader(n, subHeader);
                recorded = subHeader.m_AutoSenseRangecell;
            }
            setSliderValue(sldSensitivity, sliderFromLevel(recorded));
        }
        sldSensitivity_Scroll();
    }

    m_painter.applyColorOptions();
    // Before the first layout there are no depth pixels to divide by.
    if (lDepthPixels > 0) {
        SonarProcessing.Setup(SonarOptions.sngDepthRange() / static_cast<float>(lDepthPixels),
                              SonarOptions.sngUpperLimit(), SonarOptions.sngLowerLimit(),
                              static_cast<int16_t>(SonarOptions.SurfaceClarity()));
    }

    ResetIdle();
    m_host.SynchronizeMenu();
    if (SonarOptions.IsUserColorMode()) {
        m_host.ShowUserColorScheme(SonarOptions.ColorMode());
    }
}

void frmDocument::SonarColors_SetColorTableValue(int16_t iIndex, int32_t lRGB)
{
    Chart.SetColor(iIndex, lRGB);
}

void frmDocument::DrawSounding(tChart& DestinationChart, int32_t x)
{
    if (m_painter.DrawSounding(DestinationChart, x, bIdleWorking)) {
        m_host.loadChartSettings();
    }
}

void frmDocument::DrawSoundingInWindow(tChart& DestinationChart, int32_t x)
{
    m_painter.DrawSounding(DestinationChart, x, true);
}

void frmDocument::ClearColumn(tChart& chart, int32_t x)
{
    m_painter.ClearColumn(chart, x);
}

void frmDocument::showChart()
{
    picSonarImage->showChart(Chart);
}

void frmDocument::StepForward()
{
    if (!hasLog()) {
        return;
    }
    ++lPosition;
    if (lPosition >= SonarFile->NumSoundings()) {
        SetState(kPaused);
        m_host.SynchronizeMenu();
        lPosition = SonarFile->NumSoundings() - 1;
        return;
    }
    if (bHorizontal) {
        Chart.VScroll(-1);
    } else {
        Chart.HScroll(-1);
    }
    if (bIdleWorking) {
        ResetIdle();
    }
    // After a full redraw the correlation history holds the oldest lines, not this one's
    // neighbours.
    m_painter.keepCorrelationAdjacent(lPosition, 1);
    SonarFile->SSeek(lPosition);
    DrawSounding(Chart, lChartColumns - 1);
}

void frmDocument::StepBack()
{
    if (!hasLog()) {
        return;
    }
    --lPosition;
    if (lPosition < lVisibleSoundings) {
        SetState(kPaused);
        m_host.SynchronizeMenu();
        lPosition = lVisibleSoundings;
        return;
    }
    if (bHorizontal) {
        Chart.VScroll(1);
    } else {
        Chart.HScroll(1);
    }
    if (bIdleWorking) {
        ResetIdle();
    }
    // Line 0 holds the sounding lChartColumns - 1 before the newest one; before the first
    // sounding there is nothing to read (the reader would wrap to the end).
    const int32_t oldest = lPosition - lChartColumns + 1;
    if (oldest < 0) {
        ClearColumn(Chart, 0);
        return;
    }
    m_painter.keepCorrelationAdjacent(oldest, -1);
    SonarFile->SSeek(oldest);
    DrawSounding(Chart, 0);
}

void frmDocument::StepSoundings(int32_t n)
{
    if (!hasSoundings()) {
        // A log that lost its last sounding (cut off while open) has nothing left to play.
        if (DocumentState != kPaused) {
            SetState(kPaused);
        }
        return;
    }
    for (int32_t i = 0; i < std::abs(n); ++i) {
        if (n < 0) {
            StepBack();
        } else {
            StepForward();
        }
    }
    showChart();
    UpdatePositionDisplay();
}

void frmDocument::ResetIdle()
{
    lRedrawPass = 0;
    lRedrawOffset = 0;
    lRedrawPosition = lPosition;
    if (hasSoundings()) {
        bIdleWorking = true;
    }
    scheduleRedrawSlice();
}

void frmDocument::scheduleRedrawSlice()
{
    if (bIdleWorking && bDocumentReady && !m_redrawTimer->isActive()) {
        m_redrawTimer->start();
    }
}

bool frmDocument::IdleRedraw()
{
    QElapsedTimer slice;
    slice.start();
    while (bIdleWorking && bDocumentReady) {
        const int32_t W = lChartColumns;
        const int32_t S = lRedrawPosition;
        const int32_t P = iRedrawPasses;
        const int32_t k = lRedrawPass + lRedrawOffset;
        if (k < W && k <= S) {
            // The redraw runs from the newest line back, each line correlated with the newer
            // ones; the newest may follow the steps that drew it.
            m_painter.keepCorrelationAdjacent(S - k, k == 0 ? 1 : -1);
            SonarFile->SSeek(S - k);
            DrawSounding(Chart, W - 1 - k);
        }
        lRedrawOffset += P;
        if (lRedrawOffset + lRedrawPass >= W || lRedrawOffset + lRedrawPass >= S) {
            lRedrawOffset = 0;
            ++lRedrawPass;
            if (P < 100) {
                showChart();
            }
            if (lRedrawPass >= P) {
                bIdleWorking = false;
                for (int32_t x = W - S - 1; x >= 0; --x) {
                    ClearColumn(Chart, x);
                }
                showChart();
            }
        }
        if (slice.elapsed() >= kRedrawSliceMs) {
            break;
        }
    }
    scheduleRedrawSlice();
    return bIdleWorking && bDocumentReady;
}

void frmDocument::finishRedraw()
{
    while (IdleRedraw()) {
    }
    m_redrawTimer->stop();
}

void frmDocument::tmrUpdate_Timer()
{
    if (!bDocumentReady) {
        return;
    }
    if (DocumentState != kPaused) {
        if (!m_host.AnyIdleWorking() || isChartMaximized()) {
            StepSoundings(iStep);
        }
    }
    IdleRedraw();
}

void frmDocument::GotoFilePosition(int64_t Position)
{
    if (!hasLog()) {
        return;
    }
    int64_t address = Position;
    SonarFile->AddressSeek(address);
    int32_t n = SonarFile->STell();
    if (n > sldSounding->maximum()) {
        n = sldSounding->maximum();
    }
    int32_t d = n - sldSounding->value();
    if (std::abs(d) < 10) {
        if (!hasSoundings()) {
            return;
        }
        for (; d < 0; ++d) {
            StepBack();
        }
        for (; d > 0; --d) {
            StepForward();
        }
        showChart();
        setSliderValue(sldSounding, n);
        lPosition = positionAtSlider();
        UpdateCaption();
    } else {
        setSliderValue(sldSounding, n);
        lPosition = positionAtSlider();
        UpdateCaption();
        adoptRecordedWindow();
        ResetIdle();
    }
}

void frmDocument::GotoStart()
{
    jumpTo(sldSounding->minimum());
}

void frmDocument::GotoEnd()
{
    jumpTo(sldSounding->maximum());
}

void frmDocument::GotoSounding(int32_t sounding)
{
    if (hasLog()) {
        const int32_t shown = lPosition - sldSounding->value();
        jumpTo(std::clamp(sounding - shown, sldSounding->minimum(), sldSounding->maximum()));
    }
}

int32_t frmDocument::currentSounding() const
{
    return sldSounding->value();
}

void frmDocument::jumpTo(int sliderValue)
{
    setSliderValue(sldSounding, sliderValue);
    sldSounding_Scroll();
}

void frmDocument::sldSounding_Scroll()
{
    lPosition = positionAtSlider();
    UpdateCaption();
    adoptRecordedWindow();
    ResetIdle();
    syncOthers();
}

void frmDocument::adoptRecordedWindow()
{
    // The full redraw never adopts a range: after a jump the chart would draw the soundings
    // now in view in the window of those it left, often empty, until it played on.
    if (hasSoundings() && m_painter.adoptRecordedWindow(lPosition)) {
        m_host.loadChartSettings();
    }
}

void frmDocument::sldSensitivity_Scroll()
{
    if (SonarOptions.bAutoSensitivity()) {
        setSliderRange(sldSensitivity, -50, 50);
        SonarOptions.setiSensitivity(static_cast<int16_t>(sldSensitivity->value()));
    } else {
        setSliderRange(sldSensitivity, 0, 100);
        SonarOptions.setiSensitivity(levelFromSlider(sldSensitivity->value()));
    }
}

void frmDocument::sldColorLine_Scroll()
{
    SonarOptions.setiColorLine(levelFromSlider(sldColorLine->value()));
}

QString frmDocument::FormatDepth(double dblDepth) const
{
    return brellix::FormatDepth(dblDepth, m_host.depthFormat());
}

bool frmDocument::IsInsideImage(float x, float y) const
{
    return x > 0 && y > 0 && x < picSonarImage->width() * twipsPerPixelX() &&
           y < picSonarImage->height() * twipsPerPixelY();
}

void frmDocument::picSonarImage_MouseDown(int button, float X, float Y)
{
    m_mouse->MouseDown(button, X, Y);
}

void frmDocument::picSonarImage_MouseMove(float X, float Y)
{
    m_mouse->MouseMove(X, Y);
}

void frmDocument::picSonarImage_MouseUp(float X, float Y)
{
    m_mouse->MouseUp(X, Y);
}

void frmDocument::tmrDepthPopup_Timer()
{
    if (bDocumentReady) {
        m_mouse->popup().showNow();
    }
}

void frmDocument::recentreOn(int32_t position, float upperLimit, float lowerLimit)
{
    lPosition = position;
    SonarOptions.setsngUpperLimit(upperLimit);
    SonarOptions.setsngLowerLimit(lowerLimit);
    UpdatePositionDisplay();
    ResetIdle();
}

void frmDocument::unload()
{
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    bDocumentReady = false;
    tmrUpdate->stop();
    m_mouse->popup().hide();
    m_redrawTimer->stop();
    m_host.documentUnloading(*this);
    if (!m_everShown) {
        return;
    }

    int32_t state = 0;
    const QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame) {
        frame = this;
    }
    if (frame->isMinimized()) {
        state = 1;
    } else if (frame->isMaximized()) {
        state = 2;
    }
    SettingsStore& store = m_host.settings();
    store.saveInt(settingskeys::kDocState, state);
    store.saveInt(settingskeys::colorMode(lChannel), SonarOptions.ColorMode());
    store.saveInt(settingskeys::kSurfaceClarity, SonarOptions.SurfaceClarity());
    store.saveInt(settingskeys::kAdvancedSignalProcessing, SonarOptions.AdvancedSignalProcessing());
    store.saveBool(settingskeys::kAutoSense, SonarOptions.bAutoSensitivity());
    m_host.SynchronizeMenu();
}

bool frmDocument::isChartMaximized() const
{
    if (const auto* frame = qobject_cast<const QMdiSubWindow*>(parentWidget())) {
        return frame->isMaximized();
    }
    return isMaximized();
}

void frmDocument::layOutWindow()
{
    readScreenMetrics(*this);
    m_layout.arrange(nearestInt32(width() * twipsPerPixelX()),
                     nearestInt32(height() * twipsPerPixelY()), lBottomMargin);
    placeControls(m_layout);

    const ChartGeometry geometry =
        m_layout.geometry(bHorizontal, twipsPerPixelX(), twipsPerPixelY());
    lChartColumns = geometry.lChartColumns;
    lDepthPixels = geometry.lDepthPixels;
    lTwipsPerDepthPixel = geometry.lTwipsPerDepthPixel;
    SonarOptions.setAllowSubZeroUL(bHorizontal);

    Chart.Create(geometry.bitmapWidth, geometry.bitmapHeight);
    if (bDocumentReady) {
        keepLeftPosition(lPosition - lVisibleSoundings);
    } else {
        SetupSoundingSlider();
    }
    SonarOptions_OptionsChanged();
}

void frmDocument::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOutWindow();
}

void frmDocument::closeEvent(QCloseEvent* event)
{
    unload();
    event->accept();
}

void frmDocument::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_everShown = true;
    if (m_windowStateApplied) {
        return;
    }
    m_windowStateApplied = true;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        const int32_t state = m_initialWindowState;
        QTimer::singleShot(0, frame, [frame, state] {
            if (state == 1) {
                frame->showMinimized();
            } else if (state == 2) {
                frame->showMaximized();
            }
        });
    }
}

} // namespace brellix

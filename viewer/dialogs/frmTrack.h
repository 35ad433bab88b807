// The track window (View > Track): where the boat was over the active chart's log, north up,
// each point coloured by its depth, with a legend, a scale bar and a marker at the active
// chart's sounding. Positions are read a slice at a time in the event loop, so a 4 GB log
// opens at once and fills in. A click moves the log's charts to the nearest sounding; hovering
// shows a point's depth, time and temperature.
#pragma once

#include "track/TrackMap.h"
#include "track/TrackReader.h"

#include <QTimer>
#include <QWidget>

#include <memory>

namespace brellix {

class frmTrack : public QWidget
{
    Q_OBJECT

public:
    // Points drawn at most: a longer log is sampled evenly.
    static constexpr int32_t kMaxPoints = 20000;
    // Soundings read each turn of the event loop.
    static constexpr int32_t kSlice = 250;

    explicit frmTrack(QWidget* owner);
    ~frmTrack() override;

    // Shows the track of the log's channel, reading it anew when it is another log than the
    // one shown; an empty name shows none. mapOf, a reader of the log, lends its chain map.
    void follow(const QString& fileName, int32_t channel, const tSonarFile* mapOf = nullptr);
    QString fileName() const { return m_fileName; }
    // Moves the marker to the sounding; negative hides it.
    void setCurrentSounding(int32_t sounding);
    int32_t currentSounding() const { return m_current; }

    // Whether positions are still being read (paused while the window is hidden).
    bool reading() const { return m_timer.isActive(); }
    bool finished() const { return m_reader == nullptr || m_reader->atEnd(); }
    const TrackReader* reader() const { return m_reader.get(); }
    const TrackMap& map() const { return m_map; }
    // Depth and distance units: feet and miles for depth format 0, metres otherwise.
    void setDepthFormat(int32_t format);

signals:
    // The user clicked the track near this sounding.
    void soundingChosen(int32_t sounding);
    void closedByUser();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Hidden, it reads nothing; shown again, it reads on where it stopped.
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void readSlice();
    void refit();
    QString describe(const TrackPoint& point) const;

    std::unique_ptr<TrackReader> m_reader;
    TrackMap m_map;
    QTimer m_timer;
    QString m_fileName;
    int32_t m_channel = -1;
    int32_t m_current = -1;
    int32_t m_depthFormat = 0;
};

} // namespace brellix

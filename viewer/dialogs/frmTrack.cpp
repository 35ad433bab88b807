#include "dialogs/frmTrack.h"

#include "readout/ChartReadout.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace brellix {

namespace {

constexpr double kMargin = 36.0;
constexpr double kHoverRadius = 8.0;
constexpr double kClickRadius = 14.0;

} // namespace

frmTrack::frmTrack(QWidget* owner) : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("frmTrack"));
    setWindowTitle(QStringLiteral("Track"));
    setMouseTracking(true);
    setMinimumSize(240, 200);
    resize(420, 360);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &frmTrack::readSlice);
}

frmTrack::~frmTrack() = default;

void frmTrack::follow(const QString& fileName, int32_t channel, const tSonarFile* mapOf)
{
    if (fileName == m_fileName && channel == m_channel) {
        return;
    }
    m_fileName = fileName;
    m_channel = channel;
    m_current = -1;
    m_timer.stop();
    m_reader.reset();
    m_map.setSegments(nullptr);
    if (!fileName.isEmpty()) {
        auto reader = std::make_unique<TrackReader>();
        if (reader->open(fileName, channel, kMaxPoints, mapOf)) {
            m_reader = std::move(reader);
            m_map.setSegments(&m_reader->segments());
            m_timer.start();
        }
    }
    setWindowTitle(fileName.isEmpty()
                       ? QStringLiteral("Track")
                       : QStringLiteral("Track - ") + QFileInfo(fileName).fileName());
    refit();
    update();
}

void frmTrack::setCurrentSounding(int32_t sounding)
{
    if (sounding != m_current) {
        m_current = sounding;
        update();
    }
}

void frmTrack::setDepthFormat(int32_t format)
{
    if (format != m_depthFormat) {
        m_depthFormat = format;
        update();
    }
}

void frmTrack::readSlice()
{
    if (!m_reader || !m_reader->readSlice(kSlice)) {
        m_timer.stop();
    }
    refit();
    update();
}

void frmTrack::refit()
{
    m_map.fit(QRectF(rect()), kMargin);
}

void frmTrack::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    refit();
}

QString frmTrack::describe(const TrackPoint& point) const
{
    QString text = QStringLiteral("Sounding %1").arg(point.sounding);
    if (point.depthValid) {
        text += QStringLiteral("\nDepth: ") + FormatDepth(point.depth, m_depthFormat);
    }
    if (point.timeValid && m_reader) {
        text += QStringLiteral("\nTime: ") +
                soundingTimeText(m_reader->file().FileTimeStamp, point.timeOffset);
    }
    if (point.temperatureValid) {
        text += m_depthFormat == 0
                    ? QStringLiteral("\nWater: %1 F")
                          .arg(point.temperature * 9.0 / 5.0 + 32.0, 0, 'f', 1)
                    : QStringLiteral("\nWater: %1 C").arg(point.temperature, 0, 'f', 1);
    }
    return text;
}

void frmTrack::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(232, 240, 246));
    painter.setRenderHint(QPainter::Antialiasing);
    const bool metric = m_depthFormat != 0;

    if (!m_reader || m_reader->pointCount() == 0) {
        painter.setPen(Qt::darkGray);
        const QString text = m_fileName.isEmpty() ? QStringLiteral("No chart is active.")
                             : reading()          ? QStringLiteral("Reading positions...")
                                                  : QStringLiteral("This log holds no positions.");
        painter.drawText(rect(), Qt::AlignCenter, text);
        return;
    }

    // The track, each stretch in the colour of the depth it ends at.
    for (const TrackSegment& segment : m_reader->segments()) {
        QPointF last = m_map.toView(segment.front().position);
        for (const TrackPoint& point : segment) {
            const QPointF at = m_map.toView(point.position);
            painter.setPen(QPen(m_map.depthColor(point), 2.5, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(last, at);
            last = at;
        }
    }

    // The active chart's sounding.
    if (const std::optional<TrackPoint> here =
            m_current >= 0 ? m_map.pointFor(m_current) : std::nullopt) {
        painter.setPen(QPen(Qt::white, 2.0));
        painter.setBrush(QColor(220, 30, 30));
        painter.drawEllipse(m_map.toView(here->position), 6.0, 6.0);
    }

    // North, the scale bar and the depth legend.
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    const QFontMetrics metrics(font());
    painter.drawText(QRectF(8, 4, 20, metrics.height()), Qt::AlignCenter, QStringLiteral("N"));
    painter.drawLine(QPointF(18, 8 + metrics.height()), QPointF(18, 28 + metrics.height()));
    painter.drawLine(QPointF(18, 8 + metrics.height()), QPointF(14, 16 + metrics.height()));
    painter.drawLine(QPointF(18, 8 + metrics.height()), QPointF(22, 16 + metrics.height()));

    const TrackMap::ScaleBar bar = m_map.scaleBar(width() / 3.0, metric);
    if (bar.pixels > 0) {
        const double y = height() - 12.0;
        painter.drawLine(QPointF(12, y), QPointF(12 + bar.pixels, y));
        painter.drawLine(QPointF(12, y - 4), QPointF(12, y + 2));
        painter.drawLine(QPointF(12 + bar.pixels, y - 4), QPointF(12 + bar.pixels, y + 2));
        painter.drawText(QPointF(16, y - 5), bar.label);
    }

    if (m_map.deepest() > m_map.shallowest()) {
        const QRectF ramp(width() - 26.0, 30.0, 12.0, std::max(40.0, height() - 90.0));
        QLinearGradient gradient(ramp.topLeft(), ramp.bottomLeft());
        for (double f : {0.0, 0.5, 1.0}) {
            gradient.setColorAt(f, TrackMap::rampColor(f));
        }
        painter.fillRect(ramp, gradient);
        painter.drawRect(ramp);
        const QString shallow = FormatDepth(m_map.shallowest(), m_depthFormat);
        const QString deep = FormatDepth(m_map.deepest(), m_depthFormat);
        painter.drawText(QRectF(0, 10, width() - 10.0, 18), Qt::AlignRight, shallow);
        painter.drawText(QRectF(0, ramp.bottom() + 2, width() - 10.0, 18), Qt::AlignRight, deep);
    }
    if (reading()) {
        painter.setPen(Qt::darkGray);
        painter.drawText(
            QRectF(0, height() - 20.0, width() - 10.0, 18), Qt::AlignRight,
            QStringLiteral("reading %1%")
                .arg(100LL * m_reader->nextSounding() / std::max(m_reader->soundings(), 1)));
    }
}

void frmTrack::mouseMoveEvent(QMouseEvent* event)
{
    const std::optional<TrackPoint> point = m_map.nearest(event->position(), kHoverRadius);
    if (point) {
        QToolTip::showText(event->globalPosition().toPoint(), describe(*point), this);
    } else {
        QToolTip::hideText();
    }
}

void frmTrack::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (const std::optional<TrackPoint> point = m_map.nearest(event->position(), kClickRadius)) {
        emit soundingChosen(point->sounding);
    }
}

void frmTrack::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}

void frmTrack::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!finished()) {
        m_timer.start();
    }
}

void frmTrack::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closedByUser();
}

} // namespace brellix

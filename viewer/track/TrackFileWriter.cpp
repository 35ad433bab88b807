#include "TrackFileWriter.h"

#include "common/ReplaceableFile.h"

#include <QSaveFile>

namespace brellix {

namespace {

// Written out in pieces: a 4 GB log's track is tens of megabytes of text.
constexpr qsizetype kChunk = qsizetype{256} * 1024;

QByteArray number(double value, int decimals)
{
    return QByteArray::number(value, 'f', decimals);
}

QByteArray escaped(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

// Buffers the text and hands it to the file in chunks, remembering the first failure.
class TextOut
{
public:
    explicit TextOut(QSaveFile& file) : m_file(file) {}
    TextOut& operator<<(const QByteArray& text)
    {
        m_buffer += text;
        if (m_buffer.size() >= kChunk) {
            flush();
        }
        return *this;
    }
    TextOut& operator<<(const char* text) { return *this << QByteArray(text); }
    bool flush()
    {
        if (m_ok && !m_buffer.isEmpty()) {
            m_ok = m_file.write(m_buffer) == m_buffer.size();
        }
        m_buffer.clear();
        return m_ok;
    }
    bool ok() const { return m_ok; }

private:
    QSaveFile& m_file;
    QByteArray m_buffer;
    bool m_ok = true;
};

void gpxPoint(TextOut& out, const TrackPoint& p, const QDateTime& start)
{
    out << "      <trkpt lat=\"" << number(p.latitude, 9) << "\" lon=\"" << number(p.longitude, 9)
        << "\">";
    if (start.isValid() && p.timeValid) {
        out << "<time>" << start.addMSecs(p.timeOffset).toUTC().toString(Qt::ISODateWithMs).toUtf8()
            << "</time>";
    }
    out << "<extensions><brx:sounding>" << QByteArray::number(p.sounding) << "</brx:sounding>";
    if (p.depthValid) {
        out << "<brx:depth>" << number(p.depth * kMetresPerFoot, 3) << "</brx:depth>";
    }
    if (p.temperatureValid) {
        out << "<brx:waterTemperature>" << number(p.temperature, 2) << "</brx:waterTemperature>";
    }
    out << "</extensions></trkpt>\n";
}

QByteArray kmlCoordinate(const TrackPoint& p)
{
    return number(p.longitude, 9) + ',' + number(p.latitude, 9);
}

} // namespace

bool TrackFileWriter::write(const QString& path, Format format,
                            const std::vector<TrackSegment>& segments)
{
    m_error.clear();
    m_cancelled = false;
    if (!isReplaceableFile(path)) {
        m_error = QStringLiteral("The track file %1 could not be written: it is not a regular file")
                      .arg(path);
        return false;
    }
    // Unbuffered, so that every failed write shows in its count.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_error = QStringLiteral("The track file %1 could not be written: %2")
                      .arg(path, file.errorString());
        return false;
    }
    TextOut out(file);
    size_t written = 0;
    const auto advance = [&] {
        ++written;
        if (progress && written % 4096 == 0 && !progress(written)) {
            m_cancelled = true;
        }
        return !m_cancelled && out.ok();
    };

    const QByteArray title = escaped(name);
    if (format == Gpx) {
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            << "<gpx version=\"1.1\" creator=\"Brellix\" "
               "xmlns=\"http://www.topografix.com/GPX/1/1\" "
               "xmlns:brx=\""
            << kGpxExtensionNamespace << "\">\n"
            << "  <metadata><name>" << title << "</name></metadata>\n"
            << "  <trk>\n    <name>" << title << "</name>\n";
        for (const TrackSegment& segment : segments) {
            out << "    <trkseg>\n";
            for (const TrackPoint& point : segment) {
                gpxPoint(out, point, recordingStart);
                if (!advance()) {
                    break;
                }
            }
            out << "    </trkseg>\n";
            if (m_cancelled || !out.ok()) {
                break;
            }
        }
        out << "  </trk>\n</gpx>\n";
    } else {
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            << "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n"
            << "  <name>" << title << "</name>\n";
        int32_t part = 0;
        for (const TrackSegment& segment : segments) {
            out << "  <Placemark><name>" << title << " " << QByteArray::number(++part)
                << "</name><LineString><tessellate>1</tessellate><coordinates>\n";
            for (const TrackPoint& point : segment) {
                out << "    " << kmlCoordinate(point) << "\n";
                if (!advance()) {
                    break;
                }
            }
            out << "  </coordinates></LineString></Placemark>\n";
            if (m_cancelled || !out.ok()) {
                break;
            }
        }
        if (placemarkEvery > 0 && !m_cancelled) {
            int32_t next = 0;
            for (const TrackSegment& segment : segments) {
                for (const TrackPoint& point : segment) {
                    if (point.sounding < next || !point.depthValid) {
                        continue;
                    }
                    next = point.sounding + placemarkEvery;
                    out << "  <Placemark><name>" << number(point.depth * kMetresPerFoot, 1)
                        << " m</name><description>Sounding " << QByteArray::number(point.sounding)
                        << "</description><Point><coordinates>" << kmlCoordinate(point)
                        << "</coordinates></Point></Placemark>\n";
                }
            }
        }
        out << "</Document>\n</kml>\n";
    }

    if (m_cancelled) {
        file.cancelWriting();
        m_error = QStringLiteral("The track export was cancelled.");
        return false;
    }
    if (!out.flush() || !file.commit()) {
        m_error = QStringLiteral("The track file %1 could not be written: %2")
                      .arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace brellix

// A log's track: its points are where the readout says each sounding was, runs without a
// position split it, and the GPX and KML files it exports read back in real map tools.
#include "ReaderTestSupport.h"

#include "readout/ChartReadout.h"
#include "track/TrackFileWriter.h"
#include "track/TrackMap.h"
#include "track/TrackReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using brellix::TrackFileWriter;
using brellix::TrackReader;

class Track : public readertest::LogFolder
{
protected:
    // An SLG log with a time, a temperature and a depth on every sounding and a position on
    // those of positioned (x, y in Mercator metres).
    QString trip(int count, const std::map<int, std::pair<int32_t, int32_t>>& positioned)
    {
        testlog::SlgWriter writer(300);
        for (int i = 0; i < count; ++i) {
            testlog::SlgSounding sounding;
            sounding.header.depth = 10.0f + 0.5f * static_cast<float>(i % 40);
            sounding.header.waterTemp = 15.0f + 0.01f * static_cast<float>(i);
            sounding.header.timeOffset = 1000 + 250 * i;
            if (const auto at = positioned.find(i); at != positioned.end()) {
                sounding.header.position =
                    testlog::SlgPosition{at->second.second, at->second.first};
            }
            sounding.samples.assign(100, 10);
            writer.add(sounding);
        }
        return save(writer.bytes(), QStringLiteral("trip.slg"));
    }

    // A track heading north-east from near Trondheim: every sounding positioned but the gaps.
    std::map<int, std::pair<int32_t, int32_t>> course(int count,
                                                      const std::vector<std::pair<int, int>>& gaps)
    {
        std::map<int, std::pair<int32_t, int32_t>> positions;
        for (int i = 0; i < count; ++i) {
            const bool inGap = std::any_of(gaps.begin(), gaps.end(), [i](const auto& gap) {
                return i >= gap.first && i < gap.second;
            });
            if (!inGap) {
                positions[i] = {1157000 + 7 * i, 11000000 + 5 * i};
            }
        }
        return positions;
    }

    static std::vector<brellix::TrackPoint> flat(const TrackReader& reader)
    {
        std::vector<brellix::TrackPoint> points;
        for (const brellix::TrackSegment& segment : reader.segments()) {
            points.insert(points.end(), segment.begin(), segment.end());
        }
        return points;
    }

    static QString run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            ADD_FAILURE() << program.toStdString()
                          << " failed: " << process.readAllStandardError().toStdString();
            return {};
        }
        return QString::fromUtf8(process.readAllStandardOutput());
    }
};

TEST_F(Track, PointsAreWhereTheReadoutSaysAndLongGapsSplitTheTrack)
{
    // A gap of 5 soundings is bridged by the readout's interpolation; one of 30 is not.
    const QString log = trip(120, course(120, {{20, 25}, {60, 90}}));
    TrackReader reader;
    ASSERT_TRUE(reader.open(log, 0));
    while (reader.readSlice(7)) {
    }
    ASSERT_EQ(reader.segments().size(), 2u);

    brellix::tSonarFile file;
    ASSERT_TRUE(file.SOpen(log, 0));
    std::map<int32_t, brellix::TrackPoint> bySounding;
    for (const brellix::TrackPoint& point : flat(reader)) {
        bySounding[point.sounding] = point;
    }
    for (int32_t s = 0; s < 120; ++s) {
        const auto readout = brellix::readoutFor(file, s, 5.0f, 3, 0);
        ASSERT_TRUE(readout.has_value());
        const auto point = bySounding.find(s);
        const bool readoutHasPosition = readout->text.contains(QStringLiteral("Y: "));
        ASSERT_EQ(point != bySounding.end(), readoutHasPosition) << "sounding " << s;
        if (point != bySounding.end()) {
            const brellix::TrackPoint& p = point->second;
            EXPECT_TRUE(
                readout->text.contains(brellix::FormatPosition(p.position.x, p.position.y, 3)))
                << "sounding " << s;
            EXPECT_DOUBLE_EQ(p.latitude, brellix::LatitudeFromY(p.position.y));
            EXPECT_TRUE(p.depthValid && p.temperatureValid && p.timeValid);
        }
    }
    // Inside the short gap the position lies between its sides.
    EXPECT_EQ(bySounding.at(22).position.x,
              (bySounding.at(19).position.x * 3 + bySounding.at(25).position.x * 3) / 6);
    // The long gap: ten soundings either side still take a neighbour's position.
    EXPECT_EQ(reader.segments()[0].back().sounding, 69);
    EXPECT_EQ(reader.segments()[1].front().sounding, 80);
}

TEST_F(Track, ASampledTrackKeepsItsEndsAndANoPositionLogHasNoTrack)
{
    const QString log = trip(101, course(101, {}));
    TrackReader sampled;
    ASSERT_TRUE(sampled.open(log, 0, 10));
    while (sampled.readSlice(3)) {
    }
    const std::vector<brellix::TrackPoint> points = flat(sampled);
    // Every eleventh sounding, and the last.
    ASSERT_EQ(points.size(), 11u);
    EXPECT_EQ(points.front().sounding, 0);
    EXPECT_EQ(points[1].sounding, 11);
    EXPECT_EQ(points.back().sounding, 100);
    EXPECT_EQ(TrackReader::stepFor(100, 0), 1);
    EXPECT_EQ(TrackReader::stepFor(5, 10), 1);

    TrackReader none;
    ASSERT_TRUE(none.open(trip(40, {}), 0));
    EXPECT_FALSE(none.readSlice(1000));
    EXPECT_TRUE(none.segments().empty());
    EXPECT_FALSE(none.open(path(QStringLiteral("missing.slg")), 0));
}

TEST_F(Track, ExportedGpxAndKmlReadBackInMapTools)
{
    const QString gpsbabel = QStandardPaths::findExecutable(QStringLiteral("gpsbabel"));
    // Debian's own interpreter, which python3-gpxpy installs for (another python3 may come
    // first on the path).
    const QString python = QFile::exists(QStringLiteral("/usr/bin/python3"))
                               ? QStringLiteral("/usr/bin/python3")
                               : QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (gpsbabel.isEmpty() || python.isEmpty()) {
        GTEST_SKIP() << "gpsbabel or python3 missing: scripts/install-deps.sh installs them";
    }
    TrackReader reader;
    ASSERT_TRUE(reader.open(trip(300, course(300, {{100, 150}})), 0));
    while (reader.readSlice(64)) {
    }
    ASSERT_EQ(reader.segments().size(), 2u);
    const std::vector<brellix::TrackPoint> points = flat(reader);

    TrackFileWriter writer;
    writer.name = QStringLiteral("trip & <lake>.slg");
    writer.recordingStart = QDateTime(QDate(2026, 6, 1), QTime(5, 30), Qt::UTC);
    const QString gpx = path(QStringLiteral("trip.gpx"));
    ASSERT_TRUE(writer.write(gpx, TrackFileWriter::Gpx, reader.segments()))
        << writer.error().toStdString();

    const QString script = QStringLiteral(BRELLIX_TEST_SOURCE_DIR "/gpx-read.py");
    const QStringList lines = run(python, {script, gpx}).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("1 2 %1").arg(points.size()));
    const auto near = [](const QString& line, const brellix::TrackPoint& p, double within = 1e-7) {
        const QStringList both = line.split(QLatin1Char(' '));
        return both.size() == 2 && std::abs(both[0].toDouble() - p.latitude) < within &&
               std::abs(both[1].toDouble() - p.longitude) < within;
    };
    EXPECT_TRUE(near(lines[1], points.front())) << lines[1].toStdString();
    EXPECT_TRUE(near(lines[2], points.back())) << lines[2].toStdString();
    // Every point has its time, rising, and its depth.
    EXPECT_EQ(lines[3], QStringLiteral("%1 1 %1").arg(points.size()));

    // gpsbabel: GPX to KML and back keeps the points.
    const QString kml = path(QStringLiteral("babel.kml"));
    const QString back = path(QStringLiteral("back.gpx"));
    run(gpsbabel,
        {QStringLiteral("-t"), QStringLiteral("-i"), QStringLiteral("gpx"), QStringLiteral("-f"),
         gpx, QStringLiteral("-o"), QStringLiteral("kml"), QStringLiteral("-F"), kml});
    run(gpsbabel,
        {QStringLiteral("-t"), QStringLiteral("-i"), QStringLiteral("kml"), QStringLiteral("-f"),
         kml, QStringLiteral("-o"), QStringLiteral("gpx"), QStringLiteral("-F"), back});
    const QStringList again = run(python, {script, back}).split(QLatin1Char('\n'));
    ASSERT_GE(again.size(), 3);
    EXPECT_TRUE(again[0].endsWith(QStringLiteral(" %1").arg(points.size())))
        << again[0].toStdString();
    // gpsbabel writes KML coordinates with six decimals.
    EXPECT_TRUE(near(again[1], points.front(), 1e-6)) << again[1].toStdString();

    // Our own KML, read by gpsbabel: every point of both lines, and the depth placemarks.
    writer.placemarkEvery = 50;
    const QString ours = path(QStringLiteral("trip.kml"));
    ASSERT_TRUE(writer.write(ours, TrackFileWriter::Kml, reader.segments()));
    const QString tracks =
        run(gpsbabel, {QStringLiteral("-t"), QStringLiteral("-i"), QStringLiteral("kml"),
                       QStringLiteral("-f"), ours, QStringLiteral("-o"), QStringLiteral("unicsv"),
                       QStringLiteral("-F"), QStringLiteral("-")});
    EXPECT_EQ(tracks.trimmed().split(QLatin1Char('\n')).size() - 1,
              static_cast<int>(points.size()));
    const QString waypoints =
        run(gpsbabel, {QStringLiteral("-w"), QStringLiteral("-i"), QStringLiteral("kml"),
                       QStringLiteral("-f"), ours, QStringLiteral("-o"), QStringLiteral("unicsv"),
                       QStringLiteral("-F"), QStringLiteral("-")});
    // Soundings 0, 50, 100 (its neighbour's position), 150, 200 and 250.
    EXPECT_EQ(waypoints.trimmed().split(QLatin1Char('\n')).size() - 1, 6)
        << waypoints.toStdString();
}

TEST_F(Track, ACancelledOrFailedExportLeavesTheEarlierFile)
{
    TrackReader reader;
    ASSERT_TRUE(reader.open(trip(9000, course(9000, {})), 0));
    while (reader.readSlice(1000)) {
    }
    const QString gpx = path(QStringLiteral("kept.gpx"));
    {
        QFile earlier(gpx);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    TrackFileWriter writer;
    writer.progress = [](size_t written) { return written < 4096; };
    EXPECT_FALSE(writer.write(gpx, TrackFileWriter::Gpx, reader.segments()));
    EXPECT_TRUE(writer.cancelled());
    QFile kept(gpx);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("earlier"));
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "the log and the earlier file, no temporary one";

    writer.progress = {};
    EXPECT_FALSE(
        writer.write(QStringLiteral("/dev/full"), TrackFileWriter::Gpx, reader.segments()));
    EXPECT_FALSE(writer.write(path(QStringLiteral("no/folder/x.gpx")), TrackFileWriter::Kml,
                              reader.segments()));
    EXPECT_TRUE(writer.error().contains(QStringLiteral("could not be written")));
}

brellix::TrackPoint mapPoint(int32_t sounding, int32_t x, int32_t y, float depth)
{
    brellix::TrackPoint p;
    p.sounding = sounding;
    p.position = {x, y, 0.0f, 0.0f};
    p.latitude = brellix::LatitudeFromY(y);
    p.longitude = brellix::LongitudeFromX(x);
    p.depthValid = depth > 0;
    p.depth = depth;
    return p;
}

TEST(TrackMapTest, NorthUpOneScaleNearestPointsAndAScaleBarInTheUsersUnits)
{
    // 2000 m east, 1000 m north, at the equator where a Mercator metre is a metre.
    const std::vector<brellix::TrackSegment> segments = {
        {mapPoint(0, 0, 0, 10.0f), mapPoint(10, 2000, 0, 30.0f)}, {mapPoint(20, 2000, 1000, 0.0f)}};
    brellix::TrackMap map;
    map.setSegments(&segments);
    map.fit(QRectF(0, 0, 440, 440), 20);
    const QPointF start = map.toView(segments[0][0].position);
    const QPointF east = map.toView(segments[0][1].position);
    const QPointF north = map.toView(segments[1][0].position);
    // North is up, east is right, and one metre is as long both ways.
    EXPECT_DOUBLE_EQ(start.y(), east.y());
    EXPECT_GT(east.x(), start.x());
    EXPECT_LT(north.y(), east.y());
    EXPECT_NEAR(east.x() - start.x(), 2 * (east.y() - north.y()), 1e-9);
    EXPECT_NEAR(east.x() - start.x(), 400.0, 1e-9) << "the wider side fills the view";
    EXPECT_NEAR(map.metresPerPixel(), 5.0, 1e-6 * 5.0 + 1e-6);

    EXPECT_EQ(map.nearest(east + QPointF(3, 3), 8)->sounding, 10);
    EXPECT_FALSE(map.nearest(east + QPointF(30, 30), 8).has_value());
    EXPECT_EQ(map.pointFor(15)->sounding, 10) << "the sampled point before it";
    EXPECT_EQ(map.pointFor(25)->sounding, 20);
    EXPECT_FALSE(map.pointFor(-1).has_value());

    // Depth colours run from the shallowest to the deepest; no depth is grey.
    EXPECT_EQ(map.shallowest(), 10.0);
    EXPECT_EQ(map.deepest(), 30.0);
    EXPECT_EQ(map.depthColor(segments[0][0]), brellix::TrackMap::rampColor(0.0));
    EXPECT_EQ(map.depthColor(segments[0][1]), brellix::TrackMap::rampColor(1.0));
    EXPECT_EQ(map.depthColor(segments[1][0]), QColor(150, 150, 150));

    // 150 pixels are 750 m: "500 m" metric, "2000 ft" otherwise; 410 pixels 2050 m: 2 km, 1 mi.
    EXPECT_EQ(map.scaleBar(150, true).label, QStringLiteral("500 m"));
    EXPECT_NEAR(map.scaleBar(150, true).pixels, 100.0, 1e-3);
    EXPECT_EQ(map.scaleBar(150, false).label, QStringLiteral("2000 ft"));
    EXPECT_EQ(map.scaleBar(410, true).label, QStringLiteral("2 km"));
    EXPECT_EQ(map.scaleBar(410, false).label, QStringLiteral("1 mi"));
    EXPECT_NEAR(map.scaleBar(410, false).pixels, 1609.344 / 5.0, 1e-3);

    // Away from the equator Mercator metres stretch: the ground per pixel shrinks with them.
    const std::vector<brellix::TrackSegment> north60 = {
        {mapPoint(0, 0, 8390000, 5.0f), mapPoint(1, 2000, 8390000, 5.0f)}};
    map.setSegments(&north60);
    map.fit(QRectF(0, 0, 440, 440), 20);
    EXPECT_NEAR(map.metresPerPixel(), 5.0 * std::cos(north60[0][0].latitude * M_PI / 180.0), 1e-6);
}

} // namespace

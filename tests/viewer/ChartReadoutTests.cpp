// The cursor readout: depth and position texts, the position search either side of the
// cursor, the time lines, the SL2 lines and the popup's size.
#include "ReaderTestSupport.h"

#include "logs/tSonarFile.h"
#include "readout/ChartReadout.h"

#include <QFile>

#include <gtest/gtest.h>

#include <map>

namespace {

using brellix::FormatDepth;
using brellix::FormatPosition;
using readertest::LogFolder;

TEST(FormatDepthTest, TwoDecimalsAtMostBelowAThousandInTheUnitShown)
{
    const struct
    {
        double feet;
        int32_t format;
        const char* text;
    } cases[] = {
        {12.34, 0, "12.34ft"}, {12.3, 0, "12.3ft"},   {12.0, 0, "12.0ft"}, {999.9, 0, "999.9ft"},
        {1000.0, 0, "1000ft"}, {1234.6, 0, "1235ft"}, {10.0, 1, "3.05m"},  {3280.0, 1, "999.74m"},
        {3281.0, 1, "1000m"},  {0.004, 0, "0.0ft"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.feet);
        EXPECT_EQ(FormatDepth(c.feet, c.format).toStdString(), c.text);
    }
}

TEST(FormatPositionTest, EveryFormatWithItsCarries)
{
    const QString d = QString(QChar(0xB0));
    const struct
    {
        int32_t x, y, format;
        QString text;
    } cases[] = {
        // Latitude 59.99999655: the minutes and the seconds both carry into a whole degree.
        {0, 8371574, 0,
         QStringLiteral("N 59.99999655") + d + QStringLiteral("\r\nE 0.00000000") + d},
        {0, 8371574, 1,
         QStringLiteral("N 60") + d + QStringLiteral("00.000'\r\nE   0") + d +
             QStringLiteral("00.000'")},
        {0, 8371574, 2,
         QStringLiteral("N 60") + d + QStringLiteral("00'00.0\"\r\nE   0") + d +
             QStringLiteral("00'00.0\"")},
        // 47.49999808 N, 122.24999469 W.
        {-13563179, 6003874, 0,
         QStringLiteral("N 47.49999808") + d + QStringLiteral("\r\nW 122.24999469") + d},
        {-13563179, 6003874, 1,
         QStringLiteral("N 47") + d + QStringLiteral("30.000'\r\nW 122") + d +
             QStringLiteral("15.000'")},
        {-13563179, 6003874, 2,
         QStringLiteral("N 47") + d + QStringLiteral("30'00.0\"\r\nW 122") + d +
             QStringLiteral("15'00.0\"")},
        {-13563179, 6003874, 3, QStringLiteral("Y: +6003874\r\nX: -13563179")},
        // Degrees are padded with blanks: two for latitude, three for longitude.
        {1000, 1000, 2,
         QStringLiteral("N  0") + d + QStringLiteral("00'32.4\"\r\nE   0") + d +
             QStringLiteral("00'32.4\"")},
        // No position at 90 degrees of latitude or 180 of longitude; below -180 is -180.
        {0, 2147483647, 0, QString()},
        {19970326, 0, 0, QString()},
        {-2147483647 - 1, 1000, 0,
         QStringLiteral("N 0.00901336") + d + QStringLiteral("\r\nW 180.00000000") + d},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(FormatPosition(c.x, c.y, c.format), c.text);
    }
}

TEST(FrequencyTextTest, NamedCodesUpToTenAndIllegalFromEleven)
{
    EXPECT_EQ(brellix::frequencyText(0), QStringLiteral("200kHz"));
    EXPECT_EQ(brellix::frequencyText(4), QStringLiteral("800kHz"));
    EXPECT_EQ(brellix::frequencyText(7), QStringLiteral("130kHz-210kHz"));
    EXPECT_EQ(brellix::frequencyText(10), QStringLiteral("25kHz-45kHz"));
    EXPECT_EQ(brellix::frequencyText(11), QStringLiteral("11 illegal"));
}

// SLG logs whose soundings carry a position only where the test says.
class ReadoutLog : public LogFolder
{
protected:
    // positions: sounding -> (x, y); every other sounding has none.
    QString slgLog(int count, const std::map<int, std::pair<int32_t, int32_t>>& positions,
                   bool withTime = false, std::optional<float> waterTemp = std::nullopt)
    {
        testlog::SlgWriter writer(400);
        for (int i = 0; i < count; ++i) {
            testlog::SlgSounding sounding;
            sounding.header.depth = 20.0f + static_cast<float>(i);
            sounding.header.waterTemp = waterTemp;
            if (withTime) {
                sounding.header.timeOffset = 3723500 + i * 1000;
            }
            if (const auto found = positions.find(i); found != positions.end()) {
                sounding.header.position =
                    testlog::SlgPosition{found->second.second, found->second.first};
                sounding.header.speedTrack = testlog::SlgSpeedTrack{4.0f, 1.5707963f, -10000};
            }
            sounding.samples.assign(100, 10);
            writer.add(sounding);
        }
        return save(writer.bytes(), QStringLiteral("readout.slg"));
    }

    // Without the file's time stamp the time line is the time since the recording began.
    std::optional<brellix::Readout> readout(const QString& log, int32_t S,
                                            bool keepTimeStamp = false)
    {
        brellix::tSonarFile file;
        EXPECT_TRUE(file.SOpen(log, 0));
        if (!keepTimeStamp) {
            file.FileTimeStamp = QDateTime();
        }
        return brellix::readoutFor(file, S, 7.5f, 3, 0);
    }
};

TEST_F(ReadoutLog, APositionAtTheCursorShowsWithItsSpeedAndTrack)
{
    const auto r = readout(slgLog(30, {{10, {1000, 2000}}}), 10);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->text, QStringLiteral("Bottom Depth: 30.0ft\r\nCursor Depth: 7.5ft\r\nSounding: 10"
                                      "\r\nY: +2000\r\nX: +1000\r\n4.60 mph, Track=90") +
                           QChar(0xB0));
    EXPECT_EQ(r->width, 1800);
    EXPECT_EQ(r->height, 855 + 180 + 195);
}

TEST_F(ReadoutLog, PositionsEitherSideAreInterpolated)
{
    // Sounding 10 lies 2 after the one behind (8) and 6 before the one ahead (16).
    const auto r = readout(slgLog(30, {{8, {1000, 800}}, {16, {1800, 0}}}), 10);
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->text.contains(QStringLiteral("Y: +600\r\nX: +1200"))) << r->text.toStdString();
}

TEST_F(ReadoutLog, OneSideAloneGivesItsPosition)
{
    const QString log = slgLog(30, {{5, {700, 70}}, {25, {900, 90}}});
    EXPECT_TRUE(readout(log, 12)->text.contains(QStringLiteral("Y: +70\r\nX: +700")));
    EXPECT_TRUE(readout(log, 18)->text.contains(QStringLiteral("Y: +90\r\nX: +900")));
}

TEST_F(ReadoutLog, NoPositionWithinTenSoundingsGivesNoPositionOrSpeedLine)
{
    const auto r = readout(slgLog(40, {{3, {1, 1}}, {30, {2, 2}}}), 15);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->text,
              QStringLiteral("Bottom Depth: 35.0ft\r\nCursor Depth: 7.5ft\r\nSounding: 15"));
    EXPECT_EQ(r->height, 465 + 180);
}

TEST_F(ReadoutLog, TheTemperatureReadsInFahrenheitAndTheTimeAsElapsed)
{
    const auto r = readout(slgLog(30, {}, true, 20.4f), 2);
    ASSERT_TRUE(r.has_value());
    // 20.4 C is 68.72 F; 3725500 ms is 1 hour, 2 minutes and 5.5 seconds.
    EXPECT_TRUE(
        r->text.endsWith(QStringLiteral("Sounding: 2, Temp=69F\r\n1 hours, 2 min., 5.5 sec.")))
        << r->text.toStdString();
    EXPECT_EQ(r->width, 1930);
    EXPECT_EQ(r->height, 465 + 180 + 190);
}

TEST_F(ReadoutLog, ARealTimeStampGivesTheClockTime)
{
    const QString log = slgLog(30, {}, true);
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime stamp(QDate(2026, 6, 1), QTime(8, 0, 0));
    ASSERT_TRUE(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    file.close();
    const auto r = readout(log, 0, true);
    ASSERT_TRUE(r.has_value());
    const QLocale locale;
    EXPECT_TRUE(r->text.contains(locale.toString(QDate(2026, 6, 1), QLocale::ShortFormat)))
        << r->text.toStdString();
    EXPECT_TRUE(r->text.contains(QStringLiteral("9:02:03"))) << r->text.toStdString();
}

TEST_F(ReadoutLog, NoReadoutOutsideTheLog)
{
    const QString log = slgLog(30, {});
    EXPECT_FALSE(readout(log, -1).has_value());
    EXPECT_FALSE(readout(log, 30).has_value());
    EXPECT_TRUE(readout(log, 29).has_value());
}

TEST_F(LogFolder, AnSl2ReadoutEndsWithFrequencyAndAutoSense)
{
    testlog::Sl2Writer writer;
    // The readout takes the SL2 lines from the last sub-header its position search read, ten
    // soundings back when no sounding has a position.
    for (int i = 0; i < 40; ++i) {
        testlog::Sl2Column column = viewertest::flatColumn(0, 40, 9);
        column.frequency = static_cast<uint8_t>(i < 10 ? 7 : 12);
        column.autoSenseRangecell = 42;
        writer.add(column);
    }
    brellix::tSonarFile file;
    ASSERT_TRUE(file.SOpen(save(writer.bytes()), 0));
    const auto named = brellix::readoutFor(file, 3, 10.0f, 2, 0);
    ASSERT_TRUE(named.has_value());
    EXPECT_TRUE(
        named->text.endsWith(QStringLiteral("\r\nFrequency: 130kHz-210kHz\r\nAuto sense: 42")))
        << named->text.toStdString();
    EXPECT_EQ(named->height, 465 + 190);
    const auto illegal = brellix::readoutFor(file, 35, 10.0f, 2, 1);
    ASSERT_TRUE(illegal.has_value());
    EXPECT_TRUE(illegal->text.contains(QStringLiteral("Frequency: 12 illegal")));
    EXPECT_TRUE(illegal->text.contains(QStringLiteral("Cursor Depth: 3.05m")));
}

} // namespace

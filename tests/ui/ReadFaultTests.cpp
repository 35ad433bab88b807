// A chart window whose log fails under it: a read that errs or comes back short at every point
// of an open-play-seek session, once (a flaky card) or from then on (a card pulled out), and a
// log cut short or grown while it plays. The window must keep running and end every step, and
// the log must stay as it was.
#include "UiTestSupport.h"

#include "document/frmDocument.h"
#include "logs/tSonarFile.h"

#include <QCryptographicHash>
#include <QFile>

#include <chrono>

#include <unistd.h>

namespace {

using brellix::frmDocument;
using Bytes = std::vector<uint8_t>;

Bytes sl2Log(int soundings)
{
    testlog::Sl2Header header;
    header.blockSize = 128;
    testlog::Sl2Writer log(header);
    for (int i = 0; i < soundings; ++i) {
        for (uint16_t channel : {0, 1, 2}) {
            testlog::Sl2Column c;
            c.channel = channel;
            c.lowerLimit = 40.0f + (i / 20) * 10.0f;
            c.depth = 20.0f;
            c.samples.assign(96, static_cast<uint8_t>(30 + i));
            log.add(c);
        }
    }
    return log.bytes();
}

Bytes slgLog(int soundings)
{
    testlog::SlgWriter log(200);
    for (int i = 0; i < soundings; ++i) {
        testlog::SlgSounding s;
        s.header.lowerLimit = 40.0f;
        s.header.depth = 15.0f + i % 7;
        s.samples.assign(150, static_cast<uint8_t>(i * 3));
        log.add(s);
    }
    return log.bytes();
}

Bytes veryOldLog(int soundings)
{
    testlog::VeryOldWriter log(300, 1024);
    for (int i = 0; i < soundings; ++i) {
        testlog::SlgFields header;
        header.depth = 10.0f + i % 5;
        log.addCoded(header, 2, {0x40, 0x41, 0x85, 0x3F, 0x90});
    }
    return log.bytes();
}

enum class Fault { ErrorOnce, ErrorFromThenOn, ShortOnce, ShortFromThenOn };

class ReadFaultTest : public uitest::WindowTest
{
protected:
    static QByteArray digest(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }

    // Open, draw, play, jump to the end and into the middle, step back, rewind to the start,
    // every step driven to its end; returns the reads it took.
    uint64_t session(const QString& log, brellix::LogFile::ReadFault fault)
    {
        uint64_t calls = 0;
        auto counting = [&calls, &fault](uint64_t n, int64_t wanted) {
            calls = n;
            return fault ? fault(n, wanted) : wanted;
        };
        auto chart = makeChart();
        chart->SonarFile->setReadFault(counting);
        if (!chart->OpenFile(log, 0)) {
            return calls;
        }
        chart->finishRedraw();
        chart->SetState(frmDocument::kPlaying);
        for (int tick = 0; tick < 12; ++tick) {
            chart->tmrUpdate_Timer();
        }
        chart->GotoEnd();
        chart->finishRedraw();
        chart->GotoFilePosition(chart->SonarFile->lFileSize / 2);
        chart->finishRedraw();
        chart->SetState(frmDocument::kPlayingReverse);
        for (int tick = 0; tick < 8; ++tick) {
            chart->tmrUpdate_Timer();
        }
        chart->SetState(frmDocument::kPaused);
        chart->GotoStart();
        chart->finishRedraw();
        const int32_t soundings = chart->SonarFile->NumSoundings();
        EXPECT_GE(chart->position(), soundings > 0 ? 0 : -1);
        EXPECT_LT(chart->position(), std::max(soundings, 1));
        chart->unload();
        // The windows of the log's other channels go too, or every later session would move
        // them along.
        host.charts.clear();
        host.shown.clear();
        return calls;
    }

    // The session with each kind of fault at every read it makes (every few reads on a long
    // session), each ending in bounded time and leaving the log unchanged.
    void breakEveryRead(const Bytes& bytes, const QString& name)
    {
        const QString log = save(bytes, name);
        const QByteArray before = digest(log);
        const uint64_t reads = session(log, nullptr);
        ASSERT_GT(reads, 10u);
        const uint64_t stride = std::max<uint64_t>(1, reads / 120);
        const auto start = std::chrono::steady_clock::now();
        for (Fault kind :
             {Fault::ErrorOnce, Fault::ErrorFromThenOn, Fault::ShortOnce, Fault::ShortFromThenOn}) {
            for (uint64_t at = 1; at <= reads; at += stride) {
                SCOPED_TRACE(::testing::Message()
                             << "fault " << static_cast<int>(kind) << " at read " << at);
                session(log, [kind, at](uint64_t n, int64_t wanted) -> int64_t {
                    const bool hit =
                        (kind == Fault::ErrorOnce || kind == Fault::ShortOnce) ? n == at : n >= at;
                    if (!hit) {
                        return wanted;
                    }
                    return (kind == Fault::ErrorOnce || kind == Fault::ErrorFromThenOn)
                               ? -1
                               : wanted / 2;
                });
            }
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(120));
        EXPECT_EQ(digest(log), before);
    }
};

TEST_F(ReadFaultTest, AnSl2LogFailingAtAnyReadNeverStopsTheWindow)
{
    breakEveryRead(sl2Log(90), QStringLiteral("faults.sl2"));
}

TEST_F(ReadFaultTest, AnSlgLogFailingAtAnyReadNeverStopsTheWindow)
{
    breakEveryRead(slgLog(90), QStringLiteral("faults.slg"));
}

TEST_F(ReadFaultTest, AVeryOldLogFailingAtAnyReadNeverStopsTheWindow)
{
    breakEveryRead(veryOldLog(60), QStringLiteral("faults-old.slg"));
}

// A card pulled out, then put back with another recording, or a copy still running: the file
// under the open window shrinks and grows while it plays.
class ChangingLogTest : public ReadFaultTest,
                        public ::testing::WithParamInterface<std::pair<const char*, Bytes (*)(int)>>
{
};

TEST_P(ChangingLogTest, ALogCutShortOrGrownWhilePlayingKeepsTheWindowRunning)
{
    const Bytes full = GetParam().second(160);
    const QString log = save(full, QStringLiteral("changing") + QLatin1String(GetParam().first));
    auto chart = makeChart();
    ASSERT_TRUE(chart->OpenFile(log, 0));
    chart->finishRedraw();
    const auto play = [&chart](int ticks) {
        chart->SetState(frmDocument::kPlaying);
        for (int tick = 0; tick < ticks; ++tick) {
            chart->tmrUpdate_Timer();
        }
        chart->GotoEnd();
        chart->finishRedraw();
        chart->GotoFilePosition(chart->SonarFile->lFileSize / 3);
        chart->finishRedraw();
        chart->GotoStart();
        chart->finishRedraw();
    };
    play(10);
    for (const size_t length : {full.size() / 2, full.size() / 7, size_t{3}, size_t{0}}) {
        SCOPED_TRACE(length);
        ASSERT_EQ(::truncate(log.toLocal8Bit().constData(), static_cast<off_t>(length)), 0);
        play(20);
    }
    // Grown again, past where it was: the window reads what it knew of.
    ASSERT_TRUE(testlog::saveFile(log.toStdString(), GetParam().second(300)));
    play(30);
    EXPECT_TRUE(chart->bDocumentReady);
}

INSTANTIATE_TEST_SUITE_P(Formats, ChangingLogTest,
                         ::testing::Values(std::make_pair(".sl2", &sl2Log),
                                           std::make_pair(".slg", &slgLog),
                                           std::make_pair(".old.slg", &veryOldLog)));

} // namespace

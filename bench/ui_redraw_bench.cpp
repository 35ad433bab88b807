// Chart window figures, offscreen: the CPU time of a full redraw of a 1900 x 1000 pixel chart
// (advanced signal processing off and on), and fast-forward playback with every channel window
// of an SL2 log open (one plays, the others follow by file address): soundings per second per
// window, the process's CPU share and its resident memory; before that, the wall time from
// opening the log until every window's first redraw is done. With --print: printing soundings of
// the log's primary channel onto a letter page in a PDF file at 600 dpi, wall time and peak
// memory.
//
//   ui_redraw_bench [log.sl2] [playback seconds]
//   ui_redraw_bench --print [log.sl2] [soundings, or all]
//
// The log defaults to BRELLIX_BENCH_LOG, else build/demo/demo.sl2; 20 seconds of playback. The
// library is looked for in BRELLIX_BIN_DIR, else in ../bin from here.
#include "BuildFolder.h"
#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "logs/tSonarFile.h"
#include "platform/SettingsStore.h"
#include "platform/VantrelLibrary.h"
#include "printing/PrintJob.h"
#include "render/tColorScheme.h"

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSize>
#include <QPointer>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

using brellix::frmDocument;

namespace {

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double wallSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

long statusKilobytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray name(field);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(name)) {
            return line.mid(name.size()).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

long residentKilobytes()
{
    return statusKilobytes("VmRSS:");
}

// The main window's side as far as the charts need it, with its synchronisation.
class BenchHost : public brellix::DocumentHost
{
public:
    ~BenchHost() override
    {
        for (auto& chart : charts) {
            delete chart.data();
        }
    }

    void SynchronizeMenu() override {}
    void SyncFilePosition(brellix::tSonarFile& file, int32_t sounding) override
    {
        bool sought = false;
        int64_t address = 0;
        for (auto& chart : charts) {
            if (!chart || chart->SonarFile.get() == &file ||
                chart->SonarFile->GetFilename() != file.GetFilename()) {
                continue;
            }
            if (!sought) {
                file.SSeek(sounding);
                address = file.AddressTell();
                sought = true;
            }
            chart->GotoFilePosition(address);
        }
    }
    bool AnyIdleWorking() override
    {
        return std::any_of(charts.begin(), charts.end(),
                           [](const QPointer<frmDocument>& c) { return c && c->bIdleWorking; });
    }
    brellix::tColorScheme& UserColorScheme() override { return scheme; }
    void ShowUserColorScheme(int32_t) override {}
    void loadChartSettings() override {}
    void showDocument(std::unique_ptr<frmDocument> document) override
    {
        frmDocument* chart = document.release();
        charts.push_back(chart);
        if (area) {
            area->addSubWindow(chart)->show();
        }
    }
    void documentUnloading(frmDocument&) override {}
    brellix::SettingsStore& settings() override { return store; }
    int32_t positionFormat() const override { return 0; }
    int32_t depthFormat() const override { return 0; }

    // An empty store of its own: every chart starts from the defaults.
    QTemporaryDir folder;
    brellix::SettingsStore store{folder.filePath(QStringLiteral("Brellix.ini"))};
    brellix::tColorScheme scheme;
    std::vector<QPointer<frmDocument>> charts;
    QMdiArea* area = nullptr;
};

// A chart window of the host on the log's primary channel, its picture 1900 x 1000 pixels above
// the 1000-twip band; nullptr when the log does not open.
frmDocument* openChart(BenchHost& host, const QString& log)
{
    auto* chart = new frmDocument(host);
    host.charts.push_back(chart);
    chart->setTwipsPerPixel(15, 15);
    chart->resize(1900, 1000 + 67);
    if (!chart->OpenFile(log, 0)) {
        std::printf("cannot open %s\n", qPrintable(log));
        return nullptr;
    }
    return chart;
}

void fullRedraw(const QString& log, int32_t asp)
{
    BenchHost host;
    frmDocument* chart = openChart(host, log);
    if (chart == nullptr) {
        return;
    }
    chart->tmrUpdate->stop();
    chart->SonarOptions.setAdvancedSignalProcessing(asp);
    chart->finishRedraw();
    // The redraw as it costs once the log's chain map is made (its thread's CPU apart).
    chart->SonarFile->waitForChainIndex();
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        chart->GotoEnd();
        const double start = cpuSeconds();
        chart->finishRedraw();
        runs.push_back(cpuSeconds() - start);
    }
    std::sort(runs.begin(), runs.end());
    std::printf("full redraw %d x %d, ASP %d: CPU min %.1f ms, median %.1f ms (%d passes)\n",
                chart->chartColumns(), chart->depthPixels(), asp, runs.front() * 1e3,
                runs[runs.size() / 2] * 1e3, chart->redrawPasses());
}

void playback(QApplication& app, const QString& log, double seconds)
{
    BenchHost host;
    QMdiArea area;
    area.resize(1800, 1000);
    area.show();
    host.area = &area;
    const double openWall0 = wallSeconds();
    auto* primary = new frmDocument(host);
    host.charts.push_back(primary);
    if (!primary->OpenFile(log, 0)) {
        std::printf("cannot open %s\n", qPrintable(log));
        return;
    }
    area.addSubWindow(primary)->show();
    area.tileSubWindows();
    area.setActiveSubWindow(area.subWindowList().value(0));
    // Let the first redraws finish before the clock starts.
    while (host.AnyIdleWorking()) {
        app.processEvents();
    }
    std::printf("open in %zu windows until every chart is drawn: wall %.0f ms\n",
                host.charts.size(), (wallSeconds() - openWall0) * 1e3);
    // Playback figures are those of the steady state: the chain map, made once a log, apart.
    const double mapCpu0 = cpuSeconds();
    const bool mapped = primary->SonarFile->waitForChainIndex();
    std::printf("chain map %s: wall %.0f ms after opening, process CPU %.0f ms while waited for\n",
                mapped ? "made" : "refused", (wallSeconds() - openWall0) * 1e3,
                (cpuSeconds() - mapCpu0) * 1e3);

    std::vector<int32_t> start;
    for (auto& chart : host.charts) {
        start.push_back(chart->position());
    }
    primary->SetState(frmDocument::kFastForward);
    const double cpu0 = cpuSeconds();
    const double wall0 = wallSeconds();
    // Until the time is up or the playing window reaches the end of the log.
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (wallSeconds() - wall0 >= seconds || primary->GetState() == frmDocument::kPaused) {
            app.quit();
        }
    });
    watch.start();
    app.exec();
    const double wall = wallSeconds() - wall0;
    const double cpu = cpuSeconds() - cpu0;

    std::printf("fast forward for %.1f s with %zu windows:\n", wall, host.charts.size());
    for (size_t i = 0; i < host.charts.size(); ++i) {
        const frmDocument& chart = *host.charts[i];
        std::printf("  channel %d (%d x %d): %.0f soundings/s%s\n", chart.channel(),
                    chart.chartColumns(), chart.depthPixels(), (chart.position() - start[i]) / wall,
                    chart.GetState() == frmDocument::kPaused && i == 0 ? " (reached the end)" : "");
    }
    std::printf("  CPU %.0f%% of one core, resident %ld kB\n", 100.0 * cpu / wall,
                residentKilobytes());
}

int printPage(const QString& log, const char* soundings)
{
    BenchHost host;
    frmDocument* chart = openChart(host, log);
    if (chart == nullptr) {
        return 1;
    }
    chart->finishRedraw();
    const int32_t total = chart->SonarFile->NumSoundings();
    const bool all = soundings != nullptr && std::string(soundings) == "all";
    const int32_t count = all ? total : std::min(total, soundings ? std::atoi(soundings) : 2000);
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("page.pdf")));
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setResolution(600);
    const QRect printable(QPoint(0, 0), printer.pageLayout().paintRectPixels(600).size());
    const long before = statusKilobytes("VmHWM:");
    const double start = wallSeconds();
    brellix::PrintJob job(*chart, {0, count, true, false});
    const bool printed = job.run(printer, printable);
    const double wall = wallSeconds() - start;
    std::printf("print::soundings:        %d of %d\n", count, total);
    std::printf("print::chart:            %d x %d\n", job.chartColumns(), job.chartRows());
    std::printf("print::printed:          %s\n", printed ? "yes" : "no");
    std::printf("print::wall_s:           %.2f\n", wall);
    std::printf("print::pdf_kb:           %lld\n",
                static_cast<long long>(QFile(printer.outputFileName()).size() / 1024));
    std::printf("print::peak_rss_mb:      %.0f (before printing %.0f)\n",
                static_cast<double>(statusKilobytes("VmHWM:")) / 1024.0,
                static_cast<double>(before) / 1024.0);
    return printed ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool print = argc > 1 && std::string(argv[1]) == "--print";
    if (print) {
        --argc;
        ++argv;
    }
    QString log = argc > 1 ? QString::fromLocal8Bit(argv[1])
                           : QString::fromLocal8Bit(qgetenv("BRELLIX_BENCH_LOG"));
    if (log.isEmpty()) {
        log = QStringLiteral("build/demo/demo.sl2");
    }
    const double seconds = argc > 2 ? std::max(1.0, std::atof(argv[2])) : 20.0;

    const QString folder = QString::fromStdString(testsupport::binFolder().string());
    brellix::VantrelLibrary::instance().setSearchFolder(folder);
    if (!brellix::VantrelLibrary::instance().verify()) {
        std::printf("%s\n", qPrintable(brellix::VantrelLibrary::instance().errorString()));
        return 1;
    }

    if (print) {
        return printPage(log, argc > 2 ? argv[2] : nullptr);
    }
    fullRedraw(log, 0);
    fullRedraw(log, 1);
    playback(app, log, seconds);
    return 0;
}

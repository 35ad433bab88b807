// Shared pieces of the window tests: one offscreen application for the process, the library
// built beside the tests, a fake main window for the chart windows, and logs written with
// known intensities.
#pragma once

#include "LogWriter.h"

#include "document/ChartPicture.h"
#include "document/ChartSlider.h"
#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "logs/tSonarFile.h"
#include "platform/VantrelLibrary.h"
#include "render/tColorScheme.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace uitest {

// The one application object of the test process, offscreen.
inline QApplication& application()
{
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "ui_tests";
        static char* argv[] = {name, nullptr};
        // Kept for the whole process: widgets may still go away at exit.
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Points the library binding at the build's bin folder (BRELLIX_BIN_DIR, or bin beside the
// tests' folder).
inline void bindBuildLibrary()
{
    QString folder = QString::fromLocal8Bit(qgetenv("BRELLIX_BIN_DIR"));
    if (folder.isEmpty()) {
        std::error_code error;
        const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
        if (!error)
            folder = QString::fromStdString((self.parent_path().parent_path() / "bin").string());
    }
    brellix::VantrelLibrary& library = brellix::VantrelLibrary::instance();
    if (library.searchFolder() != folder || !library.isLoaded())
        library.setSearchFolder(folder);
}

// The main window as the chart windows see it: records what they call, keeps settings in
// memory and synchronises the charts it knows about as the main window does.
class FakeHost : public brellix::DocumentHost
{
public:
    ~FakeHost() override
    {
        // Charts go before the scheme they point at.
        for (auto& document : shown)
            delete document.data();
        shown.clear();
    }

    // Charts taking part in AnyIdleWorking and SyncFilePosition.
    void add(brellix::frmDocument* document) { charts.push_back(document); }

    void SynchronizeMenu() override { ++synchronizeCount; }
    void SyncFilePosition(brellix::tSonarFile& file, int32_t sounding) override
    {
        syncCalls.push_back(sounding);
        const auto address = [&] {
            file.SSeek(sounding);
            return file.AddressTell();
        };
        for (auto& chart : charts) {
            if (!chart || chart->SonarFile.get() == &file ||
                chart->SonarFile->GetFilename() != file.GetFilename())
                continue;
            chart->GotoFilePosition(address());
        }
    }
    bool AnyIdleWorking() override
    {
        for (auto& chart : charts)
            if (chart && chart->bIdleWorking)
                return true;
        return false;
    }
    brellix::tColorScheme& UserColorScheme() override { return scheme; }
    void ShowUserColorScheme(int32_t mode) override { shownSchemeModes.push_back(mode); }
    void LoadChartSettings() override { ++loadSettingsCount; }
    void ShowDocument(brellix::frmDocument* document) override
    {
        shown.push_back(document);
        charts.push_back(document);
    }
    void DocumentUnloading(brellix::frmDocument& document) override
    {
        unloaded.push_back(&document);
    }
    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue) override
    {
        return settings.value(section + QLatin1Char('/') + key, defaultValue);
    }
    void SaveSetting(const QString& section, const QString& key, const QString& value) override
    {
        settings.insert(section + QLatin1Char('/') + key, value);
    }
    int32_t PositionFormat() const override { return positionFormat; }
    int32_t DepthFormat() const override { return depthFormat; }

    brellix::tColorScheme scheme;
    QMap<QString, QString> settings;
    int synchronizeCount = 0;
    int loadSettingsCount = 0;
    std::vector<int32_t> syncCalls;
    std::vector<int32_t> shownSchemeModes;
    std::vector<QPointer<brellix::frmDocument>> charts;
    std::vector<QPointer<brellix::frmDocument>> shown;
    std::vector<brellix::frmDocument*> unloaded;
    int32_t positionFormat = 0;
    int32_t depthFormat = 0;
};

// Intensity of every sample of a sounding, by sounding index and sample index.
using Intensity = std::function<uint8_t(int sounding, int sample)>;

inline constexpr int kSamples = 400;

// An SLG log whose soundings cover 0 to lowerLimit feet with the bottom at depth.
inline std::vector<uint8_t> slgLog(int count, const Intensity& intensity, float lowerLimit = 100,
                                   float depth = 60)
{
    testlog::SlgWriter writer(1024);
    for (int i = 0; i < count; ++i) {
        testlog::SlgSounding sounding;
        sounding.header.lowerLimit = lowerLimit;
        sounding.header.depth = depth;
        sounding.samples.resize(kSamples);
        for (int s = 0; s < kSamples; ++s)
            sounding.samples[static_cast<size_t>(s)] = intensity(i, s);
        writer.add(sounding);
    }
    return writer.bytes();
}

// What an SL2 packet carries besides its samples.
struct Sl2Setup
{
    float lowerLimit = 100;
    float depth = 60;
    uint8_t autoSense = 0;
    uint8_t correlation = 0;
};

// An SL2 log with count soundings on each of the channels, interleaved sounding by sounding.
inline std::vector<uint8_t> sl2Log(const std::vector<uint16_t>& channels, int count,
                                   const Intensity& intensity, const Sl2Setup& setup = {})
{
    testlog::Sl2Writer writer;
    for (int i = 0; i < count; ++i) {
        for (const uint16_t channel : channels) {
            testlog::Sl2Column column;
            column.channel = channel;
            column.upperLimit = 0;
            column.lowerLimit = setup.lowerLimit;
            column.depth = setup.depth;
            column.autoSenseRangecell = setup.autoSense;
            column.correlation = setup.correlation;
            column.runningTimeMs = static_cast<uint32_t>(i * 100);
            column.samples.resize(kSamples);
            for (int s = 0; s < kSamples; ++s)
                column.samples[static_cast<size_t>(s)] = intensity(i, s);
            writer.add(column);
        }
    }
    return writer.bytes();
}

// A fixture with the application, the library and a folder for logs.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        application();
        bindBuildLibrary();
        ASSERT_TRUE(m_folder.isValid());
    }

    QString save(const std::vector<uint8_t>& bytes, const QString& name)
    {
        const QString file = m_folder.filePath(name);
        EXPECT_TRUE(testlog::saveFile(file.toStdString(), bytes));
        return file;
    }

    // A chart window of the given pixel size at 15 twips per pixel, not shown.
    std::unique_ptr<brellix::frmDocument> makeChart(int width = 120, int height = 147)
    {
        auto document = std::make_unique<brellix::frmDocument>(host);
        document->setTwipsPerPixel(15, 15);
        document->resize(width, height);
        return document;
    }

    QTemporaryDir m_folder;
    FakeHost host;
};

} // namespace uitest

// Shared pieces of the window tests: one offscreen application for the process, a fake main
// window for the chart windows, and a fixture that makes chart windows.
#pragma once

#include "LogWriter.h"
#include "ViewerTestSupport.h"

#include "document/ChartPicture.h"
#include "document/ChartSlider.h"
#include "document/DocumentHost.h"
#include "document/frmDocument.h"
#include "logs/tSonarFile.h"
#include "platform/SettingsStore.h"
#include "platform/VantrelLibrary.h"
#include "render/tColorScheme.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <utility>
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

// The main window as the chart windows see it: records what they call, keeps settings in a
// store of its own in a temporary folder and synchronises the charts it knows about as the
// main window does.
class FakeHost : public brellix::DocumentHost
{
public:
    // Charts taking part in AnyIdleWorking and SyncFilePosition.
    void add(brellix::frmDocument* document) { charts.push_back(document); }

    // The store's text at "Section/Key", empty when absent; writing it; whether it is there.
    QString stored(const QString& path) const
    {
        const auto [section, key] = split(path);
        return m_store.getText(section, key, QString());
    }
    void store(const QString& path, const QString& value)
    {
        const auto [section, key] = split(path);
        m_store.saveText(section, key, value);
    }
    bool isStored(const QString& path) const
    {
        const auto [section, key] = split(path);
        return m_store.contains(section, key);
    }

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
                chart->SonarFile->GetFilename() != file.GetFilename()) {
                continue;
            }
            chart->GotoFilePosition(address());
        }
    }
    bool AnyIdleWorking() override
    {
        return std::any_of(charts.begin(), charts.end(),
                           [](const auto& chart) { return chart && chart->bIdleWorking; });
    }
    brellix::tColorScheme& UserColorScheme() override { return scheme; }
    void ShowUserColorScheme(int32_t mode) override { shownSchemeModes.push_back(mode); }
    void loadChartSettings() override { ++loadSettingsCount; }
    void showDocument(std::unique_ptr<brellix::frmDocument> document) override
    {
        charts.push_back(document.get());
        shown.push_back(std::move(document));
    }
    void documentUnloading(brellix::frmDocument& document) override
    {
        unloaded.push_back(&document);
    }
    brellix::SettingsStore& settings() override { return m_store; }
    int32_t positionFormat() const override { return positionFormatValue; }
    int32_t depthFormat() const override { return depthFormatValue; }

private:
    static std::pair<QString, QString> split(const QString& path)
    {
        const qsizetype slash = path.indexOf(QLatin1Char('/'));
        return {path.left(slash), path.mid(slash + 1)};
    }

    QTemporaryDir m_folder;
    brellix::SettingsStore m_store{m_folder.filePath(QStringLiteral("Brellix.ini"))};

public:
    brellix::tColorScheme scheme;
    int synchronizeCount = 0;
    int loadSettingsCount = 0;
    std::vector<int32_t> syncCalls;
    std::vector<int32_t> shownSchemeModes;
    std::vector<QPointer<brellix::frmDocument>> charts;
    std::vector<brellix::frmDocument*> unloaded;
    int32_t positionFormatValue = 0;
    int32_t depthFormatValue = 0;
    // Last: the charts go before the scheme and the store they use.
    std::vector<std::unique_ptr<brellix::frmDocument>> shown;
};

// A fixture with the application, the library and a folder for logs.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        application();
        viewertest::bindBuildLibrary();
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

// Test support for the main window: the offscreen application, a main window on a settings
// store in a temporary folder, and small logs from the writer.
#pragma once

#include "LogWriter.h"
#include "UiTestSupport.h"

#include "platform/SettingsStore.h"
#include "shell/FileRequest.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace shelltest {

// The test process's one offscreen application (shared with the chart tests) and the
// library of this build.
inline void ensureApplication()
{
    uitest::application();
    viewertest::bindBuildLibrary();
}

struct ShownMessage
{
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

// A temporary folder with the settings file and room for logs.
class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ensureApplication();
        ASSERT_TRUE(m_dir.isValid());
        m_settings = std::make_unique<brellix::SettingsStore>(settingsPath());
    }

    void TearDown() override
    {
        m_main.reset();
        m_settings.reset();
    }

    QString settingsPath() const { return m_dir.filePath(QStringLiteral("Brellix.ini")); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    brellix::SettingsStore& settings() { return *m_settings; }

    // Writes the pending settings and reads the file anew, as the next run would.
    brellix::SettingsStore& reopenSettings()
    {
        m_settings.reset();
        m_settings = std::make_unique<brellix::SettingsStore>(settingsPath());
        return *m_settings;
    }

    // Keeps the main window's message boxes in m_messages instead of showing them.
    brellix::frmMain::MessageHandler recordMessages()
    {
        return [this](const QString& title, const QString& text, QMessageBox::Icon icon) {
            m_messages.push_back({title, text, icon});
        };
    }

    // A main window that records its message boxes instead of showing them.
    brellix::frmMain& makeMain()
    {
        m_main = std::make_unique<brellix::frmMain>(*m_settings);
        m_main->setMessageHandler(recordMessages());
        // No real dialog ever blocks a test: file dialogs cancel, questions say Cancel, modal
        // dialogs are only named.
        m_main->setFileChooser([](const brellix::FileRequest&) { return QString(); });
        m_main->setQuestionHandler([](const QString&, const QString&) { return false; });
        m_main->setDialogHandler(
            [this](QDialog& dialog) { m_dialogs.push_back(dialog.windowTitle()); });
        return *m_main;
    }

    // Loaded and shown, with an optional command line.
    brellix::frmMain& startMain(const QString& commandLine = QString())
    {
        brellix::frmMain& main = makeMain();
        main.load(commandLine);
        main.show();
        QApplication::processEvents();
        return main;
    }

    // An SLG log of count soundings with a ramp of samples.
    QString writeSlg(const QString& name, int count)
    {
        testlog::SlgWriter writer(400);
        for (int i = 0; i < count; ++i) {
            testlog::SlgSounding sounding;
            sounding.header.lowerLimit = 50.0f;
            sounding.header.depth = 30.0f;
            sounding.samples.resize(200);
            for (size_t s = 0; s < sounding.samples.size(); ++s) {
                sounding.samples[s] = static_cast<uint8_t>((s + static_cast<size_t>(i)) % 256);
            }
            writer.add(sounding);
        }
        const QString path = filePath(name);
        EXPECT_TRUE(writer.save(path.toStdString()));
        return path;
    }

    // An SL2 log with count soundings on each of the given channels, interleaved.
    QString writeSl2(const QString& name, const std::vector<uint16_t>& channels, int count)
    {
        testlog::Sl2Writer writer;
        for (int i = 0; i < count; ++i) {
            for (uint16_t channel : channels) {
                testlog::Sl2Column column;
                column.channel = channel;
                column.lowerLimit = 60.0f;
                column.depth = 25.0f;
                column.samples.assign(300, static_cast<uint8_t>(40 + (i % 100)));
                writer.add(column);
            }
        }
        const QString path = filePath(name);
        EXPECT_TRUE(writer.save(path.toStdString()));
        return path;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<brellix::SettingsStore> m_settings;
    std::unique_ptr<brellix::frmMain> m_main;
    std::vector<ShownMessage> m_messages;
    std::vector<QString> m_dialogs;
};

} // namespace shelltest

#include "ShellTestSupport.h"

#include "document/frmDocument.h"
#include "platform/ApplicationState.h"
#include "platform/VantrelLibrary.h"
#include "shell/CommandLine.h"
#include "shell/Startup.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <algorithm>

namespace {

using shelltest::ShellTest;

class StartupTest : public ShellTest
{
};

QStringList brellixWith(const QStringList& arguments)
{
    return QStringList{QStringLiteral("brellix")} + arguments;
}

TEST_F(StartupTest, TheLogIsTheArgumentsAfterTheOptionsJoinedByBlanks)
{
    const auto fileText = [](const QStringList& arguments) {
        const brellix::CommandLine line = brellix::parseCommandLine(brellixWith(arguments));
        EXPECT_EQ(line.action, brellix::CommandLine::Run) << line.message.toStdString();
        return line.fileText;
    };
    EXPECT_EQ(fileText({}), QString());
    EXPECT_EQ(fileText({QStringLiteral("/a/b c.sl2")}), QStringLiteral("/a/b c.sl2"));
    EXPECT_EQ(fileText({QStringLiteral("/a/b"), QStringLiteral("c.sl2")}),
              QStringLiteral("/a/b c.sl2"));
    // Quotes stay for the start-up to take off, as a shell that passed them would leave them.
    EXPECT_EQ(fileText({QStringLiteral("\"/a/b c.sl2\"")}), QStringLiteral("\"/a/b c.sl2\""));
    // After the name, what looks like an option is part of it.
    EXPECT_EQ(fileText({QStringLiteral("trip"), QStringLiteral("-v.sl2")}),
              QStringLiteral("trip -v.sl2"));
    EXPECT_EQ(fileText({QStringLiteral("--"), QStringLiteral("-odd.sl2")}),
              QStringLiteral("-odd.sl2"));
}

TEST_F(StartupTest, HelpVersionAndUnknownOptions)
{
    for (const QString& option : {QStringLiteral("-h"), QStringLiteral("--help")}) {
        const brellix::CommandLine line = brellix::parseCommandLine(brellixWith({option}));
        EXPECT_EQ(line.action, brellix::CommandLine::Help);
        EXPECT_TRUE(line.message.contains(QStringLiteral("--version")));
    }
    for (const QString& option : {QStringLiteral("-v"), QStringLiteral("--version")}) {
        EXPECT_EQ(brellix::parseCommandLine(brellixWith({option})).action,
                  brellix::CommandLine::Version);
    }
    const brellix::CommandLine wrong = brellix::parseCommandLine(
        brellixWith({QStringLiteral("--frobnicate"), QStringLiteral("a.sl2")}));
    EXPECT_EQ(wrong.action, brellix::CommandLine::Error);
    EXPECT_TRUE(wrong.message.contains(QStringLiteral("frobnicate")));
}

TEST_F(StartupTest, TheVersionReportNamesTheBoundLibraryOrWhyThereIsNone)
{
    viewertest::bindBuildLibrary();
    bool ok = false;
    QString report = brellix::versionReport(ok);
    EXPECT_TRUE(ok) << report.toStdString();
    EXPECT_TRUE(report.startsWith(QStringLiteral("Brellix Version ")));
    EXPECT_TRUE(report.contains(QStringLiteral("libvantrel.so"))) << report.toStdString();

    QTemporaryDir withoutLibrary;
    ASSERT_TRUE(withoutLibrary.isValid());
    brellix::VantrelLibrary::instance().setSearchFolder(withoutLibrary.path());
    report = brellix::versionReport(ok);
    viewertest::bindBuildLibrary();
    EXPECT_FALSE(ok);
    EXPECT_TRUE(report.contains(QStringLiteral("could not be loaded"))) << report.toStdString();
}

TEST_F(StartupTest, AMissingLibraryIsReportedOnceAndTheChartsStayBlank)
{
    const QString log = writeSl2(QStringLiteral("blank.sl2"), {0}, 30);
    QTemporaryDir withoutLibrary;
    ASSERT_TRUE(withoutLibrary.isValid());
    brellix::VantrelLibrary::instance().setSearchFolder(withoutLibrary.path());
    brellix::frmMain& main = startMain(log);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(m_messages[0].text.contains(QStringLiteral("libvantrel.so")));
    EXPECT_TRUE(m_messages[0].text.contains(withoutLibrary.path()));

    // The chart opened and draws nothing, without a second word.
    ASSERT_EQ(main.documents().size(), 1);
    brellix::frmDocument& chart = *main.documents()[0];
    chart.finishRedraw();
    main.openChart(log);
    const brellix::tBitmap& bitmap = chart.Chart.Bitmap();
    EXPECT_TRUE(std::all_of(bitmap.pixels(), bitmap.pixels() + bitmap.lWidth() * bitmap.lHeight(),
                            [](uint8_t pixel) { return pixel == 0; }));
    EXPECT_EQ(m_messages.size(), 1u);
    viewertest::bindBuildLibrary();
}

TEST_F(StartupTest, ASettingsFolderThatCannotBeWrittenIsToldOnceAndTheViewerRunsOn)
{
    // Not even root can make a folder in /proc.
    brellix::SettingsStore unwritable(QStringLiteral("/proc/brellix-test/Brellix.ini"));
    const QString log = writeSlg(QStringLiteral("kept.slg"), 40);
    brellix::StartupResult started = brellix::startBrellix(unwritable, log, recordMessages());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(m_messages[0].text.contains(QStringLiteral("/proc/brellix-test/Brellix.ini")));
    EXPECT_TRUE(m_messages[0].text.contains(QStringLiteral("will not be kept")));
    ASSERT_EQ(started.mainWindow->documents().size(), 1);
    brellix::frmDocument& chart = *started.mainWindow->documents()[0];
    chart.finishRedraw();
    EXPECT_TRUE(chart.bDocumentReady);
    // Changing and closing, which writes the settings, says nothing more.
    chart.SonarOptions.setiSensitivity(40);
    started.mainWindow->close();
    unwritable.sync();
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(StartupTest, AWritableSettingsFileIsNotMentioned)
{
    brellix::StartupResult started = brellix::startBrellix(settings(), QString(), recordMessages());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(StartupTest, TheBuiltLibraryStartsWithoutAWord)
{
    startMain(writeSlg(QStringLiteral("quiet.slg"), 40));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(StartupTest, ALogOnTheCommandLineOpensInAChartWindow)
{
    const QString log = writeSlg(QStringLiteral("one.slg"), 40);
    brellix::frmMain& main = startMain(log);
    const QList<brellix::frmDocument*> charts = main.documents();
    ASSERT_EQ(charts.size(), 1);
    EXPECT_EQ(charts[0]->strFileName, log);
    EXPECT_TRUE(charts[0]->bDocumentReady);
    EXPECT_TRUE(charts[0]->isVisible());
}

TEST_F(StartupTest, ALogNameInDoubleQuotesOpensWithoutTheQuotes)
{
    const QString log = writeSlg(QStringLiteral("with blank.slg"), 40);
    brellix::frmMain& main = startMain(QLatin1Char('"') + log + QLatin1Char('"'));
    const QList<brellix::frmDocument*> charts = main.documents();
    ASSERT_EQ(charts.size(), 1);
    EXPECT_EQ(charts[0]->strFileName, log);
}

TEST_F(StartupTest, AnSl2LogOnTheCommandLineOpensAWindowPerChannel)
{
    const QString log = writeSl2(QStringLiteral("three.sl2"), {0, 1, 2}, 30);
    brellix::frmMain& main = startMain(log);
    EXPECT_EQ(main.documents().size(), 3);
}

TEST_F(StartupTest, AChartOpensAtItsDesignSizeNotAsAnIcon)
{
    const QString log = writeSlg(QStringLiteral("size.slg"), 40);
    brellix::frmMain& main = startMain(log);
    QApplication::processEvents();
    ASSERT_EQ(main.mdiArea()->subWindowList().size(), 1);
    const QMdiSubWindow* sub = main.mdiArea()->subWindowList().first();
    EXPECT_FALSE(sub->isMinimized());
    // 6255 twips of picture at 15 twips per pixel, plus the frame.
    EXPECT_GE(sub->width(), 6255 / 15);
}

TEST_F(StartupTest, ALogThatCannotBeOpenedLeavesNoChartWindow)
{
    brellix::frmMain& main = startMain(filePath(QStringLiteral("missing.slg")));
    EXPECT_TRUE(main.documents().isEmpty());
    EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());
}

TEST_F(StartupTest, QuotesOnlyAtOneEndAreKeptAsPartOfTheName)
{
    const QString log = writeSlg(QStringLiteral("plain.slg"), 40);
    brellix::frmMain& main = startMain(QLatin1Char('"') + log);
    EXPECT_TRUE(main.documents().isEmpty());
}

TEST_F(StartupTest, StartUpKeepsTheCommandLineAndReadsTheFormats)
{
    settings().saveInt(QStringLiteral("Options"), QStringLiteral("Position format"), 0);
    settings().saveInt(QStringLiteral("Options"), QStringLiteral("Depth format"), 1);
    brellix::StartupResult started =
        brellix::startBrellix(settings(), QStringLiteral("x y"), recordMessages());
    EXPECT_EQ(brellix::applicationState().strCommandLine, QStringLiteral("x y"));
    EXPECT_EQ(brellix::applicationState().lPositionFormat, 0);
    EXPECT_EQ(brellix::applicationState().lDepthFormat, 1);
    EXPECT_EQ(started.mainWindow->positionFormat(), 0);
    EXPECT_EQ(started.mainWindow->depthFormat(), 1);
    EXPECT_TRUE(started.mainWindow->isVisible());
    // "x y" names no file: the main window says so.
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].text.contains(QStringLiteral("x y")));
}

TEST_F(StartupTest, FormatsDefaultToDegMinSecAndFeet)
{
    brellix::applicationState().lPositionFormat = -1;
    brellix::applicationState().lDepthFormat = -1;
    brellix::StartupResult started = brellix::startBrellix(settings(), QString(), recordMessages());
    EXPECT_EQ(brellix::applicationState().lPositionFormat, 2);
    EXPECT_EQ(brellix::applicationState().lDepthFormat, 0);
}

TEST_F(StartupTest, TheTipIsDueOnlyWithoutALogAndWhenTipsAreOn)
{
    struct Case
    {
        const char* commandLine;
        const char* showTips; // nullptr: absent
        bool due;
    };
    const Case cases[] = {
        {"", nullptr, true},
        {"", "1", true},
        {"", "0", false},
        {"", "5", true},
        {"missing.slg", "1", false},
        {"missing.slg", nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.commandLine) + " / " + (c.showTips ? c.showTips : "absent"));
        if (c.showTips != nullptr) {
            settings().saveText(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"),
                                QString::fromLatin1(c.showTips));
        } else {
            settings().deleteKey(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"));
        }
        const QString commandLine =
            *c.commandLine != '\0' ? filePath(QString::fromLatin1(c.commandLine)) : QString();
        brellix::StartupResult started =
            brellix::startBrellix(settings(), commandLine, recordMessages());
        EXPECT_EQ(started.showTip, c.due);
    }
}

} // namespace

// The file commands in the main window, the dialogs answered through its seams: opening logs,
// colour files, the export through the real converter, and the log's properties.
#include "ShellTestSupport.h"

#include "BuildFolder.h"
#include "dialogs/frmExportImage.h"
#include "dialogs/frmProperties.h"
#include "dialogs/frmUserColorScheme.h"
#include "platform/ApplicationState.h"
#include "render/RgbColor.h"
#include "shell/FileCommands.h"
#include "shell/FileRequest.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QUrl>

#include <optional>
#include <set>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

using brellix::FileRequest;
using brellix::frmMain;

class FileCommandsTest : public shelltest::ShellTest
{
protected:
    // A main window whose file dialog answers with the next of answers (empty: cancelled)
    // and whose questions answer with okay.
    frmMain& start(const QString& commandLine = QString())
    {
        frmMain& main = startMain(commandLine);
        main.setFileChooser([this](const FileRequest& request) {
            requests.push_back(request);
            if (answers.empty()) {
                return QString();
            }
            const QString answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
        main.setQuestionHandler([this](const QString& title, const QString& text) {
            questions.push_back(title + QLatin1Char('|') + text);
            return okay;
        });
        return main;
    }

    static QByteArray bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::vector<QString> answers;
    std::vector<FileRequest> requests;
    std::vector<QString> questions;
    bool okay = true;
};

TEST_F(FileCommandsTest, OpenChartOpensTheChosenLogAndKeepsItsFolder)
{
    frmMain& main = start();
    const QString log = writeSlg(QStringLiteral("trip.slg"), 30);
    main.mnuFileOpen->trigger();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].folder, frmMain::defaultFolder());
    EXPECT_EQ(requests[0].filter,
              QStringLiteral("Sonar Log Files (*.slg,*.sl2) (*.slg *.sl2);;All Files (*.*)"));
    EXPECT_TRUE(main.documents().isEmpty());

    answers = {log, filePath(QStringLiteral("gone.slg"))};
    main.mnuFileOpen->trigger();
    ASSERT_EQ(main.documents().size(), 1);
    EXPECT_EQ(settings().getText(QStringLiteral("Options"), QStringLiteral("MRUDir"), QString()),
              m_dir.path() + QLatin1Char('/'));
    // A name that no longer exists: nothing, not even a message.
    main.mnuFileOpen->trigger();
    EXPECT_EQ(requests.back().fileName, log);
    EXPECT_EQ(main.documents().size(), 1);
    EXPECT_TRUE(m_messages.empty());

    // Not a log: the reader's refusal, and no window left behind.
    QFile text(filePath(QStringLiteral("notes.slg")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("shopping list\n");
    text.close();
    answers = {text.fileName()};
    main.mnuFileOpen->trigger();
    EXPECT_EQ(main.documents().size(), 1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].text.startsWith(QStringLiteral("Unable to open ")));
}

TEST_F(FileCommandsTest, SavingColoursOverAFileAsksOnceAndCancelLeavesItAsItWas)
{
    frmMain& main = start();
    const QString file = filePath(QStringLiteral("mine.kcf"));
    ASSERT_TRUE(main.UserColorScheme().WriteScheme(file, false));
    const QByteArray before = bytes(file);
    main.UserColorScheme().setlNoEchoColor(1, 0x123456);

    answers = {file};
    okay = false;
    main.mnuFileSaveColors->trigger();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], QStringLiteral("Save File As|") + file +
                                QStringLiteral(" exists.\r\nDo you want to replace it?"));
    EXPECT_FALSE(requests[0].confirmOverwrite);
    EXPECT_EQ(bytes(file), before);

    answers = {file};
    okay = true;
    main.mnuFileSaveColors->trigger();
    EXPECT_EQ(questions.size(), 2u);
    brellix::tColorScheme reread;
    // No chart: a single scheme.
    EXPECT_EQ(reread.ReadScheme(file), brellix::tColorScheme::kUserColorMode);
    EXPECT_EQ(reread.lNoEchoColor(1), 0x123456);

    // A write that fails says so and keeps the file.
    answers = {m_dir.filePath(QStringLiteral("no/such/folder/x.kcf"))};
    main.mnuFileSaveColors->trigger();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].text.startsWith(QStringLiteral("Unable to save the colours")));
}

TEST_F(FileCommandsTest, ARegionChartSavesARegionSchemeAndARegionFileSwitchesEveryChart)
{
    frmMain& main = start(writeSlg(QStringLiteral("a.slg"), 30));
    main.mnuWindowNewWindow->trigger();
    ASSERT_EQ(main.documents().size(), 2);
    main.ActiveForm()->SonarOptions.setColorMode(brellix::tSonarOptions::kUserDefinedRegions);
    const QString file = filePath(QStringLiteral("regions.kcf"));
    answers = {file};
    main.mnuFileSaveColors->trigger();
    brellix::tColorScheme reread;
    EXPECT_EQ(reread.ReadScheme(file), brellix::tColorScheme::kUserRegionsColorMode);

    for (brellix::frmDocument* chart : main.documents()) {
        chart->SonarOptions.setColorMode(brellix::tSonarOptions::kGrayscale);
    }
    main.userColorSchemeWindow().hide();
    answers = {file};
    main.mnuFileOpenColors->trigger();
    for (brellix::frmDocument* chart : main.documents()) {
        EXPECT_EQ(chart->SonarOptions.ColorMode(), brellix::tSonarOptions::kUserDefinedRegions);
    }
    EXPECT_TRUE(main.userColorSchemeWindow().isVisible());
    EXPECT_TRUE(main.mnuViewUserColorScheme->isChecked());
    EXPECT_EQ(
        settings().getText(QStringLiteral("Options"), QStringLiteral("MRUColorDir"), QString()),
        m_dir.path() + QLatin1Char('/'));
}

TEST_F(FileCommandsTest, OutputChartInformationRunsTheConverterBesideTheViewer)
{
    const QString log = writeSlg(QStringLiteral("trip.SLG"), 25);
    frmMain& main = start(log);
    main.setApplicationFolder(m_dir.path());
    answers = {filePath(QStringLiteral("trip.csv"))};
    main.mnuFileConvert->trigger();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].fileName, filePath(QStringLiteral("trip.csv")));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              QStringLiteral("Tarnex application not found. Unable to perform operation"));
    EXPECT_EQ(m_messages[0].icon, QMessageBox::Critical);

    main.setApplicationFolder(QString::fromStdString(testsupport::binFolder().string()));
    // Never over the log itself.
    answers = {log};
    main.mnuFileConvert->trigger();
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_TRUE(m_messages[1].text.contains(QStringLiteral("is the log itself")));
    EXPECT_EQ(main.fileCommands().runningConverter(), nullptr);

    const QString csv = filePath(QStringLiteral("trip out.csv"));
    answers = {csv};
    QSignalSpy finished(&main.fileCommands(), &brellix::FileCommands::converterFinished);
    main.mnuFileConvert->trigger();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(finished.at(0).at(0).toInt(), 0);
    EXPECT_TRUE(main.statusPanel(1)->text().contains(QStringLiteral("written")));
    const QList<QByteArray> lines = bytes(csv).trimmed().split('\n');
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].contains(','));
    EXPECT_GE(lines.size(), 25);
}

TEST_F(FileCommandsTest, PropertiesShowTheLogsFiguresWithDisplayOnlyBoxes)
{
    frmMain& main = start(writeSlg(QStringLiteral("p.slg"), 12));
    bool shown = false;
    main.setDialogHandler([&shown](QDialog& dialog) {
        auto& properties = dynamic_cast<brellix::frmProperties&>(dialog);
        shown = true;
        EXPECT_EQ(properties.windowTitle(), QStringLiteral("p.slg Properites"));
        EXPECT_EQ(properties.lblSoundings->text(), QStringLiteral("12"));
        EXPECT_FALSE(properties.lblSize->text().isEmpty());
        QCheckBox* box = properties.checkBoxes[2];
        EXPECT_EQ(box->objectName(), QStringLiteral("chkWaterTemp"));
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_FALSE(box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_FALSE(box->isChecked());
    });
    main.mnuFileProperties->trigger();
    EXPECT_TRUE(shown);
}

TEST_F(FileCommandsTest, SaveAsCopiesTheActiveLogUnderTheChosenName)
{
    const QString log = writeSlg(QStringLiteral("keep.slg"), 15);
    frmMain& main = start(log);
    const QString copy = filePath(QStringLiteral("copy.slg"));
    answers = {copy, m_dir.filePath(QStringLiteral("missing/folder/x.slg"))};
    main.mnuFileSaveAs->trigger();
    EXPECT_EQ(bytes(copy), bytes(log));
    EXPECT_TRUE(m_messages.empty());
    main.mnuFileSaveAs->trigger();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].text.startsWith(QStringLiteral("Unable to save the log")));
}

// A pipe or a device chosen as the place to save: refused with a message, and still a pipe or a
// device afterwards (a save renames its new file over the name, which would put a plain file
// where /dev/full was).
TEST_F(FileCommandsTest, SavingOntoAPipeOrADeviceIsRefusedAndLeavesItAlone)
{
    const QString log = writeSlg(QStringLiteral("keep.slg"), 15);
    frmMain& main = start(log);
    std::vector<QString> places;
    const QString fifo = filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    places.push_back(fifo);
    // The full disk's device, made here where a fault cannot harm the system's own.
    const QString full = filePath(QStringLiteral("full"));
    if (::mknod(full.toLocal8Bit().constData(), S_IFCHR | 0600, makedev(1, 7)) == 0) {
        places.push_back(full);
    }
    for (const QString& place : places) {
        SCOPED_TRACE(place.toStdString());
        m_messages.clear();
        answers = {place};
        main.mnuFileSaveAs->trigger();
        answers = {place};
        main.mnuFileSaveColors->trigger();
        ASSERT_EQ(m_messages.size(), 2u);
        EXPECT_TRUE(m_messages[0].text.startsWith(QStringLiteral("Unable to save the log")));
        EXPECT_TRUE(m_messages[1].text.contains(QStringLiteral("not a regular file")))
            << m_messages[1].text.toStdString();
        struct stat st = {};
        ASSERT_EQ(::stat(place.toLocal8Bit().constData(), &st), 0);
        EXPECT_FALSE(S_ISREG(st.st_mode));
    }
}

// Sends a drag that enters the main window and, when the window takes it, its drop.
bool dropOnto(frmMain& main, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = main.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &drop);
    return drop.isAccepted();
}

TEST_F(FileCommandsTest, DroppedLogsOpenAsChartsAndADroppedColourFileAsTheUserColours)
{
    frmMain& main = start();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Brellix"));
    const QString scheme = filePath(QStringLiteral("Dropped.KCF"));
    brellix::tColorScheme written;
    written.setlNoEchoColor(1, 0x345678);
    ASSERT_TRUE(written.WriteScheme(scheme, false));
    const QString log = writeSlg(QStringLiteral("lake.slg"), 30);

    ASSERT_TRUE(dropOnto(main, {QUrl::fromLocalFile(log), QUrl::fromLocalFile(scheme)}));
    ASSERT_EQ(main.documents().size(), 1);
    EXPECT_EQ(main.UserColorScheme().lNoEchoColor(1), 0x345678);
    EXPECT_TRUE(main.userColorSchemeWindow().isVisible());
    EXPECT_TRUE(requests.empty()) << "a drop asks for no file name";
    // The frame names the active chart's log.
    EXPECT_EQ(main.windowTitle(), QStringLiteral("lake.slg - Brellix"));

    // Folders, missing files and places that are not files are not taken.
    EXPECT_FALSE(dropOnto(main, {QUrl::fromLocalFile(m_dir.path())}));
    EXPECT_FALSE(dropOnto(main, {QUrl::fromLocalFile(filePath(QStringLiteral("gone.sl2")))}));
    EXPECT_FALSE(dropOnto(main, {QUrl(QStringLiteral("https://example.com/trip.sl2"))}));
    EXPECT_EQ(main.documents().size(), 1);

    // The last chart closed, the frame names no log.
    main.ActiveForm()->parentWidget()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(main.documents().size(), 0);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Brellix"));
}

// A log whose soundings all have positions, heading east.
QString positionedLog(const QString& path, int count)
{
    testlog::SlgWriter writer(300);
    for (int i = 0; i < count; ++i) {
        testlog::SlgSounding sounding;
        sounding.header.position = testlog::SlgPosition{7000000, 1000 + 3 * i};
        sounding.header.timeOffset = 100 * i;
        sounding.samples.assign(100, 20);
        writer.add(sounding);
    }
    EXPECT_TRUE(writer.save(path.toStdString()));
    return path;
}

TEST_F(FileCommandsTest, ExportTrackWritesTheActiveLogsPositionsAsGpxOrKml)
{
    frmMain& main = start(positionedLog(filePath(QStringLiteral("east.slg")), 2500));
    // No extension: GPX, the name completed.
    answers = {filePath(QStringLiteral("east"))};
    main.mnuFileExportTrack->trigger();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, FileRequest::Save);
    EXPECT_TRUE(requests[0].fileName.endsWith(QStringLiteral("east.gpx")));
    const QByteArray gpx = bytes(filePath(QStringLiteral("east.gpx")));
    EXPECT_EQ(gpx.count("<trkpt "), 2500);
    EXPECT_EQ(gpx.count("<trkseg>"), 1);
    EXPECT_TRUE(main.statusPanel(1)->text().contains(QStringLiteral("2500 points")))
        << main.statusPanel(1)->text().toStdString();

    // KML asks how often a depth placemark goes in: every hundred soundings unless told.
    const auto placemarksEvery = [&main](std::optional<int> every) {
        main.setDialogHandler([every](QDialog& dialog) {
            auto* spin = dialog.findChild<QSpinBox*>(QStringLiteral("spnPlacemarkEvery"));
            ASSERT_NE(spin, nullptr);
            if (!every) {
                dialog.reject();
                return;
            }
            if (*every >= 0) {
                spin->setValue(*every);
            }
            dialog.accept();
        });
    };
    placemarksEvery(-1);
    answers = {filePath(QStringLiteral("east.KML"))};
    main.mnuFileExportTrack->trigger();
    const QByteArray kml = bytes(filePath(QStringLiteral("east.KML")));
    EXPECT_TRUE(kml.contains("<kml xmlns=\"http://www.opengis.net/kml/2.2\">"));
    EXPECT_EQ(kml.count("<Point>"), 25);
    placemarksEvery(0);
    answers = {filePath(QStringLiteral("bare.kml"))};
    main.mnuFileExportTrack->trigger();
    EXPECT_EQ(bytes(filePath(QStringLiteral("bare.kml"))).count("<Point>"), 0);
    EXPECT_EQ(bytes(filePath(QStringLiteral("bare.kml"))).count("<LineString>"), 1);
    // Cancelled at the question, nothing is written.
    placemarksEvery(std::nullopt);
    answers = {filePath(QStringLiteral("never.kml"))};
    main.mnuFileExportTrack->trigger();
    EXPECT_FALSE(QFile::exists(filePath(QStringLiteral("never.kml"))));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(FileCommandsTest, ALogWithoutPositionsHasNoTrackToExport)
{
    frmMain& main = start(writeSlg(QStringLiteral("blind.slg"), 40));
    answers = {filePath(QStringLiteral("blind.gpx"))};
    main.mnuFileExportTrack->trigger();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].text.contains(QStringLiteral("holds no positions")));
    EXPECT_FALSE(QFile::exists(filePath(QStringLiteral("blind.gpx"))));
}

// Answers the image dialog with a range, a height and a width (0: a column a sounding).
void answerImageDialog(frmMain& main, int from, int to, int height, int width, bool lines)
{
    main.setDialogHandler([=](QDialog& dialog) {
        auto& image = dynamic_cast<brellix::frmExportImage&>(dialog);
        image.spnFrom->setValue(from);
        image.spnTo->setValue(to);
        image.spnDepthPixels->setValue(height);
        image.spnSoundingPixels->setValue(width);
        image.chkDepthLines->setChecked(lines);
        image.accept();
    });
}

TEST_F(FileCommandsTest, ExportChartImageDrawsTheRangeInTheChartsColours)
{
    frmMain& main = start(writeSlg(QStringLiteral("lake.slg"), 400));
    brellix::frmDocument& chart = *main.ActiveForm();
    std::set<QRgb> palette;
    for (int16_t i = 0; i < 256; ++i) {
        palette.insert(brellix::toQColor(chart.Chart.Bitmap().bitmapColor(i)).rgb());
    }

    answerImageDialog(main, 10, 210, 300, 0, false);
    answers = {filePath(QStringLiteral("lake-part"))};
    main.mnuFileExportImage->trigger();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].fileName.endsWith(QStringLiteral("lake-10-210.png")))
        << requests[0].fileName.toStdString();
    QImageReader reader(filePath(QStringLiteral("lake-part.png")));
    EXPECT_EQ(reader.format(), QByteArray("png"));
    const QImage image = reader.read();
    ASSERT_EQ(image.size(), QSize(200, 300));
    // The chart alone: no inset, no footer, only its palette's colours.
    int foreign = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            foreign += palette.count(image.pixel(x, y)) == 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(foreign, 0);
    EXPECT_TRUE(main.statusPanel(1)->text().contains(QStringLiteral("200 x 300")));

    // Resampled to a width of its own, with depth lines and without.
    answerImageDialog(main, 0, 400, 120, 50, true);
    answers = {filePath(QStringLiteral("lined.png"))};
    main.mnuFileExportImage->trigger();
    answerImageDialog(main, 0, 400, 120, 50, false);
    answers = {filePath(QStringLiteral("plain.png"))};
    main.mnuFileExportImage->trigger();
    const QImage lined(filePath(QStringLiteral("lined.png")));
    const QImage plain(filePath(QStringLiteral("plain.png")));
    ASSERT_EQ(lined.size(), QSize(50, 120));
    ASSERT_EQ(plain.size(), QSize(50, 120));
    EXPECT_NE(lined, plain);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(FileCommandsTest, ASideLookingChartsImageRunsItsSoundingsDown)
{
    frmMain& main = start(writeSl2(QStringLiteral("side.sl2"), {3}, 300));
    ASSERT_TRUE(main.ActiveForm()->horizontal());
    answerImageDialog(main, 0, 250, 200, 0, true);
    answers = {filePath(QStringLiteral("side.png"))};
    main.mnuFileExportImage->trigger();
    EXPECT_EQ(QImage(filePath(QStringLiteral("side.png"))).size(), QSize(200, 250));
}

} // namespace

// Binding the library by name: where it is looked for, what a missing library or export
// reports, and that the reader stops without crashing and says why.
#include "ReaderTestSupport.h"

#include "logs/tSonarFile.h"
#include "platform/VantrelExports.h"
#include "platform/VantrelLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using brellix::tSonarFile;
using brellix::tSubHeader;
using brellix::VantrelLibrary;
using readertest::LogFolder;

namespace {

class Binding : public LogFolder
{
protected:
    VantrelLibrary& library() { return VantrelLibrary::instance(); }

    // An SLG log of two soundings of samples 7.
    QString slgLog()
    {
        testlog::SlgWriter writer(100);
        testlog::SlgSounding sounding;
        sounding.samples.assign(20, 7);
        writer.add(sounding);
        writer.add(sounding);
        return save(writer.bytes(), QStringLiteral("two.slg"));
    }

    QString emptyFolder()
    {
        const QString folder = path(QStringLiteral("empty"));
        EXPECT_TRUE(QDir().mkpath(folder));
        return folder;
    }
};

} // namespace

TEST_F(Binding, LibraryBesideTheTestsIsLoadedFromThatFolder)
{
    ASSERT_TRUE(library().verify()) << library().errorString().toStdString();
    EXPECT_TRUE(library().isLoaded());
    EXPECT_TRUE(library().loadedFile().startsWith(viewertest::buildLibraryFolder()))
        << library().loadedFile().toStdString();
    EXPECT_TRUE(library().errorString().isEmpty());
}

TEST_F(Binding, MissingLibraryNamesTheFileAndWhereItLooked)
{
    const QString folder = emptyFolder();
    library().setSearchFolder(folder);
    EXPECT_EQ(library().resolve("ColumnScale"), nullptr);
    const std::string error = library().errorString().toStdString();
    EXPECT_NE(error.find(VantrelLibrary::platformFileName().toStdString()), std::string::npos)
        << error;
    EXPECT_NE(error.find(QDir::toNativeSeparators(folder).toStdString()), std::string::npos)
        << error;
    EXPECT_NE(error.find("system's library search path"), std::string::npos) << error;
    EXPECT_FALSE(library().verify());
    EXPECT_FALSE(library().isLoaded());
}

TEST_F(Binding, FileThatIsNoLibraryIsReportedAsNotLoaded)
{
    const QString folder = emptyFolder();
    QFile fake(QDir(folder).filePath(VantrelLibrary::platformFileName()));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("not a library at all");
    fake.close();
    library().setSearchFolder(folder);
    EXPECT_FALSE(library().verify());
    const std::string error = library().errorString().toStdString();
    EXPECT_NE(error.find(QDir::toNativeSeparators(folder).toStdString()), std::string::npos)
        << error;
}

TEST_F(Binding, LibraryWithoutAnExportNamesTheExport)
{
    // Any real shared library other than ours stands in for an incomplete one.
    const QString stand = QStringLiteral("/usr/lib/x86_64-linux-gnu/libz.so.1");
    if (!QFile::exists(stand)) {
        GTEST_SKIP() << "no stand-in library on this system";
    }
    const QString folder = emptyFolder();
    ASSERT_TRUE(QFile::copy(stand, QDir(folder).filePath(VantrelLibrary::platformFileName())));
    library().setSearchFolder(folder);
    EXPECT_EQ(library().resolve("FileDecode"), nullptr);
    EXPECT_TRUE(library().isLoaded());
    const std::string error = library().errorString().toStdString();
    EXPECT_NE(error.find("FileDecode"), std::string::npos) << error;
    EXPECT_NE(error.find(QDir::toNativeSeparators(folder).toStdString()), std::string::npos)
        << error;
}

TEST_F(Binding, ExportsBindAgainAfterTheFolderChanges)
{
    library().setSearchFolder(emptyFolder());
    std::vector<int32_t> coefficients(1024, 0);
    std::vector<uint8_t> samples(1024, 9);
    EXPECT_FALSE(brellix::vantrel::FileDecode(coefficients.data(), samples.data(), 1024));
    EXPECT_EQ(samples[0], 9);

    viewertest::bindBuildLibrary();
    const std::optional<int32_t> result =
        brellix::vantrel::FileDecode(coefficients.data(), samples.data(), 1024);
    ASSERT_TRUE(result.has_value()) << library().errorString().toStdString();
    EXPECT_EQ(*result, 0);
    EXPECT_EQ(samples, std::vector<uint8_t>(1024, 0));
}

TEST_F(Binding, WithoutAFolderTheApplicationsFolderIsSearched)
{
    library().setSearchFolder(QString());
    EXPECT_TRUE(library().searchFolder().isEmpty()) << "no application object yet";
    int argc = 1;
    char name[] = "viewer_tests";
    char* argv[] = {name, nullptr};
    {
        QCoreApplication application(argc, argv);
        EXPECT_EQ(library().searchFolder(), QCoreApplication::applicationDirPath());
        EXPECT_FALSE(library().searchFolder().isEmpty());
    }
}

TEST_F(Binding, ReaderWithoutTheLibraryStopsAndSaysWhy)
{
    const QString log = slgLog();
    const QString folder = emptyFolder();
    library().setSearchFolder(folder);
    tSonarFile file;
    ASSERT_TRUE(file.SOpen(log, 0)) << "opening needs no library";
    tSubHeader header;
    header.sngLowerLimit = 100.0f;
    header.lNumRangeCells = 20;
    header.sngDepth = -3.0f;
    std::vector<uint8_t> cells;
    file.SRead(header, cells, false);
    EXPECT_EQ(cells, std::vector<uint8_t>(21, 0));
    EXPECT_FLOAT_EQ(header.sngDepth, -3.0f);
    EXPECT_EQ(file.STell(), 0) << "nothing was consumed";
    EXPECT_NE(file.lastError().toStdString().find(QDir::toNativeSeparators(folder).toStdString()),
              std::string::npos)
        << file.lastError().toStdString();

    // With the library back, the same sounding reads.
    viewertest::bindBuildLibrary();
    file.SRead(header, cells, false);
    EXPECT_EQ(cells[0], 7);
    EXPECT_EQ(file.STell(), 1);
}

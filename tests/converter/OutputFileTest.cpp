// Where tarnex's text file goes when the conversion cannot finish: an earlier file of the name
// survives every failure, a finished one replaces it in place (links and permissions kept), and
// outputs that are not regular files are written directly.
#include "ConverterTestSupport.h"
#include "CsvRows.h"

#include <sys/stat.h>

using namespace tarnextest;

namespace {

class TarnexOutput : public TempFolder
{
protected:
    void SetUp() override
    {
        TempFolder::SetUp();
        testlog::Sl2Writer log{testlog::Sl2Header{}};
        for (int i = 0; i < 200; ++i) {
            log.add(column(static_cast<uint16_t>(i % 2)));
        }
        ASSERT_TRUE(log.save(path("a.sl2")));
        m_log = path("a.sl2").string();
        ASSERT_TRUE(testlog::saveFile(path("out.csv"), m_earlier));
    }

    // Every name in the folder: a failed run must leave no temporary file behind.
    std::vector<std::string> folderNames() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(path(""))) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string m_log;
    const std::vector<uint8_t> m_earlier = std::vector<uint8_t>(5000, 'x');
};

} // namespace

TEST_F(TarnexOutput, AFullDiskKeepsTheEarlierFile)
{
    // The file-size limit stands in for a full disk: writes past 8 blocks fail with EFBIG.
    const ProgramRun run =
        runTarnex({m_log, path("out.csv").string()}, "trap '' XFSZ; ulimit -f 8; exec ");
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_EQ(run.output, "Error writing output file\n");
    EXPECT_EQ(testlog::loadFile(path("out.csv")), m_earlier);
    EXPECT_EQ(folderNames(), (std::vector<std::string>{"a.sl2", "out.csv"}));
}

TEST_F(TarnexOutput, ARefusedLogKeepsTheEarlierFile)
{
    testlog::SlgWriter log(0);
    log.appendBytes(std::vector<uint8_t>(100, 0));
    ASSERT_TRUE(log.save(path("zero.slg")));
    const ProgramRun run = runTarnex({path("zero.slg").string(), path("out.csv").string()});
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_EQ(testlog::loadFile(path("out.csv")), m_earlier);
    EXPECT_EQ(folderNames(), (std::vector<std::string>{"a.sl2", "out.csv", "zero.slg"}));
}

TEST_F(TarnexOutput, AFinishedConversionReplacesTheFileKeepingItsPermissions)
{
    ASSERT_EQ(::chmod(path("out.csv").c_str(), 0640), 0);
    const ProgramRun run = runTarnex({m_log, path("out.csv").string()});
    EXPECT_EQ(run.exitCode, 0);
    const std::string csv = readText(path("out.csv"));
    EXPECT_EQ(lines(csv).size(), 201u);
    EXPECT_EQ(csv.find('x'), std::string::npos);
    struct stat st = {};
    ASSERT_EQ(::stat(path("out.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(folderNames(), (std::vector<std::string>{"a.sl2", "out.csv"}));
}

TEST_F(TarnexOutput, ANewFileGetsWhatTheUmaskAllows)
{
    const ProgramRun run = runTarnex({m_log, path("new.csv").string()}, "umask 027; exec ");
    EXPECT_EQ(run.exitCode, 0);
    struct stat st = {};
    ASSERT_EQ(::stat(path("new.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(TarnexOutput, ALinkStaysALinkAndItsTargetIsReplaced)
{
    fs::create_symlink("out.csv", path("link.csv"));
    const ProgramRun run = runTarnex({m_log, path("link.csv").string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(fs::is_symlink(path("link.csv")));
    EXPECT_EQ(lines(readText(path("out.csv"))).size(), 201u);
}

TEST_F(TarnexOutput, TheLogItselfIsRefusedAsTheOutputUnderAnyName)
{
    const std::vector<uint8_t> log = testlog::loadFile(m_log);
    fs::create_hard_link(m_log, path("other-name.csv"));
    for (const std::string& output : {m_log, path("other-name.csv").string()}) {
        const ProgramRun run = runTarnex({m_log, output});
        EXPECT_EQ(run.exitCode, 255) << output;
        EXPECT_EQ(run.output, "Error opening output file for write") << output;
    }
    EXPECT_EQ(testlog::loadFile(m_log), log);
}

TEST_F(TarnexOutput, OutputsThatAreNotFilesAreWrittenDirectly)
{
    // Standard output is the test's pipe: the rows arrive there, not in a file named after it.
    const ProgramRun run = runTarnex({m_log, "/dev/stdout"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output.rfind(tarnex::kSl2HeaderLine, 0), 0u);
    EXPECT_EQ(lines(run.output).size(), 201u);
}

TEST_F(TarnexOutput, PlacesThatTakeNoFilesEndInAnError)
{
    // Even root cannot create files in /proc; it may open /proc/version, whose writes fail.
    const ProgramRun folder = runTarnex({m_log, "/proc/tarnex-test.csv"});
    EXPECT_EQ(folder.exitCode, 255);
    EXPECT_EQ(folder.output, "Error opening output file for write");
    const ProgramRun entry = runTarnex({m_log, "/proc/version"});
    EXPECT_EQ(entry.exitCode, 255);
    EXPECT_TRUE(entry.output == "Error opening output file for write" ||
                entry.output == "Error writing output file\n")
        << entry.output;
}

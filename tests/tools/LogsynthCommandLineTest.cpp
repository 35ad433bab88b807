// logsynth's command line: seeds, sizes, help, refusals and write failures.
#include "LogsynthRun.h"
#include "TestSl2Reader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace toolstest {
namespace {

namespace fs = std::filesystem;

class LogsynthCommandLine : public ::testing::Test
{
protected:
    std::vector<uint8_t> generate(const std::string& name, std::vector<std::string> args)
    {
        const fs::path path = scratch.file(name);
        args.push_back(path.string());
        const RunResult run = runLogsynth(args, scratch);
        EXPECT_EQ(run.status, 0) << run.err;
        return readFile(path);
    }

    ScratchDir scratch;
};

class EveryFormat : public LogsynthCommandLine, public ::testing::WithParamInterface<std::string>
{
};

TEST_P(EveryFormat, SameSeedGivesTheSameBytes)
{
    const auto first = generate("a", {"--format", GetParam(), "--seed", "42", "--columns", "300"});
    const auto second = generate("b", {"--format", GetParam(), "--seed", "42", "--columns", "300"});
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(first == second);
}

TEST_P(EveryFormat, DifferentSeedsGiveDifferentLogs)
{
    const auto first = generate("a", {"--format", GetParam(), "--seed", "1", "--columns", "300"});
    const auto second = generate("b", {"--format", GetParam(), "--seed", "2", "--columns", "300"});
    ASSERT_FALSE(first.empty());
    EXPECT_FALSE(first == second);
}

TEST_P(EveryFormat, SizeInMegabytesIsReachedAndBarelyPassed)
{
    const auto bytes = generate("sized", {"--format", GetParam(), "--size-mb", "3"});
    constexpr size_t kAsked = 3u << 20;
    EXPECT_GE(bytes.size(), kAsked);
    // At most one more ping (SL2) or block (SLG) than needed.
    EXPECT_LT(bytes.size(), kAsked + 32 * 1024);
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormat, ::testing::Values("sl2", "slg", "veryold"),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             return param.param;
                         });

TEST_F(LogsynthCommandLine, DefaultsToAnSl2LogOfThreeThousandColumnsPerChannel)
{
    const auto log = readSl2(generate("default.sl2", {}));
    ASSERT_TRUE(log.error.empty()) << log.error;
    EXPECT_EQ(log.flags, 0u); // no debug channels unless asked
    EXPECT_EQ(log.packets.size(), 6u * 3000u);
}

TEST_F(LogsynthCommandLine, OptionValuesMayFollowAnEqualsSign)
{
    const auto spaced = generate("a", {"--seed", "5", "--columns", "20"});
    const auto joined = generate("b", {"--seed=5", "--columns=20"});
    EXPECT_TRUE(spaced == joined);
}

TEST_F(LogsynthCommandLine, HelpPrintsUsageAndSucceeds)
{
    const RunResult run = runLogsynth({"--help"}, scratch);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Usage: logsynth", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("--size-mb"), std::string::npos);
}

struct Refusal
{
    const char* name;
    std::vector<std::string> args; // OUTFILE is added when addOut is set
    bool addOut;
    std::string message;
};

class RefusedArguments : public LogsynthCommandLine, public ::testing::WithParamInterface<Refusal>
{
};

TEST_P(RefusedArguments, EndWithStatusTwoAMessageAndNoFile)
{
    std::vector<std::string> args = GetParam().args;
    const fs::path out = scratch.file("refused.log");
    if (GetParam().addOut) {
        args.push_back(out.string());
    }
    const RunResult run = runLogsynth(args, scratch);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, RefusedArguments,
    ::testing::Values(
        Refusal{"NoOutfile", {}, false, "missing OUTFILE"},
        Refusal{"TwoOutfiles", {"a.sl2", "b.sl2"}, false, "more than one OUTFILE"},
        Refusal{"UnknownOption", {"--bogus"}, true, "unknown option '--bogus'"},
        Refusal{"UnknownFormat", {"--format", "xtf"}, true, "unknown format 'xtf'"},
        Refusal{"FormatWithoutValue", {"--format"}, false, "--format needs a value"},
        Refusal{"NegativeSeed", {"--seed", "-1"}, true, "--seed needs a whole number"},
        Refusal{"SeedWithLetters", {"--seed", "12x"}, true, "--seed needs a whole number"},
        Refusal{"NoColumns", {"--columns", "0"}, true, "--columns needs a whole number"},
        Refusal{"ColumnsInWords", {"--columns", "many"}, true, "--columns needs a whole number"},
        Refusal{"NoSize", {"--size-mb", "0"}, true, "--size-mb needs a whole number"},
        Refusal{"SizePastFourGigabytes", {"--size-mb", "4096"}, true, "would pass 4 GB"},
        Refusal{"Sl2ColumnsPastFourGigabytes", {"--columns", "400000"}, true, "would pass 4 GB"},
        Refusal{"SlgColumnsPastFourGigabytes",
                {"--format", "slg", "--columns", "2000000"},
                true,
                "would pass 4 GB"},
        Refusal{"ColumnsAndSize",
                {"--columns", "10", "--size-mb", "1"},
                true,
                "either --columns or --size-mb"},
        Refusal{"DebugInSlg", {"--format", "slg", "--debug"}, true, "--debug needs --format sl2"},
        Refusal{"DebugWithValue", {"--debug=yes"}, true, "--debug takes no value"}),
    [](const ::testing::TestParamInfo<Refusal>& param) { return param.param.name; });

TEST_F(LogsynthCommandLine, MissingFolderEndsWithStatusOneAndAMessage)
{
    const RunResult run =
        runLogsynth({"--columns", "10", scratch.file("no/such/folder.sl2").string()}, scratch);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot create"), std::string::npos) << run.err;
}

TEST_F(LogsynthCommandLine, FullDeviceEndsWithStatusOneForEveryFormat)
{
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    for (const char* format : {"sl2", "slg", "veryold"}) {
        const RunResult run =
            runLogsynth({"--format", format, "--columns", "50", "/dev/full"}, scratch);
        EXPECT_EQ(run.status, 1) << format;
        EXPECT_NE(run.err.find("cannot write"), std::string::npos) << format << ": " << run.err;
    }
}

} // namespace
} // namespace toolstest

// Colour files: the version 2 layout written, versions 1 and 2 read, refusal of damaged files,
// and that a failed save never costs the user the file already there.
#include "ViewerTestSupport.h"
#include "render/tColorScheme.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

using brellix::tColorScheme;

namespace {

using viewertest::rgb;

// Little-endian bytes of a colour file, built field by field.
class FileBytes
{
public:
    FileBytes& i16(int value)
    {
        const auto bits = static_cast<uint16_t>(value);
        bytes.push_back(static_cast<uint8_t>(bits));
        bytes.push_back(static_cast<uint8_t>(bits >> 8));
        return *this;
    }
    FileBytes& i32(int64_t value)
    {
        const auto bits = static_cast<uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<uint8_t>(bits >> shift));
        }
        return *this;
    }
    FileBytes& point(int position, int32_t color) { return i16(position).i32(color); }

    std::vector<uint8_t> bytes;
};

struct PointSpec
{
    int position;
    int32_t color;
};

struct RegionSpec
{
    std::vector<PointSpec> points;
    int width;
    int32_t blackline;
    int32_t noEcho;
};

// A version 2 file of three regions; count overrides the stored point counts.
std::vector<uint8_t> version2(int useRegions, const RegionSpec (&regions)[3],
                              const int* counts = nullptr)
{
    FileBytes f;
    f.i16(2).i16(0).i16(useRegions);
    for (int r = 0; r < 3; ++r) {
        f.i16(counts ? counts[r] : static_cast<int>(regions[r].points.size()));
    }
    for (const RegionSpec& r : regions) {
        f.i16(r.width);
    }
    for (const RegionSpec& r : regions) {
        f.i32(r.blackline);
    }
    for (const RegionSpec& r : regions) {
        f.i32(r.noEcho);
    }
    for (const RegionSpec& r : regions) {
        for (const PointSpec& p : r.points) {
            f.point(p.position, p.color);
        }
    }
    return f.bytes;
}

// A version 1 file: 256 point records whatever the count, then count, width and colours.
std::vector<uint8_t> version1(const std::vector<PointSpec>& points, int count, int width,
                              int32_t blackline, int32_t noEcho)
{
    FileBytes f;
    f.i16(1).i16(0);
    for (int k = 0; k < 256; ++k) {
        if (k < static_cast<int>(points.size())) {
            f.point(points[static_cast<size_t>(k)].position, points[static_cast<size_t>(k)].color);
        } else {
            f.point(0, 0);
        }
    }
    f.i16(count).i16(width).i32(blackline).i32(noEcho);
    return f.bytes;
}

const RegionSpec kThreeRegions[3] = {
    {{{0, rgb(1, 2, 3)}, {255, rgb(4, 5, 6)}}, 2, rgb(7, 8, 9), rgb(10, 11, 12)},
    {{{10, rgb(20, 30, 40)}, {100, rgb(50, 60, 70)}, {200, rgb(80, 90, 100)}},
     3,
     rgb(13, 14, 15),
     rgb(16, 17, 18)},
    {{{5, rgb(200, 0, 0)}}, 0, rgb(19, 20, 21), rgb(22, 23, 24)},
};

class ColorSchemeFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QObject::connect(&scheme, &tColorScheme::UserPaletteChanged, [this] { ++paletteEvents; });
    }

    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }

    QString save(const char* name, const std::vector<uint8_t>& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path(name);
    }

    static std::vector<uint8_t> load(const QString& name)
    {
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray all = file.readAll();
        return {all.begin(), all.end()};
    }

    static void expectRegion(const tColorScheme& s, int r, const RegionSpec& e)
    {
        SCOPED_TRACE(r);
        ASSERT_EQ(s.iNumColorPoints(r), static_cast<int16_t>(e.points.size()));
        for (size_t k = 0; k < e.points.size(); ++k) {
            EXPECT_EQ(s.iIndex(r, static_cast<int>(k)), e.points[k].position);
            EXPECT_EQ(s.lColorValue(r, static_cast<int>(k)), e.points[k].color);
        }
        EXPECT_EQ(s.iBlacklineWidth(r), e.width);
        EXPECT_EQ(s.lBlacklineColor(r), e.blackline);
        EXPECT_EQ(s.lNoEchoColor(r), e.noEcho);
    }

    static void expectDefaults(const tColorScheme& s)
    {
        const tColorScheme fresh;
        for (int r = 0; r < 3; ++r) {
            SCOPED_TRACE(r);
            ASSERT_EQ(s.iNumColorPoints(r), fresh.iNumColorPoints(r));
            for (int k = 0; k < fresh.iNumColorPoints(r); ++k) {
                EXPECT_EQ(s.iIndex(r, k), fresh.iIndex(r, k));
                EXPECT_EQ(s.lColorValue(r, k), fresh.lColorValue(r, k));
            }
            EXPECT_EQ(s.iBlacklineWidth(r), fresh.iBlacklineWidth(r));
            EXPECT_EQ(s.lBlacklineColor(r), fresh.lBlacklineColor(r));
            EXPECT_EQ(s.lNoEchoColor(r), fresh.lNoEchoColor(r));
        }
    }

    QStringList leftovers() const
    {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir folder;
    tColorScheme scheme;
    int paletteEvents = 0;
};

TEST_F(ColorSchemeFiles, DefaultSchemeIsWrittenInTheVersion2Layout)
{
    ASSERT_TRUE(scheme.WriteScheme(path("default.kcf"), true));
    FileBytes e;
    e.i16(2).i16(0).i16(-1);
    e.i16(3).i16(4).i16(3);
    e.i16(1).i16(1).i16(0);
    e.i32(0).i32(0).i32(0);
    e.i32(rgb(255, 255, 255)).i32(rgb(255, 255, 255)).i32(0);
    e.point(0, rgb(0, 0, 128)).point(103, rgb(255, 0, 0)).point(255, rgb(255, 255, 255));
    e.point(0, rgb(0, 0, 128)).point(103, rgb(255, 0, 0)).point(164, rgb(255, 255, 0));
    e.point(255, rgb(0, 255, 0));
    e.point(0, 0).point(52, rgb(64, 0, 0)).point(255, rgb(206, 103, 0));
    ASSERT_EQ(e.bytes.size(), 42u + 6u * 10u);
    EXPECT_EQ(load(path("default.kcf")), e.bytes);
}

TEST_F(ColorSchemeFiles, UseRegionsFalseIsWrittenAsZero)
{
    ASSERT_TRUE(scheme.WriteScheme(path("plain.kcf"), false));
    const std::vector<uint8_t> bytes = load(path("plain.kcf"));
    ASSERT_GE(bytes.size(), 6u);
    EXPECT_EQ(bytes[4], 0);
    EXPECT_EQ(bytes[5], 0);
}

TEST_F(ColorSchemeFiles, WrittenSchemeReadsBackIntoAnotherScheme)
{
    scheme.InsertPoint(1, 30, rgb(9, 9, 9));
    scheme.DeletePoint(2, 1);
    scheme.setiBlacklineWidth(2, 5);
    scheme.setlBlacklineColor(1, rgb(1, 2, 3));
    scheme.setlNoEchoColor(0, rgb(4, 5, 6));
    ASSERT_TRUE(scheme.WriteScheme(path("edited.kcf"), true));

    tColorScheme other;
    QString message = QStringLiteral("stale");
    EXPECT_EQ(other.ReadScheme(path("edited.kcf"), &message), 7);
    EXPECT_TRUE(message.isEmpty());
    for (int r = 0; r < 3; ++r) {
        ASSERT_EQ(other.iNumColorPoints(r), scheme.iNumColorPoints(r));
        for (int k = 0; k < scheme.iNumColorPoints(r); ++k) {
            EXPECT_EQ(other.iIndex(r, k), scheme.iIndex(r, k));
            EXPECT_EQ(other.lColorValue(r, k), scheme.lColorValue(r, k));
        }
        EXPECT_EQ(other.iBlacklineWidth(r), scheme.iBlacklineWidth(r));
        EXPECT_EQ(other.lBlacklineColor(r), scheme.lBlacklineColor(r));
        EXPECT_EQ(other.lNoEchoColor(r), scheme.lNoEchoColor(r));
    }
}

TEST_F(ColorSchemeFiles, Version2FileLoadsEachRegionAndAnswersTheRegionsMode)
{
    const QString name = save("regions.kcf", version2(-1, kThreeRegions));
    EXPECT_EQ(scheme.ReadScheme(name), 7);
    for (int r = 0; r < 3; ++r) {
        expectRegion(scheme, r, kThreeRegions[r]);
    }
    EXPECT_EQ(paletteEvents, 1);
}

TEST_F(ColorSchemeFiles, Version2FileWithoutRegionsLoadsAllThreeAndAnswersTheUserMode)
{
    const QString name = save("noregions.kcf", version2(0, kThreeRegions));
    EXPECT_EQ(scheme.ReadScheme(name), 6);
    for (int r = 0; r < 3; ++r) {
        expectRegion(scheme, r, kThreeRegions[r]);
    }
}

TEST_F(ColorSchemeFiles, AnyNonZeroUseRegionsMeansRegions)
{
    EXPECT_EQ(scheme.ReadScheme(save("one.kcf", version2(1, kThreeRegions))), 7);
}

TEST_F(ColorSchemeFiles, Version1FileOf1552BytesLoadsOneRegionIntoAllThree)
{
    const std::vector<PointSpec> points = {
        {0, rgb(0, 0, 0)}, {60, rgb(0, 128, 255)}, {128, rgb(255, 0, 0)}, {255, rgb(9, 9, 9)}};
    const std::vector<uint8_t> bytes = version1(points, 4, 2, rgb(1, 1, 1), rgb(3, 3, 3));
    ASSERT_EQ(bytes.size(), 1552u);
    const QString name = save("v1.kcf", bytes);
    QString message = QStringLiteral("stale");
    EXPECT_EQ(scheme.ReadScheme(name, &message), 6);
    EXPECT_TRUE(message.isEmpty());
    const RegionSpec expected{
        {points[0], points[1], points[2], points[3]}, 2, rgb(1, 1, 1), rgb(3, 3, 3)};
    for (int r = 0; r < 3; ++r) {
        expectRegion(scheme, r, expected);
    }
    EXPECT_EQ(scheme.GetColorValue(2, 60), rgb(0, 128, 255));
    EXPECT_EQ(paletteEvents, 1);
}

TEST_F(ColorSchemeFiles, Version1PointsBeyondTheCountNeedNotBeInOrder)
{
    std::vector<PointSpec> points = {{0, rgb(0, 0, 0)}, {255, rgb(255, 255, 255)}};
    points.push_back({17, rgb(5, 5, 5)});
    EXPECT_EQ(scheme.ReadScheme(save("v1extra.kcf", version1(points, 2, 0, 0, 0))), 6);
    EXPECT_EQ(scheme.iNumColorPoints(1), 2);
}

TEST_F(ColorSchemeFiles, UnknownVersionIsReportedAndLeavesTheSchemeAlone)
{
    std::vector<uint8_t> bytes = version2(-1, kThreeRegions);
    bytes[0] = 3;
    QString message;
    EXPECT_EQ(scheme.ReadScheme(save("v3.kcf", bytes), &message), 6);
    EXPECT_EQ(message, QStringLiteral("Unknown color scheme version!"));
    expectDefaults(scheme);
    EXPECT_EQ(paletteEvents, 1);
}

TEST_F(ColorSchemeFiles, MissingFileReadsAsAnUnknownVersion)
{
    QString message;
    EXPECT_EQ(scheme.ReadScheme(path("absent.kcf"), &message), 6);
    EXPECT_EQ(message, tColorScheme::unknownVersionMessage());
    expectDefaults(scheme);
    EXPECT_EQ(paletteEvents, 1);
}

struct DamagedCase
{
    std::string name;
    std::vector<uint8_t> bytes;
};

void PrintTo(const DamagedCase& c, std::ostream* os)
{
    *os << c.name;
}

std::vector<DamagedCase> damagedFiles()
{
    std::vector<DamagedCase> cases;
    const std::vector<uint8_t> good2 = version2(-1, kThreeRegions);
    cases.push_back({"Version2HeaderCutShort", {good2.begin(), good2.begin() + 41}});
    cases.push_back({"Version2PointsCutShort", {good2.begin(), good2.end() - 1}});
    cases.push_back({"Version2OnlyVersion", {good2.begin(), good2.begin() + 2}});
    const int zero[3] = {2, 0, 1};
    cases.push_back({"Version2RegionWithoutPoints", version2(-1, kThreeRegions, zero)});
    const int negative[3] = {2, -3, 1};
    cases.push_back({"Version2NegativeCount", version2(-1, kThreeRegions, negative)});
    // 257 records are all there: only the count is wrong.
    RegionSpec many[3] = {kThreeRegions[0], kThreeRegions[1], kThreeRegions[2]};
    many[1].points.clear();
    for (int k = 0; k < 257; ++k) {
        many[1].points.push_back({k, rgb(k & 0xFF, 0, 0)});
    }
    cases.push_back({"Version2MoreThan256Points", version2(-1, many)});
    RegionSpec twice[3] = {kThreeRegions[0], kThreeRegions[1], kThreeRegions[2]};
    twice[1].points[2].position = 100;
    cases.push_back({"Version2TwoPointsAtOnePosition", version2(-1, twice)});
    RegionSpec backwards[3] = {kThreeRegions[0], kThreeRegions[1], kThreeRegions[2]};
    backwards[0].points = {{200, 1}, {100, 2}};
    cases.push_back({"Version2PointsDescending", version2(-1, backwards)});

    const std::vector<PointSpec> points = {{0, 0}, {128, rgb(1, 2, 3)}, {255, rgb(4, 5, 6)}};
    const std::vector<uint8_t> good1 = version1(points, 3, 1, 0, 0);
    cases.push_back({"Version1CutShort", {good1.begin(), good1.end() - 1}});
    cases.push_back({"Version1CountAbove256", version1(points, 300, 1, 0, 0)});
    cases.push_back({"Version1CountZero", version1(points, 0, 1, 0, 0)});
    cases.push_back(
        {"Version1PointsOutOfOrder", version1({{0, 0}, {128, 1}, {64, 2}, {255, 3}}, 4, 1, 0, 0)});
    return cases;
}

class DamagedSchemeFiles : public ColorSchemeFiles,
                           public ::testing::WithParamInterface<DamagedCase>
{
};

TEST_P(DamagedSchemeFiles, AreRefusedWithAMessageAndLeaveTheSchemeUnchanged)
{
    QString message;
    EXPECT_EQ(scheme.ReadScheme(save("damaged.kcf", GetParam().bytes), &message), 6);
    EXPECT_TRUE(message.startsWith(QStringLiteral("The color file is damaged")))
        << message.toStdString();
    expectDefaults(scheme);
    EXPECT_EQ(paletteEvents, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedSchemeFiles, ::testing::ValuesIn(damagedFiles()),
                         [](const ::testing::TestParamInfo<DamagedCase>& testCase) {
                             return testCase.param.name;
                         });

TEST_F(ColorSchemeFiles, EmptyFileReadsAsAnUnknownVersion)
{
    QString message;
    EXPECT_EQ(scheme.ReadScheme(save("empty.kcf", {}), &message), 6);
    EXPECT_EQ(message, tColorScheme::unknownVersionMessage());
    expectDefaults(scheme);
}

TEST_F(ColorSchemeFiles, SavingOverALongerFileLeavesExactlyTheNewBytesAndNoTemporaryFile)
{
    const QString name = save("over.kcf", std::vector<uint8_t>(5000, 0xAB));
    ASSERT_TRUE(scheme.WriteScheme(name, false));
    EXPECT_EQ(load(name).size(), 42u + 6u * 10u);
    EXPECT_EQ(leftovers(), QStringList{QStringLiteral("over.kcf")});
}

TEST_F(ColorSchemeFiles, SavingIntoAMissingFolderFailsWithAMessage)
{
    QString message;
    EXPECT_FALSE(scheme.WriteScheme(path("no/such/folder.kcf"), true, &message));
    EXPECT_FALSE(message.isEmpty());
}

// Holds the process's file size limit low for a scope, so that writes fail the way a full
// disk makes them fail (root ignores permissions, so those cannot make a write fail here).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};

TEST_F(ColorSchemeFiles, FailedSaveKeepsTheExistingFileAndReportsIt)
{
    const std::vector<uint8_t> old = version2(0, kThreeRegions);
    const QString name = save("keep.kcf", old);
    QString message;
    bool written = true;
    {
        const FileSizeLimit limit(16);
        ASSERT_TRUE(limit.active());
        written = scheme.WriteScheme(name, true, &message);
    }
    EXPECT_FALSE(written);
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(load(name), old);
    EXPECT_EQ(leftovers(), QStringList{QStringLiteral("keep.kcf")});
}

} // namespace

// The texts of the file commands: export names, the converter's path, sizes and filters.
#include "logs/LogFileNames.h"

#include <gtest/gtest.h>

namespace {

using namespace brellix;

TEST(LogFileNames, TheExportNameReplacesATrailingSlgAndOtherwiseAddsCsv)
{
    EXPECT_EQ(proposedExportName(QStringLiteral("trip.SLG")).toLower(), QStringLiteral("trip.csv"));
    EXPECT_EQ(proposedExportName(QStringLiteral("trip.sl2")), QStringLiteral("trip.sl2.csv"));
    EXPECT_EQ(proposedExportName(QStringLiteral("a.slg.old")), QStringLiteral("a.slg.old.csv"));
    EXPECT_EQ(proposedExportName(QStringLiteral("a.slg.slg")), QStringLiteral("a.slg.slg.csv"));
    EXPECT_EQ(splitPath(QStringLiteral("/logs/trip.slg")).folder, QStringLiteral("/logs/"));
    EXPECT_EQ(splitPath(QStringLiteral("trip.slg")).folder, QString());
    EXPECT_EQ(converterPath(QStringLiteral("/")), QStringLiteral("/tarnex"));
    EXPECT_EQ(converterPath(QStringLiteral("/opt/b")), QStringLiteral("/opt/b/tarnex"));
}

TEST(LogFileNames, FileSizesForPeople)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const struct
    {
        int64_t bytes;
        const char* text;
    } cases[] = {{0, "0 Bytes"},        {1024, "1,024 Bytes"},
                 {1536, "1.5KB"},       {12288, "12KB"},
                 {10240, "10KB"},       {1075, "1.05KB"},
                 {2097152, "2MB"},      {15 * 1048576 + 524288, "15.5MB"},
                 {3LL << 30, "3,072MB"}};
    for (const auto& c : cases) {
        EXPECT_EQ(formatFileSize(c.bytes, english), QLatin1String(c.text)) << c.bytes;
    }
    EXPECT_EQ(formatFileSize(1536, QLocale(QLocale::German)), QStringLiteral("1,5KB"));
}

TEST(LogFileNames, FiltersTakeQtsFormWithTheirDescriptions)
{
    EXPECT_EQ(qtFileFilter(QStringLiteral("Sonar Log Files (*.slg,*.sl2)|*.slg;*.sl2|All Files "
                                          "(*.*)|*.*")),
              QStringLiteral("Sonar Log Files (*.slg,*.sl2) (*.slg *.sl2);;All Files (*.*)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("Talvern Color Files (*.kcf)|*.kcf")),
              QStringLiteral("Talvern Color Files (*.kcf)"));
}

} // namespace

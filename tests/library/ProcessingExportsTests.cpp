// The four Process exports over the library's one processing state.
#include "BuildFolder.h"

#include <vantrel/vantrel.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace {

using Column = std::vector<uint8_t>;

int32_t clutter(Column& column, int32_t surfaceCellIndex)
{
    return ProcessRemoveSurfaceClutter(column.data(), static_cast<int32_t>(column.size()),
                                       surfaceCellIndex);
}

int32_t correlate(Column& column, int16_t level)
{
    return ProcessHorizontalCorrelation(column.data(), static_cast<int32_t>(column.size()), level,
                                        12345);
}

TEST(ProcessExports, EveryExportReturnsZero)
{
    Column column(100, 200);
    EXPECT_EQ(ProcessSetup(0.5f, 0.0f, 60.0f, 2), 0);
    EXPECT_EQ(clutter(column, 10), 0);
    EXPECT_EQ(correlate(column, 2), 0);
    EXPECT_EQ(ProcessRecombination(), 0);
    Column empty;
    EXPECT_EQ(ProcessRemoveSurfaceClutter(empty.data(), 0, 0), 0);
    EXPECT_EQ(ProcessHorizontalCorrelation(empty.data(), -3, 1, 0), 0);
}

TEST(ProcessExports, ClutterAndCorrelationCarryTheirStateFromCallToCall)
{
    ASSERT_EQ(ProcessSetup(0.1f, 0.0f, 100.0f, 1), 0);
    Column first(300, 100);
    clutter(first, 10);
    EXPECT_EQ(first[0], 0);
    EXPECT_EQ(first[30], 100);
    correlate(first, 1);
    EXPECT_EQ(first[30], 100);

    Column second(300, 200);
    clutter(second, 10);
    // Average 16 x 100 + 8 + 200 - 100 = 1708, mean 106.
    EXPECT_EQ(second[0], 94);
    EXPECT_EQ(second[30], 200);
    correlate(second, 1);
    EXPECT_EQ(second[0], 0);     // the first column's cleared top
    EXPECT_EQ(second[30], 100);  // and its weaker echo below the zone
    EXPECT_EQ(second[200], 100); // the previous column's weaker echo
}

TEST(ProcessExports, RecombinationChangesNoState)
{
    ASSERT_EQ(ProcessSetup(0.1f, 0.0f, 100.0f, 1), 0);
    Column first(50, 40);
    correlate(first, 0);
    ASSERT_EQ(ProcessRecombination(), 0);
    Column second(50, 180);
    correlate(second, 1);
    EXPECT_EQ(second, Column(50, 40));
    // The clutter restart is still pending: the next column seeds the averages.
    Column third(50, 180);
    clutter(third, 0);
    EXPECT_EQ(third[0], 0);
}

TEST(ProcessExports, SetupIgnoresScaleAndLimits)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float odd[][3] = {{0.1f, 0.0f, 100.0f}, {nan, -inf, inf}, {-5.0f, 1e30f, -1e30f}};
    Column reference;
    for (const auto& floats : odd) {
        ASSERT_EQ(ProcessSetup(floats[0], floats[1], floats[2], 3), 0);
        Column first(120, 90);
        clutter(first, 20);
        correlate(first, 1);
        Column second(120, 140);
        clutter(second, 20);
        correlate(second, 1);
        if (reference.empty()) {
            reference = second;
            ASSERT_NE(reference, Column(120, 140));
        }
        EXPECT_EQ(second, reference);
    }
}

template <typename Function> Function resolve(void* library, const char* name)
{
    void* symbol = dlsym(library, name);
    EXPECT_NE(symbol, nullptr) << name;
    return reinterpret_cast<Function>(symbol);
}

TEST(ProcessExports, LoadedLibraryStartsWithNoRestartAndZeroHistory)
{
    const std::string path = (testsupport::binFolder() / "libvantrel.so").string();
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const auto clutterExport =
        resolve<decltype(&ProcessRemoveSurfaceClutter)>(library, "ProcessRemoveSurfaceClutter");
    const auto correlateExport =
        resolve<decltype(&ProcessHorizontalCorrelation)>(library, "ProcessHorizontalCorrelation");
    ASSERT_TRUE(clutterExport != nullptr && correlateExport != nullptr);

    // Clarity 0 at load: clutter removal leaves the column alone.
    Column column(64, 200);
    EXPECT_EQ(clutterExport(column.data(), 64, 0), 0);
    EXPECT_EQ(column, Column(64, 200));
    // No 255 fill before the first setup: the zero rows of the history darken everything.
    EXPECT_EQ(correlateExport(column.data(), 64, 1, 0), 0);
    EXPECT_EQ(column, Column(64, 0));
    dlclose(library);
}

} // namespace

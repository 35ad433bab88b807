// The palettes of the eight colour modes: the entries announced, their order, the final pair
// and which mode changes announce anything at all.
#include "ViewerTestSupport.h"
#include "render/tColorScheme.h"
#include "render/tSonarColor.h"

#include <gtest/gtest.h>

#include <array>
#include <cfenv>
#include <cmath>
#include <stdexcept>
#include <utility>
#include <vector>

using brellix::tColorScheme;
using brellix::tSonarColor;

namespace {

using viewertest::rgb;

constexpr int32_t kUnset = -1;

// To the nearest, ties to even, without the code under test.
int nearestEven(double value)
{
    std::fesetround(FE_TONEAREST);
    return static_cast<int>(std::nearbyint(value));
}

class SonarColorPalette : public ::testing::Test
{
protected:
    void SetUp() override
    {
        colors.setUserColorScheme(&scheme);
        QObject::connect(&colors, &tSonarColor::SetColorTableValue,
                         [this](int16_t index, int32_t color) {
                             events.emplace_back(index, color);
                             ASSERT_GE(index, 0);
                             ASSERT_LE(index, 255);
                             palette[static_cast<size_t>(index)] = color;
                         });
        forget();
    }

    void forget()
    {
        events.clear();
        palette.fill(kUnset);
    }

    // The indexes in the order they were announced.
    std::vector<int> order() const
    {
        std::vector<int> indexes;
        for (const auto& e : events) {
            indexes.push_back(e.first);
        }
        return indexes;
    }

    static std::vector<int> run(int first, int last)
    {
        std::vector<int> indexes;
        for (int i = first; i <= last; ++i) {
            indexes.push_back(i);
        }
        return indexes;
    }

    // Every entry of [checkFirst, checkLast] lies within half a unit (and float drift) of the
    // straight line from one colour at first to the other at last.
    void expectGradient(int first, int last, int32_t from, int32_t to, int checkFirst = -1,
                        int checkLast = -1) const
    {
        for (int i = checkFirst < 0 ? first : checkFirst; i <= (checkLast < 0 ? last : checkLast);
             ++i) {
            const double t = static_cast<double>(i - first) / (last - first);
            const int32_t got = palette[static_cast<size_t>(i)];
            for (int shift : {0, 8, 16}) {
                const double a = (from >> shift) & 0xFF;
                const double b = (to >> shift) & 0xFF;
                EXPECT_NEAR((got >> shift) & 0xFF, a + t * (b - a), 0.5 + 1e-3)
                    << "index " << i << " channel " << shift / 8;
            }
        }
    }

    tColorScheme scheme;
    tSonarColor colors;
    std::vector<std::pair<int, int32_t>> events;
    std::array<int32_t, 256> palette{};
};

TEST_F(SonarColorPalette, GrayscaleRunsLightToDarkThenBlackLineThenWhiteNoEcho)
{
    colors.SetColorMode(0);
    std::vector<int> expectedOrder = run(2, 255);
    expectedOrder.push_back(1);
    expectedOrder.push_back(0);
    EXPECT_EQ(order(), expectedOrder);
    EXPECT_EQ(palette[2], rgb(210, 210, 210));
    EXPECT_EQ(palette[255], rgb(15, 15, 15));
    expectGradient(2, 255, rgb(210, 210, 210), rgb(15, 15, 15));
    EXPECT_EQ(palette[1], rgb(0, 0, 0));
    EXPECT_EQ(palette[0], rgb(255, 255, 255));
    EXPECT_EQ(colors.lBlacklineColor(1), rgb(0, 0, 0));
    EXPECT_EQ(colors.lNoEchoColor(1), rgb(255, 255, 255));
}

TEST_F(SonarColorPalette, InverseGrayscaleRunsDarkToLightWithWhiteLineAndBlackNoEcho)
{
    colors.SetColorMode(1);
    EXPECT_EQ(events.size(), 256u);
    EXPECT_EQ(palette[2], rgb(15, 15, 15));
    EXPECT_EQ(palette[255], rgb(210, 210, 210));
    expectGradient(2, 255, rgb(15, 15, 15), rgb(210, 210, 210));
    EXPECT_EQ(palette[1], rgb(255, 255, 255));
    EXPECT_EQ(palette[0], rgb(0, 0, 0));
}

TEST_F(SonarColorPalette, BuiltInModesSetOnlyTheWaterColumnColours)
{
    for (int s : {0, 2}) {
        colors.setlBlacklineColor(s, rgb(1, 2, 3));
        colors.setlNoEchoColor(s, rgb(4, 5, 6));
    }
    for (int32_t mode = 0; mode <= 5; ++mode) {
        colors.SetColorMode(mode);
        for (int s : {0, 2}) {
            EXPECT_EQ(colors.lBlacklineColor(s), rgb(1, 2, 3)) << "mode " << mode;
            EXPECT_EQ(colors.lNoEchoColor(s), rgb(4, 5, 6)) << "mode " << mode;
        }
    }
}

struct RampRow
{
    int index;
    int32_t color;
};

TEST_F(SonarColorPalette, ColourRampsMatchTheirTellingRows)
{
    const RampRow rows[] = {
        {2, rgb(0, 0, 100)},     {40, rgb(0, 0, 138)},    {80, rgb(67, 0, 178)},
        {120, rgb(167, 0, 123)}, {152, rgb(250, 0, 40)},  {160, rgb(255, 15, 20)},
        {200, rgb(255, 115, 0)}, {240, rgb(255, 215, 0)}, {255, rgb(255, 253, 0)},
    };
    for (const int32_t mode : {2, 3}) {
        SCOPED_TRACE(mode);
        forget();
        colors.SetColorMode(mode);
        std::vector<int> expectedOrder = run(2, 255);
        expectedOrder.push_back(1);
        expectedOrder.push_back(0);
        EXPECT_EQ(order(), expectedOrder);
        for (const RampRow& row : rows) {
            EXPECT_EQ(palette[static_cast<size_t>(row.index)], row.color) << "index " << row.index;
        }
        EXPECT_EQ(palette[1], rgb(0, 0, 0));
    }
}

TEST_F(SonarColorPalette, BlueBackgroundDiffersOnlyInItsNavyNoEcho)
{
    colors.SetColorMode(2);
    EXPECT_EQ(palette[0], rgb(255, 255, 255));
    colors.SetColorMode(3);
    EXPECT_EQ(palette[0], rgb(0, 0, 128));
    EXPECT_EQ(colors.lNoEchoColor(1), rgb(0, 0, 128));
}

TEST_F(SonarColorPalette, ScanningBrownGradientsOverwriteTheirSharedEnds)
{
    colors.SetColorMode(4);
    // Six gradients of 52, 48, 40, 42, 35 and 44 entries, then the final pair.
    EXPECT_EQ(events.size(), 263u);
    EXPECT_EQ(events.front(), std::make_pair(0, rgb(74, 63, 34)));
    const RampRow starts[] = {{51, rgb(129, 107, 58)},   {98, rgb(134, 113, 62)},
                              {137, rgb(165, 138, 75)},  {178, rgb(184, 158, 99)},
                              {212, rgb(210, 193, 123)}, {255, rgb(255, 255, 255)}};
    for (const RampRow& row : starts) {
        EXPECT_EQ(palette[static_cast<size_t>(row.index)], row.color) << "index " << row.index;
    }
    // Entries 0 and 1 belong to the final pair, 51 to the next gradient.
    expectGradient(0, 51, rgb(74, 63, 34), rgb(129, 107, 58), 2, 50);
    expectGradient(98, 137, rgb(134, 113, 62), rgb(165, 138, 75), 98, 136);
    expectGradient(212, 255, rgb(210, 193, 123), rgb(255, 255, 255));
    EXPECT_EQ(palette[0], rgb(74, 63, 34));
    EXPECT_EQ(palette[1], rgb(74, 63, 34));
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[events.size() - 2].first, 1);
    EXPECT_EQ(events.back().first, 0);
}

TEST_F(SonarColorPalette, ScanningGrayHasAShortDarkRunThenARampToWhite)
{
    colors.SetColorMode(5);
    EXPECT_EQ(events.size(), 21u + 233u + 2u);
    EXPECT_EQ(palette[2], rgb(51, 41, 19));
    EXPECT_EQ(palette[22], rgb(78, 63, 29));
    EXPECT_EQ(palette[23], rgb(51, 41, 19));
    EXPECT_EQ(palette[255], rgb(255, 255, 255));
    expectGradient(23, 255, rgb(51, 41, 19), rgb(255, 255, 255));
    EXPECT_EQ(palette[1], rgb(0, 0, 0));
    EXPECT_EQ(palette[0], rgb(51, 41, 19));
}

TEST_F(SonarColorPalette, SameBuiltInModeTwiceAnnouncesNothingTheSecondTime)
{
    colors.SetColorMode(2);
    forget();
    colors.SetColorMode(2);
    EXPECT_TRUE(events.empty());
}

TEST_F(SonarColorPalette, UserModesAreAnnouncedEveryTime)
{
    for (const int32_t mode : {6, 7}) {
        SCOPED_TRACE(mode);
        forget();
        colors.SetColorMode(mode);
        EXPECT_EQ(events.size(), 256u);
        forget();
        colors.SetColorMode(mode);
        EXPECT_EQ(events.size(), 256u);
    }
}

TEST_F(SonarColorPalette, ReloadUserColorsAnnouncesTheCurrentModeAgain)
{
    colors.SetColorMode(4);
    forget();
    colors.ReloadUserColors();
    EXPECT_EQ(events.size(), 263u);
}

TEST_F(SonarColorPalette, ResetMakesTheSameModeAnnounceAgain)
{
    colors.SetColorMode(0);
    colors.Reset();
    forget();
    colors.SetColorMode(0);
    EXPECT_EQ(events.size(), 256u);
}

TEST_F(SonarColorPalette, ModeOutsideZeroToSevenAnnouncesNothing)
{
    colors.SetColorMode(8);
    colors.SetColorMode(-5);
    EXPECT_TRUE(events.empty());
}

TEST_F(SonarColorPalette, UserModeSamplesTheWaterColumnOfTheScheme)
{
    scheme.setlBlacklineColor(1, rgb(11, 12, 13));
    scheme.setlNoEchoColor(1, rgb(21, 22, 23));
    colors.SetColorMode(6);
    std::vector<int> expectedOrder = run(2, 255);
    expectedOrder.push_back(1);
    expectedOrder.push_back(0);
    EXPECT_EQ(order(), expectedOrder);
    for (int i = 0; i <= 253; ++i) {
        const auto position = static_cast<int16_t>(nearestEven(i * 255.0 / 254.0));
        EXPECT_EQ(palette[static_cast<size_t>(i + 2)], scheme.GetColorValue(1, position))
            << "index " << i + 2;
    }
    // Telling entries of the default water column.
    EXPECT_EQ(palette[2], rgb(0, 0, 128));
    EXPECT_EQ(palette[105], rgb(255, 0, 0));
    // Position 254: (255, 255, 0) to (0, 255, 0) at 90 of 91, red 255 / 91 = 2.8.
    EXPECT_EQ(palette[255], rgb(3, 255, 0));
    EXPECT_EQ(palette[1], rgb(11, 12, 13));
    EXPECT_EQ(palette[0], rgb(21, 22, 23));
    EXPECT_EQ(colors.lBlacklineColor(1), rgb(11, 12, 13));
    EXPECT_EQ(colors.lNoEchoColor(1), rgb(21, 22, 23));
}

TEST_F(SonarColorPalette, RegionModeLaysOutThreeRegionsEachFollowedByItsPair)
{
    for (int s = 0; s < 3; ++s) {
        scheme.setlBlacklineColor(s, rgb(100 + s, 0, 0));
        scheme.setlNoEchoColor(s, rgb(0, 100 + s, 0));
    }
    colors.SetColorMode(7);

    std::vector<int> expectedOrder = run(6, 45);
    expectedOrder.insert(expectedOrder.end(), {1, 0});
    const std::vector<int> water = run(46, 215);
    expectedOrder.insert(expectedOrder.end(), water.begin(), water.end());
    expectedOrder.insert(expectedOrder.end(), {3, 2});
    const std::vector<int> bottom = run(216, 255);
    expectedOrder.insert(expectedOrder.end(), bottom.begin(), bottom.end());
    expectedOrder.insert(expectedOrder.end(), {5, 4});
    EXPECT_EQ(order(), expectedOrder);

    const int firsts[3] = {6, 46, 216};
    const int sizes[3] = {40, 170, 40};
    for (int s = 0; s < 3; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(palette[static_cast<size_t>(2 * s + 1)], rgb(100 + s, 0, 0));
        EXPECT_EQ(palette[static_cast<size_t>(2 * s)], rgb(0, 100 + s, 0));
        EXPECT_EQ(colors.lBlacklineColor(s), rgb(100 + s, 0, 0));
        EXPECT_EQ(colors.lNoEchoColor(s), rgb(0, 100 + s, 0));
        for (int j = 0; j < sizes[s]; ++j) {
            const auto position = static_cast<int16_t>(nearestEven(j * 255.0 / sizes[s]));
            EXPECT_EQ(palette[static_cast<size_t>(firsts[s] + j)],
                      scheme.GetColorValue(s, position));
        }
    }
    // The last positions sampled are 249, 254 and 249, never 255.
    EXPECT_EQ(palette[45], scheme.GetColorValue(0, 249));
    EXPECT_NE(palette[45], scheme.GetColorValue(0, 255));
    EXPECT_EQ(palette[215], scheme.GetColorValue(1, 254));
    EXPECT_EQ(palette[255], scheme.GetColorValue(2, 249));
}

TEST_F(SonarColorPalette, SchemeFailureStopsTheAnnouncementAtThatEntry)
{
    // Two points at position 0 in the water column: its first sample divides by zero.
    scheme.setiIndex(1, 1, 0);
    EXPECT_THROW(colors.SetColorMode(7), std::domain_error);
    // The surface region and its pair made it out; nothing after.
    EXPECT_EQ(events.size(), 42u);
    EXPECT_EQ(events.back().first, 0);
}

TEST(SonarColorWithoutScheme, UserModeWithoutASchemeIsAProgrammingError)
{
    tSonarColor colors;
    EXPECT_THROW(colors.SetColorMode(6), std::logic_error);
}

TEST(SonarColorSections, ColoursOutsideSectionsZeroToTwoThrow)
{
    tSonarColor colors;
    EXPECT_THROW((void)colors.lBlacklineColor(3), std::out_of_range);
    EXPECT_THROW(colors.setlBlacklineColor(-1, 0), std::out_of_range);
    EXPECT_THROW((void)colors.lNoEchoColor(-1), std::out_of_range);
    EXPECT_THROW(colors.setlNoEchoColor(3, 0), std::out_of_range);
}

} // namespace

// The user colour scheme in memory: defaults, colours at positions, point editing and the
// events each change raises.
#include "ViewerTestSupport.h"
#include "render/tColorScheme.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using brellix::tColorScheme;

namespace {

using viewertest::rgb;

// Records the scheme's events in order: 'P' UserPaletteChanged, 'B' BlackLineChanged.
class ColorSchemeModel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QObject::connect(&scheme, &tColorScheme::UserPaletteChanged, [this] { events += 'P'; });
        QObject::connect(&scheme, &tColorScheme::BlackLineChanged, [this] { events += 'B'; });
    }

    tColorScheme scheme;
    std::string events;
};

struct DefaultRegion
{
    std::vector<std::pair<int16_t, int32_t>> points;
    int16_t width;
    int32_t blackline;
    int32_t noEcho;
};

TEST_F(ColorSchemeModel, NewSchemeHasTheDefaultPointsWidthsAndColours)
{
    const DefaultRegion expected[3] = {
        {{{0, rgb(0, 0, 128)}, {103, rgb(255, 0, 0)}, {255, rgb(255, 255, 255)}},
         1,
         rgb(0, 0, 0),
         rgb(255, 255, 255)},
        {{{0, rgb(0, 0, 128)},
          {103, rgb(255, 0, 0)},
          {164, rgb(255, 255, 0)},
          {255, rgb(0, 255, 0)}},
         1,
         rgb(0, 0, 0),
         rgb(255, 255, 255)},
        {{{0, rgb(0, 0, 0)}, {52, rgb(64, 0, 0)}, {255, rgb(206, 103, 0)}},
         0,
         rgb(0, 0, 0),
         rgb(0, 0, 0)},
    };
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        const DefaultRegion& e = expected[r];
        ASSERT_EQ(scheme.iNumColorPoints(r), static_cast<int16_t>(e.points.size()));
        for (size_t k = 0; k < e.points.size(); ++k) {
            EXPECT_EQ(scheme.iIndex(r, static_cast<int>(k)), e.points[k].first);
            EXPECT_EQ(scheme.lColorValue(r, static_cast<int>(k)), e.points[k].second);
        }
        EXPECT_EQ(scheme.iBlacklineWidth(r), e.width);
        EXPECT_EQ(scheme.lBlacklineColor(r), e.blackline);
        EXPECT_EQ(scheme.lNoEchoColor(r), e.noEcho);
    }
}

struct ColorAt
{
    int region;
    int16_t position;
    int32_t expected;
};

class DefaultSchemeColors : public ::testing::TestWithParam<ColorAt>
{
};

TEST_P(DefaultSchemeColors, GetColorValueBlendsBetweenTheNeighbouringPoints)
{
    const tColorScheme scheme;
    const ColorAt c = GetParam();
    const int32_t got = scheme.GetColorValue(c.region, c.position);
    EXPECT_EQ(got, c.expected) << "region " << c.region << " position " << c.position << ": "
                               << (got & 0xFF) << ", " << ((got >> 8) & 0xFF) << ", "
                               << ((got >> 16) & 0xFF);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DefaultSchemeColors,
    ::testing::Values(
        ColorAt{1, 0, rgb(0, 0, 128)}, ColorAt{1, 255, rgb(0, 255, 0)},
        ColorAt{1, 103, rgb(255, 0, 0)}, ColorAt{1, 164, rgb(255, 255, 0)},
        // (255, 255, 0) to (0, 255, 0), offset 36 of 91: red 55 x 255 / 91 = 154.12.
        ColorAt{1, 200, rgb(154, 255, 0)},
        // The worked example: red 126.26 rounds, blue 64.62 truncates.
        ColorAt{0, 51, rgb(126, 0, 64)},
        // Red rounds up at 0.5+: 52 x 255 / 103 = 128.74; blue 51 x 128 / 103 = 63.38.
        ColorAt{0, 52, rgb(129, 0, 63)},
        // Green on its own bit field: 64 -> 206 and 0 -> 103 over 203, at 101: green
        // 101 x 103 / 203 = 51.25 truncates to 51, red (102 x 64 + 101 x 206) / 203 = 134.65.
        ColorAt{2, 153, rgb(135, 51, 0)}, ColorAt{2, 52, rgb(64, 0, 0)}));

TEST_F(ColorSchemeModel, PositionBelowTheFirstPointIsExtrapolatedFromTheFirstTwo)
{
    scheme.setiIndex(0, 0, 50);
    scheme.setlColorValue(0, 0, rgb(255, 0, 128));
    // Blue from 128 at 50 to 0 at 103: at 0, 128 x 103 / 53 = 248.75, truncated.
    EXPECT_EQ(scheme.GetColorValue(0, 0), rgb(255, 0, 248));
}

TEST_F(ColorSchemeModel, PositionAboveTheLastPointTakesTheLastColour)
{
    scheme.setiIndex(2, 2, 200);
    EXPECT_EQ(scheme.GetColorValue(2, 255), rgb(206, 103, 0));
}

TEST_F(ColorSchemeModel, RegionWithoutPointsHasNoColour)
{
    for (int k = 0; k < 3; ++k) {
        scheme.DeletePoint(2, 0);
    }
    ASSERT_EQ(scheme.iNumColorPoints(2), 0);
    EXPECT_THROW((void)scheme.GetColorValue(2, 10), std::out_of_range);
}

TEST_F(ColorSchemeModel, TwoPointsAtOnePositionAreADivisionByZero)
{
    scheme.setiIndex(1, 1, 0);
    EXPECT_THROW((void)scheme.GetColorValue(1, 0), std::domain_error);
}

TEST_F(ColorSchemeModel, InsertingAtAnExistingPositionReplacesItsColourSilently)
{
    scheme.InsertPoint(1, 103, rgb(1, 2, 3));
    EXPECT_EQ(scheme.iNumColorPoints(1), 4);
    EXPECT_EQ(scheme.iIndex(1, 1), 103);
    EXPECT_EQ(scheme.lColorValue(1, 1), rgb(1, 2, 3));
    EXPECT_EQ(events, "");
}

TEST_F(ColorSchemeModel, InsertingAtANewPositionAddsAPointInOrder)
{
    scheme.InsertPoint(1, 104, rgb(9, 8, 7));
    ASSERT_EQ(scheme.iNumColorPoints(1), 5);
    const int16_t positions[] = {0, 103, 104, 164, 255};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(scheme.iIndex(1, k), positions[k]);
    }
    EXPECT_EQ(scheme.lColorValue(1, 2), rgb(9, 8, 7));
    EXPECT_EQ(scheme.lColorValue(1, 3), rgb(255, 255, 0));
    EXPECT_EQ(events, "P");
}

TEST_F(ColorSchemeModel, InsertingPastTheLastPointAppends)
{
    scheme.InsertPoint(0, 300, rgb(1, 1, 1));
    ASSERT_EQ(scheme.iNumColorPoints(0), 4);
    EXPECT_EQ(scheme.iIndex(0, 3), 300);
}

TEST_F(ColorSchemeModel, InsertingIntoAFullRegionThrowsAndChangesNothing)
{
    for (int16_t position = 1; position < 255; ++position) {
        if (position != 103 && position != 164) {
            scheme.InsertPoint(1, position, rgb(position, 0, 0));
        }
    }
    ASSERT_EQ(scheme.iNumColorPoints(1), 256);
    events.clear();
    EXPECT_THROW(scheme.InsertPoint(1, 256, rgb(1, 1, 1)), std::out_of_range);
    EXPECT_THROW(scheme.InsertPoint(1, -1, rgb(1, 1, 1)), std::out_of_range);
    EXPECT_EQ(scheme.iNumColorPoints(1), 256);
    EXPECT_EQ(scheme.iIndex(1, 0), 0);
    EXPECT_EQ(scheme.iIndex(1, 255), 255);
    EXPECT_EQ(events, "");
    // Replacing a colour needs no room.
    scheme.InsertPoint(1, 7, rgb(5, 5, 5));
    EXPECT_EQ(scheme.lColorValue(1, 7), rgb(5, 5, 5));
}

TEST_F(ColorSchemeModel, DeletingAPointMovesTheOnesAboveItDown)
{
    scheme.DeletePoint(1, 1);
    ASSERT_EQ(scheme.iNumColorPoints(1), 3);
    EXPECT_EQ(scheme.iIndex(1, 0), 0);
    EXPECT_EQ(scheme.iIndex(1, 1), 164);
    EXPECT_EQ(scheme.iIndex(1, 2), 255);
    EXPECT_EQ(scheme.lColorValue(1, 1), rgb(255, 255, 0));
    EXPECT_EQ(scheme.iIndex(1, 3), 0);
    EXPECT_EQ(events, "P");
}

TEST_F(ColorSchemeModel, DeletingAPointNumberOutsideTheCountThrowsAndChangesNothing)
{
    EXPECT_THROW(scheme.DeletePoint(1, 4), std::out_of_range);
    EXPECT_THROW(scheme.DeletePoint(1, -1), std::out_of_range);
    EXPECT_EQ(scheme.iNumColorPoints(1), 4);
    EXPECT_EQ(events, "");
}

struct NearestCase
{
    int region;
    int16_t position;
    int16_t point;
};

class NearestPoints : public ::testing::TestWithParam<NearestCase>
{
};

TEST_P(NearestPoints, NearestPointPrefersTheLowerNumberOnATie)
{
    const tColorScheme scheme;
    const NearestCase c = GetParam();
    EXPECT_EQ(scheme.NearestPoint(c.region, c.position), c.point);
}

INSTANTIATE_TEST_SUITE_P(Cases, NearestPoints,
                         ::testing::Values(NearestCase{0, 52, 1}, NearestCase{0, 51, 0},
                                           NearestCase{0, 0, 0}, NearestCase{0, 179, 1},
                                           NearestCase{0, 180, 2}, NearestCase{1, 134, 2},
                                           NearestCase{1, 133, 1}, NearestCase{2, 26, 0},
                                           NearestCase{2, 400, 2}, NearestCase{2, -9, 0}));

TEST_F(ColorSchemeModel, NearestPointOfARegionWithoutPointsIsZero)
{
    for (int k = 0; k < 3; ++k) {
        scheme.DeletePoint(0, 0);
    }
    EXPECT_EQ(scheme.NearestPoint(0, 77), 0);
}

struct PixelCase
{
    float imageSize;
    float point;
    int16_t position;
};

class PixelPositions : public ::testing::TestWithParam<PixelCase>
{
};

TEST_P(PixelPositions, PixelToColorNumberScalesTo256AndRoundsHalfToEven)
{
    const PixelCase c = GetParam();
    EXPECT_EQ(tColorScheme::PixelToColorNumber(c.imageSize, c.point), c.position);
}

INSTANTIATE_TEST_SUITE_P(Cases, PixelPositions,
                         ::testing::Values(PixelCase{128, 64, 128}, PixelCase{100, 99.9f, 256},
                                           PixelCase{512, 1, 0}, PixelCase{512, 3, 2},
                                           PixelCase{512, 5, 2}, PixelCase{256, 0, 0},
                                           PixelCase{200, -10, -13}));

TEST(ColorSchemePixels, PixelToColorNumberOfAZeroBarOverflows)
{
    EXPECT_THROW((void)tColorScheme::PixelToColorNumber(0, 5), std::overflow_error);
    EXPECT_THROW((void)tColorScheme::PixelToColorNumber(1, 200), std::overflow_error);
}

TEST_F(ColorSchemeModel, WidthChangesRaisePaletteThenBlackLineEvents)
{
    scheme.setiAllBlacklineWidths(4);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(scheme.iBlacklineWidth(r), 4);
    }
    scheme.setiBlacklineWidth(2, 7);
    EXPECT_EQ(scheme.iBlacklineWidth(2), 7);
    EXPECT_EQ(scheme.iBlacklineWidth(1), 4);
    EXPECT_EQ(events, "PBPB");
}

TEST_F(ColorSchemeModel, ColourChangesRaiseOnlyThePaletteEvent)
{
    scheme.setlBlacklineColor(0, rgb(1, 2, 3));
    scheme.setlNoEchoColor(2, rgb(4, 5, 6));
    EXPECT_EQ(scheme.lBlacklineColor(0), rgb(1, 2, 3));
    EXPECT_EQ(scheme.lNoEchoColor(2), rgb(4, 5, 6));
    EXPECT_EQ(events, "PP");
}

TEST_F(ColorSchemeModel, PointLetsRaiseOnlyOnAChangeWithinTheCount)
{
    scheme.setiIndex(1, 4, 9);
    scheme.setlColorValue(1, -1, rgb(1, 1, 1));
    scheme.setiIndex(1, 1, 103);
    scheme.setlColorValue(1, 1, rgb(255, 0, 0));
    EXPECT_EQ(events, "");
    scheme.setiIndex(1, 1, 120);
    scheme.setlColorValue(1, 1, rgb(1, 1, 1));
    EXPECT_EQ(events, "PP");
    EXPECT_EQ(scheme.iIndex(1, 1), 120);
    EXPECT_EQ(scheme.lColorValue(1, 1), rgb(1, 1, 1));
    EXPECT_EQ(scheme.iIndex(1, 4), 0);
    EXPECT_EQ(scheme.lColorValue(1, -1), 0);
}

TEST_F(ColorSchemeModel, PositionLetDoesNotResortThePoints)
{
    scheme.setiIndex(1, 1, 200);
    EXPECT_EQ(scheme.iIndex(1, 1), 200);
    EXPECT_EQ(scheme.iIndex(1, 2), 164);
}

TEST_F(ColorSchemeModel, RegionOutsideZeroToTwoThrowsEverywhere)
{
    for (const int r : {-1, 3}) {
        SCOPED_TRACE(r);
        EXPECT_THROW((void)scheme.iBlacklineWidth(r), std::out_of_range);
        EXPECT_THROW(scheme.setiBlacklineWidth(r, 1), std::out_of_range);
        EXPECT_THROW((void)scheme.lBlacklineColor(r), std::out_of_range);
        EXPECT_THROW(scheme.setlBlacklineColor(r, 1), std::out_of_range);
        EXPECT_THROW((void)scheme.lNoEchoColor(r), std::out_of_range);
        EXPECT_THROW(scheme.setlNoEchoColor(r, 1), std::out_of_range);
        EXPECT_THROW((void)scheme.iNumColorPoints(r), std::out_of_range);
        EXPECT_THROW((void)scheme.iIndex(r, 0), std::out_of_range);
        EXPECT_THROW(scheme.setiIndex(r, 0, 1), std::out_of_range);
        EXPECT_THROW((void)scheme.lColorValue(r, 0), std::out_of_range);
        EXPECT_THROW(scheme.setlColorValue(r, 0, 1), std::out_of_range);
        EXPECT_THROW((void)scheme.GetColorValue(r, 0), std::out_of_range);
        EXPECT_THROW((void)scheme.NearestPoint(r, 0), std::out_of_range);
        EXPECT_THROW(scheme.InsertPoint(r, 9, 1), std::out_of_range);
        EXPECT_THROW(scheme.DeletePoint(r, 0), std::out_of_range);
    }
    EXPECT_EQ(events, "");
}

} // namespace

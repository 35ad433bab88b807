// The chart options model: defaults, the depth window's clamping, and exactly when
// OptionsChanged is raised.
#include "options/tSonarOptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

using brellix::tSonarOptions;

namespace {

// Counts OptionsChanged and records what a handler saw at each raise.
class OptionsEvents : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QObject::connect(&options, &tSonarOptions::OptionsChanged, [this] {
            ++raised;
            seenUpper.push_back(options.sngUpperLimit());
            seenLower.push_back(options.sngLowerLimit());
        });
    }

    // Sets the window to [upper, lower] from a new object and forgets the raises.
    void startWindow(float upper, float lower)
    {
        options.setsngLowerLimit(lower);
        options.setsngUpperLimit(upper);
        ASSERT_EQ(options.sngUpperLimit(), upper);
        ASSERT_EQ(options.sngLowerLimit(), lower);
        raised = 0;
        seenUpper.clear();
        seenLower.clear();
    }

    tSonarOptions options;
    int raised = 0;
    std::vector<float> seenUpper;
    std::vector<float> seenLower;
};

TEST(OptionsDefaults, NewObjectHasTheDocumentedDefaults)
{
    const tSonarOptions options;
    EXPECT_EQ(options.sngUpperLimit(), 0.0f);
    EXPECT_EQ(options.sngLowerLimit(), 600.0f);
    EXPECT_EQ(options.sngDepthRange(), 600.0f);
    EXPECT_EQ(options.iSensitivity(), 20);
    EXPECT_EQ(options.iColorLine(), 102);
    EXPECT_TRUE(options.bAutoSensitivity());
    EXPECT_TRUE(options.bAutoDepthRange());
    EXPECT_FALSE(options.bFishDepths());
    EXPECT_FALSE(options.bFishSymbols());
    EXPECT_EQ(options.SurfaceClarity(), 0);
    EXPECT_EQ(options.AdvancedSignalProcessing(), 1);
    EXPECT_EQ(options.ColorMode(), 2);
    EXPECT_FALSE(options.AllowSubZeroUL());
    for (int region = 0; region < 3; ++region) {
        SCOPED_TRACE(region);
        EXPECT_EQ(options.lBlacklineColor(region), 0);
        EXPECT_EQ(options.lNoEchoColor(region), 0xFFFFFF);
        EXPECT_EQ(options.iBlackLine(region), 0);
    }
}

TEST_F(OptionsEvents, CopyingTakesEveryValueWithOneRaiseAndNoneWhenEqual)
{
    tSonarOptions source;
    source.setAllowSubZeroUL(true);
    source.setsngUpperLimit(-20.0f);
    source.setsngLowerLimit(80.0f);
    source.setiSensitivity(77);
    source.setiColorLine(9);
    source.setbAutoSensitivity(false);
    source.setbAutoDepthRange(false);
    source.setbFishDepths(true);
    source.setbFishSymbols(true);
    source.setSurfaceClarity(3);
    source.setAdvancedSignalProcessing(2);
    source.setColorMode(tSonarOptions::kUserDefinedRegions);
    for (int region = 0; region < 3; ++region) {
        source.setlBlacklineColor(region, 0x10 + region);
        source.setlNoEchoColor(region, 0x20 + region);
        source.setiBlackLine(region, static_cast<int16_t>(region + 1));
    }
    options.copyFrom(source);
    EXPECT_EQ(raised, 1);
    EXPECT_TRUE(options.AllowSubZeroUL());
    EXPECT_FLOAT_EQ(options.sngUpperLimit(), -20.0f);
    EXPECT_FLOAT_EQ(options.sngLowerLimit(), 80.0f);
    EXPECT_EQ(options.iSensitivity(), 77);
    EXPECT_EQ(options.iColorLine(), 9);
    EXPECT_FALSE(options.bAutoSensitivity());
    EXPECT_FALSE(options.bAutoDepthRange());
    EXPECT_TRUE(options.bFishDepths());
    EXPECT_TRUE(options.bFishSymbols());
    EXPECT_EQ(options.SurfaceClarity(), 3);
    EXPECT_EQ(options.AdvancedSignalProcessing(), 2);
    EXPECT_EQ(options.ColorMode(), tSonarOptions::kUserDefinedRegions);
    for (int region = 0; region < 3; ++region) {
        SCOPED_TRACE(region);
        EXPECT_EQ(options.lBlacklineColor(region), 0x10 + region);
        EXPECT_EQ(options.lNoEchoColor(region), 0x20 + region);
        EXPECT_EQ(options.iBlackLine(region), region + 1);
    }
    options.copyFrom(source);
    EXPECT_EQ(raised, 1);
}

TEST_F(OptionsEvents, DepthRangeBelowFiveBecomesFiveAtTheSurfaceWithOneRaise)
{
    options.setsngDepthRange(3.0f);
    EXPECT_EQ(options.sngUpperLimit(), 0.0f);
    EXPECT_EQ(options.sngLowerLimit(), 5.0f);
    EXPECT_EQ(raised, 1);
}

TEST_F(OptionsEvents, DepthRangeOfTheCurrentSurfaceWindowRaisesNothing)
{
    options.setsngDepthRange(600.0f);
    EXPECT_EQ(raised, 0);
}

TEST_F(OptionsEvents, DepthRangeMovesAShiftedWindowBackToTheSurface)
{
    startWindow(100.0f, 200.0f);
    options.setsngDepthRange(200.0f);
    EXPECT_EQ(options.sngUpperLimit(), 0.0f);
    EXPECT_EQ(options.sngLowerLimit(), 200.0f);
    EXPECT_EQ(raised, 1);
}

struct LimitCase
{
    float upper;
    float lower;
    bool allowSubZero;
    float newValue;
    float expectedUpper;
    float expectedLower;
};

void PrintTo(const LimitCase& c, std::ostream* os)
{
    *os << "window " << c.upper << " to " << c.lower << (c.allowSubZero ? " sub-zero" : "")
        << ", set " << c.newValue;
}

class UpperLimitClamping : public OptionsEvents, public ::testing::WithParamInterface<LimitCase>
{
};

TEST_P(UpperLimitClamping, KeepsTheWindowFiveFeetDeepAndBelowTheSurface)
{
    const LimitCase c = GetParam();
    startWindow(c.upper, c.lower);
    options.setAllowSubZeroUL(c.allowSubZero);
    options.setsngUpperLimit(c.newValue);
    EXPECT_EQ(options.sngUpperLimit(), c.expectedUpper);
    EXPECT_EQ(options.sngLowerLimit(), c.expectedLower);
    EXPECT_EQ(raised, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, UpperLimitClamping,
                         ::testing::Values(LimitCase{0, 600, false, 598, 595, 600},
                                           LimitCase{10, 20, false, -4, 0, 20},
                                           LimitCase{10, 20, true, -4, -4, 20},
                                           LimitCase{0, 600, false, 250, 250, 600},
                                           LimitCase{0, 3000, true, 2999, 2995, 3000}));

class LowerLimitClamping : public OptionsEvents, public ::testing::WithParamInterface<LimitCase>
{
};

TEST_P(LowerLimitClamping, KeepsTheWindowFiveFeetDeepAndAtLeastFive)
{
    const LimitCase c = GetParam();
    startWindow(c.upper, c.lower);
    options.setsngLowerLimit(c.newValue);
    EXPECT_EQ(options.sngUpperLimit(), c.expectedUpper);
    EXPECT_EQ(options.sngLowerLimit(), c.expectedLower);
    EXPECT_EQ(raised, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, LowerLimitClamping,
                         ::testing::Values(LimitCase{100, 200, false, 102, 100, 105},
                                           LimitCase{0, 600, false, 2, 0, 5},
                                           LimitCase{0, 600, false, 80, 0, 80},
                                           LimitCase{10, 20, false, -50, 10, 15}));

TEST_F(OptionsEvents, LowerLimitStaysAtLeastFiveAboveASubZeroUpperLimit)
{
    options.setAllowSubZeroUL(true);
    startWindow(-20.0f, 600.0f);
    options.setsngLowerLimit(-18.0f);
    // -20 + 5 = -15 first, then the floor of 5.
    EXPECT_EQ(options.sngLowerLimit(), 5.0f);
}

TEST_F(OptionsEvents, LimitSetToItsStoredValueRaisesNothing)
{
    startWindow(10.0f, 20.0f);
    options.setsngUpperLimit(10.0f);
    options.setsngLowerLimit(20.0f);
    EXPECT_EQ(raised, 0);
}

TEST_F(OptionsEvents, HandlerSeesTheClampedValueAlreadyStored)
{
    options.setsngUpperLimit(598.0f);
    ASSERT_EQ(seenUpper.size(), 1u);
    EXPECT_EQ(seenUpper[0], 595.0f);
    EXPECT_EQ(seenLower[0], 600.0f);
}

TEST_F(OptionsEvents, DisallowingSubZeroLeavesANegativeUpperLimitUntilItsNextChange)
{
    options.setAllowSubZeroUL(true);
    startWindow(-4.0f, 20.0f);
    options.setAllowSubZeroUL(false);
    EXPECT_EQ(options.sngUpperLimit(), -4.0f);
    EXPECT_EQ(raised, 0);
    options.setsngUpperLimit(-3.0f);
    EXPECT_EQ(options.sngUpperLimit(), 0.0f);
    EXPECT_EQ(raised, 1);
}

TEST_F(OptionsEvents, AllowSubZeroNeverRaises)
{
    options.setAllowSubZeroUL(true);
    options.setAllowSubZeroUL(false);
    EXPECT_EQ(raised, 0);
}

TEST_F(OptionsEvents, SensitivityRaisesAlsoWhenUnchanged)
{
    options.setiSensitivity(20);
    options.setiSensitivity(20);
    options.setiSensitivity(35);
    EXPECT_EQ(options.iSensitivity(), 35);
    EXPECT_EQ(raised, 3);
}

// A setter with a value equal to the stored one and one that differs.
struct SetterCase
{
    std::string name;
    std::function<void(tSonarOptions&)> setSame;
    std::function<void(tSonarOptions&)> setOther;
    std::function<bool(const tSonarOptions&)> holdsOther;
};

void PrintTo(const SetterCase& c, std::ostream* os)
{
    *os << c.name;
}

std::vector<SetterCase> setterCases()
{
    using O = tSonarOptions;
    std::vector<SetterCase> cases;
    for (int r = 0; r < 3; ++r) {
        const std::string region = std::to_string(r);
        cases.push_back({"BlacklineColor" + region, [r](O& o) { o.setlBlacklineColor(r, 0); },
                         [r](O& o) { o.setlBlacklineColor(r, 0x123456); },
                         [r](const O& o) { return o.lBlacklineColor(r) == 0x123456; }});
        cases.push_back({"NoEchoColor" + region, [r](O& o) { o.setlNoEchoColor(r, 0xFFFFFF); },
                         [r](O& o) { o.setlNoEchoColor(r, 0x800000); },
                         [r](const O& o) { return o.lNoEchoColor(r) == 0x800000; }});
        cases.push_back({"BlackLine" + region, [r](O& o) { o.setiBlackLine(r, 0); },
                         [r](O& o) { o.setiBlackLine(r, 3); },
                         [r](const O& o) { return o.iBlackLine(r) == 3; }});
    }
    cases.push_back({"ColorLine", [](O& o) { o.setiColorLine(102); },
                     [](O& o) { o.setiColorLine(64); },
                     [](const O& o) { return o.iColorLine() == 64; }});
    cases.push_back({"AutoSensitivity", [](O& o) { o.setbAutoSensitivity(true); },
                     [](O& o) { o.setbAutoSensitivity(false); },
                     [](const O& o) { return !o.bAutoSensitivity(); }});
    cases.push_back({"AutoDepthRange", [](O& o) { o.setbAutoDepthRange(true); },
                     [](O& o) { o.setbAutoDepthRange(false); },
                     [](const O& o) { return !o.bAutoDepthRange(); }});
    cases.push_back({"FishDepths", [](O& o) { o.setbFishDepths(false); },
                     [](O& o) { o.setbFishDepths(true); },
                     [](const O& o) { return o.bFishDepths(); }});
    cases.push_back({"FishSymbols", [](O& o) { o.setbFishSymbols(false); },
                     [](O& o) { o.setbFishSymbols(true); },
                     [](const O& o) { return o.bFishSymbols(); }});
    cases.push_back({"SurfaceClarity", [](O& o) { o.setSurfaceClarity(0); },
                     [](O& o) { o.setSurfaceClarity(3); },
                     [](const O& o) { return o.SurfaceClarity() == 3; }});
    cases.push_back({"AdvancedSignalProcessing", [](O& o) { o.setAdvancedSignalProcessing(1); },
                     [](O& o) { o.setAdvancedSignalProcessing(2); },
                     [](const O& o) { return o.AdvancedSignalProcessing() == 2; }});
    cases.push_back({"ColorMode", [](O& o) { o.setColorMode(2); }, [](O& o) { o.setColorMode(7); },
                     [](const O& o) { return o.ColorMode() == 7; }});
    cases.push_back({"UpperLimit", [](O& o) { o.setsngUpperLimit(0.0f); },
                     [](O& o) { o.setsngUpperLimit(12.5f); },
                     [](const O& o) { return o.sngUpperLimit() == 12.5f; }});
    cases.push_back({"LowerLimit", [](O& o) { o.setsngLowerLimit(600.0f); },
                     [](O& o) { o.setsngLowerLimit(320.0f); },
                     [](const O& o) { return o.sngLowerLimit() == 320.0f; }});
    return cases;
}

class SetterRaising : public ::testing::TestWithParam<SetterCase>
{
};

TEST_P(SetterRaising, RaisesOnlyWhenTheValueChanges)
{
    tSonarOptions options;
    int raised = 0;
    QObject::connect(&options, &tSonarOptions::OptionsChanged, [&] { ++raised; });
    GetParam().setSame(options);
    EXPECT_EQ(raised, 0);
    GetParam().setOther(options);
    EXPECT_EQ(raised, 1);
    EXPECT_TRUE(GetParam().holdsOther(options));
    GetParam().setOther(options);
    EXPECT_EQ(raised, 1);
}

INSTANTIATE_TEST_SUITE_P(Properties, SetterRaising, ::testing::ValuesIn(setterCases()),
                         [](const ::testing::TestParamInfo<SetterCase>& testCase) {
                             return testCase.param.name;
                         });

TEST(OptionsModes, UserAndRegionModesAreSixSevenAndSevenOnly)
{
    tSonarOptions options;
    for (int32_t mode = -1; mode <= 8; ++mode) {
        SCOPED_TRACE(mode);
        options.setColorMode(mode);
        EXPECT_EQ(options.IsUserColorMode(), mode == 6 || mode == 7);
        EXPECT_EQ(options.IsRegionColorMode(), mode == 7);
    }
}

TEST(OptionsModes, CaptionsFollowTheMenuAndTheSettingsDialog)
{
    const char* const menu[] = {
        "Grayscale",      "Inverse Grayscale", "Color White Background", "Color Blue Background",
        "Scanning Brown", "Scanning Gray",     "User Defined",           "User Defined Regions"};
    const char* const dialog[] = {
        "Monochrome",     "Inverse Monochrome", "Color White Background", "Color Blue Background",
        "Scanning Brown", "Scanning Gray",      "User Defined",           "User Defined Regions"};
    for (int32_t mode = 0; mode < 8; ++mode) {
        EXPECT_EQ(tSonarOptions::colorModeMenuCaption(mode), QLatin1String(menu[mode]));
        EXPECT_EQ(tSonarOptions::colorModeDialogCaption(mode), QLatin1String(dialog[mode]));
    }
    EXPECT_TRUE(tSonarOptions::colorModeMenuCaption(8).isEmpty());
}

TEST_F(OptionsEvents, RegionOutsideZeroToTwoThrowsStoresNothingAndRaisesNothing)
{
    for (const int region : {-1, 3}) {
        SCOPED_TRACE(region);
        EXPECT_THROW(options.setlBlacklineColor(region, 5), std::out_of_range);
        EXPECT_THROW(options.setlNoEchoColor(region, 5), std::out_of_range);
        EXPECT_THROW(options.setiBlackLine(region, 5), std::out_of_range);
        EXPECT_THROW((void)options.lBlacklineColor(region), std::out_of_range);
        EXPECT_THROW((void)options.lNoEchoColor(region), std::out_of_range);
        EXPECT_THROW((void)options.iBlackLine(region), std::out_of_range);
    }
    EXPECT_EQ(raised, 0);
    for (int region = 0; region < 3; ++region) {
        EXPECT_EQ(options.lBlacklineColor(region), 0);
        EXPECT_EQ(options.lNoEchoColor(region), 0xFFFFFF);
        EXPECT_EQ(options.iBlackLine(region), 0);
    }
}

TEST_F(OptionsEvents, HandlerThatSetsAnotherPropertyRaisesANestedChange)
{
    QObject::connect(&options, &tSonarOptions::OptionsChanged, [this] {
        if (options.ColorMode() == 6) {
            options.setiColorLine(50);
        }
    });
    options.setColorMode(6);
    EXPECT_EQ(options.iColorLine(), 50);
    EXPECT_EQ(raised, 2);
}

} // namespace

// The correlation level of a sounding as the sounding painter hands it to the processing.
#include "logs/tSubHeader.h"
#include "render/SoundingPainter.h"

#include <gtest/gtest.h>

namespace {

struct LevelCase
{
    int16_t version;
    uint8_t correlation;
    int32_t option;
    int16_t level;
};

class ProcessingLevelTest : public ::testing::TestWithParam<LevelCase>
{
};

TEST_P(ProcessingLevelTest, TheCorrelationLevelFollowsTheLogGeneration)
{
    brellix::tSubHeader subHeader;
    subHeader.m_Correlation = GetParam().correlation;
    EXPECT_EQ(
        brellix::SoundingPainter::processingLevel(subHeader, GetParam().version, GetParam().option),
        GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(Levels, ProcessingLevelTest,
                         ::testing::Values(LevelCase{2, 3, 2, 4}, LevelCase{1, 3, 2, 2},
                                           LevelCase{2, 3, 1, 3}, LevelCase{2, 3, 0, 0},
                                           LevelCase{1, 0, 1, 1}, LevelCase{0, 5, 2, 2}));

} // namespace

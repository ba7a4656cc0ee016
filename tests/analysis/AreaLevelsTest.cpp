#include "analysis/AreaLevels.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(AreaLevels, PointsAlongAnArea)
{
    // 60 m at 0.1 m: 601 points, the last at the end.
    const auto long60 = spl::areaPoints({1, 10, 60, 0, 3}, 1.2);
    ASSERT_EQ(long60.size(), 601u);
    EXPECT_NEAR(long60[1].distance - long60[0].distance, 0.1, 1e-5);
    EXPECT_FLOAT_EQ(long60.back().height, 4.2f);
    // A short area gets finer steps: 2 m in 50 steps.
    const auto short2 = spl::areaPoints({2, 5, 2, 1, 1}, 0);
    ASSERT_EQ(short2.size(), 51u);
    EXPECT_NEAR(short2[1].distance - short2[0].distance, 0.04, 1e-6);
    EXPECT_EQ(short2.back().distance, 7.0f);
    // An area of no length is one point.
    const auto none = spl::areaPoints({3, 8, 0, 1, 2}, 1.2);
    ASSERT_EQ(none.size(), 1u);
    EXPECT_FLOAT_EQ(none[0].height, 3.2f);
}

TEST(AreaLevels, StatisticsOfAKnownCurve)
{
    // 90, 92, ..., 108 dB: mean 99, population variance (10^2 - 1) * 4 / 12 = 33.
    std::vector<float> ramp;
    for (int i = 0; i < 10; ++i)
        ramp.push_back(90.0f + 2 * i);
    ramp.push_back(std::numeric_limits<float>::quiet_NaN()); // no value: left out
    ramp.push_back(-std::numeric_limits<float>::infinity());
    const spl::LevelStats s = spl::levelStats(ramp);
    EXPECT_EQ(s.count, 10);
    EXPECT_DOUBLE_EQ(s.min, 90);
    EXPECT_DOUBLE_EQ(s.spread, 18);
    EXPECT_NEAR(s.deviation, std::sqrt(33.0), 1e-12);

    EXPECT_DOUBLE_EQ(spl::levelStats(std::vector<float>(5, 101.5f)).deviation, 0);
    EXPECT_EQ(spl::levelStats({}).count, 0);
}

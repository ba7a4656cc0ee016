#include "spl/AreaLevels.h"
#include "RandomProjects.h"
#include "spl/Calculation.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace {

/// Whether two levels are the same single, bit for bit (NaN equal to NaN).
bool sameLevel(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

} // namespace

// A point at a cell's centre must get exactly the cell's level, whatever the
// cell is (near field, border, far, on axis, straight or curved array): the
// points along an area and the map use one level model. Every row and the
// columns around the near-field limit are checked, and a spread of others.
TEST(PointLevels, CellCentreGetsTheCellsLevel)
{
    std::mt19937 rng(14);
    const int16_t bands[] = {100, 1000, 4000, 10000};
    for (int project = 0; project < 24; ++project) {
        const int16_t hz = bands[project % 4];
        const spl::Request request = randomRequest(rng, hz, project % 3 == 0 ? 0.1f : 0.3f);
        SCOPED_TRACE(testing::Message() << "project " << project << " at " << hz << " Hz");
        const spl::Calculation calc(request);
        ASSERT_FALSE(calc.refused());
        const std::optional<spl::Result> result = spl::calculate(request, 1);
        ASSERT_TRUE(result);
        const spl::Result& g = *result;
        const int limit = int(g.distanciaborder / g.PasHoritzontal);
        std::vector<int> columns = {1, 2, limit - 1, limit, limit + 1, limit + 2};
        for (int c = 3; c <= g.ParticionsXmapa; c += 97)
            columns.push_back(c);
        std::vector<float> X, Y, expected;
        for (int r = 1; r <= g.PartYFarField; ++r)
            for (int c : columns)
                if (c >= 1 && c <= g.ParticionsXmapa) {
                    X.push_back(g.MatriuX(r, c));
                    Y.push_back(g.MatriuY(r, c));
                    expected.push_back(g.MatriuSPL(r, c));
                }
        std::vector<float> levels(X.size());
        calc.levelsAt(X.data(), Y.data(), int(X.size()), levels.data());
        int differing = 0;
        for (std::size_t i = 0; i < X.size(); ++i)
            if (!sameLevel(levels[i], expected[i]) && differing++ < 3)
                ADD_FAILURE() << "at X " << X[i] << " Y " << Y[i] << ": " << levels[i]
                              << " instead of " << expected[i];
        EXPECT_EQ(differing, 0);
    }
}

TEST(PointLevels, NoLevelAtOrBehindTheArrayPlane)
{
    spl::Request request;
    request.N = 8;
    request.T = 10;
    request.alturamax = 10;
    request.offsetmax = 40;
    const float X[] = {0.0f, -1.0f, 5.0f}, Y[] = {9.0f, 9.0f, 9.0f};
    float L[3];
    spl::Calculation(request).levelsAt(X, Y, 3, L);
    EXPECT_TRUE(std::isnan(L[0]) && std::isnan(L[1]) && std::isfinite(L[2]));
}

// An area whose start lies on a cell centre, with the listening height 0,
// starts with that cell's level; the listening height lifts every point.
TEST(AreaLevels, AreaStartingAtACellCentre)
{
    std::mt19937 rng(3);
    const spl::Request request = randomRequest(rng, 2000, 0.3f);
    const std::optional<spl::Result> g = spl::calculate(request, 1);
    ASSERT_TRUE(g);
    const int r = g->FilesSobre + 3, c = 40;
    const spl::AreaSegment area{1, g->MatriuX(r, c), 20, g->MatriuY(r, c), g->MatriuY(r, c) + 2};
    const spl::AreaLevels onLine = spl::areaLevels(request, {&area, 1}, 0);
    ASSERT_EQ(onLine.areas.size(), 1u);
    EXPECT_TRUE(sameLevel(onLine.areas[0].points[0].level, g->MatriuSPL(r, c)));

    const spl::AreaLevels lifted = spl::areaLevels(request, {&area, 1}, 1.2);
    const auto& p = lifted.areas[0].points;
    ASSERT_EQ(p.size(), 201u);
    EXPECT_FLOAT_EQ(p[100].height, (area.Z1 + area.Z2) / 2 + 1.2f);
}

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

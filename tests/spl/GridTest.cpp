#include "spl/Grid.h"
#include "spl/ArrayGeometry.h"
#include "spl/Calculation.h"
#include "support/FailingResources.h"

#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace {

/// Eight TS250 boxes hanging straight from 10 m, a map 10 m high, at 1 kHz.
spl::Request straightEight(float res)
{
    spl::Request r;
    r.N = 8;
    r.T = r.alturamax = 10;
    r.resolucioy = res;
    return spl::bandRequest(r, 1000);
}

} // namespace

// The grid of eight straight boxes at several resolutions, and of no boxes
// (the source's centre is the height itself), row counts rounding halves to
// even. Pins the singles in every build type: a compiler that keeps
// (double)(float) values unrounded changes these figures. Over ten million
// cells, or a source no row reaches, is refused.
TEST(GridLayout, StepsDimensionsAndRefusals)
{
    struct Case
    {
        int N;
        double T;
        float alturamax, res;
        float step;
        int cols, sota, sobre; // no columns: refused
    };
    // step = res * 7317 / 11790; 300 m of columns; rows from the centre at 8.744 m
    // down to the floor and up to M = 11 * 1.8 = 19.8 m.
    const Case cases[] = {{8, 10, 10, 0.3f, 0.186183214f, 1611, 30, 36},
                          {8, 10, 10, 0.1f, 0.0620610714f, 4834, 88, 110},
                          {8, 10, 10, 1.0f, 0.620610714f, 483, 9, 11},
                          {0, 1.0, 2, 0.5f, 0.310305357f, 967, 2, 8},        // 2.5 rows below
                          {0, 1.5, 2, 0.5f, 0.310305357f, 967, 4, 7},        // 3.5 below, 7.3 above
                          {8, 10, 100, 0.1f, 0.0620610714f, 4834, 88, 1730}, // 8.8 million cells
                          {8, 10, 116, 0.1f, 0.0620610714f, 0, 0, 0}, // 2,106 rows of 4,834 columns
                          {8, 10, 5000, 0.1f, 0.0620610714f, 0, 0, 0}, // 90,000 rows
                          {8, -50, 10, 0.1f, 0.0620610714f, 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.N << " boxes at " << c.T << " m, " << c.res);
        spl::Request r = straightEight(c.res);
        std::tie(r.N, r.T, r.alturamax) = std::tuple(c.N, c.T, c.alturamax);
        r.keepCells = false;
        spl::Result g;
        spl::CasInclinacio(r, g);
        EXPECT_EQ(spl::PintarMapa(r, g), c.cols > 0);
        EXPECT_EQ(spl::Calculation(r).refused(), c.cols == 0);
        EXPECT_EQ(std::tuple(g.ParticionsXmapa, g.FilesSota, g.FilesSobre),
                  std::tuple(c.cols, c.sota, c.sobre));
        EXPECT_EQ(g.PasHoritzontal, c.step);
    }
}

// A row's class counts: 120, 110, 105 and 100 dB count in the quieter class,
// 95 dB in class 5, and counts add up over calls.
TEST(GridClasses, EachBoundCountsInTheQuieterClass)
{
    const float levels[] = {INFINITY, 120.0001f, 120, 110.0001f, 110,
                            105,      100,       95,  94.9999f,  -INFINITY};
    std::vector<float> counts(spl::kClasses, 1.0f);
    spl::countClasses(levels, 10, counts.data());
    EXPECT_EQ(counts, (std::vector<float>{3, 3, 2, 2, 3, 3}));
}

// A stop ends every thread between batches of rows; without threads the caller computes them.
TEST(GridCells, AStopEndsItBetweenBatchesAndRowsWithoutThreadsFallToTheCaller)
{
    spl::Request req = straightEight(0.1f);
    req.angle[3] = 4;
    const spl::Result whole = *spl::calculate(req, 2);
    for (int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        std::atomic<int> asked{0};
        const auto never = [&asked] { return ++asked < 0; };
        EXPECT_EQ(spl::calculate(req, threads, never).value_or(spl::Result{}).spl, whole.spl);
        EXPECT_GT(asked.load(), threads); // not once per thread
        std::atomic<int> left{3};         // stopped at the fourth question
        EXPECT_FALSE(spl::calculate(req, threads, [&left] { return --left < 0; }).has_value());
        EXPECT_LE(3 - left.load(), 3 + threads);
    }
    // Without threads to start, the calling one computes every row.
    failing::Refusal refused(true, false);
    EXPECT_EQ(spl::calculate(req, 4).value_or(spl::Result{}).spl, whole.spl);
}

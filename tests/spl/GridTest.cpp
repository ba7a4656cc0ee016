#include "spl/Grid.h"
#include "spl/ArrayGeometry.h"
#include "spl/Calculation.h"
#include "support/FailingResources.h"

#include <atomic>
#include <gtest/gtest.h>
#include <tuple>

namespace {

/// Eight TS250 boxes hanging straight from 10 m in a 10 m high view, at 1 kHz.
spl::Request straightEight(float res)
{
    spl::Request r;
    r.N = 8;
    r.T = r.alturamax = 10;
    r.offsetmax = 40;
    r.resolucioy = res;
    r.frequencia = 1000;
    r.landamig = spl::landamigFor(345, 1000);
    return r;
}

spl::Result layout(const spl::Request& r)
{
    spl::Result out;
    spl::CasInclinacio(r, out);
    EXPECT_TRUE(spl::PintarMapa(r, out));
    return out;
}

} // namespace

// Pins the singles of the grid in every build type: a compiler that keeps
// (double)(float) values unrounded changes these figures.
TEST(GridLayout, StepsAndDimensionsForSeveralResolutions)
{
    struct Case
    {
        float res;
        float step;
        int cols, sota, sobre;
    };
    // step = res * 7317 / 11790; 300 m of columns; rows from the centre at 8.744 m
    // down to the floor and up to M = 11 * 1.8 = 19.8 m.
    const Case cases[] = {{0.3f, 0.186183214f, 1611, 30, 36},
                          {0.1f, 0.0620610714f, 4834, 88, 110},
                          {1.0f, 0.620610714f, 483, 9, 11}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.res);
        const spl::Result g = layout(straightEight(c.res));
        EXPECT_EQ(std::tuple(g.PasHoritzontal, g.ParticionsXmapa, g.FilesSota, g.FilesSobre),
                  std::tuple(c.step, c.cols, c.sota, c.sobre));
        EXPECT_EQ(g.rowY[std::size_t(c.sobre)], g.ycerclefresnel); // the centre row
        EXPECT_EQ(g.columnX[0], float(g.PasHoritzontal / 2.0));
    }
}

TEST(GridLayout, RowCountsRoundHalvesToEven)
{
    spl::Request r; // no boxes: the source's centre is the height itself
    r.resolucioy = 0.5f;
    r.alturamax = 2;
    for (const auto& [T, sota] : {std::pair{1.0, 2}, {1.5, 4}}) { // 2.5 and 3.5 rows below
        r.T = T;
        EXPECT_EQ(layout(r).FilesSota, sota) << T;
    }
    EXPECT_EQ(layout(r).FilesSobre, 7); // (5.4 - 1.75) / 0.5 = 7.3
}

// Over ten million cells, or a source no row reaches, is refused.
TEST(GridLayout, AGridTooLargeIsRefused)
{
    spl::Request r = straightEight(0.1f);
    r.keepCells = false;
    r.alturamax = 5000; // 90,000 rows
    EXPECT_FALSE(spl::calculate(r).has_value());
    r.alturamax = 116; // 2,110 rows of 4,834 columns
    EXPECT_TRUE(spl::Calculation(r).refused());
    r.alturamax = 100; // 1,822 rows: 8.8 million cells
    EXPECT_FALSE(spl::Calculation(r).refused());
    r.alturamax = 10;
    r.T = -50;
    EXPECT_TRUE(spl::Calculation(r).refused());
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
        const std::optional<spl::Result> kept = spl::calculate(req, threads, never);
        ASSERT_TRUE(kept.has_value());
        EXPECT_EQ(kept->spl, whole.spl);
        EXPECT_GT(asked.load(), threads); // not once per thread
        std::atomic<int> left{3};         // stopped at the fourth question
        EXPECT_FALSE(spl::calculate(req, threads, [&left] { return --left < 0; }).has_value());
        EXPECT_LE(3 - left.load(), 3 + threads);
    }
    // Without threads to start, the calling one computes every row.
    failing::Refusal refused(true, false);
    const std::optional<spl::Result> alone = spl::calculate(req, 4);
    ASSERT_TRUE(alone.has_value());
    EXPECT_EQ(alone->spl, whole.spl);
}

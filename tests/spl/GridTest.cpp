#include "spl/Grid.h"
#include "LiteralModel.h"
#include "spl/ArrayGeometry.h"
#include "spl/Calculation.h"
#include "support/FailingResources.h"

#include <atomic>
#include <cmath>
#include <gtest/gtest.h>

namespace {

/// Eight TS250 boxes hanging straight from 10 m in a 10 m high view.
spl::Request straightEight(float res, int16_t hz = 1000)
{
    spl::Request r;
    r.N = 8;
    r.T = 10;
    r.alturamax = 10;
    r.offsetmax = 40;
    r.resolucioy = res;
    r.frequencia = hz;
    r.landamig = spl::landamigFor(345, hz);
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
        EXPECT_EQ(g.PasHoritzontal, c.step);
        EXPECT_EQ(g.ParticionsXmapa, c.cols);
        EXPECT_EQ(g.FilesSota, c.sota);
        EXPECT_EQ(g.FilesSobre, c.sobre);
        EXPECT_EQ(g.rowY[std::size_t(c.sobre)], g.ycerclefresnel); // the centre row
        EXPECT_EQ(g.columnX[0], float(g.PasHoritzontal / 2.0));
    }
}

TEST(GridLayout, RowCountsRoundHalvesToEven)
{
    spl::Request r; // no boxes: the source's centre is the height itself
    r.resolucioy = 0.5f;
    r.alturamax = 2;
    r.T = 1.0; // (0.25 + 1) / 0.5 = 2.5 rows below
    EXPECT_EQ(layout(r).FilesSota, 2);
    r.T = 1.5; // 3.5 rows below
    EXPECT_EQ(layout(r).FilesSota, 4);
    EXPECT_EQ(layout(r).FilesSobre, 7); // (5.4 - 1.75) / 0.5 = 7.3
}

TEST(GridLayout, AGridTooLargeIsRefused)
{
    spl::Request r = straightEight(0.1f);
    r.keepCells = false;
    r.alturamax = 5000; // 90,000 rows
    EXPECT_FALSE(spl::calculate(r).has_value());
    EXPECT_FALSE(literalCalculation(r).has_value());
    r.alturamax = 116; // 2,110 rows of 4,834 columns: over ten million cells
    EXPECT_TRUE(spl::Calculation(r).refused());
    r.alturamax = 100; // 1,822 rows: 8.8 million cells are calculated
    spl::Calculation fits(r);
    EXPECT_FALSE(fits.refused());
    EXPECT_GT(fits.rows(), 1800);
    r.alturamax = 10;
    r.T = -50; // the source below the floor: no rows can reach it
    EXPECT_TRUE(spl::Calculation(r).refused());
}

TEST(GridCells, AStopEndsItBetweenBatchesAndRowsWithoutThreadsFallToTheCaller)
{
    spl::Request req = straightEight(0.1f);
    req.angle[3] = 4;
    const spl::Result whole = *spl::calculate(req, 2);
    for (int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        std::atomic<int> asked{0};
        const auto never = [&asked] {
            ++asked;
            return false;
        };
        const std::optional<spl::Result> kept = spl::calculate(req, threads, never);
        ASSERT_TRUE(kept.has_value());
        EXPECT_EQ(kept->spl, whole.spl);
        EXPECT_EQ(kept->distribucio, whole.distribucio);
        EXPECT_GT(asked.load(), threads); // asked before every batch, not once per thread

        // Stopped at the fourth question: every thread ends at once.
        std::atomic<int> left{3};
        const auto soon = [&left] { return --left < 0; };
        EXPECT_FALSE(spl::calculate(req, threads, soon).has_value());
        EXPECT_LE(3 - left.load(), 3 + threads);
    }
    // Without threads to start, the calling one computes every row.
    failing::Refusal refused(true, false);
    const std::optional<spl::Result> alone = spl::calculate(req, 4);
    ASSERT_TRUE(alone.has_value());
    EXPECT_EQ(alone->spl, whole.spl);
}

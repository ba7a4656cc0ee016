#include "spl/LevelModel.h"
#include "analysis/AreaLevels.h"
#include "analysis/RequestFromProject.h"
#include "project/ProjectDocument.h"
#include "spl/Grid.h"
#include "spl/MapTurn.h"
#include "spl/RandomProjects.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>

TEST(LevelClasses, UpperBoundsAreInclusive)
{
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, int> cases[] = {{inf, 1},      {120.0001f, 1}, {120, 2}, {110.0001f, 2},
                                           {110, 3},      {105, 4},       {100, 5}, {95, 5},
                                           {94.9999f, 6}, {-inf, 6}};
    for (const auto& [level, k] : cases)
        EXPECT_EQ(spl::levelClass(level), k) << level;
}

// On a map that is not turned, a point at a cell's centre gets exactly the
// cell's level, whatever the cell is (near field, border, far, on axis,
// straight or curved array); points at or behind the array plane get none.
TEST(LevelModel, UnturnedCellCentreGetsTheCellsLevel)
{
    std::mt19937 rng(14);
    const int16_t bands[] = {100, 1000, 4000, 10000};
    for (int project = 0; project < 24; ++project) {
        const int16_t hz = bands[project % 4];
        const spl::Request request = randomRequest(rng, hz, project % 3 == 0 ? 0.1f : 0.3f);
        SCOPED_TRACE(testing::Message() << "project " << project << " at " << hz << " Hz");
        const auto model = spl::levelModel(request);
        ASSERT_FALSE(model->refused());
        ASSERT_FALSE(model->placement().corners);
        const std::optional<spl::Result> grid = model->grid(1);
        ASSERT_TRUE(grid);
        const spl::Result& g = *grid;
        const int limit = int(g.distanciaborder / g.PasHoritzontal);
        std::vector<int> columns = {1, 2, limit - 1, limit, limit + 1, limit + 2};
        for (int c = 3; c <= g.ParticionsXmapa; c += 97)
            columns.push_back(c);
        std::vector<float> X = {0.0f, -1.0f}, Y = {g.rowY[0], g.rowY[0]};
        std::vector<float> expected(2, std::numeric_limits<float>::quiet_NaN());
        for (int r = 1; r <= g.PartYFarField; ++r)
            for (int c : columns)
                if (c >= 1 && c <= g.ParticionsXmapa) {
                    X.push_back(g.MatriuX(r, c));
                    Y.push_back(g.MatriuY(r, c));
                    expected.push_back(g.MatriuSPL(r, c));
                }
        std::vector<float> levels(X.size());
        model->levelsAt(X, Y, levels);
        int differing = 0; // bit for bit, NaN equal to NaN
        for (std::size_t i = 0; i < X.size(); ++i)
            if (std::memcmp(&levels[i], &expected[i], sizeof(float)) != 0 &&
                !(std::isnan(levels[i]) && std::isnan(expected[i])) && differing++ < 3)
                ADD_FAILURE() << "at X " << X[i] << " Y " << Y[i] << ": " << levels[i]
                              << " instead of " << expected[i];
        EXPECT_EQ(differing, 0);
    }
}

// The demo's map (1000 Hz, 1 m rows) is turned by the 5 degrees of box 1.
// Where it shows the centre of a cell, the level along an area through that
// point and the probe both read the cell's level; without the turn the
// levels along the areas would be those of other points.
TEST(LevelModel, TheTurnedMapIsReadWhereItIsShown)
{
    const HeadlessProject project =
        loadHeadless(QStringLiteral(SPLMAP_EXAMPLES_DIR "/demo.ini"), QLocale::c());
    ASSERT_TRUE(project.document);
    const spl::Request request = spl::requestFromDocument(*project.document, {1000, "1"});
    spl::Request unturned = request;
    unturned.turn.reset();
    const auto model = spl::levelModel(request);
    const spl::MapPlacement& placement = model->placement();
    ASSERT_TRUE(placement.corners);
    const std::optional<spl::Result> g = model->grid(1);
    ASSERT_TRUE(g);

    int moved = 0, checked = 0;
    for (int r = g->FilesSobre - 6; r <= g->PartYFarField; r += 2)
        for (const double distance : {2.0, 4.0, 9.5, 15.0, 28.5, 40.0}) {
            const int c = int(distance / g->PasHoritzontal) + 1;
            const auto [X, Y] = shownAt(placement, g->MatriuX(r, c), g->MatriuY(r, c));
            if (!(X > 0) || !(Y > 0))
                continue;
            const float cell = g->MatriuSPL(r, c);
            SCOPED_TRACE(testing::Message()
                         << "cell " << r << "," << c << " at " << X << ", " << Y);
            const spl::AreaSegment area{1, float(X), 0, float(Y), float(Y)};
            EXPECT_NEAR(spl::areaLevels(request, {&area, 1}, 0).overall.max, cell, 0.01);
            const spl::MapView& v = placement.view;
            EXPECT_EQ(spl::levelUnder(*g, placement, X * v.SW1 / v.offsetmax,
                                      v.SH44 - v.SH1 * Y / (v.alturamax + 1.0)),
                      cell);
            moved += std::abs(spl::areaLevels(unturned, {&area, 1}, 0).overall.max - cell) > 0.5;
            ++checked;
        }
    EXPECT_GT(checked, 30);
    EXPECT_GT(moved, checked / 4);
}

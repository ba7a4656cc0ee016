#include "spl/LevelModel.h"
#include "spl/RandomProjects.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>

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

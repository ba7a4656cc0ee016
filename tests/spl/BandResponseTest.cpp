#include "spl/BandResponse.h"
#include "spl/Bands.h"
#include "spl/LevelModel.h"
#include "spl/MapTurn.h"
#include "spl/RandomProjects.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

// Where the map shows a cell's centre (the classic map turned by the tilt of
// box 1, the other not), the spectrum reads that cell in every band's map, as
// the probe does, and its averages are those of its levels.
TEST(BandResponse, ReadsEveryBandsMapWhereItShowsTheCell)
{
    std::mt19937 rng(5);
    for (const spl::LevelModelKind model :
         {spl::LevelModelKind::Classic, spl::LevelModelKind::Coherent}) {
        SCOPED_TRACE(spl::levelModelName(model));
        spl::Request request = randomRequest(rng, 1000, 0.5f);
        request.model = model;
        request.bands = spl::BandRange{}; // not read
        request.turn = 0.15;
        const spl::MapPlacement placement = spl::mapPlacement(request);
        ASSERT_EQ(placement.corners.has_value(), model == spl::LevelModelKind::Classic);
        std::vector<spl::Result> grids;
        for (const int16_t hz : spl::kFrequencies)
            grids.push_back(*spl::levelModel(spl::bandRequest(request, hz))->grid(2));
        const spl::Result& g = grids.front();
        int checked = 0;
        for (int r = 1; r <= g.PartYFarField; r += 3)
            for (const double distance : {3.0, 9.5, 21.0, 40.0}) {
                const int c = int(distance / g.PasHoritzontal) + 1;
                const auto [X, Y] = placement.corners
                                        ? shownAt(placement, g.MatriuX(r, c), g.MatriuY(r, c))
                                        : std::array<double, 2>{g.MatriuX(r, c), g.MatriuY(r, c)};
                if (!(X > 0) || !(Y > 0))
                    continue;
                const spl::BandResponse s = spl::bandResponseAt(request, X, Y);
                double flat = 0, a = 0;
                for (std::size_t b = 0; b < grids.size(); ++b) {
                    EXPECT_NEAR(s.levels[b], grids[b].MatriuSPL(r, c), 0.01)
                        << "cell " << r << "," << c << " at " << spl::kFrequencies[b];
                    flat += std::pow(10.0, s.levels[b] / 10) / 21;
                    a +=
                        std::pow(10.0, (s.levels[b] + spl::aWeighting(spl::kFrequencies[b])) / 10) /
                        21;
                    ++checked;
                }
                EXPECT_FLOAT_EQ(float(s.averageFlat), float(10 * std::log10(flat)));
                EXPECT_FLOAT_EQ(float(s.averageA), float(10 * std::log10(a)));
            }
        EXPECT_GT(checked, 200);
    }
}

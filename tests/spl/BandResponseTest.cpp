#include "spl/BandResponse.h"
#include "spl/Bands.h"
#include "spl/LevelModel.h"
#include "spl/MapTurn.h"
#include "spl/RandomProjects.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

/// Every band's grid of `request`, in the order of the band centres.
std::vector<spl::Result> bandGrids(const spl::Request& request)
{
    std::vector<spl::Result> grids;
    for (const int16_t hz : spl::kFrequencies)
        grids.push_back(*spl::levelModel(spl::bandRequest(request, hz))->grid(2));
    return grids;
}

double directAverage(const std::array<float, 21>& levels, bool aWeighted)
{
    double sum = 0;
    for (std::size_t b = 0; b < levels.size(); ++b)
        sum += std::pow(
            10.0, (levels[b] + (aWeighted ? spl::aWeighting(spl::kFrequencies[b]) : 0.0)) / 10);
    return 10 * std::log10(sum / 21);
}

} // namespace

// Where the map shows a cell's centre (the classic map turned by the tilt of
// box 1, the other not), the spectrum reads that cell in every band's map, as
// the probe does, and its averages are those of its levels; the unturned
// frame would read other levels.
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
        spl::Request unturned = request;
        unturned.turn.reset();
        const spl::MapPlacement placement = spl::mapPlacement(request);
        ASSERT_EQ(placement.corners.has_value(), model == spl::LevelModelKind::Classic);
        const std::vector<spl::Result> grids = bandGrids(request);
        const spl::Result& g = grids.front();
        int checked = 0, moved = 0;
        for (int r = 1; r <= g.PartYFarField; r += 3)
            for (const double distance : {3.0, 9.5, 21.0, 40.0}) {
                const int c = int(distance / g.PasHoritzontal) + 1;
                const auto [X, Y] = placement.corners
                                        ? shownAt(placement, g.MatriuX(r, c), g.MatriuY(r, c))
                                        : std::array<double, 2>{g.MatriuX(r, c), g.MatriuY(r, c)};
                if (!(X > 0) || !(Y > 0))
                    continue;
                const spl::BandResponse s = spl::bandResponseAt(request, X, Y);
                const spl::BandResponse frame = spl::bandResponseAt(unturned, X, Y);
                for (std::size_t b = 0; b < grids.size(); ++b) {
                    EXPECT_NEAR(s.levels[b], grids[b].MatriuSPL(r, c), 0.01)
                        << "cell " << r << "," << c << " at " << spl::kFrequencies[b];
                    moved += std::abs(frame.levels[b] - grids[b].MatriuSPL(r, c)) > 0.5;
                    ++checked;
                }
                EXPECT_FLOAT_EQ(float(s.averageFlat), float(directAverage(s.levels, false)));
                EXPECT_FLOAT_EQ(float(s.averageA), float(directAverage(s.levels, true)));
            }
        EXPECT_GT(checked, 200);
        if (placement.corners) {
            EXPECT_GT(moved, checked / 4);
        }
    }
}
